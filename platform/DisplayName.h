#pragma once

#include <QtCore/QString>

#include <string>

// How a file or directory name (the file system's bytes) is shown. Names are UTF-8 on this desktop;
// a name that is not (a Latin-1 "Café.mp3" copied from an old disc) is shown as Latin-1, which keeps
// it readable where decoding as UTF-8 would show replacement marks. Only for display: files are always
// opened with their bytes.
QString DisplayName(const std::string& name);
