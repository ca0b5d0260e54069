#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "TempDir.h"

// Hand-built MPEG audio for tests: frames of zero bytes behind a chosen 4-byte header.
namespace MPEGFrames {

using HeaderBytes = std::array<std::uint8_t, 4>;

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, joint stereo: 417-byte frames.
constexpr HeaderBytes MPEG1Layer3At128 = {0xFF, 0xFB, 0x90, 0x64};

// One frame as long as its header announces.
Bytes BuildFrame(const HeaderBytes& header);
// count frames of the same header, back to back.
Bytes BuildFrames(const HeaderBytes& header, std::size_t count);
void Append(Bytes& to, const Bytes& more);

// Writes a Xing-style header ("Xing" or "Info") into the frame at the offset; the fields follow the flags.
void PutXingHeader(Bytes& frame, std::size_t offset, const std::string& id, std::uint32_t flags,
                   std::uint32_t frameCount, std::uint32_t byteCount);
// Writes a "VBRI" header at its fixed place, 36 bytes into the frame.
void PutVBRIHeader(Bytes& frame, std::uint32_t frameCount, std::uint32_t byteCount);

} // namespace MPEGFrames
