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

const char* const Switches[] = {"PadTrack", "CapitalizeFirst", "SaveOnRen", "IgnoreID3", "UseImport",
                                "ConfirmOnRename", "ImpFilters", "RenFilters"};

// What the window shows of its stored values, as the file writes them: the switches as 0/1, then the schemes.
Values Read(const Forms& windows)
{
    const TMainForm& main = windows.MainForm();
    const TFiltersForm& filters = windows.FiltersForm();
    const bool on[] = {main.PadTrack->isChecked(), main.CapitalizeFirst->isChecked(), main.SaveOnRen->isChecked(),
                       main.IgnoreID3->isChecked(), main.UseImport->isChecked(), main.ConfirmOnRename->isChecked(),
                       filters.ImpFilters->isChecked(), filters.RenFilters->isChecked()};
    Values shown = {{"ImportCB", main.ImportCB->currentText().toStdString()},
                    {"RenScheme", main.RenScheme->currentText().toStdString()}};
    for (std::size_t i = 0; i < std::size(on); ++i)
        shown[Switches[i]] = on[i] ? "1" : "0";
    return shown;
}

// The values with some of them changed.
Values With(Values values, const Values& changes)
{
    for (const auto& [name, value] : changes)
        values[name] = value;
    return values;
}

const Values Defaults = {{"PadTrack", "1"}, {"CapitalizeFirst", "1"}, {"SaveOnRen", "1"}, {"IgnoreID3", "0"},
                         {"UseImport", "1"}, {"ConfirmOnRename", "0"}, {"ImpFilters", "1"}, {"RenFilters", "1"},
                         {"ImportCB", "$ARTIST-$TITLE"}, {"RenScheme", "$ARTIST-$TITLE"}};

class SettingsTest : public ::testing::Test {
protected:
    SettingsSandbox Sandbox;
};

TEST_F(SettingsTest, FirstStartShowsDefaultsAndCloseWritesExactlyTheTenValues)
{
    {
        Forms windows;
        EXPECT_EQ(Read(windows), Defaults);
        EXPECT_FALSE(windows.MainForm().LoadSettings()) << "no settings yet";
        EXPECT_FALSE(std::filesystem::exists(Sandbox.IniFile())) << "starting writes nothing";
        windows.MainForm().close();
    }
    EXPECT_EQ(Sandbox.Section(), Defaults);
    EXPECT_EQ(Sandbox.Text().find("[Filters]"), std::string::npos);
}

