// The Save button: one file from the editor, several files from their names, and that no save loses a frame, a
// field the user left alone, a byte of audio, or the user's edits when the disk refuses them.
#include "MainWindowFixture.h"

#include "FileReplaceStepOverride.h"
#include "FileSizeLimit.h"
#include "IndependentReaders.h"
#include "TOptionsForm.h"

#include <sys/stat.h>

namespace {

using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::TagLibID3v1;
using IndependentReaders::TagLibID3v2;

class EditorSaveTest : public MainWindowTest {
protected:
    std::vector<BoxSeen> ClickSave(const std::vector<QMessageBox::StandardButton>& answers = {})
    {
        return ClickActive(Main.SaveBtn, answers);
    }

    // A file whose every frame and field shows a lossy view in the editor, next to a plain one.
    std::filesystem::path PutRichFile()
    {
        const std::string longComment = "first line\r\n" + std::string(3000, 'c');
        const Bytes frames = Concat({
            ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Title"), 4),
            ID3v2Bytes::Frame("TPE1", ID3v2Bytes::TextBody("\xFF\xFE\x1A\x04\x30\x04", 1), 4),
            ID3v2Bytes::Frame("TALB", ID3v2Bytes::TextBody("Caf\xC3\xA9", 3), 4),
            ID3v2Bytes::Frame("COMM", Concat({ID3v2Bytes::Text(std::string("\0deudesc\0", 9)), ID3v2Bytes::Text(longComment)}), 4),
            ID3v2Bytes::Frame("TCON", ID3v2Bytes::TextBody("(RX)"), 4),
            ID3v2Bytes::Frame("TRCK", ID3v2Bytes::TextBody("7"), 4),
            ID3v2Bytes::Frame("TPOS", ID3v2Bytes::TextBody("1/2"), 4),
            ID3v2Bytes::Frame("TXXX", ID3v2Bytes::TextBody(std::string("replaygain\0-6 dB", 16)), 4),
            ID3v2Bytes::Frame("USLT", ID3v2Bytes::TextBody(std::string("eng\0la la la", 12)), 4),
            ID3v2Bytes::Frame("APIC", Concat({ID3v2Bytes::Text(std::string("\0image/png\0\3cover\0", 18)), Bytes(20000, 0x89)}), 4)});
        const auto path = Music.file("rich.mp3");
        const Mp3Fixture::ID3v1Fields v1 {.Title = "Old title", .Year = "1999", .Track = 123, .Genre = 150};
        writeFile(path, Concat({ID3v2Bytes::Tag(4, frames, 512), Mp3Fixture::Frames(20), Mp3Fixture::ID3v1Record(v1)}));
        return path;
    }
};

TEST_F(EditorSaveTest, SaveWritesTheEditedFieldsAndKeepsEveryOtherFrameAndFieldAsRead)
{
    const auto path = PutRichFile();
    Put("second.mp3", {.V2 = {{"TIT2", "Second"}}});
    AddDirectory(Music.path());
    const auto before = MutagenID3v2(path);
    ASSERT_TRUE(before);
    const auto audio = [&] { return Slice(readFile(path), Mp3Fixture::TagAreaOf(readFile(path)), 20 * Mp3Fixture::FrameSize); };
    const Bytes audioBefore = audio();

    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);
    Show("rich.mp3");
    ClickSave();
    EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(path)), std::vector<std::string>{}) << "nothing edited";
    EXPECT_EQ(Main.LoadedIndex, 0);

    Windows.OptionsForm().AutoAdvanceSave->setChecked(true);
    Main.TitleV2->setText(QStringLiteral("New title"));
    Main.Year->setEditText(QStringLiteral("2001"));
    ClickSave();
    EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(path)), std::vector<std::string>{"TIT2"});
    EXPECT_EQ(TagLibID3v2(path)->Title, "New title");
    const auto v1 = TagLibID3v1(path);
    ASSERT_TRUE(v1);
    EXPECT_EQ(*v1, (IndependentReaders::ID3v1Fields {.Title = "Old title", .Year = "2001", .Track = 123, .Genre = 150}));
    EXPECT_EQ(audio(), audioBefore);

    // Auto-advance: the next row is loaded; on the last row the editor stays.
    for (int expected : {1, 1}) {
        EXPECT_EQ(Main.LoadedIndex, expected);
        EXPECT_EQ(SelectedRows(), std::vector<int>{expected});
        EXPECT_EQ(Main.FileLoaded->text(), "second.mp3");
        EXPECT_TRUE(Main.Selected3->hasFocus()) << "the clicked button hands the keyboard to the list";
        ClickSave();
    }
}

