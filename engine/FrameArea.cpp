#include "FrameArea.h"

#include "ID3v22Conversion.h"
#include "ID3v2Size.h"
#include "Unsynchronisation.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::uint8_t TagUnsynchronised = 0x80;
constexpr std::uint8_t V22Compressed = 0x40;
constexpr std::uint8_t V4FrameUnsynchronised = 0x02;
constexpr std::size_t V22HeaderSize = 6;

bool IsFrameID(const std::uint8_t* id, std::size_t length)
{
    return std::all_of(id, id + length,
                       [](std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// Whether a frame body ending at offset `end` is followed by the end of the area, padding or the next frame's ID.
bool EndsOnFrameBoundary(const std::uint8_t* area, std::size_t areaSize, std::size_t end)
{
    return end == areaSize || (end < areaSize && area[end] == 0) ||
           (end + 4 <= areaSize && IsFrameID(area + end, 4));
}

// Version 2.4 sizes are synchsafe, but some writers put plain sizes there; a size byte with bit 7 set, or a
// synchsafe size that lands inside a frame where the plain one lands on a boundary, is read as plain.
std::uint64_t V4FrameSize(const std::uint8_t* area, std::size_t size, std::size_t pos)
{
    const std::uint8_t* bytes = area + pos + 4;
    const std::uint64_t plain = ID3v2Size::UnpackPlainSize(bytes);
    if (std::any_of(bytes, bytes + 4, [](std::uint8_t b) { return b & 0x80; }))
        return plain;
    const std::uint64_t synchsafe = ID3v2Size::UnpackSynchsafeSize(bytes);
    const std::size_t body = pos + ID3v2Size::FrameHeaderSize;
    if (synchsafe == plain || EndsOnFrameBoundary(area, size, body + synchsafe))
        return synchsafe;
    return EndsOnFrameBoundary(area, size, body + plain) ? plain : synchsafe;
}

void ReadFrames(FrameArea& result, const std::uint8_t* area, std::size_t size, std::uint8_t version,
                bool allUnsynchronised)
{
    std::size_t pos = 0;
    while (pos + ID3v2Size::FrameHeaderSize <= size && area[pos] != 0) {
        const std::size_t left = size - pos - ID3v2Size::FrameHeaderSize;
        const std::uint64_t bodySize =
            version == 4 ? V4FrameSize(area, size, pos) : ID3v2Size::UnpackPlainSize(area + pos + 4);
        if (!IsFrameID(area + pos, 4) || bodySize > left)
            return;
        const std::uint8_t* body = area + pos + ID3v2Size::FrameHeaderSize;
        if (bodySize > 0) { // a frame without a body is not a frame; it is dropped
            RawFrame frame;
            std::copy_n(area + pos, ID3v2Size::FrameHeaderSize, frame.Header.begin());
            frame.Body.assign(body, body + bodySize);
            if (allUnsynchronised) // the header's flag is dropped on writing, so each frame takes it over
                frame.Header[9] |= V4FrameUnsynchronised;
            result.Frames.push_back(std::move(frame));
        }
        pos += ID3v2Size::FrameHeaderSize + bodySize;
    }
}

void ReadV22Frames(FrameArea& result, const std::uint8_t* area, std::size_t size)
{
    std::size_t pos = 0;
    while (pos + V22HeaderSize <= size && area[pos] != 0) {
        const std::uint8_t* bytes = area + pos + 3;
        const std::size_t bodySize = std::size_t{bytes[0]} << 16 | std::size_t{bytes[1]} << 8 | bytes[2];
        if (!IsFrameID(area + pos, 3) || bodySize > size - pos - V22HeaderSize) {
            result.Writable = false; // the rest has no version 2.3 form
            return;
        }
        const std::string_view id(reinterpret_cast<const char*>(area + pos), 3);
        if (bodySize > 0) {
            if (auto frame = ConvertID3v22Frame(id, area + pos + V22HeaderSize, bodySize))
                result.Frames.push_back(std::move(*frame));
            else
                result.Writable = false;
        }
        pos += V22HeaderSize + bodySize;
    }
    if (pos < size && area[pos] != 0)
        result.Writable = false;
}

} // namespace

FrameArea FrameArea::Read(const std::uint8_t* area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags)
{
    FrameArea result;
    const bool unsynchronised = tagFlags & TagUnsynchronised;
    if (version == 2 && (tagFlags & V22Compressed)) {
        result.Writable = false; // the whole tag is compressed in a way no other program defined
        return result;
    }
    if (unsynchronised && version != 4) {
        // Before version 2.4 unsynchronisation covers the whole tag, frame headers included.
        const std::vector<std::uint8_t> plain = RemoveUnsynchronisation(area, size);
        if (version == 2)
            ReadV22Frames(result, plain.data(), plain.size());
        else
            ReadFrames(result, plain.data(), plain.size(), version, false);
    } else if (version == 2) {
        ReadV22Frames(result, area, size);
    } else {
        ReadFrames(result, area, size, version, unsynchronised);
    }
    return result;
}
