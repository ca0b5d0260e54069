// Adding files to the list: the two Add commands and the step that reads one file into a row.
#include "TMainForm.h"

#include "ListRow.h"
#include "MP3ListModel.h"
#include "TLoadingForm.h"
#include "TPickerForm.h"

#include <filesystem>

void TMainForm::AddFilesMIClick()
{
    PickerForm->Prepare();
    if (PickerForm->exec() != QDialog::Accepted)
        return;
    LoadingForm->LoadMode = TLoadingForm::FileListMode;
    LoadingForm->DirectoryList = PickerForm->SelectedDirectories;
    LoadingForm->NameList = PickerForm->SelectedNames();
    LoadingForm->exec();
}

void TMainForm::AddDirectoryMIClick()
{
    BrowseDlg.Title = QStringLiteral("Choose a source directory");
    const std::string remembered = BrowseDlg.Selection;
    std::error_code error;
    if (BrowseDlg.Execute(this) && std::filesystem::is_directory(BrowseDlg.Selection, error)) {
        LoadingForm->LoadMode = TLoadingForm::DirectoryMode;
        LoadingForm->exec();
        return;
    }
    BrowseDlg.Selection = remembered;
}

bool TMainForm::AddListItem(const std::string& directory, const std::string& name)
{
    if (IsInList(directory, name))
        return false;
    std::optional<ListRow> row = ReadListRow(directory, name);
    if (!row)
        return false;
    Listed.Insert(directory, name);
    std::vector<ListRow> rows;
    rows.push_back(std::move(*row));
    ListModel->Append(std::move(rows));
    return true;
}

bool TMainForm::IsInList(const std::string& directory, const std::string& name) const
{
    return Listed.Contains(directory, name);
}
