// The main window's wiring and the per-user settings: the ten values the close writes and the next start reads back,
// files edited by hand, and the options dialog, whose OK stores while Cancel and Escape put back what it showed.
#include "GuiTestSupport.h"

#include "EditorLists.h"
#include "Forms.h"
#include "SettingsStore.h"
#include "TFiltersForm.h"
#include "TMainForm.h"
#include "TOptionsForm.h"
#include "TPickerForm.h"

#include <QtCore/QFile>
#include <QtTest/QSignalSpy>
#include <QtWidgets/QToolButton>

#include <optional>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;

// What the window shows of its stored values, as the file writes them: the switches as 0/1, then the schemes.
Values Read(const Forms& windows)
{
    const TMainForm& m = windows.MainForm();
    const TFiltersForm& f = windows.FiltersForm();
    Values values = {{"ImportCB", m.ImportCB->currentText().toStdString()},
                     {"RenScheme", m.RenScheme->currentText().toStdString()}};
    for (const QObject* o : std::initializer_list<const QObject*> {m.PadTrack, m.CapitalizeFirst, m.SaveOnRen,
             m.IgnoreID3, m.UseImport, m.ConfirmOnRename, f.ImpFilters, f.RenFilters})
        values[o->objectName().toStdString()] = o->property("checked").toBool() ? "1" : "0";
    return values;
}

Values With(Values values, const Values& changes)
{
    for (const auto& [name, value] : changes)
        values[name] = value;
    return values;
}

const Values Defaults = {{"PadTrack", "1"}, {"CapitalizeFirst", "1"}, {"SaveOnRen", "1"}, {"IgnoreID3", "0"},
                         {"UseImport", "1"}, {"ConfirmOnRename", "0"}, {"ImpFilters", "1"}, {"RenFilters", "1"},
                         {"ImportCB", "$ARTIST-$TITLE"}, {"RenScheme", "$ARTIST-$TITLE"}};

TEST(SettingsTest, DefaultsAndChangedValuesComeBackAtTheNextStartAsWrittenOnClose)
{
    SettingsSandbox sandbox;
    const Values changed = {{"PadTrack", "0"}, {"CapitalizeFirst", "0"}, {"SaveOnRen", "0"}, {"IgnoreID3", "1"},
                            {"UseImport", "0"}, {"ConfirmOnRename", "1"}, {"ImpFilters", "0"}, {"RenFilters", "0"},
                            {"ImportCB", "$TRACK. $TITLE, live"}, {"RenScheme", "  \"$ALBUM\" = $ARTIST; $TITLE  "}};
    {
        Forms windows;
        TMainForm& main = windows.MainForm();
        EXPECT_EQ(Read(windows), Defaults);
        EXPECT_FALSE(main.LoadSettings()) << "no settings yet";
        EXPECT_FALSE(std::filesystem::exists(sandbox.IniFile())) << "starting writes nothing";
        main.close();
        EXPECT_EQ(sandbox.Section(), Defaults);
        for (QAction* option : {main.PadTrack, main.CapitalizeFirst, main.SaveOnRen, main.IgnoreID3, main.ConfirmOnRename})
            option->trigger();
        for (QCheckBox* box : {main.UseImport, windows.FiltersForm().ImpFilters, windows.FiltersForm().RenFilters})
            box->setChecked(false);
        main.ImportCB->setEditText(QString::fromStdString(changed.at("ImportCB")));
        main.RenScheme->setEditText(QString::fromStdString(changed.at("RenScheme")));
        main.close();
    }
    // The file quotes these schemes; they are checked as they come back.
    EXPECT_EQ(With(sandbox.Section(), {{"ImportCB", changed.at("ImportCB")}, {"RenScheme", changed.at("RenScheme")}}),
              changed);
    Forms windows;
    EXPECT_EQ(Read(windows), changed);
    EXPECT_FALSE(windows.MainForm().ImportCB->isEnabled()) << "the import box follows its switch";
    EXPECT_TRUE(windows.MainForm().LoadSettings());
}

