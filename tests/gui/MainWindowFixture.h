#pragma once

// The seven windows built as the program builds them, the main window shown, a folder of MP3 files made for the test,
// and the gestures the tests make.
#include "GuiTestSupport.h"

#include "DisplayName.h"
#include "Forms.h"
#include "MP3ListModel.h"
#include "TMainForm.h"
#include "TestSongs.h" // with the byte builders and the independent readers

#include <QtCore/QFile>
#include <QtWidgets/QFileDialog>

#include <optional>
#include <utility>
#include <vector>

using Names = std::vector<std::string>;

inline ::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

class MainWindowTest : public ::testing::Test {
protected:
    SettingsSandbox Sandbox;
    TempDir Music;
    Forms Windows;
    TMainForm& Main = Windows.MainForm();
    MP3ListModel& List = *Main.ListModel;

    MainWindowTest() { Main.show(); }

    std::filesystem::path Put(const std::string& name, const TestSong& song) const
    {
        const std::filesystem::path path = Music.file(name);
        std::filesystem::create_directories(path.parent_path());
        writeFile(path, song.Content());
        return path;
    }

    // The folder's path as the list keeps directories: its bytes and one "/".
    std::string Folder() const { return Music.path().string() + "/"; }

    // Chooses the folder in the folder browser the next command shows, as a user does: selected in its parent by the
    // name shown, whatever its bytes.
    static void ChooseFolderNext(const std::filesystem::path& folder)
    {
        OnNextModal([folder](QWidget& modal) {
            auto* browser = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(browser, nullptr) << "the folder browser was expected";
            browser->setDirectory(QFile::decodeName(folder.parent_path().c_str()));
            browser->selectFile(DisplayName(folder.filename().string()));
            static_cast<QDialog*>(browser)->accept(); // QFileDialog::accept, which checks the folder
        });
    }

    void AddDirectory(const std::filesystem::path& folder) { ChooseFolderNext(folder), Main.AddDirectoryMI->trigger(); }

    QString Cell(int row, int column) const { return List.index(row, column).data().toString(); }

    // Each row as shown: the cells of the columns given, by default file, ID3v1, ID3v2 and title, joined by "|".
    Names Rows(std::initializer_list<int> columns = {0, 1, 2, 3}) const
    {
        Names rows;
        for (int row = 0; row < List.RowCount(); ++row) {
            QStringList cells;
            for (int column : columns)
                cells << Cell(row, column);
            rows.push_back(cells.join('|').toStdString());
        }
        return rows;
    }

    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        Main.Selected3->scrollTo(List.index(row, 0));
        const QRect cell = Main.Selected3->visualRect(List.index(row, 0));
        QTest::mouseClick(Main.Selected3->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    // Clicks the row of the file named, adding it to the list first when it is not there yet.
    void Show(const std::string& name)
    {
        for (int row = 0; row < List.RowCount(); ++row)
            if (List.Row(row).Caption == name)
                return ClickRow(row);
        ASSERT_TRUE(Main.AddListItem(Folder(), name)) << name;
        ClickRow(List.RowCount() - 1);
    }

    // The files of one folder alone in the list, all selected, the first one loaded.
    void ListAll(const std::filesystem::path& folder)
    {
        Answering({QMessageBox::Yes}, [this] { Main.ClearMP3MI->trigger(); });
        AddDirectory(folder);
        ClickRow(0);
        ClickRow(List.RowCount() - 1, Qt::ShiftModifier);
    }

    // As a user clicks: in the active window (a dialog or box closed before may have left none active).
    std::vector<BoxSeen> ClickActive(QAbstractButton* button, const std::vector<QMessageBox::StandardButton>& answers = {})
    {
        Main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Main));
        return Answering(answers, [button] { QTest::mouseClick(button, Qt::LeftButton); });
    }

    // A key pressed in the list, shortcuts included; the offscreen desktop does not make the window active again
    // when a dialog closes, so this does, as the user's click would.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QApplication::setActiveWindow(&Main);
        QTest::keyClick(Main.Selected3, key, modifiers);
    }

    std::vector<int> SelectedRows() const
    {
        std::vector<int> rows;
        for (const QModelIndex& index : Main.Selected3->selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::ranges::sort(rows);
        return rows;
    }
};
