#include "ID3v1Values.h"

#include "TMP3File.h"

namespace {

constexpr int MaxTrack = 255;

} // namespace

ID3v1Values ReadID3v1Values(const TMP3File& engine)
{
    return {engine.GetID3v1Title(), engine.GetID3v1Artist(), engine.GetID3v1Album(), engine.GetID3v1Year(),
            engine.GetID3v1Comment(), engine.GetID3v1Track(), engine.GetID3v1Genre()};
}

void StoreID3v1Values(TMP3File& engine, const ID3v1Values& values)
{
    engine.SetID3v1Title(values.Title);
    engine.SetID3v1Artist(values.Artist);
    engine.SetID3v1Album(values.Album);
    engine.SetID3v1Year(values.Year);
    if (values.Track > 0 && values.Track <= MaxTrack)
        engine.SetID3v1Track(static_cast<std::uint8_t>(values.Track));
    engine.SetID3v1Genre(values.Genre);
    engine.SetID3v1Comment(values.Comment);
}
