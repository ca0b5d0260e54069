#pragma once

#include "TempDir.h"

#include <cstdint>
#include <initializer_list>
#include <string>

// Small MP3 files built in code: silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz, joint stereo) whose
// ancillary bytes carry a running pattern, so that a lost or shifted audio byte shows in a comparison.
namespace Mp3Fixture {

constexpr std::size_t FrameSize = 417;

struct ID3v1Fields {
    std::string Title {}, Artist {}, Album {}, Year {}, Comment {};
    std::uint8_t Track = 0;
    std::uint8_t Genre = 255;
};

// count frames of silence.
Bytes Frames(std::size_t count);
// A 10-byte ID3v2 header with the size field written synchsafe.
Bytes ID3v2Header(std::uint8_t version, std::uint8_t flags, std::uint32_t sizeField);
// An ID3v2.3 tag of totalSize bytes (header included) holding only padding.
Bytes PaddedID3v2Tag(std::uint32_t totalSize);
// A 128-byte ID3v1.1 record (ID3v1.0 when Track is 0); texts are cut to their field width.
Bytes ID3v1Record(const ID3v1Fields& fields);
// An ID3v2 tag area of id3v2Size bytes (none for 0), the frames, then id3v1 (may be empty).
Bytes Mp3(std::size_t frames, std::uint32_t id3v2Size = 0, const Bytes& id3v1 = {});

Bytes Concat(std::initializer_list<Bytes> parts);
// Bytes [from, from + count) of data.
Bytes Slice(const Bytes& data, std::size_t from, std::size_t count = SIZE_MAX);

} // namespace Mp3Fixture
