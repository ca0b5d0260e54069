#include "Forms.h"
#include "GuardedApplication.h"
#include "TMainForm.h"

#include <exception>

// The program reads nothing from its command line; the arguments go to the toolkit only.
int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    try {
        Forms forms;
        forms.MainForm().show();
        return application.exec();
    } catch (const std::exception& error) {
        GuardedApplication::ShowFailure(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        GuardedApplication::ShowFailure(QStringLiteral("unknown error"));
    }
    return 1;
}
