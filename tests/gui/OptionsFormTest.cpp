// The options dialog driven through its controls: its start state, Cancel and OK, the default
// directories as they reach the settings file and the windows that start in them, the pages and the
// folder browser of its "..." buttons.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "TMainForm.h"
#include "TOptionsForm.h"

#include <QtCore/QFile>
#include <QtTest/QTest>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>

#include <optional>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;

// Types like a keyboard; QTest's own typing takes ASCII only.
void Type(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// On the box itself: the check box may be wider than its text.
void ClickBox(QCheckBox& box)
{
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
}

QString Shown(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
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

    static void ClickNode(TOptionsForm& options, int node)
    {
        QTreeWidget& tree = *options.OptionTree;
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(tree.topLevelItem(node)).center());
    }

    SettingsSandbox Sandbox;
    TempDir Folders;
    std::optional<Forms> Windows;
};

TEST_F(OptionsFormTest, FirstStartShowsEveryBoxCheckedAndNoDirectories)
{
    TOptionsForm& options = Start();
    for (QCheckBox* box : {options.AutoAdvanceSave, options.AutoAdvanceDelete, options.AutoAdvanceRename,
                           options.EndBeep})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(options.DefaultPicker->text(), "");
    EXPECT_EQ(options.DefaultBrowse->text(), "");
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, "");
    EXPECT_TRUE(options.AutoAdvanceSave->isVisible()) << "the General page comes first";
    const std::vector<std::tuple<QObject*, const char*, QString>> texts = {
        {&options, "windowTitle", "Options"}, {options.GeneralBox, "title", " General "},
        {options.ID3v2Box, "title", " ID3v2 "}, {options.PickerDirLbl, "text", "Default picker directory:"},
        {options.BrowseDirLbl, "text", "Default browse directory:"}, {options.PickPickerBtn, "text", "..."},
        {options.PickBrowseBtn, "text", "..."}, {options.OKBtn, "text", "&OK"}, {options.CancelBtn, "text", "&Cancel"},
        {options.AutoAdvanceSave, "text", "Auto advance selected MP3 when saving ID3"},
        {options.AutoAdvanceDelete, "text", "Auto advance selected MP3 when deleting ID3"},
        {options.AutoAdvanceRename, "text", "Auto advance selected MP3 when renaming MP3"},
        {options.EndBeep, "text", "Beep after long operations"}};
    for (const auto& [control, property, text] : texts)
        EXPECT_EQ(control->property(property).toString(), text) << control->objectName().toStdString();
    QTreeWidget& tree = *options.OptionTree;
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), "General");
    EXPECT_EQ(tree.topLevelItem(1)->text(0), "ID3v2");
    EXPECT_EQ(tree.topLevelItem(0)->childCount() + tree.topLevelItem(1)->childCount(), 0);
    EXPECT_EQ(options.minimumSize(), options.maximumSize()) << "a fixed border";
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    EXPECT_EQ(Sandbox.Section(), (Values{{"AutoAdvanceSave", "1"}, {"AutoAdvanceDelete", "1"},
                                         {"AutoAdvanceRename", "1"}, {"EndBeep", "1"}, {"DefaultPicker", ""},
                                         {"DefaultBrowse", ""}}));
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
        ASSERT_TRUE(options.EndBeep->isChecked());
        close(options);
        EXPECT_FALSE(options.isVisible()) << name;
        EXPECT_TRUE(options.AutoAdvanceSave->isChecked()) << name;
        EXPECT_FALSE(options.EndBeep->isChecked()) << name;
        EXPECT_EQ(options.DefaultPicker->text(), "") << name;
        EXPECT_EQ(Sandbox.Text(), stored) << name;
    }
}

