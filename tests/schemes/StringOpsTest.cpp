#include "StringOps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ReplaceCase {
    std::string text, search, replacement, expected;
};

TEST(ReplaceAll, ReplacesEveryOccurrenceOnceWithoutRescanningInsertedText)
{
    const std::vector<ReplaceCase> cases = {
        {"banana", "a", "aa", "baanaanaa"},
        {"$TITLE", "$TITLE", "$TITLE", "$TITLE"},
        {"x$TITLEy$TITLE", "$TITLE", "[$TITLE]", "x[$TITLE]y[$TITLE]"},
        {"aaa", "aa", "b", "ba"},
        {"a-b-c", "-", "", "abc"},
        {"x\r\ny\r\n", "\r\n", "\n", "x\ny\n"},
        {"abc", "", "x", "abc"},
        {"abc", "z", "x", "abc"},
        {"", "a", "b", ""},
        {"ABC", "b", "x", "ABC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.search);
        EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.expected);
        std::string inPlace = c.text;
        ReplaceAllIn(inPlace, c.search, c.replacement);
        EXPECT_EQ(inPlace, c.expected);
    }
}

TEST(ReplaceAll, ManyMatchesInALongTextNeedNoDeepRecursion)
{
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += "abc\n";
    const std::string result = ReplaceAll(text, "\n", "\r\n");
    EXPECT_EQ(result.size(), text.size() + 50000);
    EXPECT_EQ(result.substr(0, 10), "abc\r\nabc\r\n");
}

TEST(ReplaceAll, LongCommentSurvivesTheLineBreakNormalisationWhole)
{
    std::string comment = "0123456789\r\n" + std::string(3000, 'x') + "\nend";
    ReplaceAllIn(comment, "\r\n", "\n");
    ReplaceAllIn(comment, "\n", "\r\n");
    EXPECT_EQ(comment, "0123456789\r\n" + std::string(3000, 'x') + "\r\nend");
}

TEST(ReplaceChar, ReplacesEveryByteAndNulDeletes)
{
    std::string text = "a_b_c";
    ReplaceChar(text, '_', ' ');
    EXPECT_EQ(text, "a b c");
    ReplaceChar(text, ' ', '\0');
    EXPECT_EQ(text, "abc");
}

TEST(CapitalizeWords, UpperCasesWordStartsAfterTheSixWordStartCharacters)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"hello world", "Hello World"},
        {"rock-n-roll", "Rock-N-Roll"},
        {"(live) version", "(Live) Version"},
        {"the_end", "The_End"},
        {"a.b.c", "A.B.C"},
        {"say \"hi\" now", "Say \"Hi\" Now"},
        {"iPOD mix", "IPOD Mix"},
        {"ROCK", "ROCK"},
        {"rock", "Rock"},
        {"a b", "A B"},
        {"(", "("},
        {"", ""},
        // apostrophes, closing parentheses, commas and digits start no word
        {"o'brien", "O'brien"},
        {"don't stop", "Don't Stop"},
        {"x)y", "X)y"},
        {"rock,roll", "Rock,roll"},
        {"2nd street", "2nd Street"},
        {"1-2-3 go", "1-2-3 Go"},
        {"track 9b", "Track 9b"},
        // Latin-1 letters follow the same rule
        {"\xE0 la carte", "\xC0 La Carte"},
        {"caf\xE9 \xE9t\xE9", "Caf\xE9 \xC9t\xE9"},
        {"\xDF-\xFF", "\xDF-\xFF"}, // sharp s and y diaeresis have no capital in Latin-1
        {"\xF8 \xFE \xF7x \xB5x \xC0", "\xD8 \xDE \xF7x \xB5x \xC0"}, // division and micro signs are no letters
    };
    for (const auto& [in, expected] : cases) {
        SCOPED_TRACE(in);
        std::string text = in;
        CapitalizeWords(text);
        EXPECT_EQ(text, expected);
    }
}

TEST(StripExtension, RemovesAnyDotAndThreeCharactersOnly)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Song.mp3", "Song"},   {"Vol.123", "Vol"},     {"x.mp3.mp3", "x.mp3"}, {".mp3", ""},
        {"Song.mpeg", "Song.mpeg"}, {"abc", "abc"},     {"a.b", "a.b"},         {"", ""},
    };
    for (const auto& [in, expected] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(StripExtension(in), expected);
    }
}

TEST(TrackPadding, RenameRuleAndShownRuleDiffer)
{
    struct Case {
        std::string track, forRename, shown;
    };
    const std::vector<Case> cases = {
        {"7", "07", "07"}, {"1", "01", "01"}, {"0", "00", "0"},     {"/", "0/", "/"},
        {"12", "12", "12"}, {"3/12", "3/12", "3/12"}, {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.track);
        EXPECT_EQ(PadTrackNumber(c.track), c.forRename);
        EXPECT_EQ(PadShownTrack(c.track), c.shown);
    }
}

} // namespace
