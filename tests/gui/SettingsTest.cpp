// The per-user settings: the main window's ten values as they reach the file on close and come back at the next
// start, and the store's reading of files edited by hand.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "SettingsStore.h"
#include "TFiltersForm.h"
#include "TMainForm.h"

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;

// What the window shows of its stored values, as the file writes them: the switches as 0/1, then the schemes.
Values Read(const Forms& windows)
{
    const TMainForm& m = windows.MainForm();
    const TFiltersForm& f = windows.FiltersForm();
    Values shown = {{"ImportCB", m.ImportCB->currentText().toStdString()},
                    {"RenScheme", m.RenScheme->currentText().toStdString()}};
    for (const auto& [name, on] : Values{{"PadTrack", m.PadTrack->isChecked() ? "1" : "0"},
             {"CapitalizeFirst", m.CapitalizeFirst->isChecked() ? "1" : "0"},
             {"SaveOnRen", m.SaveOnRen->isChecked() ? "1" : "0"}, {"IgnoreID3", m.IgnoreID3->isChecked() ? "1" : "0"},
             {"UseImport", m.UseImport->isChecked() ? "1" : "0"},
             {"ConfirmOnRename", m.ConfirmOnRename->isChecked() ? "1" : "0"},
             {"ImpFilters", f.ImpFilters->isChecked() ? "1" : "0"}, {"RenFilters", f.RenFilters->isChecked() ? "1" : "0"}})
        shown[name] = on;
    return shown;
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
        for (QAction* option : {main.PadTrack, main.CapitalizeFirst, main.SaveOnRen, main.IgnoreID3,
                                main.ConfirmOnRename})
            option->trigger();
        main.UseImport->setChecked(false);
        windows.FiltersForm().ImpFilters->setChecked(false);
        windows.FiltersForm().RenFilters->setChecked(false);
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
    for (const auto& [file, main, filters] : std::vector<std::tuple<std::optional<std::string>, bool, bool>>{
             {std::nullopt, false, false}, {"", false, false}, {"[Filters]\nImport1=_ -> \n", true, true}}) {
        SettingsSandbox sandbox;
        if (file)
            sandbox.Write(*file);
        EXPECT_EQ(SettingsStore().Exists(), main) << file.value_or("no file");
        EXPECT_EQ(SettingsStore(QStringLiteral("Filters")).Exists(), filters) << file.value_or("no file");
    }
    SettingsSandbox sandbox;
    sandbox.Write("[General]\nList=1, 2\n"); // a hand-edited text with commas comes back whole
    EXPECT_EQ(SettingsStore().ReadString(QStringLiteral("List")), "1,2");
    EXPECT_EQ(SettingsStore().ReadBool(QStringLiteral("List")), std::nullopt);
}

} // namespace
