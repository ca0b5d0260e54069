#include "FrameAreaSource.h"

#include <algorithm>

std::span<const std::uint8_t> MemoryFrameSource::Bytes(std::size_t offset, std::size_t count)
{
    if (offset >= Size)
        return {};
    return {Area + offset, std::min(count, Size - offset)};
}