// A value that is missing or not an integer stops the main window's reading there: it and the values after it keep
// their defaults. The filter switches are the filter dialog's own reading. Whatever was read, close writes 0 or 1.
TEST(SettingsTest, StoredFilesAreReadUpToTheFirstMissingOrNonIntegerBoolean)
{
    const std::string rest = "IgnoreID3=1\nUseImport=0\nConfirmOnRename=1\nImpFilters=0\nImportCB=Foo\nRenScheme=Bar\n";
    const Values stopped = With(Defaults, {{"PadTrack", "0"}, {"CapitalizeFirst", "0"}, {"ImpFilters", "0"}});
    const std::vector<std::tuple<std::string, Values, bool>> cases = {
        {"PadTrack=0\nCapitalizeFirst=0\n" + rest, stopped, false},
        {"PadTrack=0\nCapitalizeFirst=0\nSaveOnRen=yes\n" + rest, stopped, false},
        {"PadTrack=7\nCapitalizeFirst=-1\nSaveOnRen=4294967295\nIgnoreID3=2\nUseImport=1\nConfirmOnRename=0\n"
         "RenFilters=9\nRenScheme=$TITLE\n",
         With(Defaults, {{"IgnoreID3", "1"}, {"ImportCB", ""}, {"RenScheme", "$TITLE"}}), true}};
    for (const auto& [ini, expected, loaded] : cases) {
        SCOPED_TRACE(ini);
        SettingsSandbox sandbox;
        sandbox.Write("[General]\n" + ini);
        {
            Forms windows;
            EXPECT_EQ(Read(windows), expected);
            EXPECT_EQ(windows.MainForm().LoadSettings(), loaded);
            windows.MainForm().close();
        }
        EXPECT_EQ(sandbox.Section(), expected);
    }
}

TEST(SettingsTest, StoreKeyExistsOnlyWhenItsFileHoldsValuesAndReadsTextsWhole)
{
    {
        SettingsSandbox none;
        EXPECT_FALSE(SettingsStore().Exists()) << "no file";
    }
    for (const auto& [file, exists] : {std::pair {"", false}, {"[Filters]\nImport1=_ -> \n", true}}) {
        SettingsSandbox sandbox;
        sandbox.Write(file);
        EXPECT_EQ(SettingsStore().Exists(), exists) << file;
        EXPECT_EQ(SettingsStore(QStringLiteral("Filters")).Exists(), exists) << file;
    }
    SettingsSandbox sandbox("[General]\nList=1, 2\n"); // a hand-edited text with commas comes back whole
    EXPECT_EQ(SettingsStore().ReadString(QStringLiteral("List")), "1,2");
    EXPECT_EQ(SettingsStore().ReadBool(QStringLiteral("List")), std::nullopt);
}

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
        Windows.emplace().OptionsForm().show();
        return Windows->OptionsForm();
    }
    SettingsSandbox Sandbox;
    TempDir Folders;
    std::optional<Forms> Windows;
};

TEST_F(OptionsFormTest, OKStoresTheSixValuesAndTheNextStartDropsADirectoryThatIsGone)
{
    const std::filesystem::path picker = Folders.file("Picker"), browse = Folders.file("Müsik ä");
    std::filesystem::create_directories(picker), std::filesystem::create_directories(browse);
    TOptionsForm& options = Start();
    EXPECT_EQ(State(options), "1111 |");
    ClickBox(*options.AutoAdvanceDelete);
    ClickBox(*options.EndBeep);
    Type(options.DefaultPicker, QFile::decodeName(picker.c_str()));
    Type(options.DefaultBrowse, QFile::decodeName(browse.c_str()));
    QTest::mouseClick(options.OKBtn, Qt::LeftButton);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(Sandbox.Section(), (Values {{"AutoAdvanceSave", "1"}, {"AutoAdvanceDelete", "0"}, {"AutoAdvanceRename", "1"},
                                          {"EndBeep", "0"}, {"DefaultPicker", picker.string()},
                                          {"DefaultBrowse", browse.string()}}));
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

TEST_F(StartupTest, RestoreScreenCursorPutsBackWhatWasThereBeforeTheWait)
{
    QApplication::setOverrideCursor(Qt::PointingHandCursor);
    Main.SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Main.SaveScreenCursor(); // a nested long operation saves and restores inside the outer one
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Main.RestoreScreenCursor();
    EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1, Qt::WaitCursor);
    Main.SavedCursor = Qt::PointingHandCursor;
    Main.RestoreScreenCursor();
    EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1, Qt::PointingHandCursor);
    QApplication::restoreOverrideCursor();
}

TEST_F(StartupTest, ImportSchemeTakesAHundredTypedCharactersAndFollowsItsSwitch)
{
    Main.ImportCB->setEditText(QString());
    QTest::keyClicks(Main.ImportCB->lineEdit(), QString(120, QLatin1Char('x')));
    EXPECT_EQ(Main.ImportCB->currentText(), QString(100, QLatin1Char('x')));
    Main.UseImport->setChecked(false);
    EXPECT_FALSE(Main.ImportCB->isEnabled());
    const QStringList genres = GenreEntries(); // sorted without hyphens and dots
    EXPECT_LT(genres.indexOf("Eurodance"), genres.indexOf("Euro-House"));
}

} // namespace
