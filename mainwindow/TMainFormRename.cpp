// Names: renaming the current file or every selected file from its tags by the rename scheme, undoing renames,
// and the list of macros.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorControls.h"
#include "FileRename.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "NewFileName.h"
#include "RenameScheme.h"
#include "SchemeMacro.h"
#include "TFiltersForm.h"
#include "TOptionsForm.h"

#include <QtCore/QFile>

namespace {

const QString NothingEnabled = QStringLiteral("Cannot rename without enabling either ID3v1 or ID3v2 editing!");
const QString BlankScheme = QStringLiteral("Rename Scheme cannot be blank!");
const QString ImportSchemeNeeded = QStringLiteral("Invalid or blank import scheme (needed when ignoring ID3)!");
const QString NoneSelected = QStringLiteral("You must have at least one MP3 selected to use this option");

QString NameTakenText(const QString& newName)
{
    return QStringLiteral("New filename: ") + newName + QStringLiteral("\n\nA file by that name already exists!");
}

QString RenameErrorText(const QString& newName)
{
    return QStringLiteral("New filename: ") + newName
        + QStringLiteral("\n\nError renaming file. Filename cannot be read-only or include any of the following:\n"
                         "\t\t\t\\ / : * ? \" < > |");
}

QString BatchRenameText(bool ignoreTags, bool useImport)
{
    QString text = QStringLiteral("Rename ALL selected MP3s based on their ID3 tags.\n");
    if (ignoreTags)
        text += QStringLiteral("  * ID3 tags are being ignored\n");
    if (useImport)
        text += QStringLiteral("  * Filename is generated when no ID3 tag found\n");
    return text;
}

} // namespace

void TMainForm::RenameBtnClick()
{
    const QList<int> selected = SelectedRows();
    const bool single = selected.size() == 1;
    const bool validImport = ImportSchemeValid();
    if (!ID3v1CB->isChecked() && !ID3v2CB->isChecked()) {
        ShowMessage(NothingEnabled);
        return;
    }
    if (RenScheme->currentText().isEmpty()) {
        ShowMessage(BlankScheme);
        return;
    }
    if (IgnoreID3->isChecked() && !validImport) {
        ShowMessage(ImportSchemeNeeded);
        return;
    }
    if (!TakeCurrentItem(selected))
        return;
    if (!single && !ConfirmAction(BatchRenameText(IgnoreID3->isChecked(), UseImport->isChecked())))
        return;
    if (SaveOnRen->isChecked()
        || ConfirmYesNo(QStringLiteral("Notice"), QStringLiteral("Save current ID3 info before proceeding?")))
        SaveItemTags(LoadedIndex);

    const bool importID3v1 = ID3v1CB->isChecked() && IgnoreID3->isChecked() && validImport;
    const bool importID3v2 = ID3v2CB->isChecked() && IgnoreID3->isChecked() && validImport;
    PadTrackControls();
    // The current file is renamed from the editor as it stands, never from the import scheme.
    Engine.Close();
    RenameItem(LoadedIndex);
    const bool advance = OptionsForm->AutoAdvanceRename->isChecked();
    if (advance)
        DeselectRow(LoadedIndex);
    if (!single) {
        ForEachSelectedItem([=, this](int i) {
            if (ShowItemForRename(i, importID3v1, importID3v2, validImport)) {
                Engine.Close();
                RenameItem(i);
            }
        });
    } else if (advance && LoadedIndex < RowCount() - 1) {
        ++LoadedIndex;
    }
    FinishCommand(*RenameBtn);
}

bool TMainForm::TakeCurrentItem(const QList<int>& selected)
{
    if (selected.isEmpty())
        return false;
    if (LoadedIndex < 0 || LoadedIndex >= RowCount()) {
        LoadedIndex = selected.first();
        LoadCurrentItem();
    }
    return true;
}

void TMainForm::PadTrackControls()
{
    EditorFields fields = ReadEditorFields(*this);
    PadTrackFields(fields);
    Track->setText(QString::fromLatin1(fields.Track));
    TrackV2->setText(QString::fromLatin1(fields.TrackV2));
}

