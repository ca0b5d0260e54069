// Stored text in each of the four encodings, decoded to the Latin-1 the window shows, and where a terminated
// text ends.
#include "TextDecoding.h"

#include <gtest/gtest.h>

#include <vector>

using namespace TextDecoding;

namespace {

struct Case {
    std::uint8_t Encoding;
    std::vector<std::uint8_t> Stored;
    std::string Shown;
};

} // namespace

TEST(TextDecoding, StoredBytesGiveTheLatin1TextShown)
{
    const std::vector<Case> cases = {
        {UTF16, {0xFF, 0xFE, 'H', 0, 'i', 0}, "Hi"},
        {UTF16, {0xFE, 0xFF, 0, 'H', 0, 'i'}, "Hi"},
        {UTF16, {0xFF, 0xFE, 0xE9, 0x00}, "\xE9"},
        {UTF16BE, {0, 'H', 0, 'i'}, "Hi"},
        // U+4E2D U+6587, whose low bytes would be "-" and 0x87; a surrogate pair is one character.
        {UTF16, {0xFF, 0xFE, 0x2D, 0x4E, 0x87, 0x65}, "??"},
        {UTF16, {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE, 'x', 0}, "?x"},
        {UTF8, {0xE4, 0xB8, 0xAD, 'a'}, "?a"},
        {UTF8, {'c', 'a', 'f', 0xC3, 0xA9}, "caf\xE9"},
        {UTF8, {'c', 'a', 'f', 0xE9}, "caf\xE9"}, // Latin-1 labelled as UTF-8
        {UTF8, {'a', 0xE4, 0xB8}, "a\xE4\xB8"},   // not completed from beyond the body
        {Latin1, {'a', 'b', 0, 'c'}, "ab"},
        {UTF16, {0xFF, 0xFE, 'a', 0, 0, 0, 'c', 0}, "a"},
        {UTF8, {'a', 0, 'c'}, "a"},
        {UTF16, {0xFF, 0xFE, 'H', 0, 'i'}, "H"},
        {UTF16, {0xFF}, ""},
        {UTF16, {}, ""},
        {UTF16BE, {0}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeText(c.Encoding, c.Stored.data(), c.Stored.size()), c.Shown)
            << testing::PrintToString(c.Stored);

    // "\x01\x00" would end at the odd 00 00 of "01 00 | 00 41" with a byte-wise search.
    const std::vector<std::uint8_t> wide = {0x01, 0x00, 0x00, 0x41, 0x00, 0x00, 'x', 0};
    EXPECT_EQ(SkipTerminatedText(UTF16BE, wide.data(), wide.size(), 0), 6u);
    const std::vector<std::uint8_t> latin = {'d', 0, 't'};
    EXPECT_EQ(SkipTerminatedText(Latin1, latin.data(), latin.size(), 0), 2u);
    EXPECT_EQ(SkipTerminatedText(Latin1, latin.data(), 1, 0), 1u); // no terminator: the end
}
