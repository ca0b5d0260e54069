#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Walks directory (bytes) and its subdirectories: for each directory first its files matching "*.MP?" in
// byte order of their names, then its subdirectories, depth first, in the same order. visit gets the
// directory with one trailing "/" and the name. Returns the number of matching files found.
//
// Hidden directories (a name starting with ".") and links to directories are not entered, so a link back
// to an ancestor cannot loop; only regular files (or links to them) are reported, never FIFOs, sockets or
// devices; directories that cannot be read and entries that vanish meanwhile are passed over.
std::size_t ScanDirectory(const std::string& directory,
                          const std::function<void(const std::string& directory, const std::string& name)>& visit);
