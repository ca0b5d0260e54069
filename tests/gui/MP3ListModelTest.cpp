// What a handful of real files in the window cannot show: each column's comparison, sizes in the user's locale, rows
// updated after a save or a rename, the tree walk past links, hidden, unreadable and deep folders, and the duplicate
// test, which knows a file by what it is on disk, not by how its path is spelt.
#include "GuiTestSupport.h"

#include "DirectoryScan.h"
#include "ListedFiles.h"
#include "MP3ListModel.h"
#include "Mp3Fixture.h"

#include <QtCore/QLocale>
#include <QtGui/QPixmap>
#include <QtTest/QSignalSpy>

#include <sys/stat.h>
#include <unistd.h>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using M = MP3ListModel;

ListRow Row(const std::string& caption, std::int64_t size = 0, int bitrate = 0, const std::string& length = "")
{
    return {"/music/", caption, caption, caption, length, size, bitrate, false, false};
}

TEST(MP3ListModel, HeaderClickComparesEachColumnByItsKind)
{
    ListRow v1 = Row("x"), v2 = Row("x");
    v1.HasID3v1 = v2.HasID3v2 = true;
    const struct {
        int Column;
        ListRow Lesser, Greater;
    } cases[] = {
        {M::FileColumn, Row("b.mp3"), Row("C.mp3")},
        {M::FileColumn, Row("Z.mp3"), Row("_.mp3")},    // letters fold to upper case, not lower
        {M::FileColumn, Row("z.mp3"), Row("\xE9.mp3")}, // other bytes by their 8-bit code
        {M::ID3v1Column, Row("x"), v1},
        {M::ID3v2Column, Row("x"), v2},
        {M::BitrateColumn, Row("x", 0, 96), Row("x", 0, 128)},
        {M::SizeColumn, Row("x", 3'000'000), Row("x", 30'000'000)},
        {M::LengthColumn, Row("x", 0, 0, "9:59"), Row("x", 0, 0, "10:00")},
        {M::LengthColumn, Row("x", 0, 0, "no time"), Row("x", 0, 0, "0:01")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lesser.Caption + " " + c.Lesser.Length);
        EXPECT_LT(M::Compare(c.Lesser, c.Greater, c.Column), 0);
        EXPECT_GT(M::Compare(c.Greater, c.Lesser, c.Column), 0);
    }
    EXPECT_EQ(M::Compare(Row("abc.MP3"), Row("ABC.mp3"), M::FileColumn), 0);
}

TEST(MP3ListModel, SizesAreGroupedByThousandsInTheUsersLocale)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(SizeText(999) + " " + SizeText(5'000'000'000), "999 5,000,000,000");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SizeText(1'234'567), "1.234.567");
    QLocale::setDefault(QLocale::system());
}

TEST(MP3ListModel, ARowUpdatedAfterASaveOrRenameShowsItsNewStateOnly)
{
    std::array<QIcon, 4> icons;
    for (QIcon& icon : icons)
        icon = QIcon(QPixmap(1, 1)); // each its own icon
    M model(icons);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.Append({Row("a.mp3", 5, 192, "4:01"), Row("b.mp3")});
    EXPECT_EQ(inserted.count(), 1) << "one notification for a whole batch";
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    const auto shown = [&model](int column) { return model.index(0, column).data().toString().toStdString(); };
    for (const auto& [v1, v2, image, flags] : {std::tuple{true, false, 2, "Y "}, {false, true, 3, " Y"}}) {
        model.SetTagState(0, v1, v2, "T\xE9", 12'345);
        EXPECT_EQ(model.index(0, M::FileColumn).data(Qt::DecorationRole).value<QIcon>().cacheKey(),
                  icons[static_cast<std::size_t>(image)].cacheKey());
        EXPECT_EQ(shown(M::ID3v1Column) + " " + shown(M::ID3v2Column), flags);
        EXPECT_EQ(shown(M::TitleColumn) + " " + shown(M::BitrateColumn) + " " + shown(M::LengthColumn),
                  "T\xC3\xA9 192 4:01");
        EXPECT_EQ(model.Row(0).Size, 12'345);
        ASSERT_FALSE(changed.isEmpty());
        EXPECT_EQ(changed.takeLast().at(1).toModelIndex().column(), M::SizeColumn) << "the view repaints up to Size";
    }
    model.SetCaption(0, "new.mp3");
    EXPECT_EQ(shown(M::FileColumn), "new.mp3");
    EXPECT_EQ(model.Row(0).Path() + " " + model.Row(0).OriginalName, "/music/new.mp3 a.mp3");
}

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
        {root + "sublink/../", "a.mp3", true}, // ".." of a link is the parent of its target
        {root, "alink.mp3", true},
        {root, "A.mp3", false},
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
