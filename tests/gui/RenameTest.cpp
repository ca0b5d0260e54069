// Rename and Undo Rename: names made in each file's own folder, the confirmations of several rows, and undo
// back to the exact name the file was added under, never over another file.
#include "MainWindowFixture.h"

namespace {

using enum QMessageBox::StandardButton;
using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::MutagenTag;

using RenameTest = MainWindowTest;

// Texts the editor shows otherwise than the file holds them (UTF-16 with a blank at its end, a text whose shown part
// ends in a blank, a comment ending in a line break), and frames it does not show.
Bytes Tricky(std::string_view title)
{
    using namespace ID3v2Bytes;
    const Bytes frames = Concat({Frame("TIT2", TextBody(title)),
                                 Frame("TPE1", TextBody({"\xFF\xFE\x18\x04\x32\x04\x30\x04\x3D\x04 \0", 12}, 1)),
                                 Frame("TALB", TextBody(std::string(1023, 'a') + " " + std::string(476, 'b'))),
                                 Frame("COMM", CommentBody("", "last line\n")),
                                 Frame("TXXX", TextBody({"gain\0-6 dB", 10})),
                                 Frame("APIC", Concat({TextBody({"image/png\0\3\0", 12}), Bytes(5000, 0x89)}))});
    return Concat({Tag(3, frames, 64), Mp3Fixture::Frames(20)});
}

TEST_F(RenameTest, SeveralRowsAreRenamedInTheirFoldersAsConfirmedKeepEveryFrameAndUndoGivesBackTheExactName)
{
    // The loaded row and another keep every frame untouched, whatever the editor shows of them.
    writeFile(Music.file("a.mp3"), Tricky("One"));
    Put("b.mp3", {.V2 = {{"TIT2", "Two"}}});
    writeFile(Music.file("c.mp3"), Tricky("Three"));
    // Titles that would leave the folder, a Latin-1 title, and an upper-case extension.
    Put("sub/u.mp3", {.V2 = {{"TIT2", "../../update"}}});
    Put("sub/x.MP3", {.V2 = {{"TIT2", "Bj\xF6rk"}}});
    Put("sub/z.mp3", {.V2 = {{"TIT2", "AC/DC"}}});
    const std::map<std::string, std::optional<MutagenTag>> frames = {{"One.mp3", MutagenID3v2(Music.file("a.mp3"))},
                                                                     {"Three.mp3", MutagenID3v2(Music.file("c.mp3"))}};
    Main.ConfirmOnRename->setChecked(true);
    ListAll(Music.path());

    Main.RenScheme->setEditText("$TITLE");
    const auto boxes = ClickActive(Main.RenameBtn, {Yes, Yes, No, Yes, Yes, Yes, Yes});
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[1].Caption + boxes[1].Text, "RenameOld filename:\na.mp3\n\nNew filename:\nOne");
    EXPECT_EQ(Rows({0}), (Names {"One.mp3", "b.mp3", "Three.mp3", "___.._update.mp3", "Björk.mp3", "AC_DC.mp3"}));
    for (int row = 0; row < List.RowCount(); ++row) // in the folder it was in
        EXPECT_TRUE(std::filesystem::exists(List.Row(row).Path())) << row;
    EXPECT_EQ(Main.FileLoaded->text(), "One.mp3");
    for (const auto& [name, before] : frames)
        EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(Music.file(name))), Names {}) << name;

    // One row never goes to a name of nothing; renamed, the next row is loaded.
    ClickRow(1);
    Main.RenScheme->setEditText(QStringLiteral("$COMMENT"));
    EXPECT_EQ(Texts(ClickActive(Main.RenameBtn, {Yes})),
              (QStringList {"Old filename:\nb.mp3\n\nNew filename:\n",
                            "New filename: .mp3\n\nError renaming file. Filename cannot be read-only or include any of "
                            "the following:\n\t\t\t\\ / : * ? \" < > |"}));
    ClickRow(1);
    Main.RenScheme->setEditText(QStringLiteral("$TITLE"));
    ClickActive(Main.RenameBtn, {Yes});
    EXPECT_EQ(Rows({0})[1] + " " + Main.FileLoaded->text().toStdString(), "Two.mp3 Three.mp3");

    // Undo gives the row back the name it was added under, never over another file, and writes no tag.
    const Bytes renamed = readFile(Music.file("sub/Bj\xC3\xB6rk.mp3")), stranger = readFile(Put("sub/z.mp3", {}));
    ClickRow(4);
    EXPECT_TRUE(Answering({}, [this] { Press(Qt::Key_Z, Qt::ControlModifier); }).empty());
    EXPECT_EQ(readFile(Music.file("sub/x.MP3")), renamed);
    EXPECT_EQ(Rows({0})[4], "x.MP3");
    EXPECT_EQ(Main.FileLoaded->text(), "AC_DC.mp3") << "the next row";
    ClickRow(5);
    EXPECT_EQ(Texts(Answering({}, [this] { Main.UndoRenameMI->trigger(); })),
              QStringList {"New filename: z.mp3\n\nA file by that name already exists!"});
    EXPECT_EQ(readFile(Music.file("sub/z.mp3")), stranger);
}

} // namespace
