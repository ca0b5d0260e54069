#include "ID3v1Values.h"

#include "GenreTable.h"
#include "TMP3File.h"
#include "TextTrim.h"

#include <charconv>

namespace {

// The number the whole text (blanks around it aside) is, when it is one from 0 to 255.
std::optional<std::uint8_t> ByteNumber(const std::string& text)
{
    const std::string digits = Trimmed(text);
    unsigned number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || number > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(number);
}

} // namespace

ID3v1Values ReadID3v1Values(const TMP3File& engine)
{
    const std::uint8_t track = engine.GetID3v1Track();
    return {engine.GetID3v1Title(), engine.GetID3v1Artist(), engine.GetID3v1Album(), engine.GetID3v1Year(),
            engine.GetID3v1Comment(), track ? std::to_string(track) : std::string(),
            std::to_string(engine.GetID3v1Genre())};
}

void StoreID3v1Values(TMP3File& engine, const ID3v1Values& values)
{
    engine.ClearID3v1();
    engine.SetID3v1Title(values.Title);
    engine.SetID3v1Artist(values.Artist);
    engine.SetID3v1Album(values.Album);
    engine.SetID3v1Year(values.Year);
    engine.SetID3v1Track(ByteNumber(values.Track).value_or(0));
    engine.SetID3v1Genre(ByteNumber(values.Genre).value_or(GenreTable::NoGenre));
    engine.SetID3v1Comment(values.Comment);
}
