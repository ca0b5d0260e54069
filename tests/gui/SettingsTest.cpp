// The per-user settings: the store itself, and the main window's values as they reach the file on
// close and come back at the next start.
#include "GuiTestSupport.h"

#include "Forms.h"
#include "SettingsStore.h"
#include "TFiltersForm.h"
#include "TMainForm.h"

#include <QtWidgets/QLineEdit>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Values = std::map<std::string, std::string>;

// What the window shows of its stored values, in storing order.
struct Shown {
    bool PadTrack, CapitalizeFirst, SaveOnRen, IgnoreID3, UseImport, ConfirmOnRename, ImpFilters, RenFilters;
    std::string ImportCB, RenScheme;
    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << s.PadTrack << s.CapitalizeFirst << s.SaveOnRen << s.IgnoreID3 << s.UseImport << s.ConfirmOnRename
               << s.ImpFilters << s.RenFilters << " '" << s.ImportCB << "' '" << s.RenScheme << "'";
}

Shown Read(const Forms& windows)
{
    const TMainForm& main = windows.MainForm();
    return {main.PadTrack->isChecked(), main.CapitalizeFirst->isChecked(), main.SaveOnRen->isChecked(),
            main.IgnoreID3->isChecked(), main.UseImport->isChecked(), main.ConfirmOnRename->isChecked(),
            windows.FiltersForm().ImpFilters->isChecked(), windows.FiltersForm().RenFilters->isChecked(),
            main.ImportCB->currentText().toStdString(), main.RenScheme->currentText().toStdString()};
}

const Shown Defaults = {true, true, true, false, true, false, true, true, "$ARTIST-$TITLE", "$ARTIST-$TITLE"};

class SettingsTest : public ::testing::Test {
protected:
    SettingsSandbox Sandbox;
};

TEST_F(SettingsTest, FirstStartShowsDefaultsAndCloseWritesExactlyTheTenValues)
{
    {
        Forms windows;
        EXPECT_EQ(Read(windows), Defaults);
        EXPECT_EQ(windows.FiltersForm().ImpFilters->text(), "Enabled");
        EXPECT_FALSE(windows.MainForm().LoadSettings()) << "no settings yet";
        EXPECT_FALSE(std::filesystem::exists(Sandbox.IniFile())) << "starting writes nothing";
        windows.MainForm().close();
    }
    EXPECT_EQ(Sandbox.Section(), (Values{{"PadTrack", "1"}, {"CapitalizeFirst", "1"}, {"SaveOnRen", "1"},
                                         {"IgnoreID3", "0"}, {"UseImport", "1"}, {"ConfirmOnRename", "0"},
                                         {"ImpFilters", "1"}, {"RenFilters", "1"}, {"ImportCB", "$ARTIST-$TITLE"},
                                         {"RenScheme", "$ARTIST-$TITLE"}}));
    EXPECT_EQ(Sandbox.Text().find("[Filters]"), std::string::npos);
}

