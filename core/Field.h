#pragma once

#include "ID3v1Values.h"
#include "SchemeMacro.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TMP3File;

// The nineteen fields of the tag editor: the seven of an ID3v1 tag, then the twelve of an ID3v2 tag, each half in
// the order of the apply-to-all buttons' Tag numbers (1 to 7, 8 to 19).
enum class Field : std::uint8_t {
    Title, Artist, Album, Track, Comment, Year, Genre,
    TitleV2, ArtistV2, AlbumV2, TrackV2, ComposerV2, OrgArtistV2, CopyrightV2, URLV2, EncodedByV2, CommentV2, YearV2,
    GenreV2
};
inline constexpr std::size_t FieldCount = 19;

enum class TagVersion : std::uint8_t { ID3v1, ID3v2 };

// What a field is in each place that knows it. This table is the one list of the fields.
struct FieldInfo {
    Field Id;
    TagVersion Version;
    std::string_view Control;     // the editor control's objectName
    std::string_view ApplyButton; // the objectName of its apply-to-all button
    std::string_view Word;        // how the apply-to-all question names the field
    std::optional<Macro> SchemeMacro;
    bool Imported;                // an import from the file name fills it
    // Characters the control takes from the user (0: no limit), and the most it shows of a longer text.
    int TypingLimit;
    std::size_t ShownLimit;
    // Where the engine keeps it: a member of the ID3v1 record's values, or the ID3v2 getter and setter.
    std::string ID3v1Values::*ID3v1Slot = nullptr;
    std::string (TMP3File::*Get)() const = nullptr;
    void (TMP3File::*Set)(const std::string&) = nullptr;
};

const FieldInfo& Info(Field field);
// Every field, or those of one tag version, in table order.
std::span<const FieldInfo> Fields();
std::span<const FieldInfo> Fields(TagVersion version);

constexpr std::size_t Index(Field field) { return static_cast<std::size_t>(field); }
