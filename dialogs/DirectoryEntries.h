#pragma once

#include <string>
#include <string_view>
#include <vector>

// What the picker lists of one directory: names as the file system's bytes, sorted without regard to
// letter case. Hidden entries (names starting with ".") are left out, as the desktop's file manager
// does; an unreadable directory has none.

// The subdirectories, links to directories included.
std::vector<std::string> Subdirectories(const std::string& directory);
// The regular files whose names match the mask, links to regular files included. FIFOs, sockets and
// devices are never listed: reading one as an MP3 file would block or read a device.
std::vector<std::string> MatchingFiles(const std::string& directory, std::string_view mask);
