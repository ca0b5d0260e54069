#include "TextCase.h"

#include <cstdint>
#include <string_view>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

void CapitalizeWords(std::string& text)
{
    constexpr std::string_view wordStarts = " .(-_\"";
    std::string result;
    result.reserve(text.size());
    bool startsWord = true;
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        const std::int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(text.data(), i, length, c);
        if (startsWord && c >= 0 && u_islower(c)) {
            char bytes[U8_MAX_LENGTH];
            std::int32_t size = 0;
            U8_APPEND_UNSAFE(bytes, size, u_totitle(c));
            result.append(bytes, static_cast<std::size_t>(size));
        } else {
            // Bytes that form no character are kept as they are, as is every other character.
            result.append(text, static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
        }
        startsWord = c >= 0 && c < 0x80 && wordStarts.find(static_cast<char>(c)) != std::string_view::npos;
    }
    text = std::move(result);
}
