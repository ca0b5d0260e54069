#pragma once

#include "ui_MainForm.h"

#include "BrowseDirectoryDlg.h"
#include "ListedFiles.h"
#include "ShownFields.h"
#include "TMP3File.h"

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
class TAboutForm;
class TFileInfoForm;
class TFiltersForm;
class TLoadingForm;
class TOptionsForm;
class TPickerForm;

// The main window: the MP3 list above, the tag editor below, menus, toolbar and popups. It owns
// the one tag engine object for the whole run. Its settings are not copied into variables: the
// checked menu items, check boxes and scheme texts are the settings, and every command reads them
// when it runs.
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
    // Row i's flags, icon, title and size from the engine, which has just read that file's tags.
    void RefreshListItem(int i);

    // ---- Loading (TMainFormLoading.cpp) ----
    // Reads one file and appends its row; false when it is listed already or cannot be read.
    bool AddListItem(const std::string& directory, const std::string& name);
    bool IsInList(const std::string& directory, const std::string& name) const;

    // ---- The editor (TMainFormEditor.cpp) ----
    void LoadCurrentItem();
    // Points the engine at the file and reads its tags; true when it has at least one.
    bool ReadFileTags(const std::string& path);
    bool ReadItemTags(int i);
    void ClearID3v1Fields();
    void ClearID3v2Fields();
    void ClearAllFields();
    void ShowID3v1Fields();
    void ShowID3v2Fields();
    void StoreID3v1Fields();
    void StoreID3v2Fields();
    void TrimID3v1Fields();
    void TrimID3v2Fields();
    void TrimAllFields();
    void TruncateID3v1Fields();
    std::uint8_t GenreFromCombo() const;
    void ShowGenreInCombo(std::uint8_t genre);
    // Fill one half's controls from a file name (Latin-1) by the import scheme and the import filters.
    void ImportToID3v1Fields(const std::string& fileName);
    void ImportToID3v2Fields(const std::string& fileName);

    // ---- Saving (TMainFormSave.cpp) ----
    // One half's controls into the file of row i; false, after the error box, when it could not be written.
    bool SaveID3v1Item(int i);
    bool SaveID3v2Item(int i);
    // The halves whose editing is enabled; true when every save done succeeded.
    bool SaveItemTags(int i);

    QMenu* OptionsMenu = nullptr;
    QMenu* MP3Options = nullptr;

    const std::string VersionNumber = "1.4.5";
    const std::string VersionDate = "April 14, 2002";
    TMP3File Engine;
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
    // Row i's caption as the import scheme reads it: Latin-1, "?" for the characters beyond it.
    std::string ItemImportName(int i) const;

    void AddFilesMIClick();
    void AddDirectoryMIClick();

    // ---- Commands that write tags: each family in its own file ----
    void ConnectTagCommands();
    // TMainFormSave.cpp
    void SaveBtnClick();
    bool ConfirmBatchSave();
    bool ImportItemTags(int i);
    // The error box for a file that could not be written, the list repainted; false.
    bool ReportSaveFailure(const std::string& path);
    // The end shared by the commands: row LoadedIndex selected, current and shown again.
    void FinishCommand(const QWidget& ownButton);
    // TMainFormDelete.cpp
    void DeleteBtnClick();
    void DeleteID3BtnClick(int tag);
    // Row i's enabled tags removed; false, after the error box, when its file could not be read.
    bool DeleteItemTags(int i);
    // TMainFormApplyToAll.cpp
    void ApplyToAllClick(int tag);
    void ApplyToTag(int i, bool id3v2, const QWidget& control, const QString& text, std::uint8_t genre);
    void MakeTagWith(int i, bool id3v2, QWidget& control, const QString& text, std::uint8_t genre);
    // TMainFormRename.cpp
    void RenameBtnClick();
    void UndoRenameMIClick();
    // The row the editor shows; with none, the lowest selected row, shown first. False when nothing is selected.
    bool TakeCurrentItem(const QList<int>& selected);
    void PadTrackControls();
    // Row i's fields as a rename of several files takes them; false, after the error box, when it cannot be read.
    bool ShowItemForRename(int i, bool importID3v1, bool importID3v2, bool validImport);
    void RenameItem(int i);
    bool RenameItemFile(const std::string& stem, int i);
    // Gives row i's file the new name (bytes) in its directory and the row its caption, then saves the editor's
    // fields into it when asked; false, after the message, when the file could not be renamed.
    bool RenameItemTo(int i, const std::string& newName, bool saveTags);
    void HelpBtnClick();
    // TMainFormSideFiles.cpp
    void WriteID3Click(int tag);
    // TMainFormFileInfo.cpp
    void FileInfoMIClick();
    // The values of the file the engine has just read, over the dialog's defaults.
    void ShowFileInfo();
    // TMainFormAccessories.cpp
    void PlayMP3MIClick();
    void ContentsMIClick();
    void AboutMIClick();
    // TMainFormConversion.cpp
    void v1tov2BtnClick();
    void v2tov1BtnClick();
    void CreateID3v1Click();
    void CreateID3v2Click();
    void CreateForSelectedItems(const QString& question, bool (TMainForm::*create)(int));
    // Creates the missing tag of row i's file, when the file qualifies; false when it could not be read or written.
    bool CreateID3v1Item(int i);
    bool CreateID3v2Item(int i);

    // The track edits' key filters; true when the key is dropped.
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool TrackKeyPress(const QKeyEvent& key) const;
    bool TrackV2KeyPress(const QKeyEvent& key) const;
    // Enter in a single-line field presses the default button, as in a dialog.
    void PressDefaultButton();

    // Whether the file could be read (false after the error box), and then whether it has a tag.
    std::optional<bool> ReadFileTagsChecked(const std::string& path);
    // The import scheme is switched on and not empty.
    bool ImportSchemeValid() const;
    bool ImportWanted(const QCheckBox& tagSwitch) const;
    void ShowTagPresence(QLabel& image, QAbstractButton& deleteButton, bool present);
    void RecordShown(QWidget& control, std::string engineText);
    // The engine's own text for a control that still shows what was shown for the engine's file.
    std::optional<std::string> UntouchedText(const QWidget& control) const;
    std::string StoredText(const QWidget& control) const;
    // A control's text as the engine stores what the user typed.
    std::string TypedText(const QWidget& control, const QString& text) const;
    using ID3v2Setter = void (TMP3File::*)(const std::string&);
    // Each ID3v2 control with the engine setter of its frame.
    std::vector<std::pair<QWidget*, ID3v2Setter>> ID3v2Setters();

    std::array<QPixmap, 6> Bitmaps;
    ListedFiles Listed;
    ShownFields Shown;

    TFileInfoForm* FileInfoForm = nullptr;
    TFiltersForm* FiltersForm = nullptr;
    TLoadingForm* LoadingForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TPickerForm* PickerForm = nullptr;
    TOptionsForm* OptionsForm = nullptr;
};
