#include "NewFileName.h"
#include "TextCase.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::string Repeated(const std::string& text, std::size_t times)
{
    std::string all;
    while (times-- > 0)
        all += text;
    return all;
}

// The new name keeps an MP3 name's ".mp" and last character and any other name's extension, is one file in the
// same directory, fits the file system in UTF-8 (255 bytes), and is refused when the stem would make no name.
TEST(NewFileName, IsSafeKeepsTheExtensionAndIsCutAtACharacterToFitTheFileSystem)
{
    const std::optional<std::string> refused;
    const std::vector<std::tuple<std::string, std::string, std::optional<std::string>>> cases = {
        {"Foo-Bar", "track01.mp3", "Foo-Bar.mp3"},
        {"x", "a.mp2", "x.mp2"},
        {"x", "a.MP3", "x.mp3"},
        {"x", "a.mPé", "x.mpé"},
        {"x", "a.wav", "x.wav"},
        {"x", "README", "x"},
        {"Song.mp3", "a.mp3", "Song.mp3"},
        {"Vol.123", "a.mp3", "Vol.mp3"},
        {"Ария.мп3", "a.mp3", "Ария.mp3"},
        {"Song.mpeg", "a.mp3", "Song.mpeg.mp3"},
        {"AC/DC", "a.mp3", "AC_DC.mp3"},
        {"../../etc/passwd", "a.mp3", ".._.._etc_passwd.mp3"},
        {std::string("a\0b\x01\x1F\x7F", 6), "a.mp3", "a_b___.mp3"},
        {"Café \"?\" <1> | 2:3*\\", "a.mp3", "Café \"?\" <1> | 2:3*\\.mp3"},
        {"", "old.mp3", refused},
        {".mp3", "old.mp3", refused},
        {"..", "a.mp3", refused},
        {". x", "a.mp3", ". x.mp3"},
        {std::string(300, 'a'), "old.mp3", std::string(251, 'a') + ".mp3"},
        // cut between two characters of two, three and four bytes
        {Repeated("é", 200), "old.mp3", Repeated("é", 125) + ".mp3"},
        {std::string(250, 'a') + "é", "old.mp3", std::string(250, 'a') + ".mp3"},
        {Repeated("夜", 100), "old.mp3", Repeated("夜", 83) + ".mp3"},
        {Repeated("🚀", 70), "old.mp3", Repeated("🚀", 62) + ".mp3"},
        {std::string(300, 'a'), "old.mpé", std::string(250, 'a') + ".mpé"},
        {"x", "a." + Repeated("é", 127), refused}, // an extension longer than any name
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
        // letters of every script with case by Unicode's title case, sharp s having none; the rest as they are
        {"à la carte", "À La Carte"}, {"café été", "Café Été"},
        {"ß-ÿ ø þ ÷x", "ß-Ÿ Ø Þ ÷x"}, {"группа крови", "Группа Крови"},
        {"άλμπουμ (ζωντανό)", "Άλμπουμ (Ζωντανό)"},
        {"ǆungla ǄUNGLA", "ǅungla ǄUNGLA"}, {"e\u0301t\u00e9 🚀 x", "E\u0301t\u00e9 🚀 X"},
        {"夜に أغنية", "夜に أغنية"},
        {"\xE9t\xE9 x", "\xE9t\xE9 X"}, // bytes of a name that is not UTF-8 are kept
    };
    for (const auto& [in, expected] : cases) {
        std::string text = in;
        CapitalizeWords(text);
        EXPECT_EQ(text, expected) << in;
    }
}

} // namespace
