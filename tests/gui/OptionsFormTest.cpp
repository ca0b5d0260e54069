// The options dialog: OK stores its values and sends the windows to the default directories, the next start reads
// them back, and Cancel or Escape put back what the dialog showed without storing.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "TMainForm.h"
#include "TOptionsForm.h"
#include "TPickerForm.h"

#include <QtCore/QFile>

#include <optional>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

// What the dialog shows: the four switches as 0 or 1, then the two directories.
std::string State(const TOptionsForm& o)
{
    std::string state;
    for (const QCheckBox* box : {o.AutoAdvanceSave, o.AutoAdvanceDelete, o.AutoAdvanceRename, o.EndBeep})
        state += box->isChecked() ? '1' : '0';
    return state + " " + o.DefaultPicker->text().toStdString() + "|" + o.DefaultBrowse->text().toStdString();
}

struct OptionsFormTest : ::testing::Test {
    TOptionsForm& Start()
    {
        Windows.reset();
        Windows.emplace();
        Windows->OptionsForm().show();
        return Windows->OptionsForm();
    }
    SettingsSandbox Sandbox;
    TempDir Folders;
    std::optional<Forms> Windows;
};

TEST_F(OptionsFormTest, OKStoresTheSixValuesAndTheNextStartDropsADirectoryThatIsGone)
{
    const std::filesystem::path picker = Folders.file("Picker"), browse = Folders.file("Müsik ä");
    std::filesystem::create_directories(picker);
    std::filesystem::create_directories(browse);
    TOptionsForm& options = Start();
    EXPECT_EQ(State(options), "1111 |");
    ClickBox(*options.AutoAdvanceDelete);
    ClickBox(*options.EndBeep);
    Type(options.DefaultPicker, QFile::decodeName(picker.c_str()));
    Type(options.DefaultBrowse, QFile::decodeName(browse.c_str()));
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(Sandbox.Section(), (std::map<std::string, std::string>{{"AutoAdvanceSave", "1"},
                 {"AutoAdvanceDelete", "0"}, {"AutoAdvanceRename", "1"}, {"EndBeep", "0"},
                 {"DefaultPicker", picker.string()}, {"DefaultBrowse", browse.string()}}));
    // OK sends the picker and the folder chooser to the directories at once.
    EXPECT_EQ(Windows->PickerForm().DirList->Directory(), picker.string());
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, browse.string());

    std::filesystem::remove(picker);
    EXPECT_EQ(State(Start()), "1010 |" + browse.string());
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, browse.string());

    // An unreadable switch stops the reading there.
    Sandbox.Write("[General]\nAutoAdvanceSave=0\nAutoAdvanceDelete=yes\nAutoAdvanceRename=0\nEndBeep=0\n");
    EXPECT_EQ(State(Start()), "0111 |");
}

TEST_F(OptionsFormTest, CancelAndEscapePutBackWhatTheDialogShowedWithoutStoring)
{
    TOptionsForm& options = Start();
    ClickBox(*options.EndBeep);
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    const std::string stored = Sandbox.Text();
    for (const bool escape : {false, true}) {
        options.show();
        ClickBox(*options.AutoAdvanceSave);
        ClickBox(*options.EndBeep);
        Type(options.DefaultPicker, "/nowhere");
        ASSERT_EQ(State(options), "0111 /nowhere|");
        if (escape)
            QTest::keyClick(options.DefaultPicker, Qt::Key_Escape);
        else
            QTest::mouseClick(options.CancelBtn, Qt::LeftButton);
        EXPECT_FALSE(options.isVisible()) << escape;
        EXPECT_EQ(State(options), "1110 |") << escape;
        EXPECT_EQ(Sandbox.Text(), stored) << escape;
    }
}

} // namespace
