#include "ID3v1FromID3v2.h"

#include "GenreReference.h"
#include "GenreTable.h"
#include "StringOps.h"

namespace {

constexpr unsigned MaxTrack = 255;

} // namespace

std::uint8_t ID3v1TrackFromID3v2(const std::string& track)
{
    unsigned number = 0;
    for (const char c : track) {
        if (c < '0' || c > '9')
            break;
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (number > MaxTrack)
            return 0;
    }
    return static_cast<std::uint8_t>(number);
}

std::uint8_t ID3v1GenreFromID3v2(std::string genre)
{
    const std::uint8_t reference = ParseGenreReference(genre);
    return reference != GenreTable::NoGenre ? reference : GenreTable::Index(genre);
}

std::string OneLineComment(const std::string& comment)
{
    return ReplaceAll(ReplaceAll(comment, "\r\n", " "), "\n", " ");
}
