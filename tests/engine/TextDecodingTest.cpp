#include "TextDecoding.h"

#include <gtest/gtest.h>

#include <vector>

using namespace TextDecoding;

namespace {

std::string Decode(std::uint8_t encoding, std::vector<std::uint8_t> bytes)
{
    return DecodeText(encoding, bytes.data(), bytes.size());
}

} // namespace

TEST(TextDecoding, UTF16WithEitherByteOrderMarkGivesLatin1)
{
    EXPECT_EQ(Decode(UTF16, {0xFF, 0xFE, 'H', 0, 'i', 0}), "Hi");
    EXPECT_EQ(Decode(UTF16, {0xFE, 0xFF, 0, 'H', 0, 'i'}), "Hi");
    EXPECT_EQ(Decode(UTF16, {0xFF, 0xFE, 0xE9, 0x00}), "\xE9");
}

TEST(TextDecoding, BigEndianWithoutMarkTakesTheLowBytes)
{
    EXPECT_EQ(Decode(UTF16BE, {0, 'H', 0, 'i'}), "Hi");
}

TEST(TextDecoding, CharactersOutsideLatin1BecomeQuestionMarksNotTheirLowByte)
{
    // U+4E2D U+6587; their low bytes would be "-" and the Latin-1 character 0x87.
    EXPECT_EQ(Decode(UTF16, {0xFF, 0xFE, 0x2D, 0x4E, 0x87, 0x65}), "??");
    // A surrogate pair is one character.
    EXPECT_EQ(Decode(UTF16, {0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE, 'x', 0}), "?x");
    EXPECT_EQ(Decode(UTF8, {0xE4, 0xB8, 0xAD, 'a'}), "?a");
}

TEST(TextDecoding, UTF8IsDecodedNotPassedThrough)
{
    EXPECT_EQ(Decode(UTF8, {'c', 'a', 'f', 0xC3, 0xA9}), "caf\xE9");
    // Latin-1 bytes mislabelled as UTF-8 stay themselves.
    EXPECT_EQ(Decode(UTF8, {'c', 'a', 'f', 0xE9}), "caf\xE9");
    // A sequence cut short by the end of the body is not completed from beyond it.
    EXPECT_EQ(Decode(UTF8, {'a', 0xE4, 0xB8}), "a\xE4\xB8");
}

TEST(TextDecoding, TextEndsAtItsFirstZeroCharacter)
{
    EXPECT_EQ(Decode(Latin1, {'a', 'b', 0, 'c'}), "ab");
    EXPECT_EQ(Decode(UTF16, {0xFF, 0xFE, 'a', 0, 0, 0, 'c', 0}), "a");
    EXPECT_EQ(Decode(UTF8, {'a', 0, 'c'}), "a");
}

TEST(TextDecoding, OddAndShortByteCountsReadNothingPastTheEnd)
{
    EXPECT_EQ(Decode(UTF16, {0xFF, 0xFE, 'H', 0, 'i'}), "H");
    EXPECT_EQ(Decode(UTF16, {0xFF}), "");
    EXPECT_EQ(Decode(UTF16, {}), "");
    EXPECT_EQ(Decode(UTF16BE, {0}), "");
}

TEST(TextDecoding, SixteenBitTerminatorIsSearchedOnEvenOffsets)
{
    // Description "\x01\x00" would end at the odd 00 00 of "01 00 | 00 41" with a byte-wise search.
    const std::vector<std::uint8_t> body = {0x01, 0x00, 0x00, 0x41, 0x00, 0x00, 'x', 0};
    EXPECT_EQ(SkipTerminatedText(UTF16BE, body.data(), body.size(), 0), 6u);
    const std::vector<std::uint8_t> latin = {'d', 0, 't'};
    EXPECT_EQ(SkipTerminatedText(Latin1, latin.data(), latin.size(), 0), 2u);
    EXPECT_EQ(SkipTerminatedText(Latin1, latin.data(), 1, 0), 1u); // no terminator: the end
}
