#pragma once

#include "EditorFields.h"

#include <array>
#include <string>
#include <string_view>

// One macro of the rename and import schemes and the editor fields behind it.
struct SchemeMacro {
    std::string_view Name;                  // upper case, "$" included, matched case-sensitively
    std::string EditorFields::*ID3v1Field;  // nullptr for the five ID3v2-only macros
    std::string EditorFields::*ID3v2Field;
    bool ImportsToID3v1;                    // false for "$GENRE": the ID3v1 genre is a fixed list
};

// Which tag half a scheme works on: &SchemeMacro::ID3v1Field or &SchemeMacro::ID3v2Field.
using SchemeColumn = std::string EditorFields::* SchemeMacro::*;

// In the order in which expansion replaces them.
extern const std::array<SchemeMacro, 12> SchemeMacros;

// The macro whose name stands in the scheme at pos; nullptr when none does.
const SchemeMacro* MacroAt(const std::string& scheme, std::size_t pos);

// The leftmost position at or after start at which a macro begins; npos when there is none.
std::size_t FindSchemeMacro(const std::string& scheme, std::size_t start);

// The ready-made schemes offered by both scheme boxes, in this order.
extern const std::array<std::string_view, 10> DefaultSchemes;

// The macro list shown by the help button next to the scheme boxes.
inline constexpr std::string_view MacroHelpCaption = "Macros";
inline constexpr std::string_view MacroHelpText =
    "Available Macros (All tags):\n$TITLE\t$TRACK\t$YEAR\n$ALBUM\t$ARTIST\t$GENRE\n\t$COMMENT\n\n"
    "ID3v2 Only:\n$COMPOSER\t$ORIGARTIST\n$COPYRIGHT\t$URL\n$ENCODEDBY";
