#include "MPEGVBRHeader.h"

#include <cstring>

namespace {

constexpr std::uint8_t LayerIII = 1;
constexpr std::uint8_t MPEG1 = 3;
constexpr std::size_t HeaderLength = 4;
constexpr std::size_t VBRIOffset = HeaderLength + 32;
constexpr std::uint32_t XingHasFrames = 0x01;
constexpr std::uint32_t XingHasBytes = 0x02;

bool HasBytes(std::span<const std::uint8_t> frame, std::size_t offset, std::size_t count)
{
    return offset <= frame.size() && frame.size() - offset >= count;
}

bool HasIdentifier(std::span<const std::uint8_t> frame, std::size_t offset, const char* id)
{
    return HasBytes(frame, offset, 4) && std::memcmp(frame.data() + offset, id, 4) == 0;
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> frame, std::size_t offset)
{
    return (std::uint32_t{frame[offset]} << 24) | (std::uint32_t{frame[offset + 1]} << 16)
        | (std::uint32_t{frame[offset + 2]} << 8) | std::uint32_t{frame[offset + 3]};
}

// The Xing header follows the Layer III side information, whose size depends on version and channels.
std::size_t XingOffset(const MPEGHeader& header)
{
    if (header.VersionID == MPEG1)
        return HeaderLength + (header.IsMono() ? 17 : 32);
    return HeaderLength + (header.IsMono() ? 9 : 17);
}

MPEGVBRHeader ReadXing(std::span<const std::uint8_t> frame, std::size_t offset, MPEGVBRHeader::Kind kind)
{
    MPEGVBRHeader result;
    std::size_t field = offset + 4;
    if (!HasBytes(frame, field, 4))
        return result;
    result.Type = kind;
    const std::uint32_t flags = BigEndian32(frame, field);
    field += 4;
    if ((flags & XingHasFrames) && HasBytes(frame, field, 4)) {
        result.FrameCount = BigEndian32(frame, field);
        field += 4;
    }
    if ((flags & XingHasBytes) && HasBytes(frame, field, 4))
        result.ByteCount = BigEndian32(frame, field);
    return result;
}

// "VBRI", version, delay, quality (2 bytes each), then the byte count and the frame count.
MPEGVBRHeader ReadVBRI(std::span<const std::uint8_t> frame)
{
    MPEGVBRHeader result;
    const std::size_t bytesField = VBRIOffset + 10;
    if (!HasBytes(frame, bytesField, 8))
        return result;
    result.Type = MPEGVBRHeader::Kind::VBRI;
    result.ByteCount = BigEndian32(frame, bytesField);
    result.FrameCount = BigEndian32(frame, bytesField + 4);
    return result;
}

} // namespace

MPEGVBRHeader ReadMPEGVBRHeader(std::span<const std::uint8_t> frame, const MPEGHeader& header)
{
    if (header.Layer != LayerIII)
        return {};
    const std::size_t xing = XingOffset(header);
    if (HasIdentifier(frame, xing, "Xing"))
        return ReadXing(frame, xing, MPEGVBRHeader::Kind::Xing);
    if (HasIdentifier(frame, xing, "Info"))
        return ReadXing(frame, xing, MPEGVBRHeader::Kind::Info);
    if (HasIdentifier(frame, VBRIOffset, "VBRI"))
        return ReadVBRI(frame);
    return {};
}
