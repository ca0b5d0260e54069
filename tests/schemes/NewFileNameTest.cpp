#include "NewFileName.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The file name as it is written to disk: the Latin-1 text as UTF-8.
std::string ToUtf8(const std::string& latin1)
{
    std::string utf8;
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

TEST(NewFileName, KeepsTheOldExtensionAndGivesOneFileInTheSameDirectoryForUnsafeOrEmptyStems)
{
    struct Case {
        std::string stem, oldName, expected;
    };
    const std::vector<Case> cases = {
        {"Foo-Bar", "track01.mp3", "Foo-Bar.mp3"},
        {"x", "a.mp2", "x.mp2"},
        {"x", "a.MP3", "x.mp3"},
        {"Song.mp3", "a.mp3", "Song.mp3"},
        {"Vol.123", "a.mp3", "Vol.mp3"},
        {"x", "", "x.mp3"},
        {"AC/DC", "a.mp3", "AC_DC.mp3"},
        {"../../etc/passwd", "a.mp3", ".._.._etc_passwd.mp3"},
        {"/", "a.mp3", "_.mp3"},
        {std::string("a\0b", 3), "a.mp3", "a_b.mp3"},
        {"two\r\nlines\t", "a.mp3", "two__lines_.mp3"},
        {"", "old.mp3", "old.mp3"},
        {".mp3", "old.mp3", "old.mp3"},
        {"", ".mp3", "_.mp3"},
        {"", "", "_.mp3"},
        {".", "a.mp3", "..mp3"},
        {"..", "a.mp3", "...mp3"},
        {"?*:<>|\\", "a.mp3", "?*:<>|\\.mp3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NewFileName(c.stem, c.oldName), c.expected) << c.stem << " <- " << c.oldName;
}

TEST(NewFileName, LongStemsAreCutAtACharacterToFitTheFileSystemWithTheExtension)
{
    struct Case {
        std::string stem;
        std::size_t stemKept;
    };
    const std::vector<Case> cases = {
        {std::string(300, 'a'), 251},
        {std::string(251, 'a'), 251},
        {std::string(250, 'a'), 250},
        {std::string(200, '\xE9'), 125},       // two bytes each on disk
        {"a" + std::string(200, '\xE9'), 126}, // 1 + 125 * 2 + 4 = 255
        {std::string(250, 'a') + "\xE9", 250}, // the last character would need 256 bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stem.size());
        const std::string name = NewFileName(c.stem, "old.mp3");
        EXPECT_EQ(name, c.stem.substr(0, c.stemKept) + ".mp3");
        EXPECT_LE(ToUtf8(name).size(), MaxFileNameBytes);
    }
    EXPECT_EQ(NewFileName(std::string(300, 'a'), "old.mp\xE9"), std::string(250, 'a') + ".mp\xE9");
}

// The file system itself accepts the cut names and refuses one byte more.
TEST(NewFileName, CutNamesCanBeCreatedOnDisk)
{
    char pattern[] = "/tmp/vellum-names-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path dir = pattern;

    auto create = [&](const std::string& latin1Name) {
        const int fd = ::open((dir / ToUtf8(latin1Name)).c_str(), O_CREAT | O_WRONLY | O_EXCL, 0644);
        const int error = fd < 0 ? errno : 0;
        if (fd >= 0)
            ::close(fd);
        return error;
    };
    const std::vector<std::string> stems = {std::string(400, 'a'), std::string(400, '\xE9'),
                                            "b" + std::string(400, '\xFC'), "AC/DC" + std::string(300, 'x')};
    for (const auto& stem : stems)
        EXPECT_EQ(create(NewFileName(stem, "old.mp3")), 0) << stem.size();
    EXPECT_EQ(create(std::string(252, 'z') + ".mp3"), ENAMETOOLONG);

    std::filesystem::remove_all(dir);
}

TEST(ReplaceUnsafeNameChars, ReplacesSlashAndControlCharactersOnly)
{
    EXPECT_EQ(ReplaceUnsafeNameChars(std::string("a/b\x01\x1F\x7F\n", 8)), "a_b_____");
    EXPECT_EQ(ReplaceUnsafeNameChars("Caf\xE9 \"?\" <1> | 2:3"), "Caf\xE9 \"?\" <1> | 2:3");
}

} // namespace
