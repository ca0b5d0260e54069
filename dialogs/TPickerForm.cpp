#include "TPickerForm.h"

#include "FileMask.h"
#include "NameItem.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtWidgets/QApplication>

#include <array>
#include <filesystem>

namespace {

struct FileType {
    const char* Caption;
    const char* Mask;
};

constexpr std::array<FileType, 4> FileTypes = {{{"MP? Files", MP3Mask.data()},
                                                {"MP2 Files", "*.MP2"},
                                                {"MP3 Files", "*.MP3"},
                                                {"All Files (*.*)", "*.*"}}};

QString CountText(int count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" file") : QStringLiteral(" files"));
}

// The hourglass while a loop over the files runs; the cursor shown before comes back afterwards.
class HourglassCursor {
public:
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
};

// Absolute, without "." or ".." and without a trailing "/" but for the root.
std::string CleanDirectory(const std::string& directory)
{
    std::string clean = std::filesystem::absolute(directory).lexically_normal().native();
    if (clean.size() > 1 && clean.ends_with('/'))
        clean.pop_back();
    return clean;
}

} // namespace

TPickerForm::TPickerForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
    for (const FileType& type : FileTypes)
        Filter->addItem(QString::fromLatin1(type.Caption), QByteArray(type.Mask));
    connect(DriveList, &QComboBox::activated, this, &TPickerForm::DriveListChange);
    connect(DirList, &DirectoryTree::DirectoryChanged, this, &TPickerForm::DirListChange);
    connect(Filter, &QComboBox::currentIndexChanged, this, &TPickerForm::FilterChange);
    connect(Add1, &QAbstractButton::clicked, this, &TPickerForm::Add1Click);
    connect(AddAll, &QAbstractButton::clicked, this, &TPickerForm::AddAllClick);
    connect(Remove1, &QAbstractButton::clicked, this, &TPickerForm::Remove1Click);
    connect(RemoveAll, &QAbstractButton::clicked, this, &TPickerForm::RemoveAllClick);
    ReadDrives();
    ShowDirectory(CleanDirectory(QFile::encodeName(QDir::homePath()).toStdString()));
}

void TPickerForm::Prepare()
{
    SelectedDirectories.clear();
    SelectedPaths.clear();
    Selected->clear();
    ShowChosenCount();
    // A disc mounted since the last use is offered too.
    ReadDrives();
    ShowDirectory(DirList->Directory());
}

void TPickerForm::SetDirectory(const std::string& directory)
{
    std::error_code unreadable;
    if (std::filesystem::is_directory(directory, unreadable))
        ShowDirectory(CleanDirectory(directory));
}

bool TPickerForm::IsAlreadySelected(const std::string& directory, const std::string& name) const
{
    return SelectedPaths.contains(directory + name);
}

std::vector<std::string> TPickerForm::SelectedNames() const
{
    std::vector<std::string> names;
    for (int row = 0; row < Selected->count(); ++row)
        names.push_back(ItemName(*Selected->item(row)));
    return names;
}

void TPickerForm::ReadDrives()
{
    Drives = AvailableDrives();
    DriveList->clear();
    for (const Drive& drive : Drives)
        DriveList->addItem(drive.Caption);
}

// DirList is read anew, and FileList with it.
void TPickerForm::ShowDirectory(const std::string& directory)
{
    const std::size_t drive = ClosestDrive(Drives, directory);
    DriveList->setCurrentIndex(static_cast<int>(drive));
    DirList->Show(Drives[drive].Root, directory);
}

// The root already ends in "/"; it must not become "//", or the same file would be chosen twice
// under two directory texts.
std::string TPickerForm::FileListDirectory() const
{
    const std::string& directory = FileList->Directory();
    return directory.ends_with('/') ? directory : directory + '/';
}

void TPickerForm::Choose(int fileRow)
{
    const std::string directory = FileListDirectory();
    const std::string name = FileList->Name(fileRow);
    if (!SelectedPaths.insert(directory + name).second)
        return;
    Selected->addItem(NewNameItem(name));
    SelectedDirectories.push_back(directory);
}

void TPickerForm::ShowChosenCount()
{
    SelectedLbl->setText(CountText(Selected->count()));
}

void TPickerForm::DriveListChange(int index)
{
    const std::string& root = Drives[static_cast<std::size_t>(index)].Root;
    DirList->Show(root, root);
}

void TPickerForm::DirListChange()
{
    FileList->SetDirectory(DirList->Directory());
    ShownLbl->setText(CountText(FileList->count()));
}

// The count follows the mask too, not only the directory.
void TPickerForm::FilterChange()
{
    FileList->SetMask(Filter->currentData().toByteArray().toStdString());
    ShownLbl->setText(CountText(FileList->count()));
}

void TPickerForm::Add1Click()
{
    for (int row = 0; row < FileList->count(); ++row)
        if (FileList->item(row)->isSelected())
            Choose(row);
    ShowChosenCount();
}

void TPickerForm::AddAllClick()
{
    const HourglassCursor hourglass;
    for (int row = 0; row < FileList->count(); ++row)
        Choose(row);
    ShowChosenCount();
}

void TPickerForm::Remove1Click()
{
    for (int row = Selected->count() - 1; row >= 0; --row)
        if (Selected->item(row)->isSelected()) {
            SelectedPaths.erase(SelectedDirectories[static_cast<std::size_t>(row)] + ItemName(*Selected->item(row)));
            delete Selected->takeItem(row);
            SelectedDirectories.erase(SelectedDirectories.begin() + row);
        }
    ShowChosenCount();
}

void TPickerForm::RemoveAllClick()
{
    const HourglassCursor hourglass;
    Selected->clear();
    SelectedDirectories.clear();
    SelectedPaths.clear();
    ShowChosenCount();
}
