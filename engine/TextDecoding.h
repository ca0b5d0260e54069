#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Frame texts to the UTF-8 the program holds. A text ends at its first zero character; nothing past the given
// count is read; bytes that form no character become U+FFFD.
namespace TextDecoding {

// The text-encoding byte that starts ID3v2 text frames.
enum Encoding : std::uint8_t { Latin1 = 0, UTF16 = 1, UTF16BE = 2, UTF8 = 3 };

// ISO-8859-1: every byte one character.
std::string DecodeLatin1Text(const std::uint8_t* bytes, std::size_t count);
// 16-bit text. A leading byte-order mark (FF FE little-endian, FE FF big-endian) selects the byte order and is
// skipped; text without one is in the order given. A surrogate pair is one character, a lone surrogate U+FFFD.
// An odd last byte is half a character (U+FFFD), unless it is zero: some writers end 16-bit text with one zero.
std::string DecodeUTF16Text(const std::uint8_t* bytes, std::size_t count, bool bigEndian);
// UTF-8; each maximal part of an ill-formed sequence becomes one U+FFFD, as Unicode recommends.
std::string DecodeUTF8Text(const std::uint8_t* bytes, std::size_t count);
// Text in any of the four encodings: encoding 1 without a mark is little-endian, encoding 2 big-endian. An
// unknown encoding byte is read as ISO-8859-1.
std::string DecodeText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count);
// True for the two encodings whose characters and terminator take 16 bits.
bool IsWide(std::uint8_t encoding);
// Where the text after a zero-terminated string that starts at `start` begins: behind its one-byte terminator,
// or for 16-bit encodings behind the first 00 00 on a 16-bit boundary from `start`. `count` when there is none.
std::size_t SkipTerminatedText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count,
                               std::size_t start);

} // namespace TextDecoding
