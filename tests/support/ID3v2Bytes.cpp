#include "ID3v2Bytes.h"

#include "ID3v2Size.h"
#include "Mp3Fixture.h"

#include <algorithm>

namespace ID3v2Bytes {

Bytes Text(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Frame(std::string_view id, const Bytes& body, std::uint8_t version, std::uint16_t flags)
{
    const ID3v2Size::SizeBytes size = ID3v2Size::PackFrameSize(static_cast<std::uint32_t>(body.size()), version);
    Bytes frame = Text(id);
    frame.insert(frame.end(), size.begin(), size.end());
    frame.push_back(static_cast<std::uint8_t>(flags >> 8));
    frame.push_back(static_cast<std::uint8_t>(flags));
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

Bytes Unsynchronised(const Bytes& raw)
{
    Bytes stuffed;
    for (std::uint8_t b : raw) {
        stuffed.push_back(b);
        if (b == 0xFF)
            stuffed.push_back(0);
    }
    return stuffed;
}

Bytes TextBody(std::string_view text, std::uint8_t encoding)
{
    Bytes body(text.size() + 1);
    body[0] = encoding;
    std::copy(text.begin(), text.end(), body.begin() + 1);
    return body;
}

Bytes Tag(std::uint8_t version, const Bytes& frames, std::size_t padding, std::uint8_t flags)
{
    Bytes tag = Mp3Fixture::ID3v2Header(version, flags, static_cast<std::uint32_t>(frames.size() + padding));
    tag.insert(tag.end(), frames.begin(), frames.end());
    tag.resize(tag.size() + padding, 0);
    return tag;
}

std::size_t Find(const Bytes& data, const Bytes& part, std::size_t from)
{
    const auto found = std::search(data.begin() + static_cast<std::ptrdiff_t>(from), data.end(), part.begin(),
                                   part.end());
    return found == data.end() ? std::string::npos : static_cast<std::size_t>(found - data.begin());
}

LoadedTag Load(const Bytes& file)
{
    LoadedTag tag;
    if (file.size() < 10)
        return tag;
    tag.Version = file[3];
    tag.Revision = file[4];
    tag.Flags = file[5];
    const bool footer = tag.Version == 4 && (tag.Flags & 0x10);
    tag.TagSize = 10 + ID3v2Size::UnpackSynchsafeSize(&file[6]) + (footer ? 10 : 0);
    std::size_t start = 10;
    if ((tag.Flags & 0x40) && (tag.Version == 3 || tag.Version == 4) && file.size() >= 14) {
        const std::uint32_t value = tag.Version == 4 ? ID3v2Size::UnpackSynchsafeSize(&file[10])
                                                     : ID3v2Size::UnpackPlainSize(&file[10]) + 4;
        start += value;
    }
    const std::size_t end = std::min<std::uint64_t>(file.size(), tag.TagSize - (footer ? 10 : 0));
    if (start < end)
        tag.Frames.Load(file.data() + start, end - start, tag.Version, tag.Flags);
    else
        tag.Frames.Load(nullptr, 0, tag.Version, tag.Flags);
    return tag;
}

Bytes ReadTestData(const std::string& relativePath)
{
    return readFile(std::filesystem::path(VELLUM_TEST_DATA_DIR) / relativePath);
}

} // namespace ID3v2Bytes
