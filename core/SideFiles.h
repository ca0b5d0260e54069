#pragma once

#include "Field.h"

#include <string>

// One tag of a file copied into "<name>.id1" or "<name>.id2" in another folder; the MP3 file is only read.

enum class SideFileResult { Written, NoTag, Failed };

// The side file's path for a file named caption (bytes) in directory (ending in "/"): its name without the
// extension, always a name inside the directory.
std::string SideFilePath(const std::string& directory, const std::string& caption, TagVersion version);

// A file without the tag, or gone, has nothing to copy (NoTag).
SideFileResult WriteSideFile(const std::string& path, const std::string& sidePath, TagVersion version);