TEST_F(SettingsTest, ChangedOptionsAndTypedSchemesComeBackAtTheNextStart)
{
    const Values changed = {{"PadTrack", "0"}, {"CapitalizeFirst", "0"}, {"SaveOnRen", "0"}, {"IgnoreID3", "1"},
                            {"UseImport", "0"}, {"ConfirmOnRename", "1"}, {"ImpFilters", "0"}, {"RenFilters", "0"},
                            {"ImportCB", "$TRACK. $TITLE, live"}, {"RenScheme", "  \"$ALBUM\" = $ARTIST; $TITLE  "}};
    {
        Forms windows;
        TMainForm& main = windows.MainForm();
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
    EXPECT_EQ(With(Sandbox.Section(), {{"ImportCB", changed.at("ImportCB")}, {"RenScheme", changed.at("RenScheme")}}),
              changed);
    Forms windows;
    EXPECT_EQ(Read(windows), changed);
    EXPECT_FALSE(windows.MainForm().ImportCB->isEnabled()) << "the import box follows its switch";
    EXPECT_TRUE(windows.MainForm().LoadSettings());
}

TEST_F(SettingsTest, WindowDestroyedWithoutClosingKeepsTheStoredSettings)
{
    Sandbox.Write("[General]\nPadTrack=0\n");
    {
        Forms windows;
        windows.MainForm().IgnoreID3->trigger();
    }
    EXPECT_EQ(Sandbox.Section(), (Values{{"PadTrack", "0"}}));
}

// A value that is missing or not an integer stops the main window's reading there: it and the values after it keep
// their defaults. The filter switches are the filter dialog's own reading. Whatever was read, close writes 0 or 1.
TEST_F(SettingsTest, StoredFilesAreReadUpToTheFirstMissingOrNonIntegerBoolean)
{
    const std::string rest = "IgnoreID3=1\nUseImport=0\nConfirmOnRename=1\n";
    const Values stopped = With(Defaults, {{"PadTrack", "0"}, {"CapitalizeFirst", "0"}});
    struct Case {
        std::string Ini;
        Values Expected;
        bool Loaded;
    };
    std::vector<Case> cases = {
        {"PadTrack=0\nCapitalizeFirst=0\n" + rest + "ImpFilters=0\nRenFilters=0\nImportCB=Foo\nRenScheme=Bar\n",
         With(stopped, {{"ImpFilters", "0"}, {"RenFilters", "0"}}), false},
        {"PadTrack=1\nCapitalizeFirst=1\nSaveOnRen=1\nIgnoreID3=0\nUseImport=1\nConfirmOnRename=0\nRenScheme=$TITLE\n",
         With(Defaults, {{"ImportCB", ""}, {"RenScheme", "$TITLE"}}), true},
        {"RenFilters=0\n", With(Defaults, {{"RenFilters", "0"}}), false},
        {"PadTrack=7\nCapitalizeFirst=-1\nSaveOnRen=4294967295\nIgnoreID3=2\nUseImport=1\nConfirmOnRename=0\n"
         "ImpFilters=0\nRenFilters=9\nImportCB=$TITLE\nRenScheme=$TITLE\n",
         With(Defaults, {{"IgnoreID3", "1"}, {"ImpFilters", "0"}, {"ImportCB", "$TITLE"}, {"RenScheme", "$TITLE"}}),
         true},
    };
    for (const char* bad : {"yes", "true", "1.0", "", "\"1\", \"2\""})
        cases.push_back({std::string("PadTrack=0\nCapitalizeFirst=0\nSaveOnRen=") + bad + "\n" + rest
                             + "ImportCB=Foo\nRenScheme=Bar\n", stopped, false});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Ini);
        SettingsSandbox sandbox;
        sandbox.Write("[General]\n" + c.Ini);
        {
            Forms windows;
            EXPECT_EQ(Read(windows), c.Expected);
            EXPECT_EQ(windows.MainForm().LoadSettings(), c.Loaded);
            windows.MainForm().close();
        }
        EXPECT_EQ(sandbox.Section(), c.Expected);
    }
}

TEST_F(SettingsTest, UnwritableSettingsFileFailsSilently)
{
    // A directory where the file should be: no write can succeed, whoever runs the test.
    std::filesystem::create_directories(Sandbox.IniFile());
    Forms windows;
    EXPECT_EQ(Read(windows), Defaults);
    EXPECT_FALSE(windows.MainForm().SaveSettings());
    windows.MainForm().close();
    EXPECT_TRUE(std::filesystem::is_directory(Sandbox.IniFile()));
}

TEST_F(SettingsTest, StoreKeyExistsOnlyWhenItsFileHoldsValues)
{
    const std::vector<std::tuple<std::optional<std::string>, bool, bool>> cases = {
        // file, main key exists, filter key exists; a key with only a subkey exists too
        {std::nullopt, false, false}, {"", false, false}, {"[Filters]\nImport1=_ -> \n", true, true},
        {"[General]\nPadTrack=1\n", true, false}};
    for (const auto& [file, main, filters] : cases) {
        SettingsSandbox sandbox;
        if (file)
            sandbox.Write(*file);
        EXPECT_EQ(SettingsStore().Exists(), main) << file.value_or("no file");
        EXPECT_EQ(SettingsStore(QStringLiteral("Filters")).Exists(), filters) << file.value_or("no file");
    }
}

TEST_F(SettingsTest, StoreReadsBooleansOnlyFromIntegersAndTextsWhole)
{
    Sandbox.Write("[General]\nZero=0\nOne=1\nSeven=7\nWord=true\nList=1, 2\nText=abc\nEmpty=\n");
    const SettingsStore store;
    const std::vector<std::tuple<const char*, std::optional<bool>, QString>> values = {
        {"Zero", false, "0"}, {"One", true, "1"}, {"Seven", true, "7"}, {"Word", std::nullopt, "true"},
        {"List", std::nullopt, "1,2"}, // a hand-edited text with commas comes back whole
        {"Text", std::nullopt, "abc"}, {"Empty", std::nullopt, ""}, {"Missing", std::nullopt, ""}};
    for (const auto& [name, boolean, text] : values) {
        EXPECT_EQ(store.ReadBool(QString::fromLatin1(name)), boolean) << name;
        EXPECT_EQ(store.ReadString(QString::fromLatin1(name)), text) << name;
    }
}

} // namespace
