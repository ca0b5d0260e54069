#include "ID3v2Bytes.h"

#include "Mp3Fixture.h"

#include <algorithm>

namespace ID3v2Bytes {

Bytes Text(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Frame(std::string_view id, const Bytes& body, std::uint8_t version, std::uint16_t flags)
{
    Bytes frame = Text(id);
    const int bits = version == 4 ? 7 : 8; // synchsafe in version 2.4
    for (int i = 3; i >= 0; --i)
        frame.push_back(static_cast<std::uint8_t>((body.size() >> (bits * i)) & ((1u << bits) - 1)));
    frame.push_back(static_cast<std::uint8_t>(flags >> 8));
    frame.push_back(static_cast<std::uint8_t>(flags));
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

Bytes CommentBody(std::string_view description, std::string_view text)
{
    return Concat({Bytes{0, 'e', 'n', 'g'}, Text(description), Bytes{0}, Text(text)});
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
    return Concat({Bytes{encoding}, Text(text)});
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

} // namespace ID3v2Bytes
