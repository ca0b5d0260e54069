// Loading beyond what a load through the window shows: the files a tree yields through links, hidden files, folders
// named like MP3 files, folders that cannot be read or lie deep; a row read only from a regular file; and the
// duplicate test, which knows a file by what it is on disk, not by how its path is spelt.
#include "DirectoryScan.h"
#include "ListRow.h"
#include "ListedFiles.h"
#include "Mp3Fixture.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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

TEST_F(DirectoryScanTest, FilesOfAFolderComeBeforeItsSubfoldersAndLinksToFoldersAreNotFollowed)
{
    for (const char* file : {"b.mp3", ".h.mp3", "e.txt", "sub/x.mp3", "sub/deeper/y.mpa", "z-sub/z.mp3",
                             ".hidden/h.mp3", "folder.mp3/f.mp3", "ro/r.mp3", "no/n.mp3"})
        Touch(file);
    ASSERT_EQ(mkfifo((root + "fifo.mp3").c_str(), 0600), 0); // the scan must not hand it on to be opened
    fs::create_symlink(root + "b.mp3", root + "link.mp3");
    fs::create_symlink(root + "nowhere.mp3", root + "broken.mp3");
    fs::create_directory_symlink(root + "sub", root + "sub-link.mp3");
    fs::permissions(root + "ro", fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(root + "no", fs::perms::none); // passed over, unless permissions do not stop the user (root)
    std::string deep = "z-sub/";
    for (int level = 0; level < 100; ++level)
        fs::create_directory(root + (deep += "d/"));
    Touch(deep + "f.mp3");
    // Subfolders are walked depth first: all of "sub" before "z-sub".
    Paths expected = {".h.mp3", "b.mp3", "link.mp3", "folder.mp3/f.mp3", "ro/r.mp3", "sub/x.mp3", "sub/deeper/y.mpa",
                      "z-sub/z.mp3", deep + "f.mp3"};
    if (geteuid() == 0)
        expected.insert(expected.begin() + 4, "no/n.mp3");
    // The chosen folder may be spelt without its "/", with two, or through a link.
    EXPECT_EQ(Scan(root, root), expected);
    EXPECT_EQ(Scan(dir.path().string(), root), expected);
    EXPECT_EQ(Scan(root + "/", root), expected);
    EXPECT_EQ(Scan(root + "sub-link.mp3", root + "sub-link.mp3/"), (Paths {"x.mp3", "deeper/y.mpa"}));
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

TEST_F(DirectoryScanTest, SameFileReachedAnotherWayIsListedOnce)
{
    for (const char* name : {"a.mp3", "A.mp3", "sub/b.mp3"})
        Touch(name);
    fs::create_directory_symlink(root + "sub", root + "sublink");
    fs::create_symlink(root + "a.mp3", root + "alink.mp3");
    ListedFiles listed;
    ASSERT_TRUE(listed.Insert(root, "a.mp3"));
    ASSERT_TRUE(listed.Insert(root + "sub/", "b.mp3"));
    const struct {
        std::string Directory, Name;
        bool Listed;
    } cases[] = {
        {root + "./", "a.mp3", true},       {root + "sub/../", "a.mp3", true},
        {root + "sublink/../", "a.mp3", true}, // ".." of a link is the parent of its target
        {root, "alink.mp3", true},          {root + "sublink/", "b.mp3", true},
        {root, "A.mp3", false},             {root + "sub/", "B.mp3", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(listed.Contains(c.Directory, c.Name), c.Listed) << c.Directory + c.Name;
        EXPECT_EQ(listed.Insert(c.Directory, c.Name), !c.Listed) << c.Directory + c.Name;
    }

    // Renamed through the link to its folder, the file is listed under its new name only.
    listed.Rename(root + "sublink/", "b.mp3", "Artist-Title.mp3");
    fs::rename(root + "sub/b.mp3", root + "sub/Artist-Title.mp3");
    EXPECT_TRUE(listed.Contains(root + "sub/", "Artist-Title.mp3"));
    Touch("sub/b.mp3");
    EXPECT_FALSE(listed.Contains(root + "sub/", "b.mp3")) << "a new file under the old name is another file";
}

} // namespace
