// The editor: what it shows of the clicked file, its copy buttons, and Save and the single-tag deletes, which lose no
// frame, no field the user left alone, no byte of audio, and no edit the disk refused.
#include "MainWindowFixture.h"

#include "EditorControls.h"
#include "FileReplaceStepOverride.h"
#include "FileSizeLimit.h"
#include "IndependentReaders.h"
#include "TFiltersForm.h"
#include "TOptionsForm.h"

namespace {

using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::TagLibID3v1;
using IndependentReaders::TagLibID3v2;

class EditorTest : public MainWindowTest {
protected:
    std::vector<BoxSeen> ClickSave() { return ClickActive(Main.SaveBtn); }

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

TEST_F(EditorTest, TracksAndGenresShowAsTheUserReadsThem)
{
    using V1 = Mp3Fixture::ID3v1Fields;
    const auto v2 = [](const char* genre, const char* track) {
        return TestSong {.V2 = {{"TCON", genre}, {"TRCK", track}}};
    };
    const std::vector<std::tuple<TestSong, bool, const char*>> cases = {
        // the file, PadTrack, then shown: ID3v1 title|track|genre ("-": none selected)|ID3v2 track|genre
        {{.V1 = V1 {.Title = "  Padded  ", .Track = 7}}, true, "Padded|07|-||"},
        {{.V1 = V1 {.Track = 7}}, false, "|7|-||"},
        {{.V1 = V1 {.Track = 12, .Genre = 0}}, true, "|12|Blues||"},
        {{.V1 = V1 {.Genre = 200}}, true, "||-||"},
        {v2("(17)", "7"), true, "||-|07|Rock"},
        {v2("(0)", "3/12"), true, "||-|3/12|Blues"},
        {v2("(200)", "0"), true, "||-|0|"},
        {v2("Trip-Hop", ""), true, "||-||Trip-Hop"},
        {v2("(RX)", ""), true, "||-||(RX)"}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [song, pad, shown] = cases[i];
        Put(std::to_string(i) + ".mp3", song);
        Main.PadTrack->setChecked(pad);
        Show(std::to_string(i) + ".mp3");
        const QString genre = Main.Genre->currentIndex() < 0 ? QStringLiteral("-") : Main.Genre->currentText();
        EXPECT_EQ(QStringList({Main.Title->text(), Main.Track->text(), genre, Main.TrackV2->text(),
                               Main.GenreV2->currentText()}).join('|'), shown) << i;
        EXPECT_EQ(Main.DeleteID3v1Btn->isEnabled(), song.V1.has_value()) << i;
    }
}

TEST_F(EditorTest, VersionLabelsAndPresenceImagesFollowTheFile)
{
    Put("v23.mp3", {.V2 = {{"TIT2", "three"}}});
    Put("v24.mp3", {.V2 = {{"TIT2", "four"}}, .Version = 4});
    writeFile(Music.file("v22.mp3"), Concat({ID3v2Bytes::ReadTestData("rust-id3/id3v22.id3"), Mp3Fixture::Frames(5)}));
    Put("none.mp3", {});
    for (const auto& [name, version] : {std::pair{"v22.mp3", 2}, {"v23.mp3", 3}, {"v24.mp3", 4}, {"none.mp3", 0}}) {
        Show(name);
        for (const auto& [label, labelVersion] : {std::pair{Main.v22Lbl, 2}, {Main.v23Lbl, 3}, {Main.v24Lbl, 4}})
            EXPECT_EQ(label->palette().color(QPalette::WindowText),
                      Main.palette().color(labelVersion == version ? QPalette::Active : QPalette::Disabled,
                                           QPalette::WindowText)) << name << " " << labelVersion;
        EXPECT_EQ(Main.hasID3v2Bmp->pixmap().toImage(),
                  Main.Image(version ? TMainForm::TagPresentImage : TMainForm::TagAbsentImage).toImage()) << name;
        EXPECT_EQ(Main.DeleteID3v2Btn->isEnabled(), version != 0) << name;
    }
}

TEST_F(EditorTest, AFileWithoutTagsShowsWhatTheImportSchemeReadsInItsName)
{
    const auto path = Put("the_band-my_song.mp3", {});
    const Bytes before = readFile(path);
    Windows.FiltersForm().ImportFilterBox->addItem(QStringLiteral("_ ->  "));
    // UseImport, CapitalizeFirst, ID3v1CB, then shown: the ID3v1 artist|the ID3v2 artist|the ID3v2 title
    for (const auto& [import, capitalize, v1, shown] : {std::tuple {true, false, true, "the band|the band|my song"},
                                                        {true, true, false, "|The Band|My Song"},
                                                        {false, true, true, "||"}}) {
        Main.UseImport->setChecked(import);
        Main.CapitalizeFirst->setChecked(capitalize);
        Main.ID3v1CB->setChecked(v1);
        Show("the_band-my_song.mp3");
        EXPECT_EQ(Main.Artist->text() + "|" + Main.ArtistV2->text() + "|" + Main.TitleV2->text(), shown);
        EXPECT_EQ(Main.hasID3v1Bmp->pixmap().toImage(), Main.Image(TMainForm::TagAbsentImage).toImage());
        EXPECT_FALSE(Main.DeleteBtn->isEnabled());
    }
    // A scheme of any length, as a hand-edited settings file may hold.
    Main.UseImport->setChecked(true);
    Main.ImportCB->setEditText(QString(10000, QLatin1Char('x')) + QStringLiteral(" $TITLE"));
    Show("the_band-my_song.mp3");
    EXPECT_EQ(Main.TitleV2->text(), "The Band-My Song");
    EXPECT_EQ(readFile(path), before) << "showing a file never writes it";
}

TEST_F(EditorTest, SaveWritesTheEditedFieldsAndKeepsEveryOtherFrameAndFieldAsRead)
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
    EXPECT_EQ(Main.FileLoaded->text(), "second.mp3") << "auto-advance";
    EXPECT_EQ(Main.focusWidget(), Main.Selected3) << "the clicked button hands the keyboard to the list";
    ClickSave();
    EXPECT_EQ(Main.LoadedIndex, 1) << "on the last row the editor stays";
    EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(path)), std::vector<std::string>{"TIT2"});
    EXPECT_EQ(TagLibID3v2(path)->Title, "New title");
    const auto v1 = TagLibID3v1(path);
    ASSERT_TRUE(v1);
    EXPECT_EQ(*v1, (IndependentReaders::ID3v1Fields {.Title = "Old title", .Year = "2001", .Track = 123, .Genre = 150}));
    EXPECT_EQ(audio(), audioBefore);
}

