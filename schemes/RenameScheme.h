#pragma once

#include "EditorFields.h"
#include "FilterEntry.h"

#include <string>

// Expansion of a rename scheme such as "$ARTIST-$TITLE" into the stem of a file name. Each macro is
// replaced in one left-to-right pass, in the order of SchemeMacros, so a field that contains a macro
// name cannot make expansion loop; text inserted for an earlier macro is still expanded by later ones.

// The seven macros of all tags from the ID3v1 half; the five ID3v2-only macros stay as written.
std::string ExpandRenameSchemeID3v1(const std::string& scheme, const EditorFields& fields);
// All twelve macros from the ID3v2 half.
std::string ExpandRenameSchemeID3v2(const std::string& scheme, const EditorFields& fields);

// The ID3v2 expansion when ID3v2 editing is on, else the ID3v1 one. When both are on but every ID3v2
// field the scheme names is empty while an ID3v1 one is not (a file with only an ID3v1 tag), the
// ID3v1 half is used, so such a file is not renamed to a bare "-".
std::string ExpandRenameScheme(const std::string& scheme, const EditorFields& fields);

// The stem a rename gives: the expansion, then the rename filters (an empty list when they are
// switched off), then the safe default for what a file name cannot hold (see NewFileName).
std::string RenameStem(const std::string& scheme, const EditorFields& fields, const FilterList& renameFilters);

// With PadTrack on, a one-character Track or TrackV2 gets a leading "0" before a rename.
void PadTrackFields(EditorFields& fields);
