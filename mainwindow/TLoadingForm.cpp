#include "TLoadingForm.h"

#include "DirectoryScan.h"
#include "TMainForm.h"

#include <QtCore/QCoreApplication>

#include <algorithm>
#include <filesystem>

namespace {

constexpr int TimerInterval = 10;
constexpr int LabelPixelHeight = 19;
constexpr qint64 RepaintInterval = 50;
// The gauge cycles through this many steps while a tree is scanned: its size is not known beforehand.
constexpr int CycleLength = 100;
constexpr std::size_t FilesPerCycleStep = 3;

} // namespace

TLoadingForm::TLoadingForm(TMainForm& mainForm)
    : QDialog(&mainForm)
    , MainForm(mainForm)
{
    setupUi(this);
    QFont large = Label1->font();
    large.setPixelSize(LabelPixelHeight);
    Label1->setFont(large);
    Timer.setObjectName(QStringLiteral("Timer"));
    Timer.setInterval(TimerInterval);
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &TLoadingForm::TimerTimer);
}

void TLoadingForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Timer.start();
}

void TLoadingForm::TimerTimer()
{
    Progress = 0;
    FilesFound = 0;
    ProgressBar->setRange(0, CycleLength);
    ProgressBar->setValue(Progress);
    ProgressBar->setTextVisible(false);
    SinceShown.start();
    if (LoadMode == FileListMode)
        LoadFileList();
    else if (LoadMode == DirectoryMode)
        ScanDirectory(MainForm.BrowseDlg.Selection);
    else
        LoadPathList();
    ProgressBar->setValue(Progress);
    OKBtn->click();
}

void TLoadingForm::LoadFileList()
{
    const int count = static_cast<int>(NameList.size());
    const int step = count < 200 ? 2 : count / 100;
    ProgressBar->setRange(0, std::max(1, count / step));
    ProgressBar->setTextVisible(true);
    for (int i = 0; i < count; ++i) {
        if (i % step == 0)
            Advance(1, 0);
        MainForm.AddListItem(DirectoryList[static_cast<std::size_t>(i)], NameList[static_cast<std::size_t>(i)]);
    }
}

void TLoadingForm::ScanDirectory(const std::string& directory)
{
    ::ScanDirectory(directory, [this](const std::string& folder, const std::string& name) { AddFile(folder, name); });
}

void TLoadingForm::LoadPathList()
{
    for (const std::string& path : PathList) {
        std::error_code unreadable;
        if (std::filesystem::is_directory(path, unreadable)) {
            ScanDirectory(path);
            continue;
        }
        // An absolute path: its directory is everything up to the last "/".
        const std::size_t nameStart = path.rfind('/') + 1;
        AddFile(path.substr(0, nameStart), path.substr(nameStart));
    }
}

void TLoadingForm::AddFile(const std::string& directory, const std::string& name)
{
    if (++FilesFound % FilesPerCycleStep == 0)
        Advance(1, CycleLength);
    MainForm.AddListItem(directory, name);
}

// Moves the gauge on by step, starting again from 0 at wrap when wrap is not 0.
void TLoadingForm::Advance(int step, int wrap)
{
    Progress += step;
    if (wrap)
        Progress %= wrap;
    if (SinceShown.elapsed() >= RepaintInterval)
        ShowProgress();
}

void TLoadingForm::ShowProgress()
{
    // The gauge repaints itself at once whenever its value changes, so it is told only this often. The load
    // runs inside one event: let the gauge and the rows that came in paint, but take no input.
    ProgressBar->setValue(Progress);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SinceShown.restart();
}
