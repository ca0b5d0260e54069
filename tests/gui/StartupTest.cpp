// The start-up sequence and the main window as it first appears: windows, menus, toolbar, popups,
// the list and the editor panel in their start states.
#include "GuiTestSupport.h"

#include "EditorLists.h"
#include "Forms.h"
#include "TFiltersForm.h"
#include "TMainForm.h"

#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QToolButton>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

class StartupTest : public ::testing::Test {
protected:
    SettingsSandbox Sandbox;
    Forms Windows;
    TMainForm& Main = Windows.MainForm();

    template <class T>
    T& Child(const char* name)
    {
        T* child = Main.findChild<T*>(QString::fromLatin1(name));
        if (!child)
            throw std::runtime_error(std::string("no control ") + name);
        return *child;
    }
};

struct MenuItem {
    const char* Name;
    const char* Caption;
    const char* Shortcut;
};

// Pixels as shown; the file's straight alpha and a pixmap's premultiplied alpha compare alike.
QImage Shown(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A separator is written as an empty name.
std::vector<std::string> ItemNames(const QMenu& menu)
{
    std::vector<std::string> names;
    for (const QAction* action : menu.actions())
        names.push_back(action->isSeparator() ? "" : action->objectName().toStdString());
    return names;
}

TEST_F(StartupTest, SevenWindowsAreCreatedInTheirOrderWithTheirNamesAndCaptions)
{
    EXPECT_EQ(Main.objectName(), "MainForm");
    EXPECT_STREQ(Main.metaObject()->className(), "TMainForm");
    // The dialogs are children of the main window, kept in the order in which they were created.
    const QList<QDialog*> dialogs = Main.findChildren<QDialog*>(QString(), ::Qt::FindDirectChildrenOnly);
    const std::vector<std::tuple<std::string, std::string, std::string>> expected = {
        {"FileInfoForm", "TFileInfoForm", "File Info"}, {"FiltersForm", "TFiltersForm", "Filter Setup"},
        {"LoadingForm", "TLoadingForm", "Please Wait..."}, {"AboutForm", "TAboutForm", "About"},
        {"PickerForm", "TPickerForm", "Select Files"}, {"OptionsForm", "TOptionsForm", "Options"}};
    ASSERT_EQ(dialogs.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [name, className, caption] = expected[i];
        EXPECT_EQ(dialogs[i]->objectName().toStdString(), name);
        EXPECT_EQ(dialogs[i]->metaObject()->className(), className);
        EXPECT_EQ(dialogs[i]->windowTitle().toStdString(), caption);
        EXPECT_FALSE(dialogs[i]->isVisible()) << name;
    }
    EXPECT_EQ(&Windows.FiltersForm(), dialogs[1]);
}

TEST_F(StartupTest, MainWindowHasItsCaptionSizesAndNoMaximiseBox)
{
    EXPECT_EQ(QCoreApplication::applicationName(), "Vellum MP3");
    EXPECT_EQ(Main.windowTitle(), "Vellum MP3   by Brindle Software");
    EXPECT_EQ(Main.size(), QSize(760, 565));
    EXPECT_EQ(Main.minimumSize(), QSize(760, 430));
    const ::Qt::WindowFlags flags = Main.windowFlags();
    EXPECT_FALSE(flags & ::Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & ::Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & ::Qt::WindowSystemMenuHint);
    EXPECT_TRUE(flags & ::Qt::WindowCloseButtonHint);
    const QRect desktop = Main.screen()->availableGeometry();
    EXPECT_LE(std::abs(Main.geometry().center().x() - desktop.center().x()), 1);
    EXPECT_EQ(Main.VersionNumber, "1.4.5");
    EXPECT_EQ(Main.VersionDate, "April 14, 2002");
    EXPECT_EQ(Main.LoadedIndex, -1);
    EXPECT_EQ(Main.SortColumn, -1);
    EXPECT_FALSE(Main.SortDescending);
    EXPECT_TRUE(Main.ProgramDirectory.endsWith('/'));
    EXPECT_EQ(Main.ProgramDirectory, QCoreApplication::applicationDirPath() + '/');
}

TEST_F(StartupTest, EveryMenuItemHasItsCaptionShortcutAndPlace)
{
    const std::vector<MenuItem> items = {
        {"AddFilesMI", "Add &Files ...", ""}, {"AddDirectoryMI", "Add &Directory ...", "Ctrl+O"},
        {"ExitMI", "E&xit", "Ctrl+Q"}, {"ClearMP3MI", "Clear MP3 List", "Ctrl+Del"},
        {"PlayMP3MI", "&Play MP3", "Ctrl+P"}, {"FileInfoMI", "File &Info", "Ctrl+I"},
        {"UndoRenameMI", "Undo &Rename", "Ctrl+Z"}, {"FiltersMI", "&Filter Setup", "Ctrl+F"},
        {"OptionsMI", "&Options", ""}, {"ContentsMI", "&Contents", "F1"}, {"AboutMI", "&About", "F10"}};
    for (const MenuItem& item : items) {
        const QAction& action = Child<QAction>(item.Name);
        EXPECT_EQ(action.text().toStdString(), item.Caption) << item.Name;
        EXPECT_EQ(action.shortcut(), QKeySequence(QString::fromLatin1(item.Shortcut))) << item.Name;
        EXPECT_EQ(action.shortcutContext(), ::Qt::WindowShortcut) << item.Name;
    }
    std::vector<std::string> titles;
    for (const QAction* action : Main.menuBar()->actions())
        titles.push_back(action->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "&Edit", "&Tools", "&Help"}));
    using Names = std::vector<std::string>;
    EXPECT_EQ(ItemNames(Child<QMenu>("FileMenu")), (Names{"AddFilesMI", "AddDirectoryMI", "", "ExitMI"}));
    EXPECT_EQ(ItemNames(Child<QMenu>("EditMenu")), (Names{"ClearMP3MI"}));
    EXPECT_EQ(ItemNames(Child<QMenu>("ToolsMenu")),
              (Names{"PlayMP3MI", "FileInfoMI", "UndoRenameMI", "", "FiltersMI", "OptionsMI"}));
    EXPECT_EQ(ItemNames(Child<QMenu>("HelpMenu")), (Names{"ContentsMI", "", "AboutMI"}));
}

