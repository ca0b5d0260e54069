#pragma once

#include "ui_MainForm.h"

#include "BrowseDirectoryDlg.h"
#include "TMP3File.h"

#include <QtGui/QPixmap>
#include <QtWidgets/QMainWindow>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QCloseEvent;
class QMenu;
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

    // Settings of this window, read when it is created and written when it closes. Both stop at the
    // first value they cannot read or write and answer false then.
    bool LoadSettings();
    bool SaveSettings();

    const QPixmap& Image(ListImage image) const { return Bitmaps[image]; }
    // A version label is grey unless the loaded tag has that version.
    void ShowVersionLabel(QLabel& label, bool isTagVersion);

    QMenu* OptionsMenu = nullptr;
    QMenu* MP3Options = nullptr;

    const std::string VersionNumber = "1.4.5";
    const std::string VersionDate = "April 14, 2002";
    TMP3File Engine;
    // The folder chooser of Add Directory; it starts at the options' default browse directory.
    TBrowseDirectoryDlg BrowseDlg;
    // One entry per list row: its directory (with trailing "/") and its file name when it was added.
    std::vector<std::string> ItemDirectories;
    std::vector<std::string> OriginalNames;
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

    std::array<QPixmap, 6> Bitmaps;

    TFileInfoForm* FileInfoForm = nullptr;
    TFiltersForm* FiltersForm = nullptr;
    TLoadingForm* LoadingForm = nullptr;
    TAboutForm* AboutForm = nullptr;
    TPickerForm* PickerForm = nullptr;
    TOptionsForm* OptionsForm = nullptr;
};
