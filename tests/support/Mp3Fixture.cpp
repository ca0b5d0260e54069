#include "Mp3Fixture.h"

#include "MPEGHeader.h"

#include <algorithm>

namespace Mp3Fixture {
namespace {

// Zero side information means no main data: the rest is skipped as ancillary bytes.
constexpr std::size_t PatternStart = 4 + 32;

void PutText(Bytes& record, std::size_t offset, std::size_t width, const std::string& text)
{
    std::copy_n(text.begin(), std::min(width, text.size()), record.begin() + static_cast<std::ptrdiff_t>(offset));
}

} // namespace

Bytes Frame(const HeaderBytes& header, std::size_t index)
{
    Bytes frame(static_cast<std::size_t>(std::max(4, MPEGHeaderAt(header, 0).FrameLength())), 0);
    std::copy(header.begin(), header.end(), frame.begin());
    for (std::size_t i = PatternStart; i < frame.size(); ++i)
        frame[i] = static_cast<std::uint8_t>((index * 31 + i) % 255);
    return frame;
}

Bytes Frames(std::size_t count, const HeaderBytes& header)
{
    Bytes audio;
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes frame = Frame(header, i);
        audio.insert(audio.end(), frame.begin(), frame.end());
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
    return Concat({ID3v2Header(3, 0, totalSize - 10), Bytes(totalSize - 10, 0)});
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
    if (fields.Track != 0)
        record[126] = static_cast<std::uint8_t>(fields.Track);
    record[127] = static_cast<std::uint8_t>(fields.Genre);
    return record;
}

std::size_t TagAreaOf(const Bytes& file)
{
    if (file.size() < 10 || file[0] != 'I' || file[1] != 'D' || file[2] != '3')
        return 0;
    std::size_t size = 0;
    for (std::size_t i = 6; i < 10; ++i)
        size = size << 7 | (file[i] & 0x7F);
    const bool footer = file[3] >= 4 && (file[5] & 0x10) != 0;
    return size + 10 + (footer ? 10 : 0);
}

Bytes AudioOf(const Bytes& file)
{
    return Slice(file, TagAreaOf(file));
}

} // namespace Mp3Fixture
