// Saving: the editor's tags into one file, the Save button for the loaded row or for every selected row, and the
// end the tag commands share.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorMessages.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

namespace {

const QString ImportSchemeMissing = QStringLiteral("Can't save multiple ID3s without having an import scheme!");

} // namespace

bool TMainForm::SaveItemTags(int i, const FileTags& tags)
{
    return ReportWrite(i, SaveTags(ItemPath(i), tags, EnabledVersions(), Writing()));
}

bool TMainForm::ReportWrite(int i, const WriteResult& result, const QString& unreadableError)
{
    if (result.Row)
        RefreshListItem(i, *result.Row);
    if (!result.Failed())
        return true;
    const QString path = DisplayName(ItemPath(i));
    // One box for each tag that could not be written, or one for a file that could not be read at all.
    if (!result.ID3v1Failed && !result.ID3v2Failed)
        ShowError(unreadableError + path);
    for (const bool failed : {result.ID3v1Failed, result.ID3v2Failed})
        if (failed)
            ShowError(SaveErrorText + path);
    Selected3->viewport()->update();
    return false;
}

void TMainForm::SaveBtnClick()
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty() || (!ID3v1CB->isChecked() && !ID3v2CB->isChecked()))
        return;
    const bool batch = selected.size() > 1;
    if (batch && !ConfirmBatchSave())
        return;
    if (LoadedIndex < 0)
        LoadedIndex = selected.first();

    StoreFields();
    // A failed single save keeps the user's edits on screen, so that they can be saved again.
    if (!SaveItemTags(LoadedIndex, Loaded) && !batch)
        return;
    const bool advance = OptionsForm->AutoAdvanceSave->isChecked();
    if (advance)
        DeselectRow(LoadedIndex);
    if (batch)
        ForEachSelectedItem([this](int i) { ImportItemTags(i); });
    else if (advance && LoadedIndex < RowCount() - 1)
        ++LoadedIndex;
    FinishCommand(*SaveBtn);
}

bool TMainForm::ConfirmBatchSave()
{
    const QString text = AllSelectedQuestion(QStringLiteral("Save ID3 tags for ALL selected MP3s based on import scheme"),
                                             {{IgnoreID3->isChecked(), QStringLiteral("ID3 tags are being ignored")},
                                              {true, QStringLiteral("ID3 tags are being imported (if not found)")},
                                              {ID3v1CB->isChecked(), QStringLiteral("Applies to ID3v1 tag")},
                                              {ID3v2CB->isChecked(), QStringLiteral("Applies to ID3v2 tag")}});
    if (!ConfirmAction(text))
        return false;
    if (!ImportSchemeValid()) {
        ShowMessage(ImportSchemeMissing);
        return false;
    }
    return true;
}

// The enabled tags of row i that are missing (or all of them, when tags are ignored) made from its name.
void TMainForm::ImportItemTags(int i)
{
    ReportWrite(i, SaveTagsFromName(ItemPath(i), ItemImportName(i), *CurrentImport(), EnabledVersions(),
                                    IgnoreID3->isChecked(), Writing()));
}

void TMainForm::FinishCommand(const QWidget& ownButton)
{
    if (LoadedIndex < 0 || LoadedIndex >= RowCount())
        return;
    const QModelIndex row = ListModel->index(LoadedIndex, 0);
    QItemSelectionModel& selection = *Selected3->selectionModel();
    selection.select(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection.setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    Selected3->scrollTo(row);
    // A clicked button hands the keyboard to the list; Enter in a field leaves the cursor where it was. Asked of
    // the window, not of the desktop: a box that has just closed may leave the window not yet active again.
    if (focusWidget() == &ownButton)
        Selected3->setFocus();
    LoadCurrentItem();
    Selected3->viewport()->update();
}
