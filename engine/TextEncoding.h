#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The program's UTF-8 text to the encodings the tags store. Bytes of the UTF-8 that form no character are taken
// as U+FFFD.
namespace TextEncoding {

// The encoding byte of a frame written with these texts: ISO-8859-1 (0) when every character fits it, so that
// such a frame keeps the bytes it always had; otherwise UTF-16 with a byte-order mark (1) in a version 2.3 tag,
// UTF-8 (3) in a version 2.4 tag.
std::uint8_t EncodingFor(std::initializer_list<std::string_view> texts, std::uint8_t version);
// Appends the text in the encoding EncodingFor chose for it (UTF-16 little-endian behind its mark), and with
// `terminated` a zero terminator as wide as the encoding's characters.
void AppendText(std::vector<std::uint8_t>& out, std::uint8_t encoding, std::string_view text, bool terminated);
// ISO-8859-1 for a field that holds nothing else: the text composed first (e and a combining acute accent are
// one é), each character outside ISO-8859-1 "?", at most `width` characters (one byte each).
std::string ToLatin1(std::string_view text, std::size_t width);
// A link, which the tags always store as ISO-8859-1: each character outside it percent-encoded as its UTF-8
// bytes, as a browser sends it, so that the link still leads where it did.
std::string LinkToLatin1(std::string_view text);

} // namespace TextEncoding
