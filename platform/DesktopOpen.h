#pragma once

#include <QtCore/QUrl>

#include <string>

// Hands a file or an address to the program the desktop associates with it (player, browser, mail).
// Whether one was found is not reported: a file nothing can open simply stays unopened.
void OpenWithDesktop(const QUrl& url);
// The file URL of a path exactly as its bytes are, percent-encoded, so a name that is not UTF-8 still
// reaches the same file.
QUrl FileUrl(const std::string& path);