TEST_F(EditorSaveTest, EnterInAFieldSavesAndTheTrackFieldsTakeOnlyTrackCharacters)
{
    const auto path = Put("song.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Song"}, .V2 = {{"TIT2", "Song"}}});
    Show("song.mp3");
    struct Case {
        QLineEdit* Field;
        const char* Typed;
        const char* Shown;
    };
    for (const Case& c : {Case {Main.Track, "a1b/2x3", "123"}, Case {Main.TrackV2, "a3/12x", "3/12"}}) {
        c.Field->clear();
        QTest::keyClicks(c.Field, QString::fromLatin1(c.Typed));
        EXPECT_EQ(c.Field->text(), c.Shown);
    }
    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);
    Main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
    Main.TitleV2->setFocus();
    QTest::keyClick(Main.TitleV2, Qt::Key_Return);
    EXPECT_EQ(TagLibID3v1(path)->Track, 123u);
    EXPECT_EQ(MutagenID3v2(path)->Frames.at("TRCK"), "TRCK(encoding=<Encoding.LATIN1: 0>, text=['3/12'])");
    EXPECT_TRUE(Main.TitleV2->hasFocus()) << "Enter leaves the cursor in its field";

    // A typed track past what the ID3v1 byte holds stores no track rather than a wrong one.
    Main.Track->setText(QStringLiteral("300"));
    QTest::keyClick(Main.Title, Qt::Key_Enter);
    EXPECT_EQ(TagLibID3v1(path)->Track, 0u);
}

TEST_F(EditorSaveTest, SavingSeveralRowsMakesTheMissingTagsFromTheirNames)
{
    const QString confirmation = QStringLiteral(
        "ACTION:\nSave ID3 tags for ALL selected MP3s based on import scheme\n%1"
        "  * ID3 tags are being imported (if not found)\n  * Applies to ID3v1 tag\n  * Applies to ID3v2 tag\n");
    struct Case {
        bool IgnoreID3, AutoAdvance, UseImport;
        std::vector<std::string> TitlesV1, TitlesV2; // of the three files after the save; "-" for no tag
    };
    const std::vector<Case> cases = {
        {false, true, true, {"Old A", "Song B", "Song C"}, {"Old A", "Song B", "Old C"}},
        // The loaded row stays selected, so the loop rebuilds it from its name after the editor wrote it.
        {true, false, true, {"Song A", "Song B", "Song C"}, {"Song A", "Song B", "Song C"}},
        {false, true, false, {"Old A", "-", "-"}, {"Old A", "-", "Old C"}},
    };
    for (const Case& c : cases) {
        const std::string folder = "case" + std::to_string(&c - cases.data()) + "/";
        const std::vector<std::filesystem::path> files = {
            Put(folder + "Band A-Song A.mp3", {}), Music.file(folder + "Band B-Song B.mp3"),
            Music.file(folder + "Band C-Song C.mp3")};
        writeFile(files[0], TestSong {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Old A"}, .V2 = {{"TIT2", "Old A"}}}.Content());
        writeFile(files[1], TestSong {}.Content());
        writeFile(files[2], TestSong {.V2 = {{"TIT2", "Old C"}, {"TXXX", std::string("kept\0yes", 8)}}}.Content());
        Main.IgnoreID3->setChecked(c.IgnoreID3);
        Main.UseImport->setChecked(c.UseImport);
        Windows.OptionsForm().AutoAdvanceSave->setChecked(c.AutoAdvance);
        ListAll(Music.file(folder));

        const auto boxes = ClickSave({QMessageBox::Yes});
        ASSERT_EQ(boxes.size(), c.UseImport ? 1u : 2u);
        EXPECT_EQ(boxes[0].Text, confirmation.arg(c.IgnoreID3 ? "  * ID3 tags are being ignored\n" : ""));
        if (c.UseImport)
            EXPECT_EQ(SelectedRows(), std::vector<int>{0}) << "only the first row stays selected";
        else
            EXPECT_EQ(boxes[1].Text, "Can't save multiple ID3s without having an import scheme!");
        for (std::size_t i = 0; i < files.size(); ++i) {
            const auto v1 = TagLibID3v1(files[i]);
            const auto v2 = TagLibID3v2(files[i]);
            EXPECT_EQ(v1 ? v1->Title : "-", c.TitlesV1[i]) << i;
            EXPECT_EQ(v2 ? v2->Title : "-", c.TitlesV2[i]) << i;
        }
        EXPECT_TRUE(MutagenID3v2(files[2])->Frames.contains("TXXX:kept")) << "a rebuilt tag keeps the other frames";
    }
}

TEST_F(EditorSaveTest, AFailedSaveLeavesTheFileAsItWasAndKeepsTheEdits)
{
    const auto path = Put("song.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Song"}, .V2 = {{"TIT2", "Song"}}});
    Put("tune.mp3", {});
    AddDirectory(Music.path());
    const Bytes before = readFile(path);
    const QString longTitle(600, QLatin1Char('t')); // more than the tag's padding holds: the file is rewritten
    for (const auto& [fullDisk, name] : {std::pair {true, "full disk"}, {false, "refused replacement"}}) {
        Show("song.mp3");
        Main.TitleV2->setText(longTitle);
        std::optional<FileSizeLimit> limit;
        std::optional<FileReplaceStepOverride> refused;
        if (fullDisk)
            limit.emplace(before.size() + 100);
        else
            refused.emplace([](const char*, const char*) { return -1; });
        const auto boxes = ClickSave();
        limit.reset();
        refused.reset();
        ASSERT_EQ(boxes.size(), 1u) << name;
        EXPECT_EQ(boxes[0].Text, QStringLiteral("Error saving MP3 File (file no longer exists?)\n\n")
                      + QString::fromStdString(path.string())) << name;
        EXPECT_EQ(readFile(path), before) << name;
        EXPECT_EQ(Main.TitleV2->text(), longTitle) << name << ": the edit stays for another try";
        EXPECT_EQ(Main.LoadedIndex, 0) << name << ": no advance";
    }
    ClickSave();
    EXPECT_EQ(TagLibID3v2(path)->Title, longTitle.toStdString());
    EXPECT_EQ(Main.FileLoaded->text(), "tune.mp3") << "saved at last, and advanced";
}