TEST_F(StartupTest, ToolbarButtonsShowTheirImageAndHintInOrder)
{
    const std::vector<std::tuple<const char*, int, const char*>> buttons = {
        {"AddFileBtn", 0, "Add Files ..."}, {"AddDirectoryBtn", 1, "Add Directory ..."}, {nullptr, 0, nullptr},
        {"OptionsBtn", 2, "Options (click arrow for quick options)"}, {"FiltersBtn", 4, "Filter Setup"},
        {nullptr, 0, nullptr}, {"ClearMP3Btn", 9, "Clear MP3 list"}, {nullptr, 0, nullptr},
        {"PlayMP3Btn", 3, "Play MP3"}, {"FileInfoBtn", 7, "File Info"}, {"UndoRenameBtn", 8, "Undo Rename"},
        {nullptr, 0, nullptr}, {"ExitBtn", 6, "Exit"}};
    const QLayout& row = *Main.findChild<QLayout*>(QStringLiteral("ToolBarLayout"));
    ASSERT_GE(row.count(), static_cast<int>(buttons.size()));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QWidget* widget = row.itemAt(static_cast<int>(i))->widget();
        ASSERT_NE(widget, nullptr) << i;
        const auto& [name, image, hint] = buttons[i];
        if (!name) {
            EXPECT_EQ(qobject_cast<QFrame*>(widget)->frameShape(), QFrame::VLine) << i;
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(widget);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->objectName(), name);
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_TRUE(button->autoRaise()) << name;
        const QImage expected(QStringLiteral(":/toolbar/%1.png").arg(image));
        ASSERT_FALSE(expected.isNull()) << image;
        EXPECT_EQ(Shown(button->icon().pixmap(16, 16).toImage()), Shown(expected)) << name;
    }
}

