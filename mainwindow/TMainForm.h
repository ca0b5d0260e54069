#pragma once

#include "ui_MainForm.h"

#include "BrowseDirectoryDlg.h"
#include "EditorControls.h"
#include "EditorMessages.h"
#include "FileTags.h"
#include "ListedFiles.h"
#include "RenameCommands.h"
#include "TagCommands.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCloseEvent;
class QKeyEvent;
class QMenu;
class MP3ListModel;
struct FileInformation;
class TAboutForm;
class TFileInfoForm;
class TFiltersForm;
class TLoadingForm;
class TOptionsForm;
class TPickerForm;

// The main window: the MP3 list above, the tag editor below, menus, toolbar and popups. Its handlers ask, call a
// command of the core, tell what happened and refresh the rows. Its settings are not copied into variables: the
// checked menu items, check boxes and scheme texts are the settings, and every command reads them when it runs.
class TMainForm : public QMainWindow, public Ui::MainForm {
    Q_OBJECT

public:
    // Images of the list view's image list.
    enum ListImage { BothTagsImage, NoTagImage, ID3v1OnlyImage, ID3v2OnlyImage, TagPresentImage, TagAbsentImage };

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The dialogs are created after this window, so they are handed over once they exist.
    void AttachDialogs(TFileInfoForm& fileInfo, TFiltersForm& filters, TLoadingForm& loading, TAboutForm& about,
                       TPickerForm& picker, TOptionsForm& options);

    // Yes/No with the warning icon and no owner window; false only when the answer is No.
    bool ConfirmYesNo(const QString& caption, const QString& text);
    bool ConfirmAction(const QString& text);
    // The question of a command on every selected file: what it does, then a line "  * " for each point that applies.
    static QString AllSelectedQuestion(const QString& action, const std::vector<std::pair<bool, QString>>& points);
    // Around a long operation: save, push the wait cursor (the caller does), work, restore.
    void SaveScreenCursor();
    void RestoreScreenCursor();
    // A command's work on every row still selected, first to last, under the wait cursor: each row deselected
    // when done, then the end-of-job beep, and row 0 becomes the current row.
    void ForEachSelectedItem(const std::function<void(int)>& action);

    // Settings of this window, read when it is created and written when it closes. Both stop at the
    // first value they cannot read or write and answer false then.
    bool LoadSettings();
    bool SaveSettings();

    const QPixmap& Image(ListImage image) const { return Bitmaps[image]; }
    // A version label is grey unless the loaded tag has that version.
    void ShowVersionLabel(QLabel& label, bool isTagVersion);

    // ---- The list (TMainFormList.cpp) ----
    int RowCount() const;
    // The file of row i as every command opens it: its directory, then its caption.
    std::string ItemPath(int i) const;
    std::string ItemDirectory(int i) const;
    std::string ItemOriginalName(int i) const;
    // Row i's flags, icon, title and size as a command left the file.
    void RefreshListItem(int i, const TagState& state);

    // ---- Loading (TMainFormLoading.cpp) ----
    // Reads one file and appends its row; false when it is listed already or cannot be read.
    bool AddListItem(const std::string& directory, const std::string& name);
    // Files and folders named on the command line or dropped on the list, as the file system's bytes, loaded in
    // one go: folders as Add Directory walks them, MP3 files as the picker adds them. Then one message names
    // every path that is neither.
    void AddPaths(const std::vector<std::string>& paths);

    // ---- The editor (TMainFormEditor.cpp) ----
    void LoadCurrentItem();
    // Reads the file's tags into the editor's working copy; true when it has at least one.
    bool ReadFileTags(const std::string& path);
    bool ReadItemTags(int i);
    void ClearAllFields();
    // The controls the user changed, into the editor's working copy of the loaded file's tags.
    void StoreFields();
    // The import scheme with its filters and option, when it is switched on and not empty.
    std::optional<ImportSettings> CurrentImport() const;
    TagVersions EnabledVersions() const;
    // How the commands write, as the options ask.
    WriteOptions Writing() const;

    // ---- Saving (TMainFormSave.cpp) ----
    // The enabled tags of the tags given into the file of row i; false, after the error box, when one could not be
    // written.
    bool SaveItemTags(int i, const FileTags& tags);

    QMenu* OptionsMenu = nullptr;
    QMenu* MP3Options = nullptr;

