#include "TextDecoding.h"

namespace TextDecoding {
namespace {

constexpr char Unrepresentable = '?';

void AppendCodePoint(std::string& text, std::uint32_t codePoint)
{
    text += codePoint <= 0xFF ? static_cast<char>(codePoint) : Unrepresentable;
}

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The length of the UTF-8 sequence at `bytes` when all its bytes are present and well-formed (its code point in
// `codePoint`); 0 otherwise.
std::size_t UTF8SequenceLength(const std::uint8_t* bytes, std::size_t left, std::uint32_t& codePoint)
{
    const std::uint8_t lead = bytes[0];
    std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (lead >= 0xF5 || length == 0 || length > left)
        return 0;
    codePoint = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (bytes[i] & 0x3F);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    return overlong || codePoint > 0x10FFFF ? 0 : length;
}

} // namespace

std::string NarrowUnicodeText(const std::uint8_t* bytes, std::size_t count, bool hasByteOrderMark)
{
    bool bigEndian = !hasByteOrderMark;
    std::size_t offset = 0;
    if (hasByteOrderMark && count >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) ||
                                           (bytes[0] == 0xFE && bytes[1] == 0xFF))) {
        bigEndian = bytes[0] == 0xFE;
        offset = 2;
    }
    std::string text;
    for (std::size_t i = offset; i + 1 < count; i += 2) {
        const std::uint32_t unit = bigEndian ? (bytes[i] << 8 | bytes[i + 1]) : (bytes[i + 1] << 8 | bytes[i]);
        if (unit == 0)
            break;
        if (IsLowSurrogate(unit))
            continue; // the second half of a pair whose first half already gave one '?'
        AppendCodePoint(text, IsHighSurrogate(unit) ? 0x10000 : unit);
    }
    return text;
}

std::string NarrowUTF8Text(const std::uint8_t* bytes, std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count && bytes[i] != 0;) {
        std::uint32_t codePoint = bytes[i];
        const std::size_t length = codePoint < 0x80 ? 1 : UTF8SequenceLength(bytes + i, count - i, codePoint);
        if (length == 0) {
            AppendCodePoint(text, bytes[i]);
            ++i;
        } else {
            AppendCodePoint(text, codePoint);
            i += length;
        }
    }
    return text;
}

std::string DecodeText(std::uint8_t encoding, const std::uint8_t* bytes, std::size_t count)
{
    switch (encoding) {
    case UTF16: return NarrowUnicodeText(bytes, count, true);
    case UTF16BE: return NarrowUnicodeText(bytes, count, false);
    case UTF8: return NarrowUTF8Text(bytes, count);
    default: {
        std::size_t length = 0;
        while (length < count && bytes[length] != 0)
            ++length;
        return std::string(reinterpret_cast<const char*>(bytes), length);
    }
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
