// The duplicate test of loading: one row per file on disk, however the file was reached.
#include "ListedFiles.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct ListedFilesTest : ::testing::Test {
    TempDir dir;
    std::string root = dir.path().string() + "/";
    ListedFiles listed;

    void SetUp() override
    {
        fs::create_directory(root + "sub");
        for (const char* name : {"a.mp3", "A.mp3", "sub/b.mp3"})
            writeFile(root + name, {1});
        fs::create_directory_symlink(root + "sub", root + "sublink");
        fs::create_symlink(root + "a.mp3", root + "alink.mp3");
    }
};

TEST_F(ListedFilesTest, SameFileReachedAnotherWayIsListedOnce)
{
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
    listed.Clear();
    EXPECT_FALSE(listed.Contains(root, "a.mp3"));
}

TEST_F(ListedFilesTest, RenamedFileIsListedUnderItsNewName)
{
    const std::string viaLink = root + "sublink/";
    ASSERT_TRUE(listed.Insert(viaLink, "b.mp3"));
    fs::rename(viaLink + "b.mp3", viaLink + "Artist-Title.mp3");
    listed.Rename(viaLink, "b.mp3", "Artist-Title.mp3");
    EXPECT_TRUE(listed.Contains(root + "sub/", "Artist-Title.mp3"));
    writeFile(root + "sub/b.mp3", {2});
    EXPECT_FALSE(listed.Contains(root + "sub/", "b.mp3")) << "a new file under the old name is another file";
}

} // namespace
