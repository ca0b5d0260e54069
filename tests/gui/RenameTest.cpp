// Rename and Undo Rename: names made in each file's own folder, the confirmations of several rows, and undo
// back to the exact name the file was added under, never over another file.
#include "MainWindowFixture.h"

namespace {

using enum QMessageBox::StandardButton;
using Names = std::vector<std::string>;

using RenameTest = MainWindowTest;

TEST_F(RenameTest, SeveralRowsAreRenamedInTheirFoldersAsConfirmedKeepEveryFrameAndUndoGivesBackTheExactName)
{
    Put("a.mp3", {.V2 = {{"TIT2", "One"}}});
    Put("b.mp3", {.V2 = {{"TIT2", "Two"}}});
    Put("c.mp3", {.V2 = {{"TIT2", "Three"}, {"TPE1", std::string(1500, 'a')}, {"TXXX", std::string("gain\0-6 dB", 10)},
                         {"APIC", std::string("image/png\0\3\0", 12) + std::string(5000, '\x89')}}});
    // Titles that would leave the folder, a Latin-1 title, and an upper-case extension.
    Put("sub/u.mp3", {.V2 = {{"TIT2", "../../update"}}});
    Put("sub/x.MP3", {.V2 = {{"TIT2", "Bj\xF6rk"}}});
    Put("sub/z.mp3", {.V2 = {{"TIT2", "AC/DC"}}});
    const auto frames = IndependentReaders::MutagenID3v2(Music.file("c.mp3"));
    const Bytes audio = Mp3Fixture::AudioOf(readFile(Music.file("c.mp3")));
    Main.ConfirmOnRename->setChecked(true);
    ListAll(Music.path());

    Main.RenScheme->setEditText("$TITLE");
    const auto boxes = ClickActive(Main.RenameBtn, {Yes, Yes, No, Yes, Yes, Yes, Yes});
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[1].Caption + boxes[1].Text, "RenameOld filename:\na.mp3\n\nNew filename:\nOne");
    EXPECT_EQ(Captions(),
              (Names {"One.mp3", "b.mp3", "Three.mp3", "___.._update.mp3", "Bj\xC3\xB6rk.mp3", "AC_DC.mp3"}));
    for (const char* name :
         {"One.mp3", "b.mp3", "Three.mp3", "sub/___.._update.mp3", "sub/Bj\xC3\xB6rk.mp3", "sub/AC_DC.mp3"})
        EXPECT_TRUE(std::filesystem::exists(Music.file(name))) << name;
    EXPECT_EQ(Main.FileLoaded->text(), "One.mp3");
    EXPECT_EQ(IndependentReaders::ChangedFrames(*frames, *IndependentReaders::MutagenID3v2(Music.file("Three.mp3"))),
              Names {});
    EXPECT_EQ(Slice(Mp3Fixture::AudioOf(readFile(Music.file("Three.mp3"))), 0, audio.size()), audio);

    // Undo gives the row back the name it was added under, never over another file, and writes no tag.
    const Bytes renamed = readFile(Music.file("sub/Bj\xC3\xB6rk.mp3")), stranger = readFile(Put("sub/z.mp3", {}));
    ClickRow(4);
    EXPECT_TRUE(ClickActive(Main.UndoRenameBtn).empty());
    EXPECT_EQ(readFile(Music.file("sub/x.MP3")), renamed);
    EXPECT_EQ(Captions()[4], "x.MP3");
    ClickRow(5);
    EXPECT_EQ(Texts(Answering({}, [this] { Main.UndoRenameMI->trigger(); })),
              QStringList {"New filename: z.mp3\n\nA file by that name already exists!"});
    EXPECT_EQ(readFile(Music.file("sub/z.mp3")), stranger);
}

} // namespace
