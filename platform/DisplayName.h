#pragma once

#include <QtCore/QString>

#include <string>

// How a file or directory name (the file system's bytes) is shown. Names are UTF-8 on this desktop;
// a name that is not (a Latin-1 "Café.mp3" copied from an old disc) is shown as Latin-1, which keeps
// it readable where decoding as UTF-8 would show replacement marks. Only for display: files are always
// opened with their bytes.
QString DisplayName(const std::string& name);

// The file system's bytes of a path shown as text, such as one the folder chooser returns. Each part of the path is
// the name it shows, so a name that is not UTF-8, which shows with a replacement mark, is found by listing its
// folder for the name that shows so. The plain encoding when no such name exists.
std::string FileSystemPath(const QString& shown);
