#include "Mp3Fixture.h"

#include <algorithm>

namespace Mp3Fixture {
namespace {

constexpr std::uint8_t FrameHeader[4] = {0xFF, 0xFB, 0x90, 0x64};
// Zero side information means no main data: the decoder plays silence and skips the rest as ancillary bytes.
constexpr std::size_t SideInfoSize = 32;

void PutText(Bytes& record, std::size_t offset, std::size_t width, const std::string& text)
{
    std::copy_n(text.begin(), std::min(width, text.size()), record.begin() + static_cast<std::ptrdiff_t>(offset));
}

} // namespace

Bytes Frames(std::size_t count)
{
    Bytes audio;
    audio.reserve(count * FrameSize);
    for (std::size_t frame = 0; frame < count; ++frame) {
        audio.insert(audio.end(), std::begin(FrameHeader), std::end(FrameHeader));
        audio.insert(audio.end(), SideInfoSize, 0);
        // Never 0xFF, so the pattern cannot look like a frame sync.
        for (std::size_t i = 4 + SideInfoSize; i < FrameSize; ++i)
            audio.push_back(static_cast<std::uint8_t>((frame * 31 + i) % 255));
    }
    return audio;
}

Bytes ID3v2Header(std::uint8_t version, std::uint8_t flags, std::uint32_t sizeField)
{
    return {'I', 'D', '3', version, 0, flags,
            static_cast<std::uint8_t>((sizeField >> 21) & 0x7F), static_cast<std::uint8_t>((sizeField >> 14) & 0x7F),
            static_cast<std::uint8_t>((sizeField >> 7) & 0x7F), static_cast<std::uint8_t>(sizeField & 0x7F)};
}

Bytes PaddedID3v2Tag(std::uint32_t totalSize)
{
    Bytes tag = ID3v2Header(3, 0, totalSize - 10);
    tag.resize(totalSize, 0);
    return tag;
}

Bytes ID3v1Record(const ID3v1Fields& fields)
{
    Bytes record(128, 0);
    PutText(record, 0, 3, "TAG");
    PutText(record, 3, 30, fields.Title);
    PutText(record, 33, 30, fields.Artist);
    PutText(record, 63, 30, fields.Album);
    PutText(record, 93, 4, fields.Year);
    PutText(record, 97, fields.Track != 0 ? 28 : 30, fields.Comment);
    if (fields.Track != 0) {
        record[125] = 0;
        record[126] = fields.Track;
    }
    record[127] = fields.Genre;
    return record;
}

Bytes Mp3(std::size_t frames, std::uint32_t id3v2Size, const Bytes& id3v1)
{
    return Concat({id3v2Size > 0 ? PaddedID3v2Tag(id3v2Size) : Bytes(), Frames(frames), id3v1});
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Slice(const Bytes& data, std::size_t from, std::size_t count)
{
    from = std::min(from, data.size());
    count = std::min(count, data.size() - from);
    return Bytes(data.begin() + static_cast<std::ptrdiff_t>(from),
                 data.begin() + static_cast<std::ptrdiff_t>(from + count));
}

} // namespace Mp3Fixture
