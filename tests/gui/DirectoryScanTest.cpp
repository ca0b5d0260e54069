// Finding MP3 files on disk and reading each into a list row: which files a folder tree yields and in which
// order, and what a row holds for files that are tagged, damaged or no files at all.
#include "DirectoryScan.h"
#include "ID3v2Bytes.h"
#include "ListRow.h"
#include "Mp3Fixture.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::string>;

struct DirectoryScanTest : ::testing::Test {
    TempDir dir;
    std::string root = dir.path().string() + "/";

    void Touch(const std::string& relative) const
    {
        fs::create_directories(fs::path(root + relative).parent_path());
        writeFile(root + relative, {1});
    }
    // The files found, relative to the folder as spelt; the count must agree.
    Paths Scan(const std::string& spelling, const std::string& prefix) const
    {
        Paths found;
        const std::size_t count = ScanDirectory(spelling, [&](const std::string& folder, const std::string& name) {
            EXPECT_TRUE(folder.starts_with(prefix) && folder.ends_with("/") && !folder.ends_with("//")) << folder;
            found.push_back(folder.substr(prefix.size()) + name);
        });
        EXPECT_EQ(count, found.size());
        return found;
    }
};

TEST_F(DirectoryScanTest, FilesOfAFolderComeBeforeItsSubfoldersAndOnlyRegularFilesCount)
{
    for (const char* file : {"b.mp3", "A.MP3", "c.mp2", ".h.mp3", "d.mp4", "e.txt", "sub/x.mp3", "sub/deeper/y.mpa",
                             "a-sub/z.mp3", ".hidden/h.mp3", "folder.mp3/f.mp3"})
        Touch(file);
    ASSERT_EQ(mkfifo((root + "fifo.mp3").c_str(), 0600), 0);
    fs::create_symlink(root + "b.mp3", root + "link.mp3");
    fs::create_symlink(root + "nowhere.mp3", root + "broken.mp3");
    fs::create_directory_symlink(root, root + "sub/loop");
    fs::create_directory_symlink(root + "sub", root + "sub-link.mp3");
    const Paths expected = {".h.mp3",      "A.MP3",     "b.mp3",           "c.mp2",           "link.mp3",
                            "a-sub/z.mp3", "folder.mp3/f.mp3", "sub/x.mp3", "sub/deeper/y.mpa"};
    // The chosen folder may be spelt without its "/", with two, or through a link.
    EXPECT_EQ(Scan(root, root), expected);
    EXPECT_EQ(Scan(dir.path().string(), root), expected);
    EXPECT_EQ(Scan(root + "/", root), expected);
    EXPECT_EQ(Scan(root + "sub-link.mp3", root + "sub-link.mp3/"), (Paths {"x.mp3", "deeper/y.mpa"}));
}

TEST_F(DirectoryScanTest, ReadOnlyFolderIsWalkedAndUnreadableOneIsPassedOver)
{
    for (const char* file : {"a/in-read-only.mp3", "b/in-unreadable.mp3", "c/after.mp3"})
        Touch(file);
    fs::permissions(root + "a", fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(root + "b", fs::perms::none);
    Paths expected = {"a/in-read-only.mp3", "c/after.mp3"};
    if (geteuid() == 0)
        expected.insert(expected.begin() + 1, "b/in-unreadable.mp3"); // permissions do not stop root
    EXPECT_EQ(Scan(root, root), expected);
}

TEST_F(DirectoryScanTest, TreeAHundredLevelsDeepIsFoundWhole)
{
    std::string relative;
    Paths expected;
    for (int level = 0; level < 100; ++level) {
        fs::create_directory(root + (relative += "d/"));
        expected.push_back(relative + "f.mp3");
        writeFile(root + expected.back(), {1});
    }
    EXPECT_EQ(Scan(root, root), expected);
}

TEST_F(DirectoryScanTest, RowHoldsTheTagsAndFirstFrameOfTheFile)
{
    using namespace Mp3Fixture;
    const Bytes v1 = ID3v1Record({"One"});
    const Bytes v2 = ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Two \xE9")), 100);
    const Bytes untitledV2 = ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TPE1", ID3v2Bytes::TextBody("Band")), 100);
    const struct {
        Bytes Content;
        bool V1, V2;
        std::string Title, Length;
        int Bitrate;
    } cases[] = {
        {Mp3(200), false, false, "", "0:06", 128},
        {Mp3(200, 0, v1), true, false, "One", "0:06", 128},
        {Concat({v2, Mp3(200)}), false, true, "Two \xE9", "0:06", 128},
        {Concat({v2, Mp3(200, 0, v1)}), true, true, "Two \xE9", "0:06", 128},
        {Concat({untitledV2, Mp3(200, 0, v1)}), true, true, "", "0:06", 128}, // an ID3v2 tag's title, even none
        {{}, false, false, "", "0:00", 0},
        {Bytes(5000, 0x5A), false, false, "", "0:00", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Content.size() << " bytes, title " << c.Title);
        writeFile(root + "song.mp3", c.Content);
        const std::optional<ListRow> row = ReadListRow(root, "song.mp3");
        ASSERT_TRUE(row);
        EXPECT_EQ(row->Path() + " " + row->OriginalName, root + "song.mp3 song.mp3");
        EXPECT_EQ(std::make_tuple(row->HasID3v1, row->HasID3v2, row->Title), std::make_tuple(c.V1, c.V2, c.Title));
        EXPECT_EQ(std::make_tuple(row->Bitrate, row->Length, row->Size),
                  std::make_tuple(c.Bitrate, c.Length, static_cast<std::int64_t>(c.Content.size())));
    }
}

TEST_F(DirectoryScanTest, RowIsReadThroughALinkButNeverFromAFifoOrFolder)
{
    writeFile(root + "song.mp3", Mp3Fixture::Mp3(10, 0, Mp3Fixture::ID3v1Record({"One"})));
    fs::create_symlink(root + "song.mp3", root + "link.mp3");
    ASSERT_EQ(mkfifo((root + "fifo.mp3").c_str(), 0600), 0);
    fs::create_directory(root + "folder.mp3");
    const std::optional<ListRow> linked = ReadListRow(root, "link.mp3");
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->Caption + " " + linked->Title, "link.mp3 One");
    for (const char* name : {"fifo.mp3", "folder.mp3", "missing.mp3"})
        EXPECT_FALSE(ReadListRow(root, name)) << name;
}

} // namespace
