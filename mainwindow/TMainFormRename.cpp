// Names: renaming the current file or every selected file from its tags by the rename scheme, undoing renames,
// and the list of macros.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EngineText.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "NewFileName.h"
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
    const QString question = AllSelectedQuestion(
        QStringLiteral("Rename ALL selected MP3s based on their ID3 tags."),
        {{IgnoreID3->isChecked(), QStringLiteral("ID3 tags are being ignored")},
         {UseImport->isChecked(), QStringLiteral("Filename is generated when no ID3 tag found")}});
    if (!single && !ConfirmAction(question))
        return;
    StoreFields();
    if (SaveOnRen->isChecked()
        || ConfirmYesNo(QStringLiteral("Notice"), QStringLiteral("Save current ID3 info before proceeding?")))
        SaveItemTags(LoadedIndex, Loaded);

    // The current file is renamed from the editor as it stands, never from the import scheme.
    TrimForRename(Loaded, PadTrack->isChecked());
    RenameItem(LoadedIndex, Loaded);
    const bool advance = OptionsForm->AutoAdvanceRename->isChecked();
    if (advance)
        DeselectRow(LoadedIndex);
    if (!single) {
        const std::optional<ImportSettings> import = CurrentImport();
        ForEachSelectedItem([&, this](int i) {
            FileTags tags = TagsForRename(ItemPath(i), ItemImportName(i), IgnoreID3->isChecked(), import,
                                          EnabledVersions());
            if (!tags.Readable()) {
                ShowError(ReadErrorText + DisplayName(ItemPath(i)));
                return;
            }
            TrimForRename(tags, false);
            RenameItem(i, tags);
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

RenameSettings TMainForm::CurrentRename() const
{
    return {ToEngineText(RenScheme->currentText()), FiltersForm->RenameFilterList(), PadTrack->isChecked(),
            EnabledVersions()};
}

void TMainForm::RenameItem(int i, FileTags& tags)
{
    const std::string stem = RenameStem(tags, CurrentRename());
    const QString question = QStringLiteral("Old filename:\n") + DisplayName(ListModel->Row(i).Caption)
        + QStringLiteral("\n\nNew filename:\n") + FromEngineText(stem);
    if (ConfirmOnRename->isChecked() && !ConfirmYesNo(QStringLiteral("Rename"), question))
        return;
    const auto newName = NewFileName(stem, ItemImportName(i));
    if (!newName) {
        ShowError(RenameErrorText(FromEngineText(RefusedFileName(stem, ItemImportName(i)))));
        return;
    }
    // The name is made of text from the tags; on disk it is in the file system's encoding.
    const QByteArray diskName = QFile::encodeName(FromEngineText(*newName));
    RenameItemTo(i, diskName.toStdString(), SaveOnRen->isChecked() ? &tags : nullptr);
}

bool TMainForm::RenameItemTo(int i, const std::string& newName, const FileTags* saveTags)
{
    const std::string directory = ItemDirectory(i);
    const std::string oldName = ListModel->Row(i).Caption;
    const RenameResult result = RenameFile(directory, oldName, newName);
    if (result != RenameResult::Renamed) {
        const QString shownName = DisplayName(newName);
        ShowError(result == RenameResult::NameTaken ? NameTakenText(shownName) : RenameErrorText(shownName));
        return false;
    }
    if (newName != oldName) {
        Listed.Rename(directory, oldName, newName);
        ListModel->SetCaption(i, newName);
    }
    if (saveTags)
        SaveItemTags(i, *saveTags);
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
    RenameItemTo(LoadedIndex, ItemOriginalName(LoadedIndex), nullptr);
    DeselectRow(LoadedIndex);
    if (batch)
        ForEachSelectedItem([this](int i) { RenameItemTo(i, ItemOriginalName(i), nullptr); });
    else if (LoadedIndex < RowCount() - 1)
        ++LoadedIndex;
    FinishCommand(*UndoRenameBtn);
}

void TMainForm::HelpBtnClick()
{
    ShowMessage(FromEngineText(MacroHelpText), FromEngineText(MacroHelpCaption));
}