bool TMainForm::ShowItemForRename(int i, bool importID3v1, bool importID3v2, bool validImport)
{
    const std::string path = ItemPath(i);
    if (IgnoreID3->isChecked()) {
        Engine.Reset();
        Engine.SetFileName(path);
        Shown.Begin(path);
    } else if (!ReadFileTagsChecked(path)) {
        return false;
    }
    if (importID3v1 || (!Engine.HasID3v1() && validImport)) {
        ClearID3v1Fields();
        ImportToID3v1Fields(ItemImportName(i));
        StoreID3v1Fields();
    } else {
        ShowID3v1Fields();
    }
    if (importID3v2 || (!Engine.HasID3v2() && validImport)) {
        ClearID3v2Fields();
        ImportToID3v2Fields(ItemImportName(i));
        StoreID3v2Fields();
    } else {
        ShowID3v2Fields();
    }
    return true;
}

void TMainForm::RenameItem(int i)
{
    TrimAllFields();
    const std::string stem = RenameStem(Latin1Bytes(RenScheme->currentText()), ReadEditorFields(*this),
                                        FiltersForm->RenameFilterList());
    const QString question = QStringLiteral("Old filename:\n") + DisplayName(ListModel->Row(i).Caption)
        + QStringLiteral("\n\nNew filename:\n") + QString::fromLatin1(stem);
    if (ConfirmOnRename->isChecked() && !ConfirmYesNo(QStringLiteral("Rename"), question))
        return;
    RenameItemFile(stem, i);
}

bool TMainForm::RenameItemFile(const std::string& stem, int i)
{
    const auto newName = NewFileName(stem, ItemImportName(i));
    if (!newName) {
        ShowError(RenameErrorText(QString::fromLatin1(stem)));
        return false;
    }
    // The name is made of Latin-1 text from the tags; on disk it is in the file system's encoding.
    const QByteArray diskName = QFile::encodeName(QString::fromLatin1(*newName));
    return RenameItemTo(i, diskName.toStdString(), SaveOnRen->isChecked());
}

bool TMainForm::RenameItemTo(int i, const std::string& newName, bool saveTags)
{
    const std::string directory = ItemDirectory(i);
    const std::string oldName = ListModel->Row(i).Caption;
    if (newName != oldName) {
        const RenameResult result = RenameWithoutReplacing(directory + oldName, directory + newName);
        if (result != RenameResult::Renamed) {
            const QString shownName = DisplayName(newName);
            ShowError(result == RenameResult::NameTaken ? NameTakenText(shownName) : RenameErrorText(shownName));
            return false;
        }
        Listed.Rename(directory, oldName, newName);
        Shown.Renamed(directory + oldName, directory + newName);
        ListModel->SetCaption(i, newName);
    }
    if (saveTags)
        SaveItemTags(i);
    return true;
}

void TMainForm::UndoRenameMIClick()
{
    if (RowCount() == 0)
        return;
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty()) {
        ShowMessage(NoneSelected);
        return;
    }
    const bool batch = selected.size() > 1;
    if (batch && !ConfirmAction(QStringLiteral("Restore original filename for ALL selected MP3s?\n")))
        return;
    TakeCurrentItem(selected);

    // The exact name the file had when it was added, and no tags written: an undo changes names only.
    Engine.Close();
    RenameItemTo(LoadedIndex, ItemOriginalName(LoadedIndex), false);
    DeselectRow(LoadedIndex);
    if (batch)
        ForEachSelectedItem([this](int i) { RenameItemTo(i, ItemOriginalName(i), false); });
    else if (LoadedIndex < RowCount() - 1)
        ++LoadedIndex;
    FinishCommand(*UndoRenameBtn);
}

void TMainForm::HelpBtnClick()
{
    ShowMessage(QString::fromLatin1(MacroHelpText.data(), static_cast<qsizetype>(MacroHelpText.size())),
                QString::fromLatin1(MacroHelpCaption.data(), static_cast<qsizetype>(MacroHelpCaption.size())));
}