TEST_F(SettingsTest, ChangedOptionsAndTypedSchemesComeBackAtTheNextStart)
{
    const Shown changed = {false, false, false, true, false, true, false, false,
                           "$TRACK. $TITLE, live", "  \"$ALBUM\" = $ARTIST; $TITLE  "};
    {
        Forms windows;
        TMainForm& main = windows.MainForm();
        for (QAction* option : {main.PadTrack, main.CapitalizeFirst, main.SaveOnRen, main.IgnoreID3,
                                main.ConfirmOnRename})
            option->trigger();
        main.UseImport->setChecked(false);
        windows.FiltersForm().ImpFilters->setChecked(false);
        windows.FiltersForm().RenFilters->setChecked(false);
        main.ImportCB->setEditText(QString::fromStdString(changed.ImportCB));
        main.RenScheme->setEditText(QString::fromStdString(changed.RenScheme));
        EXPECT_EQ(main.RenScheme->count(), 10);
        main.close();
    }
    const Values stored = Sandbox.Section();
    for (const char* name : {"PadTrack", "CapitalizeFirst", "SaveOnRen", "UseImport", "ImpFilters", "RenFilters"})
        EXPECT_EQ(stored.at(name), "0") << name;
    EXPECT_EQ(stored.at("IgnoreID3"), "1");
    EXPECT_EQ(stored.at("ConfirmOnRename"), "1");

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

struct StoredCase {
    std::string Name, Ini;
    Shown Expected;
    bool Loaded;
};

// A value that is missing or not an integer stops the main window's reading there: it and the values after it
// keep their defaults. The filter switches are the filter dialog's own reading, not stopped by the main window's.
TEST_F(SettingsTest, StoredFilesAreReadUpToTheFirstMissingOrNonIntegerBoolean)
{
    const std::string rest = "IgnoreID3=1\nUseImport=0\nConfirmOnRename=1\n";
    Shown stopped = Defaults;
    stopped.PadTrack = stopped.CapitalizeFirst = false;
    Shown filtersOff = stopped;
    filtersOff.ImpFilters = filtersOff.RenFilters = false;
    Shown importMissing = Defaults;
    importMissing.ImportCB = "";
    importMissing.RenScheme = "$TITLE";
    Shown renameOnly = Defaults;
    renameOnly.RenFilters = false;
    std::vector<StoredCase> cases = {
        {"MissingBoolean", "PadTrack=0\nCapitalizeFirst=0\n" + rest + "ImpFilters=0\nRenFilters=0\nImportCB=Foo\n"
                           "RenScheme=Bar\n", filtersOff, false},
        {"MissingScheme", "PadTrack=1\nCapitalizeFirst=1\nSaveOnRen=1\nIgnoreID3=0\nUseImport=1\nConfirmOnRename=0\n"
                          "RenScheme=$TITLE\n", importMissing, true},
        {"FilterSwitchAbsentStaysOn", "RenFilters=0\n", renameOnly, false},
        {"AnyNonZeroIntegerIsTrue", "PadTrack=7\nCapitalizeFirst=-1\nSaveOnRen=4294967295\nIgnoreID3=2\nUseImport=1\n"
                                    "ConfirmOnRename=0\nImpFilters=0\nRenFilters=9\nImportCB=$TITLE\nRenScheme=$TITLE\n",
         {true, true, true, true, true, false, false, true, "$TITLE", "$TITLE"}, true},
    };
    for (const char* bad : {"yes", "true", "1.0", "", "\"1\", \"2\""})
        cases.push_back({std::string("SaveOnRen=") + bad,
                         std::string("PadTrack=0\nCapitalizeFirst=0\nSaveOnRen=") + bad + "\n" + rest
                             + "ImportCB=Foo\nRenScheme=Bar\n", stopped, false});
    for (const StoredCase& c : cases) {
        SettingsSandbox sandbox;
        sandbox.Write("[General]\n" + c.Ini);
        Forms windows;
        EXPECT_EQ(Read(windows), c.Expected) << c.Name;
        EXPECT_EQ(windows.MainForm().LoadSettings(), c.Loaded) << c.Name;
    }
}

TEST_F(SettingsTest, TrueIsWrittenBackAsOne)
{
    Sandbox.Write("[General]\nPadTrack=7\nCapitalizeFirst=-1\nSaveOnRen=4294967295\nIgnoreID3=2\nUseImport=1\n"
                  "ConfirmOnRename=0\nImpFilters=0\nRenFilters=9\nImportCB=$TITLE\nRenScheme=$TITLE\n");
    Forms().MainForm().close();
    const Values stored = Sandbox.Section();
    for (const char* name : {"PadTrack", "CapitalizeFirst", "SaveOnRen", "IgnoreID3", "RenFilters"})
        EXPECT_EQ(stored.at(name), "1") << name;
    EXPECT_EQ(stored.at("ImpFilters"), "0");
}

TEST_F(SettingsTest, VeryLongSchemesLoadAndAreWrittenBack)
{
    const std::string longImport(10 * 1024, 'I');
    const std::string longRename = std::string(10 * 1024, 'R') + "$TITLE";
    Sandbox.Write("[General]\nPadTrack=1\nCapitalizeFirst=1\nSaveOnRen=1\nIgnoreID3=0\nUseImport=1\n"
                  "ConfirmOnRename=0\nImportCB=" + longImport + "\nRenScheme=" + longRename + "\n");
    {
        Forms windows;
        // The import box limits typing, not what is read: a longer stored scheme comes back whole.
        EXPECT_EQ(windows.MainForm().ImportCB->currentText().toStdString(), longImport);
        EXPECT_EQ(windows.MainForm().RenScheme->currentText().toStdString(), longRename);
        EXPECT_TRUE(windows.MainForm().LoadSettings());
        windows.MainForm().close();
    }
    EXPECT_EQ(Sandbox.Section().at("RenScheme"), longRename);
    EXPECT_EQ(Sandbox.Section().at("ImportCB"), longImport);
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
    SettingsStore store;
    EXPECT_FALSE(store.WriteBool("PadTrack", true));
    EXPECT_FALSE(store.WriteString("ImportCB", "x"));
}

TEST_F(SettingsTest, StoreKeyExistsOnlyWhenItsFileHoldsValues)
{
    EXPECT_FALSE(SettingsStore().Exists());
    Sandbox.Write("");
    EXPECT_FALSE(SettingsStore().Exists());
    SettingsSandbox other;
    other.Write("[Filters]\nImport1=_ -> \n");
    EXPECT_TRUE(SettingsStore(QStringLiteral("Filters")).Exists());
    EXPECT_TRUE(SettingsStore().Exists()) << "a key with only a subkey exists too";
    SettingsSandbox third;
    third.Write("[General]\nPadTrack=1\n");
    EXPECT_TRUE(SettingsStore().Exists());
    EXPECT_FALSE(SettingsStore(QStringLiteral("Filters")).Exists());
}

TEST_F(SettingsTest, StoreReadsBooleansOnlyFromIntegers)
{
    Sandbox.Write("[General]\nZero=0\nOne=1\nSeven=7\nWord=true\nList=1, 2\nText=abc\nEmpty=\n");
    const SettingsStore store;
    EXPECT_EQ(store.ReadBool("Zero"), false);
    EXPECT_EQ(store.ReadBool("One"), true);
    EXPECT_EQ(store.ReadBool("Seven"), true);
    for (const char* name : {"Word", "List", "Text", "Empty", "Missing"})
        EXPECT_EQ(store.ReadBool(QString::fromLatin1(name)), std::nullopt) << name;
    EXPECT_EQ(store.ReadString("Text"), "abc");
    EXPECT_EQ(store.ReadString("Missing"), "");
    EXPECT_EQ(store.ReadString("List"), "1,2") << "a hand-edited text with commas comes back whole";
}

TEST_F(SettingsTest, StoreWritesIntegersAndTextsThatAnotherReaderSees)
{
    {
        SettingsStore store;
        EXPECT_TRUE(store.WriteBool("On", true));
        EXPECT_TRUE(store.WriteBool("Off", false));
        EXPECT_TRUE(store.WriteString("Scheme", "$ARTIST-$TITLE"));
        EXPECT_TRUE(store.WriteString("Blank", ""));
    }
    EXPECT_EQ(Sandbox.Section(), (Values{{"On", "1"}, {"Off", "0"}, {"Scheme", "$ARTIST-$TITLE"}, {"Blank", ""}}));
    const SettingsStore reader;
    EXPECT_EQ(reader.ReadBool("On"), true);
    EXPECT_EQ(reader.ReadBool("Off"), false);
}

TEST_F(SettingsTest, SubkeyValuesAreListedAndDeletedApartFromTheMainKey)
{
    Sandbox.Write("[General]\nPadTrack=1\n\n[Filters]\nImport1=\"_ ->  \"\nRename1=? -> \nImported=x\n");
    SettingsStore filters(QStringLiteral("Filters"));
    QStringList names = filters.ValueNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{"Import1", "Imported", "Rename1"}));
    EXPECT_EQ(filters.ReadString("Import1"), "_ ->  ") << "blanks kept";
    EXPECT_EQ(SettingsStore().ValueNames(), QStringList{"PadTrack"});
    for (const QString& name : names)
        EXPECT_TRUE(filters.DeleteValue(name));
    EXPECT_TRUE(filters.WriteString("Import1", "a -> b"));
    EXPECT_TRUE(filters.WriteString("Import2", "_ ->  "));
    EXPECT_EQ(Sandbox.Section("Filters"), (Values{{"Import1", "a -> b"}, {"Import2", "\"_ ->  \""}}));
    EXPECT_EQ(SettingsStore(QStringLiteral("Filters")).ReadString("Import2"), "_ ->  ");
    EXPECT_EQ(Sandbox.Section(), (Values{{"PadTrack", "1"}}));
}

} // namespace
