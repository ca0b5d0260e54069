#pragma once

#include "ui_LoadingForm.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>
#include <QtWidgets/QDialog>

#include <string>
#include <vector>

class TMainForm;

// The "Please Wait..." dialog that loads files into the list. Shown modally, it starts the load from a
// one-shot timer once it is up, runs the whole load in that one timer event, and closes itself.
class TLoadingForm : public QDialog, public Ui::LoadingForm {
    Q_OBJECT

public:
    enum Mode { FileListMode, DirectoryMode, PathListMode };

    explicit TLoadingForm(TMainForm& mainForm);

    // Set by the caller before showing the dialog. In FileListMode, entry i of the two lists is one file
    // (directory ending in "/", name); in DirectoryMode the tree under the main window's chosen folder is
    // scanned; in PathListMode each entry of PathList (absolute) is scanned when it is a folder and added when
    // it is a file, in turn.
    Mode LoadMode = FileListMode;
    std::vector<std::string> DirectoryList;
    std::vector<std::string> NameList;
    std::vector<std::string> PathList;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void TimerTimer();
    void LoadFileList();
    void ScanDirectory(const std::string& directory);
    void LoadPathList();
    // One file of a load whose size is not known beforehand: the gauge cycles.
    void AddFile(const std::string& directory, const std::string& name);
    void Advance(int step, int wrap);
    void ShowProgress();

    TMainForm& MainForm;
    QTimer Timer;
    int Progress = 0;
    std::size_t FilesFound = 0;
    // Painting the gauge and the new rows costs more than reading a file, so it happens at most this often.
    QElapsedTimer SinceShown;
};
