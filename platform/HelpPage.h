#pragma once

#include <QtCore/QString>

// The help page of the program in programDirectory (ending in "/"): beside the program, else where an
// installation puts it; the first when neither exists, since a missing page is not reported.
QString HelpPagePath(const QString& programDirectory);
