// The road a user walks in one sitting, on real files: add a folder tree, sort, edit and save, apply an artist to
// several files, rename, export side files and create ID3v1 tags from the list's menu. After each step the window
// shows what the files hold, and only the files the step names are written (what a command keeps of a file is the
// core's tests' business).
#include "MainWindowFixture.h"

#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMenu>

namespace {

using enum QMessageBox::StandardButton;

const std::string Mood = std::string("mood\0calm", 9), Cover = std::string("image/png\0\3\0", 12) + "0123456789";

// What TagLib sees but the frames the editor does not show.
std::string Seen(const std::filesystem::path& path) { return TagsSeen(path, {"TXXX", "APIC"}); }

class WholeRoadTest : public MainWindowTest {
protected:
    std::map<std::string, Bytes> Disk; // the files under the music folder at the last look

    // The files written or made since the last look, and "-" and the name of each one gone.
    Names Written()
    {
        std::map<std::string, Bytes> now;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(Music.path()))
            if (entry.is_regular_file())
                now[std::filesystem::relative(entry.path(), Music.path()).string()] = readFile(entry.path());
        Names written;
        for (const auto& [name, bytes] : now)
            if (!Disk.contains(name) || Disk.at(name) != bytes)
                written.push_back(name);
        for (const auto& [name, bytes] : Disk)
            if (!now.contains(name))
                written.push_back("-" + name);
        Disk = std::move(now);
        std::sort(written.begin(), written.end());
        return written;
    }

    // Opens the list's popup menu on the row, as a right click does, and clicks the item.
    void FromPopup(int row, QAction* item)
    {
        emit Main.Selected3->customContextMenuRequested(Main.Selected3->visualRect(List.index(row, 0)).center());
        ASSERT_TRUE(Main.MP3Options->isVisible());
        QTest::mouseClick(Main.MP3Options, Qt::LeftButton, {}, Main.MP3Options->actionGeometry(item).center());
    }
};