TEST_F(EditorTest, EnterInAFieldSavesAndTheTrackFieldsTakeOnlyTrackCharacters)
{
    const auto path = Put("song.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Song"}, .V2 = {{"TIT2", "Song"}}});
    Show("song.mp3");
    for (const auto& [field, typed, shown] : {std::tuple {Main.Track, "a1b/2x3", "123"}, {Main.TrackV2, "a3/12x", "3/12"}}) {
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(typed));
        EXPECT_EQ(field->text(), shown);
    }
    Windows.OptionsForm().AutoAdvanceSave->setChecked(false);
    Main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
    Main.TitleV2->setFocus();
    QTest::keyClick(Main.TitleV2, Qt::Key_Return);
    EXPECT_EQ(TagLibID3v1(path)->Track, 123u);
    EXPECT_EQ(MutagenID3v2(path)->Frames.at("TRCK"), "TRCK(encoding=<Encoding.LATIN1: 0>, text=['3/12'])");
    EXPECT_EQ(Main.focusWidget(), Main.TitleV2) << "Enter leaves the cursor in its field";

    // A typed track past what the ID3v1 byte holds stores no track rather than a wrong one.
    Main.Track->setText(QStringLiteral("300"));
    QTest::keyClick(Main.Title, Qt::Key_Enter);
    EXPECT_EQ(TagLibID3v1(path)->Track, 0u);
}

TEST_F(EditorTest, AFailedSaveLeavesTheFileAsItWasAndKeepsTheEdits)
{
    const auto path = Put("song.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Song"}, .V2 = {{"TIT2", "Song"}}});
    Put("tune.mp3", {});
    AddDirectory(Music.path());
    const Bytes before = readFile(path);
    const QString longTitle(600, QLatin1Char('t')); // more than the tag's padding holds: the file is rewritten
    for (const bool fullDisk : {true, false}) {
        Show("song.mp3");
        Main.TitleV2->setText(longTitle);
        std::optional<FileSizeLimit> limit;
        std::optional<FileReplaceStepOverride> refused;
        if (fullDisk)
            limit.emplace(before.size() + 100);
        else
            refused.emplace([](const char*, const char*) { return -1; });
        const QStringList boxes = Texts(ClickSave());
        limit.reset(), refused.reset();
        EXPECT_EQ(boxes, QStringList {"Error saving MP3 File (file no longer exists?)\n\n" + QString::fromStdString(path.string())});
        EXPECT_EQ(readFile(path), before) << fullDisk;
        EXPECT_EQ(Main.TitleV2->text(), longTitle) << fullDisk << ": the edit stays for another try";
        EXPECT_EQ(Main.LoadedIndex, 0) << fullDisk << ": no advance";
    }
    ClickSave();
    EXPECT_EQ(TagLibID3v2(path)->Title, longTitle.toStdString());
    EXPECT_EQ(Main.FileLoaded->text(), "tune.mp3") << "saved at last, and advanced";
}

// No ID3v2 field filled in a file without an ID3v2 tag: the file is not rewritten to hold an empty one.
TEST_F(EditorTest, SaveMakesNoEmptyTag)
{
    const auto v1Only = Put("v1-only.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Only v1"}});
    const Bytes before = readFile(v1Only);
    Main.UseImport->setChecked(false);
    Show("v1-only.mp3");
    ClickSave();
    EXPECT_EQ(readFile(v1Only), before);
    EXPECT_EQ(Cell(0, MP3ListModel::ID3v2Column), QString()) << "the row shows no ID3v2 tag";
}

