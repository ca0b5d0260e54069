#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Frame texts to ISO-8859-1. A character outside Latin-1 becomes '?'; a text ends at its first zero character;
// nothing past the given count is read.
namespace TextDecoding {

// The text-encoding byte that starts ID3v2 text frames.
enum Encoding : std::uint8_t { Latin1 = 0, UTF16 = 1, UTF16BE = 2, UTF8 = 3 };

// 16-bit text. With a byte-order mark expected, the first two bytes select the byte order (FF FE little-endian,
// FE FF big-endian) and are skipped; text without a mark is taken as little-endian then. Without a mark expected
// the text is big-endian. An odd last byte is ignored.
std::string NarrowUnicodeText(const std::uint8_t* bytes, std::size_t count, bool hasByteOrderMark);
// UTF-8 text; bytes that do not form UTF-8 are taken as Latin-1 characters, as writers that mislabel Latin-1
// text produce them.
std::string NarrowUTF8Text(const std::uint8_t* bytes, std::size_t count);
// Text in any of the four encodings; an unknown encoding byte is read as Latin-1.
std::string DecodeText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count);
// True for the two encodings whose characters and terminator take 16 bits.
bool IsWide(std::uint8_t encoding);
// Where the text after a zero-terminated string that starts at `start` begins: behind its one-byte terminator,
// or for 16-bit encodings behind the first 00 00 on a 16-bit boundary from `start`. `count` when there is none.
std::size_t SkipTerminatedText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count,
                               std::size_t start);

} // namespace TextDecoding
