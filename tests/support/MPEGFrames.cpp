#include "MPEGFrames.h"

#include <algorithm>
#include <stdexcept>

#include "MPEGHeader.h"

namespace MPEGFrames {
namespace {

void PutBigEndian32(Bytes& to, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        to.at(offset + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

} // namespace

Bytes BuildFrame(const HeaderBytes& header)
{
    MPEGHeader decoded;
    decoded.Bytes = header;
    DecodeMPEGHeader(decoded);
    if (decoded.FrameLength() < 4)
        throw std::invalid_argument("header without a frame length");
    Bytes frame(static_cast<std::size_t>(decoded.FrameLength()), 0);
    std::copy(header.begin(), header.end(), frame.begin());
    return frame;
}

Bytes BuildFrames(const HeaderBytes& header, std::size_t count)
{
    Bytes frames;
    for (std::size_t i = 0; i < count; ++i)
        Append(frames, BuildFrame(header));
    return frames;
}

void Append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

void PutXingHeader(Bytes& frame, std::size_t offset, const std::string& id, std::uint32_t flags,
                   std::uint32_t frameCount, std::uint32_t byteCount)
{
    std::copy(id.begin(), id.end(), frame.begin() + static_cast<std::ptrdiff_t>(offset));
    PutBigEndian32(frame, offset + 4, flags);
    std::size_t field = offset + 8;
    if (flags & 1) {
        PutBigEndian32(frame, field, frameCount);
        field += 4;
    }
    if (flags & 2)
        PutBigEndian32(frame, field, byteCount);
}

void PutVBRIHeader(Bytes& frame, std::uint32_t frameCount, std::uint32_t byteCount)
{
    const std::string id = "VBRI";
    std::copy(id.begin(), id.end(), frame.begin() + 36);
    frame.at(41) = 1; // version 1
    PutBigEndian32(frame, 46, byteCount);
    PutBigEndian32(frame, 50, frameCount);
}

} // namespace MPEGFrames
