// The main window's wiring, and the per-user settings as the close writes them and the next start reads them back.
#include "MainWindowFixture.h"

#include "EditorLists.h"
#include "SettingsStore.h"
#include "TFiltersForm.h"
#include "TOptionsForm.h"

#include <QtTest/QSignalSpy>
#include <QtWidgets/QToolButton>

namespace {

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

const Values Defaults = {{"PadTrack", "1"}, {"CapitalizeFirst", "1"}, {"SaveOnRen", "1"}, {"IgnoreID3", "0"},
                         {"UseImport", "1"}, {"ConfirmOnRename", "0"}, {"ImpFilters", "1"}, {"RenFilters", "1"},
                         {"ImportCB", "$ARTIST-$TITLE"}, {"RenScheme", "$ARTIST-$TITLE"}};

// The defaults but the values changed.
Values With(Values changes)
{
    changes.merge(Values(Defaults));
    return changes;
}

// What the close writes, 0 or 1 for the switches, the next start reads back. A value that is missing or not an
// integer stops the main window's reading there: it and the values after it keep their defaults. The filter switches
// are the filter dialog's own reading.
TEST(SettingsTest, StoredValuesAreReadUpToTheFirstMissingOrNonIntegerBooleanAndWrittenOnClose)
{
    const std::string rest = "IgnoreID3=1\nUseImport=0\nConfirmOnRename=1\nImpFilters=0\nImportCB=Foo\nRenScheme=Bar\n";
    const Values stopped = With({{"PadTrack", "0"}, {"CapitalizeFirst", "0"}, {"ImpFilters", "0"}});
    const std::vector<std::pair<std::string, Values>> cases = {
        {"", Defaults},
        {"PadTrack=0\nCapitalizeFirst=0\nSaveOnRen=0\n" + rest + "RenFilters=0\n",
         {{"PadTrack", "0"}, {"CapitalizeFirst", "0"}, {"SaveOnRen", "0"}, {"IgnoreID3", "1"}, {"UseImport", "0"},
          {"ConfirmOnRename", "1"}, {"ImpFilters", "0"}, {"RenFilters", "0"}, {"ImportCB", "Foo"},
          {"RenScheme", "Bar"}}},
        {"PadTrack=0\nCapitalizeFirst=0\n" + rest, stopped},
        {"PadTrack=0\nCapitalizeFirst=0\nSaveOnRen=yes\n" + rest, stopped},
        {"PadTrack=7\nCapitalizeFirst=-1\nSaveOnRen=4294967295\nIgnoreID3=2\nUseImport=1\nConfirmOnRename=0\n"
         "RenFilters=9\nRenScheme=$TITLE\n",
         With({{"IgnoreID3", "1"}, {"ImportCB", ""}, {"RenScheme", "$TITLE"}})}};
    for (const auto& [ini, expected] : cases) {
        SCOPED_TRACE(ini);
        SettingsSandbox sandbox("[General]\n" + ini);
        Forms windows;
        EXPECT_EQ(Read(windows), expected);
        EXPECT_EQ(windows.MainForm().ImportCB->isEnabled(), expected.at("UseImport") == "1") << "it follows its switch";
        windows.MainForm().close();
        EXPECT_EQ(sandbox.Section(), expected);
    }
}

// The store lists names alphabetically; the filters chain, so the number order is kept and the close renumbers.
TEST(SettingsTest, StoredFilterListsLoadInNumberOrderAndAreRenumberedAtTheClose)
{
    SettingsSandbox sandbox("[Filters]\nImport10=j -> k\nImport2=b -> c\nImported=x -> y\nImport1=a -> b\n"
                            "Rename2=\"2 -> \"\nRename1=\"1 -> \"\nOther=o -> p\n");
    Forms windows;
    TFiltersForm& filters = windows.FiltersForm();
    EXPECT_EQ(filters.ImportFilterList(), (Names {"a -> b", "b -> c", "j -> k", "x -> y"}));
    EXPECT_EQ(filters.RenameFilterList(), (Names {"1 -> ", "2 -> "}));
    filters.show();
    QTest::mouseClick(filters.CloseBtn, Qt::LeftButton);
    // Blanks at the end of a value are kept by quoting it.
    EXPECT_EQ(sandbox.Section("Filters"), (Values {{"Import1", "a -> b"}, {"Import2", "b -> c"}, {"Import3", "j -> k"},
                                                   {"Import4", "x -> y"}, {"Rename1", "\"1 -> \""},
                                                   {"Rename2", "\"2 -> \""}}));
}

// The options dialog reads its switches and directories; options stored before "Keep the modification time" existed
// keep their directories, the switch starts off, and OK stores it with the others.
TEST(SettingsTest, OptionsAreReadWithKeepModTimeAfterTheDirectoriesAndStoredByOK)
{
    const TempDir picker;
    for (const auto& [stored, kept] : {std::pair {"", false}, {"KeepModTime=1\n", true}}) {
        SettingsSandbox sandbox("[General]\nAutoAdvanceSave=0\nAutoAdvanceDelete=1\nAutoAdvanceRename=1\nEndBeep=0\n"
                                "DefaultPicker=" + picker.path().string() + "\nDefaultBrowse=\n" + stored);
        Forms windows;
        TOptionsForm& dialog = windows.OptionsForm();
        EXPECT_EQ(std::tuple(dialog.AutoAdvanceSave->isChecked(), dialog.DefaultPicker->text().toStdString(),
                             dialog.KeepModTime->isChecked()), std::tuple(false, picker.path().string(), kept));
        dialog.show();
        // On the box itself: the check box may be wider than its text.
        QTest::mouseClick(dialog.KeepModTime, Qt::LeftButton, {}, QPoint(6, dialog.KeepModTime->height() / 2));
        QTest::mouseClick(dialog.OKBtn, Qt::LeftButton);
        EXPECT_EQ(sandbox.Section().at("KeepModTime"), kept ? "0" : "1");
    }
}

TEST(SettingsTest, StoreKeyExistsOnlyWhenItsFileHoldsValuesAndReadsTextsWhole)
{
    for (const auto& [file, exists] : {std::pair {"[General]\n", false}, {"[Filters]\nImport1=_ -> \n", true}}) {
        SettingsSandbox sandbox(file);
        EXPECT_EQ(SettingsStore().Exists(), exists) << file;
    }
    SettingsSandbox sandbox("[General]\nList=1, 2\n"); // a hand-edited text with commas comes back whole
    EXPECT_EQ(SettingsStore().ReadString(QStringLiteral("List")), "1,2");
    EXPECT_EQ(SettingsStore().ReadBool(QStringLiteral("List")), std::nullopt);
}

using StartupTest = MainWindowTest;

TEST_F(StartupTest, ToolbarButtonRunsItsMenuCommandAndOpensItsDialogModally)
{
    const std::vector<std::tuple<const char*, const char*, QString>> buttons = {
        {"AddFileBtn", "AddFilesMI", "TPickerForm"}, {"AddDirectoryBtn", "AddDirectoryMI", "QFileDialog"},
        {"OptionsBtn", "OptionsMI", "TOptionsForm"}, {"FiltersBtn", "FiltersMI", "TFiltersForm"},
        {"ClearMP3Btn", "ClearMP3MI", ""}, {"PlayMP3Btn", "PlayMP3MI", ""}, {"FileInfoBtn", "FileInfoMI", ""},
        {"UndoRenameBtn", "UndoRenameMI", ""}, {"ExitBtn", "ExitMI", ""}};
    QStringList opened; // the class of each dialog opened, closed at once as Cancel would
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&opened] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()); dialog && dialog->isVisible()) {
            opened << QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        }
    });
    closer.start(0);
    for (const auto& [buttonName, actionName, dialog] : buttons) {
        QSignalSpy triggered(Main.findChild<QAction*>(QString::fromLatin1(actionName)), &QAction::triggered);
        auto* button = Main.findChild<QToolButton*>(QString::fromLatin1(buttonName));
        ASSERT_NE(button, nullptr) << buttonName;
        // On the button part, not on the drop-down arrow of the options button.
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        EXPECT_EQ(triggered.count(), 1) << buttonName;
        EXPECT_EQ(opened, dialog.isEmpty() ? QStringList() : QStringList(dialog)) << buttonName;
        opened.clear();
    }
    EXPECT_FALSE(Main.isVisible()) << "the exit button closes the window";
}

TEST_F(StartupTest, RestoreScreenCursorPutsBackWhatWasThereBeforeTheWaitAndGenresSortWithoutHyphensAndDots)
{
    const auto shape = [] { return QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1; };
    QApplication::setOverrideCursor(Qt::PointingHandCursor);
    Main.SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Main.SaveScreenCursor(); // a nested long operation saves and restores inside the outer one
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Main.RestoreScreenCursor();
    EXPECT_EQ(shape(), Qt::WaitCursor);
    Main.SavedCursor = Qt::PointingHandCursor;
    Main.RestoreScreenCursor();
    EXPECT_EQ(shape(), Qt::PointingHandCursor);
    QApplication::restoreOverrideCursor();

    const QStringList genres = GenreEntries(); // sorted without hyphens and dots
    EXPECT_LT(genres.indexOf("Eurodance"), genres.indexOf("Euro-House"));
}

} // namespace
