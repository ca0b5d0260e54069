#include "Field.h"

#include "TMP3File.h"

namespace {

using enum Field;
using enum TagVersion;
using V1 = ID3v1Values;
using E = TMP3File;

// The editor shows at most this much of an ID3v2 text; the rest is kept and written as it was.
constexpr std::size_t ShownText = 1024;
constexpr std::size_t ShownComment = 2048;
constexpr int ID3v1TextWidth = 30;
constexpr int YearWidth = 4;
// Three digits, so that a track from 100 to 255 is shown and kept whole.
constexpr int ID3v1TrackWidth = 3;
constexpr int ID3v2TrackWidth = 5;

constexpr std::size_t Shown(int width) { return static_cast<std::size_t>(width); }

const std::array<FieldInfo, FieldCount> Table = {{
    {Title, ID3v1, "Title", "TitleATA", "Title", Macro::Title, true, ID3v1TextWidth, Shown(ID3v1TextWidth), &V1::Title},
    {Artist, ID3v1, "Artist", "ArtistATA", "Artist", Macro::Artist, true, ID3v1TextWidth, Shown(ID3v1TextWidth),
     &V1::Artist},
    {Album, ID3v1, "Album", "AlbumATA", "Album", Macro::Album, true, ID3v1TextWidth, Shown(ID3v1TextWidth), &V1::Album},
    {Track, ID3v1, "Track", "TrackATA", "Track", Macro::Track, true, ID3v1TrackWidth, Shown(ID3v1TrackWidth),
     &V1::Track},
    {Comment, ID3v1, "Comment", "CommentATA", "Comment", Macro::Comment, true, ID3v1TextWidth, Shown(ID3v1TextWidth),
     &V1::Comment},
    {Year, ID3v1, "Year", "YearATA", "Year", Macro::Year, true, YearWidth, Shown(YearWidth), &V1::Year},
    // A fixed list: a file name cannot fill it.
    {Genre, ID3v1, "Genre", "GenreATA", "Genre", Macro::Genre, false, 0, ShownText, &V1::Genre},
    {TitleV2, ID3v2, "TitleV2", "TitleV2ATA", "Title", Macro::Title, true, 0, ShownText, nullptr, &E::GetID3v2Title,
     &E::SetID3v2Title},
    {ArtistV2, ID3v2, "ArtistV2", "ArtistV2ATA", "Artist", Macro::Artist, true, 0, ShownText, nullptr,
     &E::GetID3v2Artist, &E::SetID3v2Artist},
    {AlbumV2, ID3v2, "AlbumV2", "AlbumV2ATA", "Album", Macro::Album, true, 0, ShownText, nullptr, &E::GetID3v2Album,
     &E::SetID3v2Album},
    {TrackV2, ID3v2, "TrackV2", "TrackV2ATA", "Track", Macro::Track, true, ID3v2TrackWidth, ShownText, nullptr,
     &E::GetID3v2Track, &E::SetID3v2Track},
    {ComposerV2, ID3v2, "ComposerV2", "ComposerV2ATA", "Composer", Macro::Composer, true, 0, ShownText, nullptr,
     &E::GetID3v2Composer, &E::SetID3v2Composer},
    {OrgArtistV2, ID3v2, "OrgArtistV2", "OrgArtistV2ATA", "Original Artist", Macro::OrigArtist, true, 0, ShownText,
     nullptr, &E::GetID3v2OrigArtist, &E::SetID3v2OrigArtist},
    {CopyrightV2, ID3v2, "CopyrightV2", "CopyrightV2ATA", "Copyright", Macro::Copyright, true, 0, ShownText, nullptr,
     &E::GetID3v2Copyright, &E::SetID3v2Copyright},
    {URLV2, ID3v2, "URLV2", "URLV2ATA", "URL", Macro::URL, true, 0, ShownText, nullptr, &E::GetID3v2URL,
     &E::SetID3v2URL},
    {EncodedByV2, ID3v2, "EncodedByV2", "EncodedByV2ATA", "Encoded By", Macro::EncodedBy, true, 0, ShownText, nullptr,
     &E::GetID3v2EncodedBy, &E::SetID3v2EncodedBy},
    {CommentV2, ID3v2, "CommentV2", "CommentV2ATA", "Comment", Macro::Comment, true, 0, ShownComment, nullptr,
     &E::GetID3v2Comment, &E::SetID3v2Comment},
    {YearV2, ID3v2, "YearV2", "YearV2ATA", "Year", Macro::Year, true, YearWidth, ShownText, nullptr, &E::GetID3v2Year,
     &E::SetID3v2Year},
    {GenreV2, ID3v2, "GenreV2", "GenreV2ATA", "Genre", Macro::Genre, true, 0, ShownText, nullptr, &E::GetID3v2Genre,
     &E::SetID3v2Genre},
}};

constexpr std::size_t ID3v1FieldCount = 7;

} // namespace

const FieldInfo& Info(Field field)
{
    return Table[Index(field)];
}

std::span<const FieldInfo> Fields()
{
    return Table;
}

std::span<const FieldInfo> Fields(TagVersion version)
{
    const std::span<const FieldInfo> all = Table;
    return version == ID3v1 ? all.first(ID3v1FieldCount) : all.subspan(ID3v1FieldCount);
}
