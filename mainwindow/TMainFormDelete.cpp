// Removing tags: Delete ID3 for the loaded row or every selected row, and the two single-tag buttons.
#include "TMainForm.h"

#include "DisplayName.h"
#include "EditorMessages.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

#include <QtWidgets/QApplication>

namespace {

// The Tag of DeleteID3v1Btn; DeleteID3v2Btn has 2.
constexpr int ID3v1ButtonTag = 1;

const QString NothingEnabled = QStringLiteral("Cannot delete without enabling either ID3v1 or ID3v2 editing!");

QString BatchDeleteText(bool id3v1, bool id3v2)
{
    QString text = QStringLiteral("Delete ID3 tags of ALL selected MP3s\n");
    if (id3v1)
        text += QStringLiteral("  * Applies to ID3v1 tag\n");
    if (id3v2)
        text += QStringLiteral("  * Applies to ID3v2 tag\n");
    return text;
}

// Points the engine at the file as it is on disk now, so that only its own tags are cut. Both tags whole: the row
// shows the title of a tag that stays. False when the file cannot be read.
bool ReadForDelete(TMP3File& engine, const std::string& path)
{
    engine.Reset();
    engine.SetFileName(path);
    return engine.ReadTags();
}

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
    if (batch && !ConfirmAction(BatchDeleteText(ID3v1CB->isChecked(), ID3v2CB->isChecked())))
        return;

    SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool allRead = true;
    for (int i : selected)
        allRead = DeleteItemTags(i) && allRead;
    RestoreScreenCursor();
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
    // Its row stays as it was and selected, so the user sees which file was not done.
    if (!ReadForDelete(Engine, path)) {
        ShowError(ReadErrorText + DisplayName(path));
        return false;
    }
    if (ID3v1CB->isChecked() && !Engine.DeleteID3v1())
        ShowMessage(DisplayName(path) + QStringLiteral("\n\nCould not delete ID3v1 tag!"));
    if (ID3v2CB->isChecked() && !Engine.DeleteID3v2())
        ShowMessage(DisplayName(path) + QStringLiteral("\n\nCould not delete ID3v2 tag!"));
    RefreshListItem(i);
    Engine.Close();
    DeselectRow(i);
    return true;
}

void TMainForm::DeleteID3BtnClick(int tag)
{
    if (LoadedIndex < 0 || LoadedIndex >= RowCount())
        return;
    const bool single = SelectedRows().size() == 1;
    const bool id3v1 = tag == ID3v1ButtonTag;
    // The engine may have been pointed at another file since the editor loaded this one (an export, the file
    // information), and another program may have rewritten the file since.
    const std::string path = ItemPath(LoadedIndex);
    if (!ReadForDelete(Engine, path)) {
        ShowError(ReadErrorText + DisplayName(path));
        return;
    }
    if (id3v1 && !Engine.DeleteID3v1())
        ShowMessage(QStringLiteral("Error deleting ID3v1 tag!"));
    if (!id3v1 && !Engine.DeleteID3v2())
        ShowMessage(QStringLiteral("Error deleting ID3v2 tag!"));
    RefreshListItem(LoadedIndex);
    Engine.Close();

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
