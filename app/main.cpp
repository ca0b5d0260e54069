#include "CommandLine.h"
#include "Forms.h"
#include "GuardedApplication.h"
#include "TMainForm.h"

#include <QtGui/QIcon>

#include <exception>

// vellum-mp3 [FILE|FOLDER]...: the window opens with the files and folders named in its list.
int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLUM_VERSION));
    if (const std::optional<int> status = AnswerHelpOrVersion(argc, argv))
        return *status;
    GuardedApplication application(argc, argv);
    const std::optional<std::vector<std::string>> paths = PathArguments(argc, argv);
    if (!paths)
        return EXIT_FAILURE;
    // Ties the windows to vellum-mp3.desktop, whose name and icon the desktop then shows for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("vellum-mp3"));
    try {
        Forms forms;
        // The forms have registered the compiled-in images, the icon among them.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vellum-mp3.png")));
        TMainForm& mainForm = forms.MainForm();
        mainForm.show();
        // Once the loop runs and the window is up, so the loading dialog shows over it.
        QMetaObject::invokeMethod(&mainForm, [&mainForm, &paths] { mainForm.AddPaths(*paths); }, Qt::QueuedConnection);
        return application.exec();
    } catch (const std::exception& error) {
        GuardedApplication::ShowFailure(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        GuardedApplication::ShowFailure(QStringLiteral("unknown error"));
    }
    return 1;
}