TEST_F(OptionsFormTest, OKStoresTheSixValuesAndTheNextStartDropsADirectoryThatIsGone)
{
    const std::filesystem::path picker = Folders.path() / "Picker";
    const std::filesystem::path browse = Folders.path() / "Müsik ä";
    std::filesystem::create_directories(picker);
    std::filesystem::create_directories(browse);
    TOptionsForm& options = Start();
    ClickBox(*options.AutoAdvanceDelete);
    ClickBox(*options.EndBeep);
    Type(options.DefaultPicker, Shown(picker));
    Type(options.DefaultBrowse, Shown(browse));
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(Sandbox.Section(), (Values{{"AutoAdvanceSave", "1"}, {"AutoAdvanceDelete", "0"},
                                         {"AutoAdvanceRename", "1"}, {"EndBeep", "0"},
                                         {"DefaultPicker", picker.string()}, {"DefaultBrowse", browse.string()}}));
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, browse.string()) << "OK applies the directories at once";

    std::filesystem::remove(picker);
    TOptionsForm& restarted = Start();
    EXPECT_EQ(restarted.DefaultPicker->text(), "");
    EXPECT_EQ(restarted.DefaultBrowse->text(), Shown(browse));
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, browse.string());
    EXPECT_FALSE(restarted.AutoAdvanceDelete->isChecked());
    EXPECT_FALSE(restarted.EndBeep->isChecked());
    EXPECT_TRUE(restarted.AutoAdvanceRename->isChecked());
}

TEST_F(OptionsFormTest, AnUnreadableSwitchStopsTheReadingThere)
{
    Sandbox.Write("[General]\nAutoAdvanceSave=0\nAutoAdvanceDelete=yes\nAutoAdvanceRename=0\nEndBeep=0\nDefaultBrowse="
                  + Folders.path().string() + "\n");
    TOptionsForm& options = Start();
    EXPECT_FALSE(options.AutoAdvanceSave->isChecked());
    EXPECT_TRUE(options.AutoAdvanceRename->isChecked());
    EXPECT_TRUE(options.EndBeep->isChecked());
    EXPECT_EQ(options.DefaultBrowse->text(), "");
    EXPECT_EQ(Windows->MainForm().BrowseDlg.Selection, "");
}

TEST_F(OptionsFormTest, TheID3v2NodeShowsOnlyNoOptionsYetAndStaysShownAtTheNextOpening)
{
    TOptionsForm& options = Start();
    ClickNode(options, 1);
    EXPECT_TRUE(options.NoOptionsLbl->isVisible());
    EXPECT_EQ(options.NoOptionsLbl->text(), "No options yet!");
    EXPECT_TRUE(options.NoOptionsLbl->font().bold());
    EXPECT_FALSE(options.AutoAdvanceSave->isVisible());
    EXPECT_FALSE(options.DefaultPicker->isVisible());
    QTest::mouseClick(options.CancelBtn, Qt::LeftButton);

    options.show();
    EXPECT_TRUE(options.NoOptionsLbl->isVisible());
    EXPECT_EQ(options.focusWidget(), options.OptionTree);
    ClickNode(options, 0);
    EXPECT_TRUE(options.AutoAdvanceSave->isVisible());
    EXPECT_FALSE(options.NoOptionsLbl->isVisible());
}

TEST_F(OptionsFormTest, BrowseButtonsFillTheirEditOnlyWhenAFolderIsChosen)
{
    const std::filesystem::path start = Folders.path() / "Start";
    const std::filesystem::path chosen = Folders.path() / "Chosen ö";
    std::filesystem::create_directories(start);
    std::filesystem::create_directories(chosen);
    TOptionsForm& options = Start();
    for (auto [button, edit] : {std::pair{options.PickPickerBtn, options.DefaultPicker},
                                {options.PickBrowseBtn, options.DefaultBrowse}}) {
        const std::string where = button->objectName().toStdString();
        Type(edit, Shown(start));
        QString name, caption, prompt, opened;
        OnNextModal([&](QWidget& modal) {
            auto& browser = dynamic_cast<QFileDialog&>(modal);
            name = browser.objectName();
            caption = browser.windowTitle();
            prompt = browser.labelText(QFileDialog::LookIn);
            opened = browser.directory().absolutePath();
            browser.reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(name, "BrowseDlg") << where;
        EXPECT_EQ(caption, "Browse for directory") << where;
        EXPECT_EQ(prompt, "Browse for directory") << where;
        EXPECT_EQ(opened, Shown(start)) << where;
        EXPECT_EQ(edit->text(), Shown(start)) << "a cancel leaves the edit, " << where;

        OnNextModal([&](QWidget& modal) {
            auto& browser = dynamic_cast<QFileDialog&>(modal);
            browser.selectFile(Shown(chosen));
            browser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(edit->text(), Shown(chosen)) << where;
    }
}

} // namespace
