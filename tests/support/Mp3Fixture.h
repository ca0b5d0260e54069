#pragma once

#include "IndependentReaders.h"
#include "MPEGHeader.h"
#include "TempDir.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

// Small MP3 files built in code. Frames carry zero side information (the decoder plays silence) and a running
// pattern in their ancillary bytes, never 0xFF, so that a lost or shifted audio byte shows in a comparison and no
// false frame sync appears.
namespace Mp3Fixture {

using HeaderBytes = std::array<std::uint8_t, 4>;

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, joint stereo: 417-byte frames.
constexpr HeaderBytes MPEG1Layer3At128 = {0xFF, 0xFB, 0x90, 0x64};
constexpr std::size_t FrameSize = 417;

using ID3v1Fields = IndependentReaders::ID3v1Fields;

// One frame as long as its header announces; index varies the pattern, which starts behind the 32 bytes of zero
// side information: no main data, so the rest is skipped as ancillary bytes.
inline Bytes Frame(const HeaderBytes& header = MPEG1Layer3At128, std::size_t index = 0)
{
    Bytes frame(static_cast<std::size_t>(std::max(4, MPEGHeaderAt(header, 0).FrameLength())), 0);
    std::copy(header.begin(), header.end(), frame.begin());
    for (std::size_t i = 4 + 32; i < frame.size(); ++i)
        frame[i] = static_cast<std::uint8_t>((index * 31 + i) % 255);
    return frame;
}

inline Bytes Frames(std::size_t count, const HeaderBytes& header = MPEG1Layer3At128)
{
    Bytes audio;
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes frame = Frame(header, i);
        audio.insert(audio.end(), frame.begin(), frame.end());
    }
    return audio;
}

// A 10-byte ID3v2 header with the size field written synchsafe.
inline Bytes ID3v2Header(std::uint8_t version, std::uint8_t flags, std::uint32_t sizeField)
{
    return {'I', 'D', '3', version, 0, flags,
            static_cast<std::uint8_t>((sizeField >> 21) & 0x7F), static_cast<std::uint8_t>((sizeField >> 14) & 0x7F),
            static_cast<std::uint8_t>((sizeField >> 7) & 0x7F), static_cast<std::uint8_t>(sizeField & 0x7F)};
}

// An ID3v2.3 tag of totalSize bytes (header included) holding only padding.
inline Bytes PaddedID3v2Tag(std::uint32_t totalSize)
{
    return Concat({ID3v2Header(3, 0, totalSize - 10), Bytes(totalSize - 10, 0)});
}

// A 128-byte ID3v1.1 record (ID3v1.0 when Track is 0); texts are cut to their field width.
inline Bytes ID3v1Record(const ID3v1Fields& fields)
{
    Bytes record(128, 0);
    const auto put = [&record](std::size_t offset, std::size_t width, const std::string& text) {
        std::copy_n(text.begin(), std::min(width, text.size()), record.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    put(0, 3, "TAG");
    put(3, 30, fields.Title);
    put(33, 30, fields.Artist);
    put(63, 30, fields.Album);
    put(93, 4, fields.Year);
    put(97, fields.Track != 0 ? 28 : 30, fields.Comment);
    if (fields.Track != 0)
        record[126] = static_cast<std::uint8_t>(fields.Track);
    record[127] = static_cast<std::uint8_t>(fields.Genre);
    return record;
}

// The ID3v2 tag area at the start of a file as its header declares it (header, frames, padding, footer), read
// from the bytes without the engine; 0 without a tag.
inline std::size_t TagAreaOf(const Bytes& file)
{
    if (file.size() < 10 || file[0] != 'I' || file[1] != 'D' || file[2] != '3')
        return 0;
    std::size_t size = 0;
    for (std::size_t i = 6; i < 10; ++i)
        size = size << 7 | (file[i] & 0x7F);
    const bool footer = file[3] >= 4 && (file[5] & 0x10) != 0;
    return size + 10 + (footer ? 10 : 0);
}

inline Bytes AudioOf(const Bytes& file)
{
    return Slice(file, TagAreaOf(file));
}

} // namespace Mp3Fixture
