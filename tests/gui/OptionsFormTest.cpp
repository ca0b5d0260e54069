// The options dialog driven through its controls: OK and Cancel, the values as they reach the settings file
// and come back at the next start, the windows that start in the default directories, the pages and the
// folder browser of its "..." buttons.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "TMainForm.h"
#include "TOptionsForm.h"
#include "TPickerForm.h"

#include <QtCore/QFile>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>

#include <optional>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;

QString Shown(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// What the dialog shows: the four switches as 0 or 1, then the two directories.
std::string State(const TOptionsForm& o)
{
    std::string state;
    for (const QCheckBox* box : {o.AutoAdvanceSave, o.AutoAdvanceDelete, o.AutoAdvanceRename, o.EndBeep})
        state += box->isChecked() ? '1' : '0';
    return state + " " + o.DefaultPicker->text().toStdString() + "|" + o.DefaultBrowse->text().toStdString();
}

class OptionsFormTest : public ::testing::Test {
protected:
    TOptionsForm& Start()
    {
        Windows.reset();
        Windows.emplace();
        TOptionsForm& options = Windows->OptionsForm();
        options.show();
        return options;
    }

    std::filesystem::path Folder(const std::string& name) const
    {
        std::filesystem::create_directories(Folders.path() / name);
        return Folders.path() / name;
    }

    SettingsSandbox Sandbox;
    TempDir Folders;
    std::optional<Forms> Windows;
};

TEST_F(OptionsFormTest, OKStoresTheSixValuesAndTheNextStartDropsADirectoryThatIsGone)
{
    const std::filesystem::path picker = Folder("Picker");
    const std::filesystem::path browse = Folder("Müsik ä");
    TOptionsForm& options = Start();
    // The first start: every box checked, no directories, the General page.
    EXPECT_EQ(State(options), "1111 |");
    EXPECT_TRUE(options.AutoAdvanceSave->isVisible());

    ClickBox(*options.AutoAdvanceDelete);
    ClickBox(*options.EndBeep);
    Type(options.DefaultPicker, Shown(picker));
    Type(options.DefaultBrowse, Shown(browse));
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(Sandbox.Section(), (Values{{"AutoAdvanceSave", "1"}, {"AutoAdvanceDelete", "0"},
                                         {"AutoAdvanceRename", "1"}, {"EndBeep", "0"},
                                         {"DefaultPicker", picker.string()}, {"DefaultBrowse", browse.string()}}));
    // OK sends the picker and the folder chooser to the directories at once.
    EXPECT_EQ(Windows->PickerForm().DirList->Directory(), picker.string());
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, browse.string());

    std::filesystem::remove(picker);
    EXPECT_EQ(State(Start()), "1010 |" + browse.string());
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, browse.string());
}

TEST_F(OptionsFormTest, CancelEscapeAndTheCloseBoxPutBackWhatTheDialogShowedWithoutStoring)
{
    const std::vector<std::pair<const char*, std::function<void(TOptionsForm&)>>> closers = {
        {"Cancel", [](TOptionsForm& o) { QTest::mouseClick(o.CancelBtn, Qt::LeftButton); }},
        {"Escape", [](TOptionsForm& o) { QTest::keyClick(o.DefaultPicker, Qt::Key_Escape); }},
        {"close box", [](TOptionsForm& o) { o.close(); }}};
    TOptionsForm& options = Start();
    ClickBox(*options.EndBeep);
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    const std::string stored = Sandbox.Text();
    for (const auto& [name, close] : closers) {
        options.show();
        ClickBox(*options.AutoAdvanceSave);
        ClickBox(*options.EndBeep);
        Type(options.DefaultPicker, "/nowhere");
        ASSERT_EQ(State(options), "0111 /nowhere|");
        close(options);
        EXPECT_FALSE(options.isVisible()) << name;
        EXPECT_EQ(State(options), "1110 |") << name;
        EXPECT_EQ(Sandbox.Text(), stored) << name;
    }
}

TEST_F(OptionsFormTest, AnUnreadableSwitchStopsTheReadingThere)
{
    Sandbox.Write("[General]\nAutoAdvanceSave=0\nAutoAdvanceDelete=yes\nAutoAdvanceRename=0\nEndBeep=0\nDefaultBrowse="
                  + Folders.path().string() + "\n");
    EXPECT_EQ(State(Start()), "0111 |");
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, "");
}

TEST_F(OptionsFormTest, TheID3v2NodeShowsItsPageAndStaysShownAtTheNextOpening)
{
    TOptionsForm& options = Start();
    QTreeWidget& tree = *options.OptionTree;
    const auto clickNode = [&tree](int node) {
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(tree.topLevelItem(node)).center());
    };
    clickNode(1);
    EXPECT_TRUE(options.NoOptionsLbl->isVisible());
    EXPECT_FALSE(options.AutoAdvanceSave->isVisible() || options.DefaultPicker->isVisible());
    QTest::mouseClick(options.CancelBtn, Qt::LeftButton);

    options.show();
    EXPECT_TRUE(options.NoOptionsLbl->isVisible());
    EXPECT_EQ(options.focusWidget(), &tree);
    clickNode(0);
    EXPECT_TRUE(options.AutoAdvanceSave->isVisible());
    EXPECT_FALSE(options.NoOptionsLbl->isVisible());
}

TEST_F(OptionsFormTest, BrowseButtonsFillTheirEditOnlyWhenAFolderIsChosen)
{
    const std::filesystem::path start = Folder("Start");
    const std::filesystem::path chosen = Folder("Chosen ö");
    TOptionsForm& options = Start();
    for (auto [button, edit] : {std::pair{options.PickPickerBtn, options.DefaultPicker},
                                {options.PickBrowseBtn, options.DefaultBrowse}}) {
        const std::string where = button->objectName().toStdString();
        Type(edit, Shown(start));
        QString opened;
        OnNextModal([&opened](QWidget& modal) {
            auto& browser = dynamic_cast<QFileDialog&>(modal);
            opened = browser.labelText(QFileDialog::LookIn) + ": " + browser.directory().absolutePath();
            browser.reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(opened, "Browse for directory: " + Shown(start)) << where;
        EXPECT_EQ(edit->text(), Shown(start)) << "a cancel leaves the edit, " << where;

        OnNextModal([&chosen](QWidget& modal) {
            auto& browser = dynamic_cast<QFileDialog&>(modal);
            browser.selectFile(Shown(chosen));
            browser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(edit->text(), Shown(chosen)) << where;
    }
}

} // namespace
