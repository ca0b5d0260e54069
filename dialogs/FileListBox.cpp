#include "FileListBox.h"

#include "DirectoryEntries.h"
#include "FileMask.h"
#include "NameItem.h"

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
    , Mask(MP3Mask)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileListBox::SetDirectory(const std::string& directory)
{
    ShownDirectory = directory;
    Reread();
}

void FileListBox::SetMask(const std::string& mask)
{
    Mask = mask;
    Reread();
}

std::string FileListBox::Name(int row) const
{
    return ItemName(*item(row));
}

void FileListBox::Reread()
{
    clear();
    for (const std::string& name : MatchingFiles(ShownDirectory, Mask))
        addItem(NewNameItem(name));
}
