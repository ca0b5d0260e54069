#pragma once

#include "Field.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class TMP3File;

// One file's two tags as the editor works on them: for each field the text as read and, once changed, the text
// as edited, both whole. A field never edited is written back as the file holds it, whichever command writes.
// Texts are as the engine holds them; the ID3v1 track and genre are numbers in decimal (see ID3v1Values).
class FileTags {
public:
    // No file: both tags absent, every text empty.
    FileTags() = default;
    // Reads both tags of the file at path (bytes).
    explicit FileTags(const std::string& path);
    // The tags the engine has just read.
    explicit FileTags(TMP3File& engine);

    // Whether the file could be opened when it was read.
    bool Readable() const { return IsReadable; }
    bool Has(TagVersion version) const { return version == TagVersion::ID3v1 ? HasID3v1 : HasID3v2; }
    bool HasAny() const { return HasID3v1 || HasID3v2; }
    // The version of the ID3v2 tag read, 0 without one.
    std::uint8_t ID3v2Version() const { return Version; }

    const std::string& Read(Field field) const { return ReadTexts[Index(field)]; }
    // The edited text, else the text as read.
    const std::string& Text(Field field) const;
    bool Edited(Field field) const { return EditedTexts[Index(field)].has_value(); }
    void Edit(Field field, std::string text);

    // Every field of the half edited to nothing, as for a tag made anew (an ID3v2 tag keeps the frames the editor
    // does not show).
    void Clear(TagVersion version);
    // Edited texts of the half without blanks and control characters at either end; texts as read stay whole.
    void TrimEdits(TagVersion version);

private:
    bool IsReadable = true;
    bool HasID3v1 = false;
    bool HasID3v2 = false;
    std::uint8_t Version = 0;
    std::array<std::string, FieldCount> ReadTexts {};
    std::array<std::optional<std::string>, FieldCount> EditedTexts {};
};
