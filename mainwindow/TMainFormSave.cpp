// Saving: the editor's two halves into one file, the Save button for the loaded row or for every selected row,
// and the end the tag commands share.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorMessages.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

namespace {

const QString ImportSchemeMissing = QStringLiteral("Can't save multiple ID3s without having an import scheme!");

} // namespace

bool TMainForm::SaveID3v1Item(int i)
{
    const std::string path = ItemPath(i);
    Engine.Reset();
    Engine.SetFileName(path);
    TrimID3v1Fields();
    StoreID3v1Fields();
    if (!Engine.WriteID3v1Tag())
        return ReportSaveFailure(path);
    Engine.ReadID3v2();
    RefreshListItem(i);
    Engine.Close();
    return true;
}

bool TMainForm::SaveID3v2Item(int i)
{
    const std::string path = ItemPath(i);
    Engine.Reset();
    Engine.SetFileName(path);
    // The whole tag, so that the frames the editor does not show are written back as they were.
    if (!Engine.ReadID3v2())
        return ReportSaveFailure(path);
    StoreID3v2Fields();
    // Empty controls make no tag in a file that has none: nothing to write, and no rewrite of the file.
    if (!Engine.HasID3v2() && Engine.GetID3v2Frames().IsEmpty()) {
        Engine.Close();
        return true;
    }
    if (!Engine.WriteID3v2Tag())
        return ReportSaveFailure(path);
    Engine.ReadID3v1();
    RefreshListItem(i);
    Engine.Close();
    return true;
}

bool TMainForm::ReportSaveFailure(const std::string& path)
{
    Engine.Close();
    ShowError(SaveErrorText + DisplayName(path));
    Selected3->viewport()->update();
    return false;
}

bool TMainForm::SaveItemTags(int i)
{
    const bool savedID3v1 = !ID3v1CB->isChecked() || SaveID3v1Item(i);
    const bool savedID3v2 = !ID3v2CB->isChecked() || SaveID3v2Item(i);
    return savedID3v1 && savedID3v2;
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

    // A failed single save keeps the user's edits on screen, so that they can be saved again.
    if (!SaveItemTags(LoadedIndex) && !batch)
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
    QString text = QStringLiteral("Save ID3 tags for ALL selected MP3s based on import scheme\n");
    if (IgnoreID3->isChecked())
        text += QStringLiteral("  * ID3 tags are being ignored\n");
    text += QStringLiteral("  * ID3 tags are being imported (if not found)\n");
    if (ID3v1CB->isChecked())
        text += QStringLiteral("  * Applies to ID3v1 tag\n");
    if (ID3v2CB->isChecked())
        text += QStringLiteral("  * Applies to ID3v2 tag\n");
    if (!ConfirmAction(text))
        return false;
    if (!ImportSchemeValid()) {
        ShowMessage(ImportSchemeMissing);
        return false;
    }
    return true;
}

// The enabled tags of row i that are missing (or all of them, when tags are ignored) made from its name.
bool TMainForm::ImportItemTags(int i)
{
    const std::string path = ItemPath(i);
    Engine.Reset();
    Engine.SetFileName(path);
    // A file that vanished costs one message, not one per tag.
    if (!Engine.OpenRead())
        return ReportSaveFailure(path);
    const bool ignoreTags = IgnoreID3->isChecked();
    if (ID3v1CB->isChecked()) {
        Engine.ReadID3v1();
        if (!Engine.HasID3v1() || ignoreTags) {
            ClearID3v1Fields();
            ImportToID3v1Fields(ItemImportName(i));
            if (!SaveID3v1Item(i))
                return false;
        }
    }
    if (ID3v2CB->isChecked()) {
        Engine.ReadID3v2Header();
        if (!Engine.HasID3v2() || ignoreTags) {
            ClearID3v2Fields();
            ImportToID3v2Fields(ItemImportName(i));
            TrimID3v2Fields();
            return SaveID3v2Item(i);
        }
    }
    Engine.Close();
    return true;
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
