#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The twelve macros of the rename and import schemes, in the order in which expansion replaces them. The last
// five name fields only an ID3v2 tag has.
enum class Macro : std::uint8_t {
    Title, Artist, Album, Comment, Year, Genre, Track, Composer, OrigArtist, Copyright, URL, EncodedBy
};
inline constexpr std::size_t MacroCount = 12;

// Upper case, "$" included, matched case-sensitively; by Macro.
inline constexpr std::array<std::string_view, MacroCount> MacroNames = {
    "$TITLE", "$ARTIST", "$ALBUM", "$COMMENT", "$YEAR", "$GENRE", "$TRACK",
    "$COMPOSER", "$ORIGARTIST", "$COPYRIGHT", "$URL", "$ENCODEDBY"};

constexpr std::string_view MacroName(Macro macro) { return MacroNames[static_cast<std::size_t>(macro)]; }

// The texts of one tag half behind the macros, by Macro: none where the half has no field behind a macro (or,
// for an import, where the import fills none).
using MacroTexts = std::array<std::optional<std::string>, MacroCount>;

// The macro whose name stands in the scheme at pos; none when none does.
std::optional<Macro> MacroAt(const std::string& scheme, std::size_t pos);

// The leftmost position at or after start at which a macro begins; npos when there is none.
std::size_t FindSchemeMacro(const std::string& scheme, std::size_t start);

// The ready-made schemes offered by both scheme boxes, in this order.
extern const std::array<std::string_view, 10> DefaultSchemes;

// The macro list shown by the help button next to the scheme boxes.
inline constexpr std::string_view MacroHelpCaption = "Macros";
inline constexpr std::string_view MacroHelpText =
    "Available Macros (All tags):\n$TITLE\t$TRACK\t$YEAR\n$ALBUM\t$ARTIST\t$GENRE\n\t$COMMENT\n\n"
    "ID3v2 Only:\n$COMPOSER\t$ORIGARTIST\n$COPYRIGHT\t$URL\n$ENCODEDBY";
