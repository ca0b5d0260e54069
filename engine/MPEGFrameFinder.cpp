#include "MPEGFrameFinder.h"

#include <algorithm>

namespace {

// A lone sync pattern in other data is rarely followed, one frame length later, by another header of the
// same stream; a real frame is, unless the audio ends there.
bool NextFrameConfirms(std::span<const std::uint8_t> window, std::size_t position, const MPEGHeader& header)
{
    const std::size_t next = position + static_cast<std::size_t>(header.FrameLength());
    if (next >= window.size() || window.size() - next < 4)
        return true;
    return IsValidMPEGHeader(window, next) && MPEGHeaderAt(window, next).SameStreamAs(header);
}

} // namespace

std::optional<MPEGFrame> FindFirstMPEGFrame(std::span<const std::uint8_t> window)
{
    if (window.size() < 4)
        return std::nullopt;
    const std::size_t end = std::min(window.size() - 3, MPEGSearchLimit);
    for (std::size_t i = 0; i < end; ++i) {
        if (!IsValidMPEGHeader(window, i))
            continue;
        const MPEGHeader header = MPEGHeaderAt(window, i);
        if (!NextFrameConfirms(window, i, header))
            continue;
        const std::size_t frameBytes = std::min(window.size() - i, static_cast<std::size_t>(header.FrameLength()));
        return MPEGFrame{i, header, ReadMPEGVBRHeader(window.subspan(i, frameBytes), header)};
    }
    return std::nullopt;
}
