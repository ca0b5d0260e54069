#pragma once

#include "FileRename.h"
#include "FileTags.h"
#include "FilterEntry.h"
#include "TagCommands.h"

#include <optional>
#include <string>

// Renaming files from their tags and back.

struct RenameSettings {
    std::string Scheme;
    FilterList Filters; // the rename filters; none when switched off
    bool PadTrack = true;
    TagVersions Versions;
};

// The tags a rename of several files takes for a file the editor does not show: as read (not read when ignoreTags),
// with the halves the import scheme, when given, fills from the file's name: every enabled half when ignoring tags,
// else each half the file lacks. Not readable when the file could not be read.
FileTags TagsForRename(const std::string& path, const std::string& nameText, bool ignoreTags,
                       const std::optional<ImportSettings>& import, TagVersions versions);

// The edits as a rename takes them: trimmed, and a track of one character padded when asked (for the file the
// editor shows, whose track the user sees).
void TrimForRename(FileTags& tags, bool padTrack);

// The stem of the new name: the scheme expanded from the fields as the editor shows them, without blanks around
// them, then the rename filters and the safe default.
std::string RenameStem(const FileTags& tags, const RenameSettings& settings);

// The file in directory (bytes, ending in "/") given the new name (bytes), never over another file. A name that is
// already the file's own is no rename.
RenameResult RenameFile(const std::string& directory, const std::string& oldName, const std::string& newName);
