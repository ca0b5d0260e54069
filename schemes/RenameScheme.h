#pragma once

#include "FilterEntry.h"
#include "SchemeMacro.h"

#include <string>

// Expansion of a rename scheme such as "$ARTIST-$TITLE" into the stem of a file name. Each macro is
// replaced in one left-to-right pass, in the order of the Macro enumeration, so a field that contains a macro
// name cannot make expansion loop; text inserted for an earlier macro is still expanded by later ones.

// The texts of both tag halves, and which halves editing is enabled for.
struct RenameTexts {
    MacroTexts ID3v1, ID3v2;
    bool ID3v1Enabled = true;
    bool ID3v2Enabled = true;
};

// Every macro the half has a text for replaced by it; the others stay as written.
std::string ExpandRenameScheme(const std::string& scheme, const MacroTexts& half);

// The ID3v2 expansion when ID3v2 editing is on, else the ID3v1 one. When both are on but every ID3v2
// text the scheme names is empty while an ID3v1 one is not (a file with only an ID3v1 tag), the
// ID3v1 half is used, so such a file is not renamed to a bare "-".
std::string ExpandRenameScheme(const std::string& scheme, const RenameTexts& texts);

// The stem a rename gives: the expansion, then the rename filters (an empty list when they are
// switched off), then the safe default for what a file name cannot hold (see NewFileName).
std::string RenameStem(const std::string& scheme, const RenameTexts& texts, const FilterList& renameFilters);
