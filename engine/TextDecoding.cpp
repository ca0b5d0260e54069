#include "TextDecoding.h"

#include <algorithm>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace TextDecoding {
namespace {

constexpr UChar32 Replacement = 0xFFFD;

void AppendCodePoint(std::string& text, UChar32 c)
{
    char bytes[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, c);
    text.append(bytes, static_cast<std::size_t>(length));
}

std::size_t TextLength(const std::uint8_t* bytes, std::size_t count)
{
    return static_cast<std::size_t>(std::find(bytes, bytes + count, std::uint8_t{0}) - bytes);
}

} // namespace

std::string DecodeLatin1Text(const std::uint8_t* bytes, std::size_t count)
{
    const std::size_t length = TextLength(bytes, count);
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < length; ++i)
        AppendCodePoint(text, bytes[i]);
    return text;
}

std::string DecodeUTF16Text(const std::uint8_t* bytes, std::size_t count, bool bigEndian)
{
    std::size_t i = 0;
    if (count >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        bigEndian = bytes[0] == 0xFE;
        i = 2;
    }
    const auto unit = [&](std::size_t at) -> UChar32 {
        return bigEndian ? (bytes[at] << 8 | bytes[at + 1]) : (bytes[at + 1] << 8 | bytes[at]);
    };
    std::string text;
    text.reserve(count);
    for (; i + 1 < count; i += 2) {
        UChar32 c = unit(i);
        if (c == 0)
            return text;
        if (U16_IS_LEAD(c) && i + 3 < count && U16_IS_TRAIL(unit(i + 2))) {
            c = U16_GET_SUPPLEMENTARY(c, unit(i + 2));
            i += 2;
        } else if (U16_IS_SURROGATE(c)) {
            c = Replacement;
        }
        AppendCodePoint(text, c);
    }
    if (i < count && bytes[i] != 0)
        AppendCodePoint(text, Replacement);
    return text;
}

std::string DecodeUTF8Text(const std::uint8_t* bytes, std::size_t count)
{
    const auto length = static_cast<std::int32_t>(TextLength(bytes, count));
    std::string text;
    text.reserve(static_cast<std::size_t>(length));
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT_OR_FFFD(bytes, i, length, c);
        AppendCodePoint(text, c);
    }
    return text;
}

std::string DecodeText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count)
{
    switch (encoding) {
    case UTF16: return DecodeUTF16Text(bytes, count, false);
    case UTF16BE: return DecodeUTF16Text(bytes, count, true);
    case UTF8: return DecodeUTF8Text(bytes, count);
    default: return DecodeLatin1Text(bytes, count);
    }
}

bool IsWide(std::uint8_t encoding)
{
    return encoding == UTF16 || encoding == UTF16BE;
}

std::size_t SkipTerminatedText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count,
                               std::size_t start)
{
    if (IsWide(encoding)) {
        for (std::size_t i = start; i + 1 < count; i += 2)
            if (bytes[i] == 0 && bytes[i + 1] == 0)
                return i + 2;
        return count;
    }
    for (std::size_t i = start; i < count; ++i)
        if (bytes[i] == 0)
            return i + 1;
    return count;
}

} // namespace TextDecoding
