// Adding files to the list: the two Add commands, the files and folders given from outside, and the step that
// reads one file into a row.
#include "TMainForm.h"

#include "DisplayName.h"
#include "FileMask.h"
#include "ListRow.h"
#include "MP3ListModel.h"
#include "MessageBoxes.h"
#include "TLoadingForm.h"
#include "TPickerForm.h"

#include <QtCore/QStringList>

#include <filesystem>
#include <sys/stat.h>

namespace {

// A path given relative to the working directory made absolute, since the rows must name their files for good;
// "." parts are left out.
std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path absolute;
    for (const std::filesystem::path& part : std::filesystem::absolute(path, error))
        if (part != ".")
            absolute /= part;
    return absolute.native();
}

// Why a path given from outside is not loaded; empty for a folder and for an MP3 file as a folder's walk takes
// them (a regular file, or a link to one, under the MP3 mask).
QString Refusal(const std::string& path)
{
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0)
        return QStringLiteral("not found");
    if (S_ISDIR(info.st_mode) || (S_ISREG(info.st_mode) && MatchesFileMask(path.substr(path.rfind('/') + 1), MP3Mask)))
        return {};
    return QStringLiteral("not an MP3 file");
}

} // namespace

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

void TMainForm::AddPaths(const std::vector<std::string>& paths)
{
    LoadingForm->PathList.clear();
    QStringList refused;
    for (const std::string& given : paths) {
        const std::string path = AbsolutePath(given);
        const QString refusal = Refusal(path);
        if (refusal.isEmpty())
            LoadingForm->PathList.push_back(path);
        else
            refused << DisplayName(given) + QStringLiteral(" (") + refusal + QLatin1Char(')');
    }
    if (!LoadingForm->PathList.empty()) {
        LoadingForm->LoadMode = TLoadingForm::PathListMode;
        LoadingForm->exec();
    }
    if (!refused.isEmpty())
        ShowMessage(QStringLiteral("Not added to the list:\n") + refused.join(QLatin1Char('\n')));
}

bool TMainForm::AddListItem(const std::string& directory, const std::string& name)
{
    std::string key = Listed.Key(directory, name);
    if (Listed.Contains(key))
        return false;
    std::optional<ListRow> row = ReadListRow(directory, name);
    if (!row)
        return false;
    Listed.Insert(std::move(key));
    std::vector<ListRow> rows;
    rows.push_back(std::move(*row));
    ListModel->Append(std::move(rows));
    return true;
}
