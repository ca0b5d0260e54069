#pragma once

#include "IndependentReaders.h"
#include "TempDir.h"

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

// One frame as long as its header announces; index varies the pattern.
Bytes Frame(const HeaderBytes& header = MPEG1Layer3At128, std::size_t index = 0);
Bytes Frames(std::size_t count, const HeaderBytes& header = MPEG1Layer3At128);
// A 10-byte ID3v2 header with the size field written synchsafe.
Bytes ID3v2Header(std::uint8_t version, std::uint8_t flags, std::uint32_t sizeField);
// An ID3v2.3 tag of totalSize bytes (header included) holding only padding.
Bytes PaddedID3v2Tag(std::uint32_t totalSize);
// A 128-byte ID3v1.1 record (ID3v1.0 when Track is 0); texts are cut to their field width.
Bytes ID3v1Record(const ID3v1Fields& fields);

// The ID3v2 tag area at the start of a file as its header declares it (header, frames, padding, footer), read
// from the bytes without the engine; 0 without a tag.
std::size_t TagAreaOf(const Bytes& file);
Bytes AudioOf(const Bytes& file);

} // namespace Mp3Fixture
