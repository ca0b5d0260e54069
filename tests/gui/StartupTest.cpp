// The main window's wiring: toolbar buttons run their menu commands, confirmations answer as clicked, and the few
// behaviours of its controls a user relies on.
#include "GuiTestSupport.h"

#include "EditorLists.h"
#include "Forms.h"
#include "TMainForm.h"

#include <QtTest/QSignalSpy>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QToolButton>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

struct StartupTest : ::testing::Test {
    SettingsSandbox Sandbox;
    Forms Windows;
    TMainForm& Main = Windows.MainForm();
};

TEST_F(StartupTest, ToolbarButtonRunsItsMenuCommandAndOpensItsDialogModally)
{
    Main.show();
    const std::vector<std::tuple<const char*, const char*, QString>> buttons = {
        {"AddFileBtn", "AddFilesMI", "TPickerForm"}, {"AddDirectoryBtn", "AddDirectoryMI", "QFileDialog"},
        {"OptionsBtn", "OptionsMI", "TOptionsForm"}, {"FiltersBtn", "FiltersMI", "TFiltersForm"},
        {"ClearMP3Btn", "ClearMP3MI", ""}, {"PlayMP3Btn", "PlayMP3MI", ""}, {"FileInfoBtn", "FileInfoMI", ""},
        {"UndoRenameBtn", "UndoRenameMI", ""}, {"ExitBtn", "ExitMI", ""}};
    for (const auto& [buttonName, actionName, dialog] : buttons) {
        QSignalSpy triggered(Main.findChild<QAction*>(QString::fromLatin1(actionName)), &QAction::triggered);
        auto* button = Main.findChild<QToolButton*>(QString::fromLatin1(buttonName));
        ASSERT_NE(button, nullptr) << buttonName;
        // On the button part, not on the drop-down arrow of the options button.
        const QStringList opened = ClosingDialogs(
            [button] { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); });
        EXPECT_EQ(triggered.count(), 1) << buttonName;
        EXPECT_EQ(opened, dialog.isEmpty() ? QStringList() : QStringList(dialog)) << buttonName;
    }
    EXPECT_FALSE(Main.isVisible()) << "the exit button closes the window";
}

TEST_F(StartupTest, ConfirmationsAreFalseOnlyForNo)
{
    for (const auto answer : {QMessageBox::Yes, QMessageBox::No}) {
        bool answered = answer == QMessageBox::No;
        const auto boxes = Answering({answer}, [&] { answered = Main.ConfirmAction("Delete ID3 tags"); });
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Caption + boxes[0].Text, "WarningACTION:\nDelete ID3 tags");
        EXPECT_EQ(answered, answer == QMessageBox::Yes);
    }
}

TEST_F(StartupTest, RestoreScreenCursorPutsBackWhatWasThereBeforeTheWait)
{
    QApplication::setOverrideCursor(Qt::PointingHandCursor);
    Main.SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Main.SaveScreenCursor(); // a nested long operation saves and restores inside the outer one
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Main.RestoreScreenCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Main.SavedCursor = Qt::PointingHandCursor;
    Main.RestoreScreenCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QApplication::restoreOverrideCursor();
}

TEST_F(StartupTest, ImportSchemeTakesAHundredTypedCharactersAndFollowsItsSwitch)
{
    Main.ImportCB->setEditText(QString());
    QTest::keyClicks(Main.ImportCB->lineEdit(), QString(120, QLatin1Char('x')));
    EXPECT_EQ(Main.ImportCB->currentText(), QString(100, QLatin1Char('x')));
    for (const bool on : {false, true}) {
        Main.UseImport->setChecked(on);
        EXPECT_EQ(Main.ImportCB->isEnabled(), on);
    }
    const QStringList genres = GenreEntries(); // sorted without hyphens and dots
    EXPECT_LT(genres.indexOf("Eurodance"), genres.indexOf("Euro-House"));
}

} // namespace
