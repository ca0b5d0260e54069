#include "Forms.h"
#include "GuardedApplication.h"
#include "TMainForm.h"

#include <QtGui/QIcon>

#include <exception>

// The program reads nothing from its command line; the arguments go to the toolkit only.
int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    // Ties the windows to vellum-mp3.desktop, whose name and icon the desktop then shows for them.
    QGuiApplication::setDesktopFileName(QStringLiteral("vellum-mp3"));
    try {
        Forms forms;
        // The forms have registered the compiled-in images, the icon among them.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vellum-mp3.png")));
        forms.MainForm().show();
        return application.exec();
    } catch (const std::exception& error) {
        GuardedApplication::ShowFailure(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        GuardedApplication::ShowFailure(QStringLiteral("unknown error"));
    }
    return 1;
}
