#pragma once

#include <array>
#include <cstdint>
#include <string>

// The 128-byte ID3v1 record exactly as it lies at the end of an MP3 file. Its texts are ISO-8859-1 and come and go
// as UTF-8 (see TextEncoding::ToLatin1 for what does not fit); nothing is trimmed, and a field filled to its full
// width has no terminating zero. Widths count characters, each one byte in the record.
class ID3v1Tag {
public:
    static constexpr std::size_t Size = 128;
    using Record = std::array<std::uint8_t, Size>;

    // The empty record: "TAG", every field zero, genre 255.
    ID3v1Tag() { Clear(); }

    void Clear();
    // The record begins with "TAG".
    bool IsTag() const;

    const Record& Bytes() const { return Data; }
    Record& Bytes() { return Data; }

    std::string Title() const;
    std::string Artist() const;
    std::string Album() const;
    std::string Year() const;
    // 28 characters at most when a track number is stored (its byte 125 is zero), else 30.
    std::string Comment() const;
    // The ID3v1.1 track number; 0 unless byte 125 is zero, since in an ID3v1.0 tag bytes 125-126 are comment text.
    std::uint8_t Track() const;
    std::uint8_t Genre() const { return Data[GenreOffset]; }

    void SetTitle(const std::string& text);
    void SetArtist(const std::string& text);
    void SetAlbum(const std::string& text);
    void SetYear(const std::string& text);
    // Keeps bytes 125-126 when a track number is stored: the comment is then 28 characters wide.
    void SetComment(const std::string& text);
    // Zero leaves the record as it is.
    void SetTrack(std::uint8_t track);
    void SetGenre(std::uint8_t genre) { Data[GenreOffset] = genre; }

private:
    static constexpr std::size_t TitleOffset = 3;
    static constexpr std::size_t ArtistOffset = 33;
    static constexpr std::size_t AlbumOffset = 63;
    static constexpr std::size_t YearOffset = 93;
    static constexpr std::size_t CommentOffset = 97;
    static constexpr std::size_t TrackMarkerOffset = 125;
    static constexpr std::size_t TrackOffset = 126;
    static constexpr std::size_t GenreOffset = 127;
    static constexpr std::size_t TextWidth = 30;
    static constexpr std::size_t YearWidth = 4;
    static constexpr std::size_t CommentWithTrackWidth = 28;

    std::string Field(std::size_t offset, std::size_t width) const;
    void SetField(std::size_t offset, std::size_t width, const std::string& text);

    Record Data {};
};
