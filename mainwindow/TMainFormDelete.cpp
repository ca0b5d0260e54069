// Removing tags: Delete ID3 for the loaded row or every selected row, and the two single-tag buttons.
#include "TMainForm.h"

#include "DisplayName.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

namespace {

const QString NothingEnabled = QStringLiteral("Cannot delete without enabling either ID3v1 or ID3v2 editing!");

} // namespace

void TMainForm::DeleteBtnClick()
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty())
        return;
    if (!ID3v1CB->isChecked() && !ID3v2CB->isChecked()) {
        ShowMessage(NothingEnabled);
        return;
    }
    const bool batch = selected.size() > 1;
    const QString question = AllSelectedQuestion(QStringLiteral("Delete ID3 tags of ALL selected MP3s"),
                                                 {{ID3v1CB->isChecked(), QStringLiteral("Applies to ID3v1 tag")},
                                                  {ID3v2CB->isChecked(), QStringLiteral("Applies to ID3v2 tag")}});
    if (batch && !ConfirmAction(question))
        return;

    bool allRead = true;
    RunWaiting([&] {
        for (int i : selected)
            allRead = DeleteItemTags(i) && allRead;
    });
    // The file that could not be read has had its message; showing it in the editor would repeat it.
    if (!batch && !allRead)
        return;

    if (batch) {
        OptionsForm->EndOfJobBeep();
        LoadedIndex = 0;
    } else if (LoadedIndex < RowCount() - 1 && OptionsForm->AutoAdvanceDelete->isChecked()) {
        ++LoadedIndex;
    }
    FinishCommand(*DeleteBtn);
}

bool TMainForm::DeleteItemTags(int i)
{
    const std::string path = ItemPath(i);
    const WriteResult result = DeleteTags(path, EnabledVersions(), Writing());
    // Its row stays as it was and selected, so the user sees which file was not done.
    if (!result.Readable) {
        ShowError(ReadErrorText + DisplayName(path));
        return false;
    }
    if (result.ID3v1Failed)
        ShowMessage(DisplayName(path) + QStringLiteral("\n\nCould not delete ID3v1 tag!"));
    if (result.ID3v2Failed)
        ShowMessage(DisplayName(path) + QStringLiteral("\n\nCould not delete ID3v2 tag!"));
    RefreshListItem(i, *result.Row);
    DeselectRow(i);
    return true;
}

void TMainForm::DeleteID3BtnClick(TagVersion version)
{
    if (LoadedIndex < 0 || LoadedIndex >= RowCount())
        return;
    const bool single = SelectedRows().size() == 1;
    const bool id3v1 = version == TagVersion::ID3v1;
    // Asked of the file as it is on disk now: another program may have rewritten it since the editor read it.
    const std::string path = ItemPath(LoadedIndex);
    const WriteResult result = DeleteTags(path, {id3v1, !id3v1}, Writing());
    if (!result.Readable) {
        ShowError(ReadErrorText + DisplayName(path));
        return;
    }
    if (result.ID3v1Failed)
        ShowMessage(QStringLiteral("Error deleting ID3v1 tag!"));
    if (result.ID3v2Failed)
        ShowMessage(QStringLiteral("Error deleting ID3v2 tag!"));
    RefreshListItem(LoadedIndex, *result.Row);

    const bool advance = OptionsForm->AutoAdvanceDelete->isChecked();
    if (advance)
        DeselectRow(LoadedIndex);
    if (single) {
        if (advance && LoadedIndex < RowCount() - 1)
            ++LoadedIndex;
    } else if (const QList<int> selected = SelectedRows(); !selected.isEmpty()) {
        LoadedIndex = selected.first();
    }
    // Either delete button hands the keyboard to the list when it holds it.
    FinishCommand(DeleteID3v1Btn->hasFocus() ? *DeleteID3v1Btn : *DeleteID3v2Btn);
}
