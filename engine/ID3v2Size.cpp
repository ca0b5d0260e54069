#include "ID3v2Size.h"

#include <algorithm>

namespace ID3v2Size {

SizeBytes PackSynchsafeSize(std::uint32_t value)
{
    return {static_cast<std::uint8_t>((value >> 21) & 0x7F), static_cast<std::uint8_t>((value >> 14) & 0x7F),
            static_cast<std::uint8_t>((value >> 7) & 0x7F), static_cast<std::uint8_t>(value & 0x7F)};
}

SizeBytes PackPlainSize(std::uint32_t value)
{
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

SizeBytes PackFrameSize(std::uint32_t value, std::uint8_t version)
{
    return version == 4 ? PackSynchsafeSize(value) : PackPlainSize(value);
}

std::uint32_t UnpackSynchsafeSize(const std::uint8_t* bytes)
{
    return (std::uint32_t{bytes[0]} & 0x7F) << 21 | (std::uint32_t{bytes[1]} & 0x7F) << 14 |
           (std::uint32_t{bytes[2]} & 0x7F) << 7 | (std::uint32_t{bytes[3]} & 0x7F);
}

std::uint32_t UnpackPlainSize(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 |
           std::uint32_t{bytes[3]};
}

std::uint64_t RequiredID3v2Size(std::uint64_t framesSize, bool hasFooter)
{
    return HeaderSize + framesSize + (hasFooter ? FooterSize : 0);
}

std::uint64_t AlignedTagSize(std::uint64_t fileSize, std::uint64_t tagSize, bool hasID3v1)
{
    const std::uint64_t rest = fileSize - tagSize + (hasID3v1 ? 0 : ID3v1Size);
    return Alignment - rest % Alignment;
}

std::uint64_t TagAreaSize(std::uint64_t required, std::uint64_t fileSize, std::uint64_t tagSize, bool hasID3v1)
{
    std::uint64_t size = AlignedTagSize(fileSize, tagSize, hasID3v1);
    if (size < required)
        size += (required - size + Alignment - 1) / Alignment * Alignment;
    return std::max(size, tagSize);
}

} // namespace ID3v2Size