TEST_F(StartupTest, ToolbarButtonClickRunsTheSameCommandAsItsMenuItem)
{
    Main.show();
    const std::vector<std::pair<const char*, const char*>> pairs = {
        {"AddFileBtn", "AddFilesMI"}, {"AddDirectoryBtn", "AddDirectoryMI"}, {"OptionsBtn", "OptionsMI"},
        {"FiltersBtn", "FiltersMI"}, {"ClearMP3Btn", "ClearMP3MI"}, {"PlayMP3Btn", "PlayMP3MI"},
        {"FileInfoBtn", "FileInfoMI"}, {"UndoRenameBtn", "UndoRenameMI"}, {"ExitBtn", "ExitMI"}};
    for (const auto& [buttonName, actionName] : pairs) {
        QSignalSpy triggered(&Child<QAction>(actionName), &QAction::triggered);
        const std::string action = actionName;
        const bool opensDialog = action == "OptionsMI" || action == "FiltersMI" || action.starts_with("Add");
        if (opensDialog)
            CloseNextDialog();
        QToolButton& button = Child<QToolButton>(buttonName);
        // The click lands on the button part, not on the drop-down arrow of the options button.
        QTest::mouseClick(&button, ::Qt::LeftButton, {}, QPoint(6, button.height() / 2));
        EXPECT_EQ(triggered.count(), 1) << buttonName;
    }
    EXPECT_FALSE(Main.isVisible()) << "the exit button closes the window";
}

TEST_F(StartupTest, FilterAndOptionsCommandsShowTheirDialogsModally)
{
    Main.show();
    for (const char* name : {"FiltersMI", "OptionsMI"}) {
        QString shown;
        bool modal = false;
        OnNextModal([&](QWidget& dialog) {
            shown = dialog.objectName();
            modal = dialog.isModal();
            qobject_cast<QDialog*>(&dialog)->reject();
        });
        Child<QAction>(name).trigger();
        EXPECT_EQ(shown, std::string(name) == "FiltersMI" ? "FiltersForm" : "OptionsForm");
        EXPECT_TRUE(modal);
    }
    EXPECT_TRUE(Main.isVisible());
}

TEST_F(StartupTest, QuickOptionsHaveTheirCaptionsAndStartStates)
{
    QToolButton& optionsButton = Child<QToolButton>("OptionsBtn");
    EXPECT_EQ(optionsButton.popupMode(), QToolButton::MenuButtonPopup);
    ASSERT_EQ(optionsButton.menu(), Main.OptionsMenu);
    EXPECT_EQ(Main.OptionsMenu->objectName(), "OptionsMenu");
    EXPECT_EQ(ItemNames(*Main.OptionsMenu),
              (std::vector<std::string>{"PadTrack", "CapitalizeFirst", "SaveOnRen", "IgnoreID3", "", "ConfirmOnRename"}));
    const std::vector<std::tuple<const char*, const char*, bool>> options = {
        {"PadTrack", "On load, pad track number with zeros", true},
        {"CapitalizeFirst", "On import, capitalize first letter(s)", true},
        {"SaveOnRen", "On rename, save ID3", true},
        {"IgnoreID3", "On rename/save, ignore ID3 tags (use import scheme)", false},
        {"ConfirmOnRename", "On rename, confirm new filename", false}};
    for (const auto& [name, caption, checked] : options) {
        const QAction& option = Child<QAction>(name);
        EXPECT_EQ(option.text(), caption);
        EXPECT_TRUE(option.isCheckable()) << name;
        EXPECT_EQ(option.isChecked(), checked) << name;
    }
}

TEST_F(StartupTest, ClickingAQuickOptionFlipsOnlyThatOption)
{
    Main.show();
    QAction& saveOnRen = Child<QAction>("SaveOnRen");
    for (bool expected : {false, true}) {
        Main.OptionsMenu->popup(Main.mapToGlobal(QPoint(20, 40)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Main.OptionsMenu));
        QTest::mouseClick(Main.OptionsMenu, ::Qt::LeftButton, {},
                          Main.OptionsMenu->actionGeometry(&saveOnRen).center());
        EXPECT_EQ(saveOnRen.isChecked(), expected);
        EXPECT_TRUE(Child<QAction>("PadTrack").isChecked());
        EXPECT_TRUE(Child<QAction>("CapitalizeFirst").isChecked());
        EXPECT_FALSE(Child<QAction>("IgnoreID3").isChecked());
        EXPECT_FALSE(Child<QAction>("ConfirmOnRename").isChecked());
    }
}

