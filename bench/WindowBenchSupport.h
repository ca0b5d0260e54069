#pragma once

// What the benchmarks that drive the real main window share: the process they run in, a folder listed through
// Add Directory, answering the boxes as a user would and selecting every row.
#include "BenchSupport.h"
#include "Forms.h"
#include "MP3ListModel.h"
#include "MP3ListView.h"
#include "TLoadingForm.h"
#include "TMainForm.h"

#include <QtCore/QSettings>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace bench {

// The application of a window benchmark: offscreen unless QT_QPA_PLATFORM names a platform, its settings file in a
// scratch directory under --dir (the temporary directory by default) that is removed at the end.
class WindowBenchProcess {
public:
    WindowBenchProcess(int& argc, char** argv)
        : Application(argc, argv)
        , Scratch(Option(argc, argv, "--dir", std::filesystem::temp_directory_path().string()))
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(Scratch.Get().string()));
    }

    const std::filesystem::path& Directory() const { return Scratch.Get(); }

private:
    // Before the application object exists, which picks the platform.
    struct OffscreenByDefault {
        OffscreenByDefault()
        {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    } Platform;
    QApplication Application;
    ScratchDirectory Scratch;
};

// The shown main window lists every MP3 file of the folder through Add Directory; it must list expectedRows.
inline void ListFolder(Forms& windows, const std::filesystem::path& folder, std::size_t expectedRows)
{
    TMainForm& main = windows.MainForm();
    main.BrowseDlg.Selection = folder.string();
    windows.LoadingForm().LoadMode = TLoadingForm::DirectoryMode;
    windows.LoadingForm().exec();
    if (main.ListModel->RowCount() != static_cast<int>(expectedRows))
        throw std::runtime_error("the list holds " + std::to_string(main.ListModel->RowCount()) + " rows");
}

// Yes to the command's confirmation, No to the question captioned noCaption (save the loaded file first?). Any
// other box is a failure report, answered and counted. The command's loop over the files starts with the last
// answer.
class BoxAnswerer {
public:
    int Failures = 0;
    Clock::time_point LastAnswer = Clock::now();

    explicit BoxAnswerer(const QString& noCaption)
    {
        QObject::connect(&Timer, &QTimer::timeout, [this, noCaption] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (box->text().startsWith(QStringLiteral("ACTION:")))
                box->button(QMessageBox::Yes)->click();
            else if (box->windowTitle() == noCaption)
                box->button(QMessageBox::No)->click();
            else
                ++Failures, box->buttons()[0]->click();
            LastAnswer = Clock::now();
        });
        Timer.start(0);
    }

private:
    QTimer Timer;
};

// Every listed file selected, the first one shown in the editor, as after a click and Ctrl+A.
inline void SelectAll(TMainForm& main)
{
    main.Selected3->selectionModel()->select(main.ListModel->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit main.Selected3->Clicked();
    main.Selected3->selectAll();
}

} // namespace bench
