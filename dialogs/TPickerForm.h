#pragma once

#include "ui_PickerForm.h"

#include "Drives.h"

#include <QtWidgets/QDialog>

#include <string>
#include <unordered_set>
#include <vector>

// The file picker: collects MP3 files from several directories for the list. Directories and names
// are the file system's bytes, shown decoded; a chosen file's path is its directory (ending in "/")
// followed by its name.
class TPickerForm : public QDialog, public Ui::PickerForm {
    Q_OBJECT

public:
    explicit TPickerForm(QWidget* parent = nullptr);

    // Before each opening: nothing chosen, "0 files", the tree and the file list read anew.
    void Prepare();
    // Makes the directory current in DirList; FileList follows. Nothing happens when it is not a directory.
    void SetDirectory(const std::string& directory);
    bool IsAlreadySelected(const std::string& directory, const std::string& name) const;

    // The chosen files, entry i of each being the same file.
    std::vector<std::string> SelectedNames() const;
    std::vector<std::string> SelectedDirectories;

private:
    void ReadDrives();
    void ShowDirectory(const std::string& directory);
    std::string FileListDirectory() const;
    void Choose(int fileRow);
    void ShowChosenCount();

    void DriveListChange(int index);
    void DirListChange();
    void FilterChange();
    void Add1Click();
    void AddAllClick();
    void Remove1Click();
    void RemoveAllClick();

    std::vector<Drive> Drives;
    // The chosen files' paths, so a choice of thousands of files tests each one in constant time.
    std::unordered_set<std::string> SelectedPaths;
};
