#pragma once

#include "TempDir.h"

#include <cstdint>
#include <string_view>

// Hand-built ID3v2 frames and tags.
namespace ID3v2Bytes {

Bytes Text(std::string_view text);
// A frame with its size encoded for the version (synchsafe for 4, plain otherwise).
Bytes Frame(std::string_view id, const Bytes& body, std::uint8_t version = 3, std::uint16_t flags = 0);
// A text frame body: the encoding byte, then the bytes.
Bytes TextBody(std::string_view text, std::uint8_t encoding = 0);
// A comment frame body: encoding 0, language "eng", the description and its terminator, then the text.
Bytes CommentBody(std::string_view description, std::string_view text);
// The bytes with a zero after every 0xFF, as an unsynchronised tag stores them.
Bytes Unsynchronised(const Bytes& raw);
// Header (synchsafe size), frames, then zero padding.
Bytes Tag(std::uint8_t version, const Bytes& frames, std::size_t padding = 0, std::uint8_t flags = 0);
// Where `part` first occurs in `data`; npos when it does not.
std::size_t Find(const Bytes& data, const Bytes& part, std::size_t from = 0);

} // namespace ID3v2Bytes
