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
// Bodies from this size on are worth a read of their own when they are wanted.
constexpr std::size_t DeferredBodySize = 4096;

// Binary frames that no getter reads as text; only these may have their body left in the file.
bool IsBinaryFrame(std::string_view id)
{
    return id == "APIC" || id == "GEOB" || id == "PRIV" || id == "AENC" || id == "ENCR" || id == "UFID";
}

bool IsFrameID(std::span<const std::uint8_t> id, std::size_t length)
{
    return id.size() >= length &&
           std::all_of(id.begin(), id.begin() + static_cast<std::ptrdiff_t>(length),
                       [](std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

// Whether a frame body ending at offset `end` is followed by the end of the area, padding or the next frame's ID.
bool EndsOnFrameBoundary(FrameAreaSource& area, std::size_t areaSize, std::size_t end)
{
    if (end >= areaSize)
        return end == areaSize;
    const std::span<const std::uint8_t> next = area.Bytes(end, 4);
    return (!next.empty() && next[0] == 0) || IsFrameID(next, 4);
}

// Version 2.4 sizes are synchsafe, but some writers put plain sizes there; a size byte with bit 7 set, or a
// synchsafe size that lands inside a frame where the plain one lands on a boundary, is read as plain.
std::uint64_t V4FrameSize(FrameAreaSource& area, std::size_t size, std::size_t pos, const std::uint8_t* bytes)
{
    const std::uint64_t plain = ID3v2Size::UnpackPlainSize(bytes);
    if (std::any_of(bytes, bytes + 4, [](std::uint8_t b) { return b & 0x80; }))
        return plain;
    const std::uint64_t synchsafe = ID3v2Size::UnpackSynchsafeSize(bytes);
    const std::size_t body = pos + ID3v2Size::FrameHeaderSize;
    if (synchsafe == plain || EndsOnFrameBoundary(area, size, body + synchsafe))
        return synchsafe;
    return EndsOnFrameBoundary(area, size, body + plain) ? plain : synchsafe;
}

// Fills the frame's body from the area, or leaves a large binary body in the file when reading it would cost a
// read of its own; false when the area cannot give the body.
bool TakeBody(RawFrame& frame, FrameAreaSource& area, std::size_t offset, std::size_t size)
{
    if (IsBinaryFrame(frame.ID()) && size >= DeferredBodySize && !area.Holds(offset, size)) {
        frame.Deferred = RawFrame::BodyInFile{offset, static_cast<std::uint32_t>(size)};
        return true;
    }
    const std::span<const std::uint8_t> body = area.Bytes(offset, size);
    frame.Body.assign(body.begin(), body.end());
    return body.size() == size;
}

void ReadFrames(FrameArea& result, FrameAreaSource& area, std::size_t size, std::uint8_t version,
                bool allUnsynchronised)
{
    std::size_t pos = 0;
    while (pos + ID3v2Size::FrameHeaderSize <= size) {
        const std::span<const std::uint8_t> bytes = area.Bytes(pos, ID3v2Size::FrameHeaderSize);
        if (bytes.size() < ID3v2Size::FrameHeaderSize || bytes[0] == 0 || !IsFrameID(bytes, 4))
            return;
        RawFrame frame;
        std::copy(bytes.begin(), bytes.end(), frame.Header.begin());
        const std::size_t left = size - pos - ID3v2Size::FrameHeaderSize;
        const std::uint64_t bodySize = version == 4 ? V4FrameSize(area, size, pos, frame.Header.data() + 4)
                                                    : ID3v2Size::UnpackPlainSize(frame.Header.data() + 4);
        if (bodySize > left)
            return;
        // A frame without a body is not a frame; it is dropped.
        if (bodySize > 0) {
            if (!TakeBody(frame, area, pos + ID3v2Size::FrameHeaderSize, bodySize))
                return;
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
        if (!IsFrameID({area + pos, 3}, 3) || bodySize > size - pos - V22HeaderSize) {
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
    MemoryFrameSource source(area, size);
    return Read(source, size, version, tagFlags);
}

FrameArea FrameArea::Read(FrameAreaSource& area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags)
{
    FrameArea result;
    const bool unsynchronised = tagFlags & TagUnsynchronised;
    if (version == 2 && (tagFlags & V22Compressed)) {
        result.Writable = false; // the whole tag is compressed in a way no other program defined
        return result;
    }
    // Version 2.2 frames are converted whole, and before version 2.4 unsynchronisation covers the whole tag,
    // frame headers included: these are walked in memory.
    const bool walkedInMemory = version == 2 || (unsynchronised && version != 4);
    if (!walkedInMemory) {
        ReadFrames(result, area, size, version, unsynchronised);
        return result;
    }
    const std::span<const std::uint8_t> whole = area.Bytes(0, size);
    std::vector<std::uint8_t> bytes = unsynchronised ? RemoveUnsynchronisation(whole.data(), whole.size())
                                                     : std::vector<std::uint8_t>(whole.begin(), whole.end());
    if (version == 2) {
        ReadV22Frames(result, bytes.data(), bytes.size());
    } else {
        MemoryFrameSource plain(bytes.data(), bytes.size());
        ReadFrames(result, plain, bytes.size(), version, false);
    }
    return result;
}
