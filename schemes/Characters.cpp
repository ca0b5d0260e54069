#include "Characters.h"

#include <cstdint>
#include <string>
#include <unicode/utf8.h>

namespace {

std::int32_t Length(std::string_view text)
{
    return static_cast<std::int32_t>(text.size());
}

// ICU's backward steps call into functions that take unsigned bytes.
const std::uint8_t* Bytes(std::string_view text)
{
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

} // namespace

std::size_t CharacterLength(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return 0;
    auto end = static_cast<std::int32_t>(pos);
    U8_FWD_1(text.data(), end, Length(text));
    return static_cast<std::size_t>(end) - pos;
}

std::size_t SingleCharacterLength(std::string_view text)
{
    std::int32_t end = 0;
    UChar32 c = 0;
    if (!text.empty())
        U8_NEXT(text.data(), end, Length(text), c);
    return c >= 0 && end == Length(text) ? text.size() : 0;
}

std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharacterLength(text, pos))
        ++count;
    return count;
}

std::size_t FirstCharactersLength(std::string_view text, std::size_t count)
{
    std::size_t length = 0;
    for (; count > 0 && length < text.size(); --count)
        length += CharacterLength(text, length);
    return length;
}

std::size_t LastCharactersStart(std::string_view text, std::size_t count)
{
    std::int32_t start = Length(text);
    for (; count > 0 && start > 0; --count)
        U8_BACK_1(Bytes(text), 0, start);
    return count == 0 ? static_cast<std::size_t>(start) : std::string::npos;
}

std::size_t FittingLength(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    auto length = static_cast<std::int32_t>(maxBytes);
    // Back to the start of the character the limit falls into, unless one begins right there.
    U8_SET_CP_START(Bytes(text), 0, length);
    return static_cast<std::size_t>(length);
}
