#include "NewFileName.h"
#include "StringOps.h"
#include "TextCase.h"

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
        {"x", "a.mp2", "x.mp2"}, {"x", "a.MP3", "x.mp3"}, {"x", "a.wav", "x.wav"}, {"x", "README", "x"},
        {"Ария.мп3", "a.mp3", "Ария.mp3"},
        {"Song.mpeg", "a.mp3", "Song.mpeg.mp3"},
        {"AC/DC", "a.mp3", "AC_DC.mp3"},
        // never a hidden file
        {"../../etc/passwd", "a.mp3", "___.._etc_passwd.mp3"},
        {".38 Special", "a.mp3", "_38 Special.mp3"},
        {std::string("a\0b\x01\x1F\x7F", 6), "a.mp3", "a_b___.mp3"},
        {"Café \"?\" <1> | 2:3*\\", "a.mp3", "Café \"?\" <1> | 2:3*\\.mp3"},
        {"", "old.mp3", refused}, {".mp3", "old.mp3", refused}, {"..", "a.mp3", refused},
        {". x", "a.mp3", "_ x.mp3"},
        {std::string(300, 'a'), "old.mp3", std::string(251, 'a') + ".mp3"},
        // cut between two characters of two, three and four bytes
        {ReplaceAll(std::string(100, 'x'), "x", "夜"), "old.mp3", ReplaceAll(std::string(83, 'x'), "x", "夜") + ".mp3"},
        {ReplaceAll(std::string(70, 'x'), "x", "🚀"), "old.mp3", ReplaceAll(std::string(62, 'x'), "x", "🚀") + ".mp3"},
        {std::string(300, 'a'), "old.mpé", std::string(250, 'a') + ".mpé"},
        {"x", "a." + ReplaceAll(std::string(127, 'x'), "x", "é"), refused}, // an extension longer than any name
    };
    for (const auto& [stem, oldName, expected] : cases) {
        SCOPED_TRACE(stem + " <- " + oldName);
        EXPECT_EQ(NewFileName(stem, oldName), expected);
    }
    // A refusal names what the scheme made.
    EXPECT_EQ(RefusedFileName("", "old.MP3"), ".mp3");
}

TEST(CapitalizeWords, UpperCasesWordStartsAfterTheSixWordStartCharacters)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"rock-n-roll (live)", "Rock-N-Roll (Live)"}, {"the_end a.b \"hi\"", "The_End A.B \"Hi\""},
        {"iPOD ROCK", "IPOD ROCK"}, {"(", "("}, {"", ""},
        // apostrophes, closing parentheses, commas and digits start no word
        {"don't x)y rock,roll 2nd 1-2-3", "Don't X)y Rock,roll 2nd 1-2-3"},
        // letters of every script with case by Unicode's title case, sharp s having none; the rest as they are
        {"ß-ÿ ø þ ÷x", "ß-Ÿ Ø Þ ÷x"}, {"группа (ζωντανό)", "Группа (Ζωντανό)"}, {"ǆungla ǄUNGLA", "ǅungla ǄUNGLA"},
        {"à la carte", "À La Carte"}, {"e\u0301t\u00e9 🚀 x 夜に أغنية", "E\u0301t\u00e9 🚀 X 夜に أغنية"},
        {"\xE9t\xE9 x", "\xE9t\xE9 X"}, // bytes of a name that is not UTF-8 are kept
    };
    for (const auto& [in, expected] : cases) {
        std::string text = in;
        CapitalizeWords(text);
        EXPECT_EQ(text, expected) << in;
    }
}

} // namespace
