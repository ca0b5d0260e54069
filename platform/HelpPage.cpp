#include "HelpPage.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

QString HelpPagePath(const QString& programDirectory)
{
    const QString beside = programDirectory + QStringLiteral("Help/help.htm");
    const QString installed =
        QDir::cleanPath(programDirectory + QStringLiteral("../share/vellum-mp3/Help/help.htm"));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}
