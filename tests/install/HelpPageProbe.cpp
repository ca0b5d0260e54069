// Prints where the program would open its help page: for the directory given, or, without one, for the
// directory this probe runs from, found the way the program finds its own.
#include "HelpPage.h"

#include <QtCore/QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString directory =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + QLatin1Char('/');
    std::puts(HelpPagePath(directory).toLocal8Bit().constData());
    return 0;
}
