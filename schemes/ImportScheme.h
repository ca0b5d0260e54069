#pragma once

#include "FilterEntry.h"
#include "SchemeMacro.h"

#include <string>

// Filling one tag half's texts from a file name by an import scheme such as "$ARTIST-$TITLE". Each macro the
// half has a text for takes the name's text up to the one scheme character that follows it; a macro that ends the
// scheme takes the rest. A macro the half has no text for takes nothing from the name. Texts the name cannot fill
// keep what they held; the import filters then run over every text of the half but the track. Schemes and names
// of any length are taken whole.
void ImportFromName(MacroTexts& half, const std::string& scheme, const std::string& fileName,
                    const FilterList& importFilters, bool capitalize);

// Takes the text for the macro of macroLength bytes at macroPos off the front of name and drops the
// scheme up to and including the character after the macro (its separator, of any script). The name's
// last character is never taken for a separator. Capitalised when capitalize is set.
std::string TakeSchemeField(std::string& scheme, std::string& name, std::size_t macroLength,
                            std::size_t macroPos, bool capitalize);
