#pragma once

#include <cstddef>
#include <string_view>

// Characters of the UTF-8 text the schemes work on. A byte that begins no well-formed sequence (a file name that
// is not UTF-8) counts as one character of its own, so every position given lies between two characters.

// The bytes of the character at pos; 0 at the end.
std::size_t CharacterLength(std::string_view text, std::size_t pos);
// The bytes of the one well-formed character that is the whole text; 0 when the text is anything else.
std::size_t SingleCharacterLength(std::string_view text);
std::size_t CharacterCount(std::string_view text);
// The bytes of the first `count` characters, all of the text when it has fewer.
std::size_t FirstCharactersLength(std::string_view text, std::size_t count);
// Where the last `count` characters begin; npos when the text has fewer.
std::size_t LastCharactersStart(std::string_view text, std::size_t count);
// The bytes of the longest start of the text that is at most maxBytes long and ends between two characters.
std::size_t FittingLength(std::string_view text, std::size_t maxBytes);
