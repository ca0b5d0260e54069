// What the editor shows of a field may be cut or trimmed; what a command writes of a field the user did not touch is
// the field as it was read, byte for byte, whichever command writes it.
#include "MainWindowFixture.h"

#include "TOptionsForm.h"

namespace {

using enum QMessageBox::StandardButton;
using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using Names = std::vector<std::string>;

using UntouchedFieldsTest = MainWindowTest;

Bytes Comment(std::string_view description, std::string_view text)
{
    return ID3v2Bytes::Frame("COMM", ID3v2Bytes::CommentBody(description, text));
}

std::filesystem::path PutFrames(const TempDir& music, const std::string& name, const Bytes& frames)
{
    const std::filesystem::path path = music.file(name);
    writeFile(path, Concat({ID3v2Bytes::Tag(3, frames, 64), Mp3Fixture::Frames(4)}));
    return path;
}

TEST_F(UntouchedFieldsTest, RenameSavesNoFieldWhoseShownTextLooksTrimmed)
{
    const std::string album = std::string(1023, 'a') + " " + std::string(476, 'b');
    PutFrames(Music, "a.mp3", Concat({ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Song")),
                                      ID3v2Bytes::Frame("TPE1", ID3v2Bytes::TextBody({"\xFF\xFE\x18\x04\x32\x04\x30\x04\x3D\x04 \0", 12}, 1)),
                                      ID3v2Bytes::Frame("TALB", ID3v2Bytes::TextBody(album)), Comment("", "last line\n")}));
    const auto before = MutagenID3v2(Music.file("a.mp3"));
    Main.RenScheme->setEditText(QStringLiteral("$TITLE"));
    Show("a.mp3");
    EXPECT_TRUE(ClickActive(Main.RenameBtn).empty());
    ASSERT_EQ(Captions(), Names {"Song.mp3"});
    EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(Music.file("Song.mp3"))), Names {});
}

TEST_F(UntouchedFieldsTest, ApplyToAllWritesTheWholeTextOfAnUntouchedFieldAndTheTypedTextOfAnEditedOne)
{
    const std::string comment = "first line\r\n" + std::string(3000, 'c');
    const auto source = PutFrames(Music, "a.mp3", Concat({ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("A")), Comment("", comment)}));
    const auto other = PutFrames(Music, "b.mp3", ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("B")));
    const Bytes sourceBefore = readFile(source);
    ListAll(Music.path());
    ClickActive(Main.CommentV2ATA, {Yes, No});
    EXPECT_EQ(readFile(source), sourceBefore);
    EXPECT_EQ(MutagenID3v2(other)->Texts.at("COMM::eng"), comment);

    Main.TitleV2->setText(QStringLiteral("Typed"));
    ClickActive(Main.TitleV2ATA, {Yes, No});
    EXPECT_EQ(MutagenID3v2(other)->Texts.at("TIT2"), "Typed");
}

// The comment shown is the one without a description, else the first; a save replaces that one and no other.
TEST_F(UntouchedFieldsTest, ASavedCommentReplacesTheCommentShown)
{
    const Bytes normalisation = Comment("iTunNORM", " 0000021F 00000221");
    const std::vector<std::tuple<Bytes, std::string, Names>> cases = {
        {Comment("Comment", "old"), "old", {"COMM:Comment:eng"}},
        {Concat({Comment("Comment", "old"), normalisation}), "old", {"COMM:Comment:eng"}},
        {Concat({normalisation, Comment("", "old"), Comment("Other", "x")}), "old", {"COMM::eng"}},
    };
    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [frames, shown, changed] = cases[i];
        const auto path = PutFrames(Music, std::to_string(i) + ".mp3", frames);
        const auto before = MutagenID3v2(path);
        Show(std::to_string(i) + ".mp3");
        EXPECT_EQ(Main.CommentV2->toPlainText().toStdString(), shown) << i;
        Main.CommentV2->setPlainText(QStringLiteral("new"));
        ClickActive(Main.SaveBtn);
        const auto after = MutagenID3v2(path);
        EXPECT_EQ(ChangedFrames(*before, *after), changed) << i;
        EXPECT_EQ(after->Texts.at(changed.front()), "new") << i;
    }
}

} // namespace
