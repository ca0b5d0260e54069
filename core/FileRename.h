#pragma once

#include <string>

enum class RenameResult { Renamed, NameTaken, Failed };

// Gives a file a new name without ever replacing another file, not even one created a moment before: the
// kernel refuses a name that exists (NameTaken). Where the file system cannot refuse in the same step, the file
// is linked under the new name (which fails the same way) and the old name removed. A new name that reaches the
// file itself without being one of its directory's names (a file system that ignores letter case) is a plain
// rename.
RenameResult RenameWithoutReplacing(const std::string& from, const std::string& to);
