#include "NewFileName.h"
#include "StringOps.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The new name keeps an MP3 name's ".mp" and last character and any other name's extension, is one file in the
// same directory, fits the file system in UTF-8 (255 bytes), and is refused when the stem would make no name.
TEST(NewFileName, IsSafeKeepsTheExtensionAndIsCutAtACharacterToFitTheFileSystem)
{
    const std::optional<std::string> refused;
    const std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> cases = {
        {"Foo-Bar", "track01.mp3", "Foo-Bar.mp3"},
        {"x", "a.mp2", "x.mp2"},
        {"x", "a.MP3", "x.mp3"},
        {"x", "a.mP\xE9", "x.mp\xE9"},
        {"x", "a.wav", "x.wav"},
        {"x", "README", "x"},
        {"Song.mp3", "a.mp3", "Song.mp3"},
        {"Vol.123", "a.mp3", "Vol.mp3"},
        {"Song.mpeg", "a.mp3", "Song.mpeg.mp3"},
        {"AC/DC", "a.mp3", "AC_DC.mp3"},
        {"../../etc/passwd", "a.mp3", ".._.._etc_passwd.mp3"},
        {std::string("a\0b\x01\x1F\x7F", 6), "a.mp3", "a_b___.mp3"},
        {"Caf\xE9 \"?\" <1> | 2:3*\\", "a.mp3", "Caf\xE9 \"?\" <1> | 2:3*\\.mp3"},
        {"", "old.mp3", refused},
        {".mp3", "old.mp3", refused},
        {"..", "a.mp3", refused},
        {". x", "a.mp3", ". x.mp3"},
        {std::string(300, 'a'), "old.mp3", std::string(251, 'a') + ".mp3"},
        {std::string(200, '\xE9'), "old.mp3", std::string(125, '\xE9') + ".mp3"}, // two bytes each on disk
        {std::string(250, 'a') + "\xE9", "old.mp3", std::string(250, 'a') + ".mp3"}, // 256 bytes with it
        {std::string(300, 'a'), "old.mp\xE9", std::string(250, 'a') + ".mp\xE9"},
        {"x", "a." + std::string(200, '\xE9'), refused}, // an extension longer than any name
    };
    for (const auto& [stem, oldName, expected] : cases) {
        SCOPED_TRACE(stem + " <- " + oldName);
        EXPECT_EQ(NewFileName(stem, oldName), expected);
    }
}

TEST(CapitalizeWords, UpperCasesWordStartsAfterTheSixWordStartCharacters)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"rock-n-roll (live)", "Rock-N-Roll (Live)"}, {"the_end a.b \"hi\"", "The_End A.B \"Hi\""},
        {"iPOD ROCK", "IPOD ROCK"}, {"(", "("}, {"", ""},
        // apostrophes, closing parentheses, commas and digits start no word
        {"don't x)y rock,roll 2nd 1-2-3", "Don't X)y Rock,roll 2nd 1-2-3"},
        // Latin-1 letters follow the same rule; sharp s and y diaeresis have no capital, the division and micro
        // signs are no letters
        {"\xE0 la carte", "\xC0 La Carte"}, {"caf\xE9 \xE9t\xE9", "Caf\xE9 \xC9t\xE9"}, {"\xDF-\xFF", "\xDF-\xFF"},
        {"\xF8 \xFE \xF7x \xB5x \xC0", "\xD8 \xDE \xF7x \xB5x \xC0"},
    };
    for (const auto& [in, expected] : cases) {
        std::string text = in;
        CapitalizeWords(text);
        EXPECT_EQ(text, expected) << in;
    }
}

} // namespace
