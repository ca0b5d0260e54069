#pragma once

#include "ui_OptionsForm.h"

#include "BrowseDirectoryDlg.h"

#include <QtWidgets/QDialog>

#include <array>

class QShowEvent;
class TPickerForm;

// The options dialog; other windows read its check boxes whenever they need an option. Its values
// are read from the settings when it is created and written only when it is closed with OK; a Cancel
// or the close box puts back what the controls held when it was shown.
class TOptionsForm : public QDialog, public Ui::OptionsForm {
    Q_OBJECT

public:
    // The picker and the main window's source folder chooser start at the default directories.
    TOptionsForm(TPickerForm& picker, TBrowseDirectoryDlg& sourceBrowser, QWidget* parent);

    bool LoadOptions();
    bool SaveOptions();
    void ApplyDefaultDirectories();
    // Beeps when the user asked for a beep after long operations.
    void EndOfJobBeep() const;

    // OK, Cancel, Escape and the close box all end here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RememberOptions();
    void RestoreOptions();
    void FormShow();
    void FormClose(int result);
    void OptionTreeChange(QTreeWidgetItem* node);
    void PickPickerBtnClick();
    void PickBrowseBtnClick();
    void PickDirectory(QLineEdit& edit);

    // The controls that hold the stored values; each value is named after its control.
    std::array<QCheckBox*, 5> Switches() const;
    std::array<QLineEdit*, 2> Directories() const;

    TPickerForm& Picker;
    TBrowseDirectoryDlg& SourceBrowser;
    TBrowseDirectoryDlg BrowseDir;

    // What the controls held when the dialog was last shown.
    struct {
        std::array<bool, 5> Checked{};
        std::array<QString, 2> Directories;
    } OptionsSnapshot;
};