TEST_F(StartupTest, ListPopupHasItsItemsAndOpensOnlyWhenAsked)
{
    ASSERT_NE(Main.MP3Options, nullptr);
    EXPECT_EQ(Main.MP3Options->objectName(), "MP3Options");
    EXPECT_EQ(ItemNames(*Main.MP3Options),
              (std::vector<std::string>{"PlayMP3", "", "WriteID3v1", "WriteID3v2", "CreateID3v1", "CreateID3v2"}));
    for (const auto& [name, caption] : {std::pair{"PlayMP3", "&Play MP3"}, {"WriteID3v1", "Write ID3v&1 tags to a file"},
                                        {"WriteID3v2", "Write ID3v&2 tags to a file"},
                                        {"CreateID3v1", "Create ID3v1 from ID3v2"},
                                        {"CreateID3v2", "Create ID3v2 from ID3v1"}})
        EXPECT_EQ(Child<QAction>(name).text(), caption);
    EXPECT_EQ(Child<QAction>("WriteID3v1").property("Tag").toInt(), 1);
    EXPECT_EQ(Child<QAction>("WriteID3v2").property("Tag").toInt(), 2);
    EXPECT_EQ(Main.Selected3->contextMenuPolicy(), ::Qt::CustomContextMenu);
}

TEST_F(StartupTest, ListHasItsSevenColumnsAndSelectsSeveralWholeRows)
{
    const QAbstractItemModel& list = *Main.Selected3->model();
    const std::vector<std::tuple<const char*, ::Qt::Alignment, int>> columns = {
        {"File", ::Qt::AlignLeft, 300}, {"ID3v1", ::Qt::AlignHCenter, 45}, {"ID3v2", ::Qt::AlignHCenter, 45},
        {"Title", ::Qt::AlignLeft, 150}, {"Bitrate", ::Qt::AlignLeft, 0}, {"Size", ::Qt::AlignRight, 75},
        {"Length", ::Qt::AlignRight, 0}};
    ASSERT_EQ(list.columnCount(), 7);
    const int defaultWidth = Main.Selected3->header()->defaultSectionSize();
    for (int i = 0; i < 7; ++i) {
        const auto& [caption, alignment, width] = columns[static_cast<std::size_t>(i)];
        EXPECT_EQ(list.headerData(i, ::Qt::Horizontal).toString(), caption);
        const auto horizontal = QStyle::visualAlignment(
            ::Qt::LeftToRight, ::Qt::Alignment(list.headerData(i, ::Qt::Horizontal, ::Qt::TextAlignmentRole).toInt()));
        EXPECT_EQ(horizontal & (::Qt::AlignLeft | ::Qt::AlignRight | ::Qt::AlignHCenter), alignment) << caption;
        // The last column stretches to the list's right edge.
        if (i < 6) {
            EXPECT_EQ(Main.Selected3->columnWidth(i), width ? width : defaultWidth) << caption;
        }
    }
    EXPECT_EQ(Main.Selected3->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(Main.Selected3->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(Main.Selected3->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(Main.Selected3->isSortingEnabled());
    EXPECT_FALSE(Main.Selected3->rootIsDecorated());
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(StartupTest, EditorStartsEmptyWithCommandsDisabled)
{
    EXPECT_EQ(Main.FileLoaded->text(), "No File Loaded!");
    EXPECT_TRUE(Main.FileLoaded->isReadOnly());
    EXPECT_EQ(Main.FileLoaded->focusPolicy(), ::Qt::NoFocus);
    for (QWidget* button : std::initializer_list<QWidget*>{Main.SaveBtn, Main.DeleteBtn, Main.RenameBtn,
                                                           Main.DeleteID3v1Btn, Main.DeleteID3v2Btn})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(Main.SaveBtn->isDefault());
    // Captions, hints and tags of the editor's controls, by property.
    const std::vector<std::tuple<QObject*, const char*, QVariant>> shown = {
        {Main.SaveBtn, "text", "&Save"}, {Main.DeleteBtn, "text", "&Delete ID3"}, {Main.RenameBtn, "text", "&Rename"},
        {Main.DeleteID3v1Btn, "Tag", 1}, {Main.DeleteID3v2Btn, "Tag", 2},
        {Main.DeleteID3v1Btn, "toolTip", "Delete ID3v1 Tag"}, {Main.DeleteID3v2Btn, "toolTip", "Delete ID3v2 Tag"},
        {Main.hasID3v1Bmp, "toolTip", "Has ID3v1 Tag?"}, {Main.hasID3v2Bmp, "toolTip", "Has ID3v2 Tag?"},
        {Main.ID3v1CB, "toolTip", "Enable or Disable ID3v1 editing"},
        {Main.ID3v2CB, "toolTip", "Enable or Disable ID3v2 editing"},
        {Main.HelpBtn, "toolTip", "List available macros"}, {Main.v2tov1Btn, "text", "<--"},
        {Main.v1tov2Btn, "text", "-->"}, {Main.ID3v1CB, "checked", true}, {Main.ID3v2CB, "checked", true}};
    for (const auto& [control, property, value] : shown)
        EXPECT_EQ(control->property(property).toString(), value.toString())
            << control->objectName().toStdString() << " " << property;
    // Both indicators start on the tag-absent image, a red ball, which differs from the green one.
    const QImage absent = Shown(Main.Image(TMainForm::TagAbsentImage).toImage());
    EXPECT_EQ(Shown(Main.hasID3v1Bmp->pixmap().toImage()), absent);
    EXPECT_EQ(Shown(Main.hasID3v2Bmp->pixmap().toImage()), absent);
    EXPECT_NE(absent, Shown(Main.Image(TMainForm::TagPresentImage).toImage()));
    EXPECT_EQ(absent, Shown(QImage(QStringLiteral(":/list/5.png"))));
    for (QLabel* version : {Main.v22Lbl, Main.v23Lbl, Main.v24Lbl}) {
        EXPECT_EQ(version->palette().color(QPalette::WindowText), Main.palette().color(QPalette::Disabled, QPalette::WindowText));
        EXPECT_TRUE(version->font().bold());
    }
}

TEST_F(StartupTest, EditorFieldsHaveTheirLimitsAndApplyToAllNumbers)
{
    const std::vector<std::pair<QLineEdit*, int>> limits = {
        {Main.Title, 30}, {Main.Artist, 30}, {Main.Album, 30}, {Main.Comment, 30}, {Main.Track, 3},
        {Main.TrackV2, 5}, {Main.Year->lineEdit(), 4}, {Main.YearV2->lineEdit(), 4}};
    for (const auto& [edit, limit] : limits)
        EXPECT_EQ(edit->maxLength(), limit) << edit->parent()->objectName().toStdString();
    EXPECT_EQ(Main.TitleV2->maxLength(), 32767) << "no limit of our own";
    EXPECT_EQ(Main.RenScheme->lineEdit()->maxLength(), 32767);
    // The import scheme takes at most 100 typed characters.
    Main.ImportCB->setEditText(QString());
    QTest::keyClicks(Main.ImportCB->lineEdit(), QString(120, QLatin1Char('x')));
    EXPECT_EQ(Main.ImportCB->currentText(), QString(100, QLatin1Char('x')));
    EXPECT_FALSE(Main.Genre->isEditable());
    EXPECT_TRUE(Main.GenreV2->isEditable());
    const std::map<std::string, int> tags = {
        {"TitleATA", 1}, {"ArtistATA", 2}, {"AlbumATA", 3}, {"TrackATA", 4}, {"CommentATA", 5}, {"YearATA", 6},
        {"GenreATA", 7}, {"TitleV2ATA", 8}, {"ArtistV2ATA", 9}, {"AlbumV2ATA", 10}, {"TrackV2ATA", 11},
        {"ComposerV2ATA", 12}, {"OrgArtistV2ATA", 13}, {"CopyrightV2ATA", 14}, {"URLV2ATA", 15},
        {"EncodedByV2ATA", 16}, {"CommentV2ATA", 17}, {"YearV2ATA", 18}, {"GenreV2ATA", 19}};
    std::map<std::string, int> found;
    for (const QPushButton* button : Main.findChildren<QPushButton*>()) {
        if (button->objectName().endsWith(QStringLiteral("ATA"))) {
            found[button->objectName().toStdString()] = button->property("Tag").toInt();
            EXPECT_EQ(button->text(), "ATA");
        }
    }
    EXPECT_EQ(found, tags);
}

TEST_F(StartupTest, SchemeBoxesOfferTheTenSchemesWithArtistTitleSelected)
{
    for (QComboBox* box : {Main.ImportCB, Main.RenScheme}) {
        EXPECT_TRUE(box->isEditable());
        ASSERT_EQ(box->count(), 10);
        EXPECT_EQ(box->itemText(0), "$TITLE");
        EXPECT_EQ(box->itemText(9), "$TRACK-$ARTIST-$TITLE");
        EXPECT_EQ(box->currentIndex(), 1);
        EXPECT_EQ(box->currentText(), "$ARTIST-$TITLE");
        EXPECT_EQ(box->insertPolicy(), QComboBox::NoInsert) << "typing a scheme must not grow the list";
    }
    EXPECT_TRUE(Main.UseImport->isChecked());
    EXPECT_TRUE(Main.ImportCB->isEnabled());
    Main.UseImport->setChecked(false);
    EXPECT_FALSE(Main.ImportCB->isEnabled());
    Main.UseImport->setChecked(true);
    EXPECT_TRUE(Main.ImportCB->isEnabled());
}

TEST_F(StartupTest, YearAndGenreBoxesStartEmptyWithTheirSuggestions)
{
    for (QComboBox* year : {Main.Year, Main.YearV2}) {
        ASSERT_EQ(year->count(), 69);
        EXPECT_EQ(year->itemText(0), "1950");
        EXPECT_EQ(year->itemText(54), "2004");
        EXPECT_EQ(year->itemText(55), "19__");
        EXPECT_EQ(year->itemText(68), "200x");
        EXPECT_EQ(year->currentText(), "");
    }
    for (QComboBox* genre : {Main.Genre, Main.GenreV2}) {
        ASSERT_EQ(genre->count(), 149);
        EXPECT_EQ(genre->itemText(0), "");
        EXPECT_EQ(genre->currentIndex(), -1);
    }
}

TEST(GenreEntriesTest, SortIgnoresHyphensAndDotsAndEndsWithVocal)
{
    const QStringList entries = GenreEntries();
    ASSERT_EQ(entries.size(), 149);
    EXPECT_LT(entries.indexOf("Eurodance"), entries.indexOf("Euro-House"));
    EXPECT_EQ(entries.last(), "Vocal");
    EXPECT_EQ(entries.indexOf("Blues"), entries.indexOf("Bluegrass") + 1);
    QStringList unique = entries;
    unique.removeDuplicates();
    EXPECT_EQ(unique.size(), entries.size()) << "every genre once, and one empty entry";
}

TEST_F(StartupTest, ConfirmationsAreFalseOnlyForNoAndShowTheirCaptions)
{
    BoxSeen seen;
    AnswerNextBox(QMessageBox::Yes, &seen);
    EXPECT_TRUE(Main.ConfirmYesNo("Question", "Go on?"));
    EXPECT_EQ(seen.Caption, "Question");
    EXPECT_EQ(seen.Text, "Go on?");
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
    EXPECT_FALSE(seen.HadParent);

    AnswerNextBox(QMessageBox::No);
    EXPECT_FALSE(Main.ConfirmYesNo("Question", "Go on?"));

    AnswerNextBox(QMessageBox::No, &seen);
    EXPECT_FALSE(Main.ConfirmAction("Delete ID3 tags"));
    EXPECT_EQ(seen.Caption, "Warning");
    EXPECT_EQ(seen.Text, "ACTION:\nDelete ID3 tags");
}

TEST_F(StartupTest, RestoreScreenCursorPutsBackWhatWasThereBeforeTheWait)
{
    Main.SaveScreenCursor();
    QApplication::setOverrideCursor(::Qt::WaitCursor);
    // A nested long operation saves and restores inside the outer one.
    Main.SaveScreenCursor();
    QApplication::setOverrideCursor(::Qt::WaitCursor);
    Main.RestoreScreenCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), ::Qt::WaitCursor);
    Main.SavedCursor.reset();
    Main.RestoreScreenCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QApplication::setOverrideCursor(::Qt::PointingHandCursor);
    Main.SaveScreenCursor();
    QApplication::setOverrideCursor(::Qt::WaitCursor);
    Main.RestoreScreenCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), ::Qt::PointingHandCursor);
    QApplication::restoreOverrideCursor();
}

} // namespace
