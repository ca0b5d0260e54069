#pragma once

#include "Mp3Fixture.h"
#include "TempDir.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

// Hand-built ID3v2 frames and tags.
namespace ID3v2Bytes {

inline Bytes Text(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

// A frame with its size encoded for the version (synchsafe for 4, plain otherwise).
inline Bytes Frame(std::string_view id, const Bytes& body, std::uint8_t version = 3, std::uint16_t flags = 0)
{
    Bytes frame = Text(id);
    const int bits = version == 4 ? 7 : 8;
    for (int i = 3; i >= 0; --i)
        frame.push_back(static_cast<std::uint8_t>((body.size() >> (bits * i)) & ((1u << bits) - 1)));
    frame.push_back(static_cast<std::uint8_t>(flags >> 8));
    frame.push_back(static_cast<std::uint8_t>(flags));
    return Concat({frame, body});
}

// A text frame body: the encoding byte, then the bytes.
inline Bytes TextBody(std::string_view text, std::uint8_t encoding = 0)
{
    return Concat({Bytes{encoding}, Text(text)});
}

// A comment frame body: encoding 0, language "eng", the description and its terminator, then the text.
inline Bytes CommentBody(std::string_view description, std::string_view text)
{
    return Concat({Bytes{0, 'e', 'n', 'g'}, Text(description), Bytes{0}, Text(text)});
}

// The bytes with a zero after every 0xFF, as an unsynchronised tag stores them.
inline Bytes Unsynchronised(const Bytes& raw)
{
    Bytes stuffed;
    for (std::uint8_t b : raw) {
        stuffed.push_back(b);
        if (b == 0xFF)
            stuffed.push_back(0);
    }
    return stuffed;
}

// Header (synchsafe size), frames, then zero padding.
inline Bytes Tag(std::uint8_t version, const Bytes& frames, std::size_t padding = 0, std::uint8_t flags = 0)
{
    const auto size = static_cast<std::uint32_t>(frames.size() + padding);
    return Concat({Mp3Fixture::ID3v2Header(version, flags, size), frames, Bytes(padding, 0)});
}

// Where `part` first occurs in `data`; npos when it does not.
inline std::size_t Find(const Bytes& data, const Bytes& part)
{
    const auto found = std::search(data.begin(), data.end(), part.begin(), part.end());
    return found == data.end() ? std::string::npos : static_cast<std::size_t>(found - data.begin());
}

} // namespace ID3v2Bytes