    const std::string VersionNumber = VELLUM_VERSION;
    const std::string VersionDate = "April 14, 2002";
    // The loaded row's tags as read, with the edits taken from the controls.
    FileTags Loaded;
    std::optional<EditorControls> Editor;
    // The folder chooser of Add Directory; it starts at the options' default browse directory.
    TBrowseDirectoryDlg BrowseDlg;
    // The rows of Selected3; each row carries its directory and its original name.
    MP3ListModel* ListModel = nullptr;
    // Directory of the running program, with trailing "/"; the help pages are found relative to it.
    QString ProgramDirectory;
    // The override cursor in force when SaveScreenCursor ran; empty when there was none.
    std::optional<Qt::CursorShape> SavedCursor;
    int LoadedIndex = -1;
    int SortColumn = -1;
    bool SortDescending = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPopupMenus();
    void SetUpList();
    void SetUpEditor();
    void CentreOnDesktop();
    void UseImportClick();
    void FormClose();

    void Selected3Click();
    void Selected3KeyUp(const QKeyEvent& key);
    void SelectAllRows();
    void Selected3ColumnClick(int column);
    void Selected3ContextPopup();
    void ClearMP3MIClick();
    void DisableFileCommands();
    QList<int> SelectedRows() const;
    // The one selected row of a command made for one file; with another number selected, the message and none,
    // and with an empty list none without a word.
    std::optional<int> OnlySelectedRow(const QString& message);
    bool IsRowSelected(int i) const;
    void DeselectRow(int i);
    // Row i's caption as the import scheme reads it: the name as shown, in UTF-8.
    std::string ItemImportName(int i) const;

    void AddFilesMIClick();
    void AddDirectoryMIClick();

    // ---- Commands that write tags: each family in its own file ----
    void ConnectTagCommands();
    // TMainFormSave.cpp
    void SaveBtnClick();
    bool ConfirmBatchSave();
    void ImportItemTags(int i);
    // The row as the command left the file, and the boxes for what it could not write in row i's file (the error
    // given for a file it could not read); false when something failed.
    bool ReportWrite(int i, const WriteResult& result, const QString& unreadableError = SaveErrorText);
    // The end shared by the commands: row LoadedIndex selected, current and shown again.
    void FinishCommand(const QWidget& ownButton);
    // TMainFormDelete.cpp
    void DeleteBtnClick();
    void DeleteID3BtnClick(TagVersion version);
    // Row i's enabled tags removed; false, after the error box, when its file could not be read.
    bool DeleteItemTags(int i);
    // TMainFormApplyToAll.cpp
    void ApplyToAllClick(Field field);
    // TMainFormRename.cpp
    void RenameBtnClick();
    void UndoRenameMIClick();
    // The row the editor shows; with none, the lowest selected row, shown first. False when nothing is selected.
    bool TakeCurrentItem(const QList<int>& selected);
    RenameSettings CurrentRename() const;
    // Renames row i's file from the tags given, which a save then writes when asked.
    void RenameItem(int i, FileTags& tags);
    // Gives row i's file the new name (bytes) in its directory and the row its caption, then saves the tags given
    // into it when there are any; false, after the message, when the file could not be renamed.
    bool RenameItemTo(int i, const std::string& newName, const FileTags* saveTags);
    void HelpBtnClick();
    // TMainFormSideFiles.cpp
    void WriteID3Click(TagVersion version);
    // TMainFormFileInfo.cpp
    void FileInfoMIClick();
    // The values read of the file, over the dialog's defaults.
    void ShowFileInfo(const FileInformation& information);
    // TMainFormAccessories.cpp
    void PlayMP3MIClick();
    void ContentsMIClick();
    void AboutMIClick();
    // TMainFormConversion.cpp
    void v1tov2BtnClick();
    void v2tov1BtnClick();
    void CreateID3v1Click();
    void CreateID3v2Click();
    void CreateForSelectedItems(const QString& question, WriteResult (*create)(const std::string&, WriteOptions));

    // The track edits' key filters; true when the key is dropped.
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool TrackKeyPress(const QKeyEvent& key) const;
    bool TrackV2KeyPress(const QKeyEvent& key) const;
    // Enter in a single-line field presses the default button, as in a dialog.
    void PressDefaultButton();

    // The import scheme is switched on and not empty.
    bool ImportSchemeValid() const;
    bool ImportWanted(const QCheckBox& tagSwitch) const;
    void ShowTagPresence(QLabel& image, QAbstractButton& deleteButton, bool present);
    // Around a command's work: the wait cursor while it runs.
    void RunWaiting(const std::function<void()>& work);

    std::array<QPixmap, 6> Bitmaps;
    ListedFiles Listed;

    TFileInfoForm* FileInfoForm = nullptr;
    TFiltersForm* FiltersForm = nullptr;
    TLoadingForm* LoadingForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TPickerForm* PickerForm = nullptr;
    TOptionsForm* OptionsForm = nullptr;
};
