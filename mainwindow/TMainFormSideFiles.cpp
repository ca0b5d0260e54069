// Side files: one tag of every selected file copied into "<name>.id1" or "<name>.id2" in a folder the user chooses.
#include "TMainForm.h"

#include "DisplayName.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "SideFiles.h"
#include "TOptionsForm.h"

#include <filesystem>

void TMainForm::WriteID3Click(TagVersion version)
{
    const QList<int> selected = SelectedRows();
    if (selected.isEmpty())
        return;
    BrowseDlg.Title = QStringLiteral("Choose a destination directory");
    std::error_code error;
    if (!BrowseDlg.Execute(this) || !std::filesystem::is_directory(BrowseDlg.Selection, error))
        return;
    std::string directory = BrowseDlg.Selection;
    if (!directory.ends_with('/'))
        directory += '/';

    RunWaiting([&] {
        for (int i : selected) {
            const std::string sidePath = SideFilePath(directory, ListModel->Row(i).Caption, version);
            // A file without the tag, or gone, has nothing to copy and is passed over without a message.
            if (WriteSideFile(ItemPath(i), sidePath, version) == SideFileResult::Failed)
                ShowMessage(QStringLiteral("Error saving file:\n") + DisplayName(sidePath));
        }
    });
    OptionsForm->EndOfJobBeep();
}
