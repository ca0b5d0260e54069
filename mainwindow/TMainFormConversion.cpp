// Copying between the two tag versions: the editor's copy buttons and the commands that create one tag from the other.
#include "TMainForm.h"

#include "DisplayName.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "TOptionsForm.h"

namespace {

const QString CreateID3v1Question = QStringLiteral(
    "Generate ID3v1 tags from ID3v2 tags?\n  * MP3s WITH ID3v1 tags or WITHOUT ID3v2 tags are ignored\n");
const QString CreateID3v2Question = QStringLiteral(
    "Generate ID3v2 tags from ID3v1 tags?\n  * MP3s WITHOUT ID3v1 tags or WITH ID3v2 tags are ignored\n");

} // namespace

void TMainForm::v1tov2BtnClick()
{
    StoreFields();
    CopyID3v1ToID3v2(Loaded, PadTrack->isChecked());
    Editor->Show(Loaded, TagVersion::ID3v2, PadTrack->isChecked());
}

void TMainForm::v2tov1BtnClick()
{
    StoreFields();
    CopyID3v2ToID3v1(Loaded, PadTrack->isChecked());
    Editor->Show(Loaded, TagVersion::ID3v1, PadTrack->isChecked());
}

void TMainForm::CreateID3v1Click()
{
    CreateForSelectedItems(CreateID3v1Question, &CreateID3v1FromID3v2);
}

void TMainForm::CreateID3v2Click()
{
    CreateForSelectedItems(CreateID3v2Question, &CreateID3v2FromID3v1);
}

void TMainForm::CreateForSelectedItems(const QString& question, WriteResult (*create)(const std::string&, WriteOptions))
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty() || !ConfirmAction(question))
        return;
    RunWaiting([&] {
        for (const int i : selected) {
            const WriteResult result = create(ItemPath(i), Writing());
            if (result.Row)
                RefreshListItem(i, *result.Row);
            // The box names the file as the list does.
            if (result.Failed())
                ShowError(SaveErrorText + DisplayName(ListModel->Row(i).Caption));
        }
        Selected3->viewport()->update();
        if (LoadedIndex >= 0)
            LoadCurrentItem();
    });
    if (selected.size() > 1)
        OptionsForm->EndOfJobBeep();
}