// The copy buttons change only the controls: the texts fitted to ID3v1, the seven shared fields to ID3v2.
TEST_F(EditorTest, CopyButtonsFitTheTextsToTheOtherTagWithoutWritingTheFile)
{
    const Bytes before = readFile(Put("song.mp3", {.V2 = {{"TIT2", "Song"}, {"TCOM", "Composer"}}}));
    Show("song.mp3");
    const std::vector<std::array<const char*, 8>> cases = {
        // ID3v2 title, genre, track, comment; the ID3v1 title, genre, track, comment they give
        {"A title of forty characters, 10 too many", "(17)", "3/12", "line one\nline two",
         "A title of forty characters, 1", "", "3", "line one line two"},
        {"Short", "rock", "300/310", "", "Short", "Rock", "", ""}};
    const std::vector<QWidget*> fields = {Main.TitleV2, Main.GenreV2, Main.TrackV2, Main.CommentV2};
    for (const auto& c : cases) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            SetControlText(*fields[i], QString::fromLatin1(c[i]));
        QTest::mouseClick(Main.v2tov1Btn, Qt::LeftButton);
        EXPECT_EQ(Main.Title->text() + "|" + Main.Track->text() + "|" + Main.Comment->text(),
                  QString::fromLatin1(c[4]) + "|" + c[6] + "|" + c[7]);
        EXPECT_EQ(Main.Genre->currentIndex(), Main.Genre->findText(QString::fromLatin1(c[5]))) << c[1];
    }
    const std::vector<std::tuple<QWidget*, QWidget*, const char*>> copied = {
        {Main.Title, Main.TitleV2, "Title"}, {Main.Artist, Main.ArtistV2, "Artist"},
        {Main.Album, Main.AlbumV2, "Album"}, {Main.Year, Main.YearV2, "1999"},
        {Main.Track, Main.TrackV2, "5"},     {Main.Comment, Main.CommentV2, "Note"}};
    for (const auto& [v1, v2, text] : copied)
        SetControlText(*v1, QString::fromLatin1(text));
    Main.Genre->setCurrentIndex(Main.Genre->findText(QStringLiteral("Rock")));
    QTest::mouseClick(Main.v1tov2Btn, Qt::LeftButton);
    for (const auto& [v1, v2, text] : copied)
        EXPECT_EQ(ControlText(*v2), text) << v2->objectName().toStdString();
    EXPECT_EQ(Main.GenreV2->currentText(), "Rock");
    EXPECT_EQ(Main.ComposerV2->text(), "Composer") << "the fields ID3v1 lacks are left alone";
    EXPECT_EQ(readFile(Music.file("song.mp3")), before);
}

TEST_F(EditorTest, ASingleTagButtonCutsExactlyThatTagOfTheShownFileAsItIsOnDiskNow)
{
    const TestSong song = {.V1 = Mp3Fixture::ID3v1Fields {.Title = "A"}, .V2 = {{"TIT2", "A"}}};
    const auto path = Put("a.mp3", song);
    const auto other = Put("other.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Other"}, .V2 = {{"TIT2", "Other"}}});
    const Bytes otherBefore = readFile(other);
    const Bytes audioAndID3v1 = Mp3Fixture::AudioOf(song.Content());
    AddDirectory(Music.path());
    Windows.OptionsForm().AutoAdvanceDelete->setChecked(false);
    std::optional<FileReplaceStepOverride> refused;
    struct Case {
        const char* What;
        QAbstractButton* Button;
        std::function<void()> AfterLoading;
        Bytes Expected;
        const char* Row; // the ID3v1, ID3v2 and title columns; the title is the tag's that is left
        QStringList Boxes {};
    };
    const std::vector<Case> cases = {
        {"engine pointed at another file", Main.DeleteID3v1Btn,
         [&] { Main.Engine.Reset(), Main.Engine.SetFileName(other.string()), Main.Engine.ReadTags(); },
         Slice(song.Content(), 0, song.Content().size() - 128), "|Y|A"},
        {"tag removed by another program", Main.DeleteID3v2Btn, [&] { writeFile(path, audioAndID3v1); },
         audioAndID3v1, "Y||A"},
        {"tag grown by another program", Main.DeleteID3v2Btn,
         [&] { writeFile(path, Concat({ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Grown")), 5000), audioAndID3v1})); },
         audioAndID3v1, "Y||A"},
        {"rewrite refused", Main.DeleteID3v2Btn, [&] { refused.emplace([](const char*, const char*) { return -1; }); },
         song.Content(), "Y|Y|A", {"Error deleting ID3v2 tag!"}},
    };
    for (const Case& c : cases) {
        writeFile(path, song.Content());
        Show("a.mp3");
        c.AfterLoading();
        EXPECT_EQ(Texts(ClickAnswering(c.Button)), c.Boxes) << c.What;
        refused.reset();
        EXPECT_EQ(readFile(path), c.Expected) << c.What;
        EXPECT_EQ(readFile(other), otherBefore) << c.What;
        EXPECT_EQ(Cell(0, MP3ListModel::ID3v1Column) + "|" + Cell(0, MP3ListModel::ID3v2Column) + "|"
                      + Cell(0, MP3ListModel::TitleColumn), c.Row) << c.What;
    }
}

} // namespace