TEST_F(WholeRoadTest, EachStepShowsWhatTheFilesHoldAndWritesOnlyTheFilesItNames)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Put("Band A-Alpha.mp3", {.V2 = {{"TIT2", "Alpha"}, {"TPE1", "Band A"}, {"TXXX", Mood}, {"APIC", Cover}}});
    Put("Band B-Beta.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Beta", .Artist = "Band B"}});
    Put("Band C-Gamma.mp3", {});
    Put("sub/Band D-Delta.mp3", {.V2 = {{"TIT2", "Delta"}, {"TPE1", "Band D"},
                                        {"TALB", "An album title longer than thirty characters, twice"}}});
    Written(); // the first look

    AddDirectory(Music.path());

    // A click on the Size header sorts the smallest file first.
    QHeaderView& header = *Main.Selected3->header();
    const int size = MP3ListModel::SizeColumn;
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(size) + header.sectionSize(size) / 2, header.height() / 2));
    EXPECT_EQ(Rows(), (Names {"Band C-Gamma.mp3|||", "Band B-Beta.mp3|Y||Beta",
                              "Band A-Alpha.mp3||Y|Alpha", "Band D-Delta.mp3||Y|Delta"}));
    EXPECT_EQ(Rows({size}), (Names {"8,340", "8,468", "8,500", "8,509"}));

    // Save writes the new title and the ID3v1 tag the file lacked, imported from its name; the next row is loaded.
    ClickRow(2);
    Main.TitleV2->setText(QStringLiteral("Alpha Remix"));
    EXPECT_TRUE(ClickActive(Main.SaveBtn).empty());
    EXPECT_EQ(Written(), Names {"Band A-Alpha.mp3"});
    EXPECT_EQ(Seen(Music.file("Band A-Alpha.mp3")), "v1:Alpha/Band A///0/255 v2:TIT2:Alpha Remix;TPE1:Band A;");
    EXPECT_EQ(Rows()[2], "Band A-Alpha.mp3|Y|Y|Alpha Remix");
    EXPECT_EQ(SelectedRows(), std::vector<int> {3});
    EXPECT_EQ(Main.FileLoaded->text() + "|" + Main.TitleV2->text(), "Band D-Delta.mp3|Delta");

    // The artist applied to three rows: a file without an ID3v2 tag gets one made from its name.
    ClickRow(0);
    ClickRow(2, Qt::ShiftModifier);
    Main.ArtistV2->setText(QStringLiteral("Road Crew"));
    EXPECT_EQ(ClickActive(Main.ArtistV2ATA, {Yes, No}).size(), 2u);
    EXPECT_EQ(Written(), (Names {"Band A-Alpha.mp3", "Band B-Beta.mp3", "Band C-Gamma.mp3"}));
    EXPECT_EQ(Seen(Music.file("Band C-Gamma.mp3")), "v1: v2:TIT2:Gamma;TPE1:Road Crew;") << "the rest from its name";
    EXPECT_EQ(Rows(), (Names {"Band C-Gamma.mp3||Y|Gamma", "Band B-Beta.mp3|Y|Y|Beta",
                              "Band A-Alpha.mp3|Y|Y|Alpha Remix", "Band D-Delta.mp3||Y|Delta"}));
    EXPECT_EQ(SelectedRows(), (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(Main.FileLoaded->text() + "|" + Main.ArtistV2->text(), "Band C-Gamma.mp3|Road Crew");

    // Rename never goes to a name of nothing (the undo test tries another file's name).
    ClickRow(1);
    Main.RenScheme->setEditText(QStringLiteral("$COMMENT"));
    EXPECT_EQ(Texts(ClickActive(Main.RenameBtn)),
              QStringList {"New filename: .mp3\n\nError renaming file. Filename cannot be read-only or include any of "
                           "the following:\n\t\t\t\\ / : * ? \" < > |"});
    EXPECT_EQ(Written(), Names {});

    // Rename by the scheme in the scheme box; the next row is loaded.
    ClickRow(1);
    Main.RenScheme->setEditText(QStringLiteral("$ARTIST-$TITLE"));
    EXPECT_TRUE(ClickActive(Main.RenameBtn).empty());
    EXPECT_EQ(Written(), (Names {"-Band B-Beta.mp3", "Road Crew-Beta.mp3"}));
    EXPECT_EQ(Main.FileLoaded->text(), "Band A-Alpha.mp3");

    // ".id2" side files of the selected rows hold each file's tag as written; the MP3 files are only read.
    TempDir side;
    ClickRow(0);
    ClickRow(2, Qt::ShiftModifier);
    ChooseFolderNext(side.path());
    EXPECT_TRUE(Answering({}, [this] { FromPopup(0, Main.WriteID3v2); }).empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(side.path()), {}), 3);
    for (const char* stem : {"Band A-Alpha", "Road Crew-Beta", "Band C-Gamma"}) {
        const Bytes mp3 = readFile(Music.file(stem + std::string(".mp3")));
        EXPECT_EQ(readFile(side.file(stem + std::string(".id2"))), Slice(mp3, 0, Mp3Fixture::TagAreaOf(mp3))) << stem;
    }
    EXPECT_EQ(Written(), Names {});
    EXPECT_EQ(SelectedRows(), (std::vector<int> {0, 1, 2}));

    // Create ID3v1 for every row: only the files with an ID3v2 tag and without an ID3v1 tag get one.
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Answering({Yes}, [this] { FromPopup(2, Main.CreateID3v1); }).size(), 1u);
    EXPECT_EQ(Written(), (Names {"Band C-Gamma.mp3", "sub/Band D-Delta.mp3"}));
    EXPECT_EQ(Rows(), (Names {"Band C-Gamma.mp3|Y|Y|Gamma", "Road Crew-Beta.mp3|Y|Y|Beta",
                              "Band A-Alpha.mp3|Y|Y|Alpha Remix", "Band D-Delta.mp3|Y|Y|Delta"}));
}

} // namespace
