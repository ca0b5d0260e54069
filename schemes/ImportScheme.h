#pragma once

#include "EditorFields.h"
#include "FilterEntry.h"

#include <string>

// Filling one tag half from a file name by an import scheme such as "$ARTIST-$TITLE". Each macro takes
// the name's text up to the one scheme character that follows it; a macro that ends the scheme takes
// the rest. Fields the name cannot fill keep what they held. Schemes and names of any length are taken whole.

// The six macros of all tags but "$GENRE" fill the ID3v1 half; the others take no text from the name.
void ImportToID3v1Fields(EditorFields& fields, const std::string& scheme, const std::string& fileName,
                         const FilterList& importFilters);
// All twelve macros fill the ID3v2 half.
void ImportToID3v2Fields(EditorFields& fields, const std::string& scheme, const std::string& fileName,
                         const FilterList& importFilters);

// Takes the text for the macro of macroLength characters at macroPos off the front of name and drops
// the scheme up to and including the character after the macro (its separator). The name's last
// character is never taken for a separator. Capitalised when capitalize is set.
std::string TakeSchemeField(std::string& scheme, std::string& name, std::size_t macroLength,
                            std::size_t macroPos, bool capitalize);
