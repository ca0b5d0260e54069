#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "MPEGHeader.h"
#include "MPEGVBRHeader.h"

// How far past the audio start the first frame is looked for; a file without audio is not read to its end.
constexpr std::size_t MPEGSearchLimit = std::size_t{1} << 20;
// Bytes needed past a candidate header: the header after the longest frame (it also covers any VBR header).
constexpr std::size_t MPEGSearchLookahead = MaxMPEGFrameLength + 4;
// What the caller reads from the audio start (less when the audio ends sooner).
constexpr std::size_t MPEGSearchWindow = MPEGSearchLimit + MPEGSearchLookahead;

// The first frame of a stream, as found in a window of bytes.
struct MPEGFrame {
    std::size_t Offset = 0; // from the window's start
    MPEGHeader Header;
    MPEGVBRHeader VBRHeader;
};

// Finds the first frame header in the first MPEGSearchLimit bytes of the window. The window holds the file's
// bytes from the audio start on and ends where the audio ends (before an ID3v1 tag) or after
// MPEGSearchWindow bytes. A header counts only when the frame after it starts with a header of the same
// stream, unless the window ends before that header's four bytes.
std::optional<MPEGFrame> FindFirstMPEGFrame(std::span<const std::uint8_t> window);
