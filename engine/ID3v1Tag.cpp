#include "ID3v1Tag.h"

#include "TextDecoding.h"
#include "TextEncoding.h"

#include <algorithm>
#include <cstring>

void ID3v1Tag::Clear()
{
    Data.fill(0);
    std::memcpy(Data.data(), "TAG", 3);
    Data[GenreOffset] = 255;
}

bool ID3v1Tag::IsTag() const
{
    return std::memcmp(Data.data(), "TAG", 3) == 0;
}

std::string ID3v1Tag::Field(std::size_t offset, std::size_t width) const
{
    return TextDecoding::DecodeLatin1Text(Data.data() + offset, width);
}

void ID3v1Tag::SetField(std::size_t offset, std::size_t width, const std::string& text)
{
    const std::string latin1 = TextEncoding::ToLatin1(text, width);
    std::fill_n(Data.begin() + static_cast<std::ptrdiff_t>(offset), width, std::uint8_t{0});
    std::memcpy(Data.data() + offset, latin1.data(), latin1.size());
}

std::string ID3v1Tag::Title() const { return Field(TitleOffset, TextWidth); }
std::string ID3v1Tag::Artist() const { return Field(ArtistOffset, TextWidth); }
std::string ID3v1Tag::Album() const { return Field(AlbumOffset, TextWidth); }
std::string ID3v1Tag::Year() const { return Field(YearOffset, YearWidth); }
std::string ID3v1Tag::Comment() const { return Field(CommentOffset, TextWidth); }

std::uint8_t ID3v1Tag::Track() const
{
    return Data[TrackMarkerOffset] == 0 ? Data[TrackOffset] : 0;
}

void ID3v1Tag::SetTitle(const std::string& text) { SetField(TitleOffset, TextWidth, text); }
void ID3v1Tag::SetArtist(const std::string& text) { SetField(ArtistOffset, TextWidth, text); }
void ID3v1Tag::SetAlbum(const std::string& text) { SetField(AlbumOffset, TextWidth, text); }
void ID3v1Tag::SetYear(const std::string& text) { SetField(YearOffset, YearWidth, text); }

void ID3v1Tag::SetComment(const std::string& text)
{
    SetField(CommentOffset, Track() != 0 ? CommentWithTrackWidth : TextWidth, text);
}

void ID3v1Tag::SetTrack(std::uint8_t track)
{
    if (track == 0)
        return;
    Data[TrackMarkerOffset] = 0;
    Data[TrackOffset] = track;
}
