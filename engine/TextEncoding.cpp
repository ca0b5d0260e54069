#include "TextEncoding.h"

#include "TextDecoding.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace TextEncoding {
namespace {

constexpr UChar32 Latin1End = 0x100;
constexpr char HexDigits[] = "0123456789ABCDEF";

// Calls `take` with each character of the UTF-8 text and the bytes it came from.
template <typename Take> void ForEachCharacter(std::string_view text, Take take)
{
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT_OR_FFFD(text.data(), i, length, c);
        take(c, text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)));
    }
}

bool FitsLatin1(std::string_view text)
{
    bool fits = true;
    ForEachCharacter(text, [&fits](UChar32 c, std::string_view) { fits = fits && c < Latin1End; });
    return fits;
}

void AppendUnit(std::vector<std::uint8_t>& out, std::uint16_t unit)
{
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
}

void AppendCharacter(std::vector<std::uint8_t>& out, std::uint8_t encoding, UChar32 c)
{
    if (encoding == TextDecoding::Latin1) {
        out.push_back(static_cast<std::uint8_t>(c));
    } else if (encoding == TextDecoding::UTF16) {
        if (U16_LENGTH(c) == 2) {
            AppendUnit(out, U16_LEAD(c));
            c = U16_TRAIL(c);
        }
        AppendUnit(out, static_cast<std::uint16_t>(c));
    } else {
        std::uint8_t bytes[U8_MAX_LENGTH];
        std::int32_t length = 0;
        U8_APPEND_UNSAFE(bytes, length, c);
        out.insert(out.end(), bytes, bytes + length);
    }
}

} // namespace

std::uint8_t EncodingFor(std::initializer_list<std::string_view> texts, std::uint8_t version)
{
    if (std::all_of(texts.begin(), texts.end(), FitsLatin1))
        return TextDecoding::Latin1;
    return version == 4 ? TextDecoding::UTF8 : TextDecoding::UTF16;
}

void AppendText(std::vector<std::uint8_t>& out, std::uint8_t encoding, std::string_view text, bool terminated)
{
    if (encoding == TextDecoding::UTF16)
        AppendUnit(out, 0xFEFF);
    ForEachCharacter(text, [&](UChar32 c, std::string_view) { AppendCharacter(out, encoding, c); });
    if (terminated)
        out.insert(out.end(), TextDecoding::IsWide(encoding) ? 2 : 1, 0);
}

std::string ToLatin1(std::string_view text, std::size_t width)
{
    UErrorCode error = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(error);
    const icu::StringPiece utf8(text.data(), static_cast<std::int32_t>(text.size()));
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(utf8);
    if (U_SUCCESS(error))
        unicode = nfc->normalize(unicode, error);
    std::string latin1;
    for (std::int32_t i = 0; i < unicode.length() && latin1.size() < width; i = unicode.moveIndex32(i, 1)) {
        const UChar32 c = unicode.char32At(i);
        latin1 += c < Latin1End ? static_cast<char>(c) : '?';
    }
    return latin1;
}

std::string LinkToLatin1(std::string_view text)
{
    std::string link;
    ForEachCharacter(text, [&link](UChar32 c, std::string_view bytes) {
        if (c < Latin1End) {
            link += static_cast<char>(c);
            return;
        }
        for (const char byte : bytes) {
            const auto value = static_cast<unsigned char>(byte);
            link += {'%', HexDigits[value >> 4], HexDigits[value & 0xF]};
        }
    });
    return link;
}

} // namespace TextEncoding
