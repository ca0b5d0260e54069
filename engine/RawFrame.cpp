#include "RawFrame.h"

#include "ID3v2Size.h"
#include "Unsynchronisation.h"

#include <algorithm>

namespace {

// Format flags (the second flag byte) of version 2.3 ...
constexpr std::uint8_t V3Compressed = 0x80;
constexpr std::uint8_t V3Encrypted = 0x40;
constexpr std::uint8_t V3Grouped = 0x20;
// ... and of version 2.4.
constexpr std::uint8_t V4Grouped = 0x40;
constexpr std::uint8_t V4Compressed = 0x08;
constexpr std::uint8_t V4Encrypted = 0x04;
constexpr std::uint8_t V4Unsynchronised = 0x02;
constexpr std::uint8_t V4DataLength = 0x01;

std::optional<std::vector<std::uint8_t>> ContentV4(std::uint8_t format, const std::vector<std::uint8_t>& body)
{
    if (format & (V4Compressed | V4Encrypted))
        return std::nullopt;
    std::vector<std::uint8_t> data =
        (format & V4Unsynchronised) ? RemoveUnsynchronisation(body.data(), body.size()) : body;
    const std::size_t skip = std::min(data.size(), std::size_t{(format & V4Grouped) ? 1u : 0u} +
                                                       ((format & V4DataLength) ? 4u : 0u));
    data.erase(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(skip));
    return data;
}

std::optional<std::vector<std::uint8_t>> ContentV3(std::uint8_t format, const std::vector<std::uint8_t>& body)
{
    if (format & (V3Compressed | V3Encrypted))
        return std::nullopt;
    const std::size_t skip = std::min(body.size(), std::size_t{(format & V3Grouped) ? 1u : 0u});
    return std::vector<std::uint8_t>(body.begin() + static_cast<std::ptrdiff_t>(skip), body.end());
}

} // namespace

RawFrame RawFrame::Make(std::string_view id, std::array<std::uint8_t, 2> flags, std::vector<std::uint8_t> body)
{
    RawFrame frame;
    std::copy_n(id.begin(), std::min(id.size(), std::size_t{4}), frame.Header.begin());
    frame.Header[8] = flags[0];
    frame.Header[9] = flags[1];
    frame.Body = std::move(body);
    return frame;
}

std::string_view RawFrame::ID() const
{
    return {reinterpret_cast<const char*>(Header.data()), 4};
}

std::uint16_t RawFrame::Flags() const
{
    return static_cast<std::uint16_t>(Header[8] << 8 | Header[9]);
}

std::optional<std::vector<std::uint8_t>> RawFrame::Content(std::uint8_t version) const
{
    if (Deferred)
        return std::nullopt;
    return version == 4 ? ContentV4(Header[9], Body) : ContentV3(Header[9], Body);
}

void RawFrame::AppendTo(std::vector<std::uint8_t>& out, std::uint8_t version) const
{
    const ID3v2Size::SizeBytes size = ID3v2Size::PackFrameSize(static_cast<std::uint32_t>(Body.size()), version);
    out.insert(out.end(), Header.begin(), Header.begin() + 4);
    out.insert(out.end(), size.begin(), size.end());
    out.insert(out.end(), Header.begin() + 8, Header.end());
    out.insert(out.end(), Body.begin(), Body.end());
}

std::uint64_t RawFrame::WrittenSize() const
{
    return ID3v2Size::FrameHeaderSize + (Deferred ? Deferred->Size : Body.size());
}
