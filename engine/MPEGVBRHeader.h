#pragma once

#include <cstdint>
#include <span>

#include "MPEGHeader.h"

// The "Xing"/"Info" or "VBRI" header an encoder puts into the first frame of a stream: the true frame count
// (and byte count) of the whole stream, which the first frame alone cannot tell for variable bitrate.
struct MPEGVBRHeader {
    enum class Kind { None, Xing, Info, VBRI };

    Kind Type = Kind::None;
    std::uint32_t FrameCount = 0; // 0 when the header does not give it
    std::uint32_t ByteCount = 0;  // 0 when the header does not give it

    // "Xing" and "VBRI" mark a variable bitrate; "Info" is the same header written for a constant one.
    bool IsVariableBitrate() const { return Type == Kind::Xing || Type == Kind::VBRI; }
};

// Bytes from the frame start a VBR header may need: the VBRI fields end at 54, the Xing ones at 52.
constexpr std::size_t MPEGVBRHeaderReach = 54;

// Looks for a VBR header in the frame whose bytes start the span (the span may be shorter than the frame;
// nothing beyond it is read). Kind::None when there is none.
MPEGVBRHeader ReadMPEGVBRHeader(std::span<const std::uint8_t> frame, const MPEGHeader& header);
