#pragma once

#include <cstdint>
#include <string>

// ID3v1 fields made from ID3v2 texts, where the two tag versions hold a field differently.

// The number an ID3v2 track text begins with: "12/15" is 12, "007" is 7. 0, which stores no track, when the
// text begins with no digit or the number does not fit the ID3v1 track byte (1-255).
std::uint8_t ID3v1TrackFromID3v2(const std::string& track);

// A reference such as "(17)" or "(17)Rock" when it names one of the 148 genres, else the genre whose name the
// rest of the text is in any letter case; GenreTable::NoGenre when neither.
std::uint8_t ID3v1GenreFromID3v2(std::string genre);

// The comment on the one line an ID3v1 tag has: each line break, "\r\n" or "\n", becomes one space.
std::string OneLineComment(const std::string& comment);
