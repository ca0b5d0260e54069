#include "TOptionsForm.h"

#include "MessageBoxes.h"
#include "SettingsStore.h"
#include "TPickerForm.h"

#include <QtCore/QFile>
#include <QtGui/QShowEvent>

#include <filesystem>
#include <span>
#include <string>

namespace {

// The edits hold a path as text; commands open it by its bytes.
std::string PathBytes(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

bool NamesDirectory(const QString& text)
{
    std::error_code error;
    return !text.isEmpty() && std::filesystem::is_directory(PathBytes(text), error);
}

bool ReadSwitch(const SettingsStore& settings, QCheckBox& box)
{
    const auto checked = settings.ReadBool(box.objectName());
    if (checked)
        box.setChecked(*checked);
    return checked.has_value();
}

} // namespace

TOptionsForm::TOptionsForm(TPickerForm& picker, TBrowseDirectoryDlg& sourceBrowser, QWidget* parent)
    : QDialog(parent)
    , Picker(picker)
    , SourceBrowser(sourceBrowser)
{
    setupUi(this);
    BrowseDir.Title = QStringLiteral("Browse for directory");
    OptionTree->setCurrentItem(OptionTree->topLevelItem(0));
    connect(OptionTree, &QTreeWidget::currentItemChanged, this, &TOptionsForm::OptionTreeChange);
    connect(PickPickerBtn, &QToolButton::clicked, this, &TOptionsForm::PickPickerBtnClick);
    connect(PickBrowseBtn, &QToolButton::clicked, this, &TOptionsForm::PickBrowseBtnClick);
    LoadOptions();
    ApplyDefaultDirectories();
}

// KeepModTime last: it is read after the directories (LoadOptions).
std::array<QCheckBox*, 5> TOptionsForm::Switches() const
{
    return {AutoAdvanceSave, AutoAdvanceDelete, AutoAdvanceRename, EndBeep, KeepModTime};
}

std::array<QLineEdit*, 2> TOptionsForm::Directories() const
{
    return {DefaultPicker, DefaultBrowse};
}

// Reading stops at the first missing or unreadable switch; a stored directory that no longer
// exists is dropped. KeepModTime comes after the directories, so settings stored before it existed keep them.
bool TOptionsForm::LoadOptions()
{
    const SettingsStore settings;
    if (!settings.Exists())
        return false;
    const auto switches = Switches();
    for (QCheckBox* box : std::span(switches).first(switches.size() - 1)) // all but KeepModTime
        if (!ReadSwitch(settings, *box))
            return false;
    for (QLineEdit* edit : Directories()) {
        const QString directory = settings.ReadString(edit->objectName());
        if (NamesDirectory(directory))
            edit->setText(directory);
    }
    return ReadSwitch(settings, *KeepModTime);
}

// The directories are stored as typed, whether they exist or not.
bool TOptionsForm::SaveOptions()
{
    SettingsStore settings;
    for (const QCheckBox* box : Switches())
        if (!settings.WriteBool(box->objectName(), box->isChecked()))
            return false;
    for (const QLineEdit* edit : Directories())
        if (!settings.WriteString(edit->objectName(), edit->text()))
            return false;
    return true;
}

void TOptionsForm::ApplyDefaultDirectories()
{
    if (NamesDirectory(DefaultPicker->text()))
        Picker.SetDirectory(PathBytes(DefaultPicker->text()));
    if (NamesDirectory(DefaultBrowse->text()))
        SourceBrowser.Selection = PathBytes(DefaultBrowse->text());
}

void TOptionsForm::EndOfJobBeep() const
{
    if (EndBeep->isChecked())
        Beep();
}

void TOptionsForm::RememberOptions()
{
    const auto switches = Switches();
    const auto directories = Directories();
    for (std::size_t i = 0; i < switches.size(); ++i)
        OptionsSnapshot.Checked[i] = switches[i]->isChecked();
    for (std::size_t i = 0; i < directories.size(); ++i)
        OptionsSnapshot.Directories[i] = directories[i]->text();
}

void TOptionsForm::RestoreOptions()
{
    const auto switches = Switches();
    const auto directories = Directories();
    for (std::size_t i = 0; i < switches.size(); ++i)
        switches[i]->setChecked(OptionsSnapshot.Checked[i]);
    for (std::size_t i = 0; i < directories.size(); ++i)
        directories[i]->setText(OptionsSnapshot.Directories[i]);
}

void TOptionsForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

// The page shown last stays shown.
void TOptionsForm::FormShow()
{
    RememberOptions();
    OptionTree->setFocus();
}

void TOptionsForm::done(int result)
{
    FormClose(result);
    QDialog::done(result);
}

void TOptionsForm::FormClose(int result)
{
    if (result == Rejected) {
        RestoreOptions();
        return;
    }
    SaveOptions();
    ApplyDefaultDirectories();
}

void TOptionsForm::OptionTreeChange(QTreeWidgetItem* node)
{
    for (int page = 0; page < Notebook->count(); ++page)
        if (Notebook->widget(page)->windowTitle() == node->text(0))
            Notebook->setCurrentIndex(page);
}

void TOptionsForm::PickPickerBtnClick()
{
    PickDirectory(*DefaultPicker);
}

void TOptionsForm::PickBrowseBtnClick()
{
    PickDirectory(*DefaultBrowse);
}

void TOptionsForm::PickDirectory(QLineEdit& edit)
{
    BrowseDir.Selection = PathBytes(edit.text());
    if (BrowseDir.Execute(this))
        edit.setText(QFile::decodeName(QByteArray::fromStdString(BrowseDir.Selection)));
}
