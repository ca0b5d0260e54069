#pragma once

#include <QtCore/QUrl>

#include <string>

// Hands a file or an address to the program the desktop associates with it (player, browser, mail). False when
// the desktop had no way to open it (no launcher at all); a launcher that starts and then finds no program for
// the file is its own to report.
bool OpenWithDesktop(const QUrl& url);
// The file URL of a path exactly as its bytes are, percent-encoded, so a name that is not UTF-8 still
// reaches the same file.
QUrl FileUrl(const std::string& path);
// The path of a local file URL as the file system's bytes: the inverse of FileUrl, also for the URLs a file
// manager drops, whose names need not be UTF-8.
std::string FilePath(const QUrl& url);