TEST_F(EditorSaveTest, SaveWritesAReadOnlyFileAndMakesNoEmptyTag)
{
    const auto readOnly = Put("read-only.mp3", {.V2 = {{"TIT2", "Old"}}});
    const auto v1Only = Put("v1-only.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Only v1"}});
    chmod(readOnly.c_str(), 0444);
    Main.UseImport->setChecked(false);
    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);

    Show("read-only.mp3");
    Main.TitleV2->setText(QStringLiteral("New"));
    ClickSave();
    EXPECT_EQ(TagLibID3v2(readOnly)->Title, "New");
    EXPECT_EQ(std::filesystem::status(readOnly).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::group_read | std::filesystem::perms::others_read);

    // No ID3v2 field filled in a file without an ID3v2 tag: the file is not rewritten to hold an empty one.
    const Bytes before = readFile(v1Only);
    Show("v1-only.mp3");
    ClickSave();
    EXPECT_EQ(readFile(v1Only), before);
    EXPECT_EQ(Cell(1, 2), QString()) << "the row shows no ID3v2 tag";
}

TEST_F(EditorSaveTest, ABatchGoesOnPastAFileItCannotWriteAndLeavesThatFileIntact)
{
    constexpr int Count = 1000;
    constexpr int Failing = 500;
    for (int i = 0; i < Count; ++i)
        writeFile(Music.file("Band-Song " + std::to_string(1000 + i) + ".mp3"), Mp3Fixture::Frames(2));
    const auto failing = Music.file("Band-Song " + std::to_string(1000 + Failing) + ".mp3");
    const Bytes failingBefore = readFile(failing);
    AddDirectory(Music.path());
    Main.ID3v1CB->setChecked(false);
    Press(Qt::Key_A, Qt::ControlModifier);

    static std::string refusedTarget;
    refusedTarget = failing.string();
    FileReplaceStepOverride refuseOne([](const char* newVersion, const char* target) {
        return target == refusedTarget ? -1 : std::rename(newVersion, target);
    });
    const auto boxes = ClickSave({QMessageBox::Yes});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].Text.endsWith(QString::fromStdString(failing.string())));
    EXPECT_EQ(readFile(failing), failingBefore);
    int written = 0;
    for (int i = 0; i < Count; ++i) {
        const auto tag = TagLibID3v2(Music.file("Band-Song " + std::to_string(1000 + i) + ".mp3"));
        written += tag && tag->Title == "Song " + std::to_string(1000 + i);
    }
    EXPECT_EQ(written, Count - 1);
}

} // namespace
