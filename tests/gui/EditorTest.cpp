// The editor: what it shows of the clicked file, and Save, Apply to All and the single-tag deletes, which lose no
// frame, no field the user left alone, no byte of audio, and no edit the disk refused.
#include "MainWindowFixture.h"

#include "FileReplaceStepOverride.h"
#include "TOptionsForm.h"

namespace {

using enum QMessageBox::StandardButton;
using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;

using EditorTest = MainWindowTest;

// A file whose every field the editor shows cut or decoded, with another program's comment (the frames the editor
// does not show are the engine's tests' business).
TEST_F(EditorTest, SaveAndApplyToAllWriteTheEditedFieldsAndKeepEveryOtherFrameAndFieldAsRead)
{
    const std::string longComment = "first line\r\n" + std::string(3000, 'c');
    const Bytes frames = Concat({
        ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Title"), 4),
        ID3v2Bytes::Frame("TPE1", ID3v2Bytes::TextBody("\xFF\xFE\x1A\x04\x30\x04", 1), 4),
        ID3v2Bytes::Frame("TALB", ID3v2Bytes::TextBody("Caf\xC3\xA9", 3), 4),
        ID3v2Bytes::Frame("COMM", Concat({ID3v2Bytes::Text(std::string("\0deudesc\0", 9)), ID3v2Bytes::Text(longComment)}), 4),
        ID3v2Bytes::Frame("COMM", ID3v2Bytes::Text(std::string("\0deuiTunNORM\0 0000021F", 22)), 4),
        ID3v2Bytes::Frame("TCON", ID3v2Bytes::TextBody("(RX)"), 4),
        ID3v2Bytes::Frame("TRCK", ID3v2Bytes::TextBody("7"), 4)});
    const Mp3Fixture::ID3v1Fields v1 {.Title = "Old title", .Year = "1999", .Track = 123, .Genre = 150};
    const auto path = Music.file("rich.mp3");
    writeFile(path, Concat({ID3v2Bytes::Tag(4, frames, 512), Mp3Fixture::Frames(20), Mp3Fixture::ID3v1Record(v1)}));
    const auto before = MutagenID3v2(path);
    ASSERT_TRUE(before);

    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);
    Show("rich.mp3");
    EXPECT_TRUE(Main.CommentV2->toPlainText().startsWith("first line")) << "the first comment, not the later one";
    ClickActive(Main.SaveBtn);
    EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(path)), Names {}) << "nothing edited";

    // Applied to all, the untouched comment goes whole into the other file, and its own file stays as it is.
    const auto other = Put("z.mp3", {.V2 = {{"TIT2", "Z"}}});
    const Bytes unchanged = readFile(path);
    ListAll(Music.path());
    ClickActive(Main.CommentV2ATA, {Yes, No});
    EXPECT_EQ(readFile(path), unchanged);
    EXPECT_EQ(MutagenID3v2(other)->Texts.at("COMM::eng"), longComment);

    // Saved by Enter in a field; a track field takes only the characters of a track; the comment shown is the one
    // replaced.
    ClickRow(0);
    Main.TitleV2->setText(QStringLiteral("New title"));
    Main.CommentV2->setPlainText(QStringLiteral("new"));
    Main.Year->setEditText(QStringLiteral("2001"));
    Main.Track->clear();
    QTest::keyClicks(Main.Track, QStringLiteral("a1b/2x3"));
    EXPECT_EQ(Main.Track->text(), "123");
    Main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
    QTest::keyClick(Main.TitleV2, Qt::Key_Return);
    const auto after = MutagenID3v2(path);
    EXPECT_EQ(ChangedFrames(*before, *after), (Names {"COMM:desc:deu", "TIT2"}));
    EXPECT_EQ(after->Texts.at("COMM:desc:deu") + "|" + after->Texts.at("TIT2"), "new|New title");
    EXPECT_EQ(IndependentReaders::TagLibID3v1(path),
              (IndependentReaders::ID3v1Fields {.Title = "Old title", .Year = "2001", .Track = 123, .Genre = 150}));
    // Enter in the genre list, which takes no typing, saves as well.
    Main.Genre->setCurrentIndex(Main.Genre->findText(QStringLiteral("Rock")));
    QTest::keyClick(Main.Genre, Qt::Key_Return);
    EXPECT_EQ(IndependentReaders::TagLibID3v1(path)->Genre, 17u);
    EXPECT_EQ(Slice(Mp3Fixture::AudioOf(readFile(path)), 0, 20 * Mp3Fixture::FrameSize), Mp3Fixture::Frames(20));
}

// A single-tag button cuts exactly that tag of the shown file as it is on disk now; a refused write (the refusal itself
// is the engine's tests' business) leaves the file as it was and the edit for another try.
TEST_F(EditorTest, ASingleTagButtonOrSaveWritesOnlyTheShownFileAsItIsOnDiskNowOrTellsItsFailure)
{
    const TestSong song = {.V1 = Mp3Fixture::ID3v1Fields {.Title = "A"}, .V2 = {{"TIT2", "A"}}};
    const auto path = Put("a.mp3", song);
    const auto other = Put("other.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Other"}, .V2 = {{"TIT2", "Other"}}});
    const Bytes otherBefore = readFile(other);
    const Bytes audioAndID3v1 = Mp3Fixture::AudioOf(song.Content());
    const QString longTitle(600, QLatin1Char('t')); // more than the tag's padding holds: the file is rewritten
    AddDirectory(Music.path());
    Windows.OptionsForm().AutoAdvanceDelete->setChecked(false);
    std::optional<FileReplaceStepOverride> refused;
    const auto refuse = [&refused] { refused.emplace([](const char*, const char*) { return -1; }); };
    struct Case {
        const char* What;
        QAbstractButton* Button;
        std::function<void()> AfterLoading;
        Bytes Expected;
        const char* Row; // as the list shows it; the title is the tag's that is left
        QString Title;   // as the editor shows it
        QStringList Boxes {};
    };
    const std::vector<Case> cases = {
        {"ID3v1 tag", Main.DeleteID3v1Btn, [] {}, Slice(song.Content(), 0, song.Content().size() - 128), "a.mp3||Y|A",
         "A"},
        {"tag removed by another program", Main.DeleteID3v2Btn, [&] { writeFile(path, audioAndID3v1); },
         audioAndID3v1, "a.mp3|Y||A", ""},
        {"delete refused", Main.DeleteID3v2Btn, refuse, song.Content(), "a.mp3|Y|Y|A", "A",
         {"Error deleting ID3v2 tag!"}},
        {"save refused", Main.SaveBtn, [&] { Main.TitleV2->setText(longTitle), refuse(); }, song.Content(),
         "a.mp3|Y|Y|A", longTitle, {"Error saving MP3 File (file no longer exists?)\n\n" + QString::fromStdString(path)}},
    };
    for (const Case& c : cases) {
        writeFile(path, song.Content());
        Show("a.mp3");
        c.AfterLoading();
        EXPECT_EQ(Texts(ClickActive(c.Button)), c.Boxes) << c.What;
        refused.reset();
        EXPECT_EQ(readFile(path), c.Expected) << c.What;
        EXPECT_EQ(readFile(other), otherBefore) << c.What;
        EXPECT_EQ(Rows()[0], c.Row) << c.What;
        EXPECT_EQ(Main.TitleV2->text(), c.Title) << c.What;
    }
}

} // namespace
