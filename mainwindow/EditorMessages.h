#pragma once

#include <QtCore/QString>

// The error boxes of reading and writing a file's tags, followed by the file's path or name.
inline const QString ReadErrorText = QStringLiteral("Error opening MP3 File (file no longer exists?)\n\n");
inline const QString SaveErrorText = QStringLiteral("Error saving MP3 File (file no longer exists?)\n\n");
