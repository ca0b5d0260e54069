#include "ShownText.h"

#include "FileTags.h"
#include "GenreReference.h"
#include "GenreTable.h"
#include "StringOps.h"
#include "TextTrim.h"

#include <charconv>

namespace {

std::string GenreName(const std::string& byteText)
{
    unsigned genre = GenreTable::NoGenre;
    std::from_chars(byteText.data(), byteText.data() + byteText.size(), genre);
    return genre < GenreTable::Count ? GenreTable::Name(static_cast<std::uint8_t>(genre)) : std::string();
}

// "(17)" and "(17)Rock" show the name of genre 17; any other text shows what follows a reference.
std::string GenreShown(std::string genre)
{
    const std::uint8_t reference = ParseGenreReference(genre);
    return reference < GenreTable::Count ? GenreTable::Name(reference) : genre;
}

} // namespace

std::string ShownText(const FileTags& tags, Field field, bool padTrack)
{
    if (field == Field::Genre)
        return GenreName(tags.Text(field));
    if (tags.Edited(field))
        return tags.Text(field);
    const std::string& text = tags.Read(field);
    switch (field) {
    case Field::Track:
    case Field::TrackV2:
        return padTrack ? PadShownTrack(text) : text;
    case Field::GenreV2:
        return GenreShown(text);
    default:
        return Info(field).Version == TagVersion::ID3v1 ? Trimmed(text) : text;
    }
}
