// Creating one tag version from the other in the selected files, and the editor's copy buttons, which change
// only the controls.
#include "MainWindowFixture.h"

#include "EditorControls.h"
#include "IndependentReaders.h"

namespace {

using IndependentReaders::ID3v1Fields;

std::string CommentFrame(const std::string& text)
{
    return std::string("eng\0", 4) + text;
}

class ConversionTest : public MainWindowTest {
protected:
    void Run(QAction& command, QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        Answering({answer}, [&command] { command.trigger(); });
    }

    // mutagen reads an ID3v1 tag only in a file without an ID3v2 tag, so it is shown what lies behind that tag.
    std::optional<ID3v1Fields> MutagenID3v1(const std::filesystem::path& file) const
    {
        const auto behind = Scratch.file(file.filename().string());
        writeFile(behind, Mp3Fixture::AudioOf(readFile(file)));
        return IndependentReaders::MutagenID3v1(behind);
    }

    TempDir Scratch;
};

TEST_F(ConversionTest, CreateID3v1FillsOnlyFilesWithAnID3v2TagAloneAndFitsTheirTexts)
{
    struct Case {
        const char* Name;
        TestSong Song;
        std::optional<ID3v1Fields> Created; // nullopt: the file stays as it was
    };
    const std::vector<Case> cases = {
        {"a.mp3",
         {.V2 = {{"TIT2", "A title longer than thirty characters"}, {"TPE1", "Artist"}, {"TYER", "1999"},
                 {"TRCK", "3/12"}, {"TCON", "(17)"}, {"COMM", CommentFrame("first line\r\nsecond line, long enough")}}},
         ID3v1Fields {.Title = "A title longer than thirty cha", .Artist = "Artist", .Year = "1999",
                      .Comment = "first line second line, long", .Track = 3, .Genre = 17}},
        {"b.mp3", {.V2 = {{"TRCK", "007"}, {"TCON", "rock"}}}, ID3v1Fields {.Track = 7, .Genre = 17}},
        {"c.mp3",
         {.V2 = {{"TRCK", "300/310"}, {"TCON", "(-5)"}, {"COMM", CommentFrame("one\ntwo three four five six seven")}}},
         ID3v1Fields {.Comment = "one two three four five six se"}},
        {"d.mp3",
         {.V2 = {{"TRCK", ""}, {"TCON", "Unknown"}, {"COMM", CommentFrame("abcdefghijklmnopqrstuvwxyz0123456789")}}},
         ID3v1Fields {.Comment = "abcdefghijklmnopqrstuvwxyz0123"}},
        {"e_both.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Own"}, .V2 = {{"TIT2", "Both"}}}, std::nullopt},
        {"f_none.mp3", {}, std::nullopt}};
    std::vector<Bytes> before;
    for (const Case& c : cases)
        before.push_back(readFile(Put(c.Name, c.Song)));
    ListAll(Music.path());
    Run(*Main.CreateID3v1);

    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const auto path = Music.file(c.Name);
        const Bytes after = readFile(path);
        if (!c.Created) {
            EXPECT_EQ(after, before[i]) << c.Name;
            continue;
        }
        EXPECT_EQ(after.size(), before[i].size() + 128) << c.Name;
        EXPECT_EQ(Slice(after, 0, before[i].size()), before[i]) << c.Name;
        EXPECT_EQ(IndependentReaders::TagLibID3v1(path), c.Created) << c.Name;
        // mutagen takes the last byte of a full 30-character comment for a track number.
        if (c.Created->Comment.size() < 30) {
            EXPECT_EQ(MutagenID3v1(path), c.Created) << c.Name;
        }
        EXPECT_EQ(Cell(static_cast<int>(i), MP3ListModel::ID3v1Column), "Y") << c.Name;
    }
    EXPECT_EQ(Main.Title->text(), "A title longer than thirty cha") << "the editor shows its file afresh";
}

TEST_F(ConversionTest, CreateID3v2WritesTheID3v1FieldsAsFramesInFrontOfTheUnchangedFile)
{
    const Mp3Fixture::ID3v1Fields rock {.Title = "Title", .Artist = "Artist", .Year = "1999", .Comment = "Comment",
                                        .Track = 5, .Genre = 17};
    const auto rockPath = Put("a_rock.mp3", {.V1 = rock});
    const auto plainPath = Put("b_plain.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Plain"}});
    const auto v2Path = Put("c_v2.mp3", {.V2 = {{"TIT2", "Own"}}});
    const Bytes rockBefore = readFile(rockPath), plainBefore = readFile(plainPath), v2Before = readFile(v2Path);
    ListAll(Music.path());
    Run(*Main.CreateID3v2);

    EXPECT_EQ(Mp3Fixture::AudioOf(readFile(rockPath)), rockBefore);
    EXPECT_EQ(Mp3Fixture::AudioOf(readFile(plainPath)), plainBefore);
    EXPECT_EQ(readFile(v2Path), v2Before);
    const auto rockTag = IndependentReaders::TagLibID3v2(rockPath);
    const auto plainTag = IndependentReaders::TagLibID3v2(plainPath);
    ASSERT_TRUE(rockTag && plainTag);
    for (const char* line : {"TIT2:Title", "TPE1:Artist", "TRCK:5", "TCON:Rock", "COMM:Comment"})
        EXPECT_NE(std::ranges::find(rockTag->Frames, line), rockTag->Frames.end()) << line;
    EXPECT_EQ(plainTag->Frames, std::vector<std::string>{"TIT2:Plain"});
    const auto rockMutagen = IndependentReaders::MutagenID3v2(rockPath);
    const auto plainMutagen = IndependentReaders::MutagenID3v2(plainPath);
    ASSERT_TRUE(rockMutagen && plainMutagen);
    EXPECT_NE(rockMutagen->Frames.at("TCON").find("text=['Rock']"), std::string::npos);
    EXPECT_EQ(plainMutagen->Frames.count("TCON"), 0U) << "genre 255 makes no genre frame";
    EXPECT_EQ(Cell(0, MP3ListModel::ID3v2Column), "Y");
    EXPECT_EQ(Main.TitleV2->text(), "Title") << "the editor shows its file afresh";
}

TEST_F(ConversionTest, NoChangesNoFileAndAFileGoneSinceItWasListedIsReportedOnce)
{
    const auto v1Path = Put("a_v1.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "One"}});
    const auto v2Path = Put("b_v2.mp3", {.V2 = {{"TIT2", "Two"}}});
    const auto gone = Put("c_gone.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Gone"}});
    const Bytes v1Before = readFile(v1Path), v2Before = readFile(v2Path);
    ListAll(Music.path());
    for (QAction* command : {Main.CreateID3v1, Main.CreateID3v2}) {
        Run(*command, QMessageBox::No);
        EXPECT_EQ(readFile(v1Path), v1Before) << command->objectName().toStdString();
        EXPECT_EQ(readFile(v2Path), v2Before) << command->objectName().toStdString();
    }
    std::filesystem::remove(gone);
    const auto seen = Answering({QMessageBox::Yes, QMessageBox::Ok}, [this] { Main.CreateID3v2->trigger(); });
    ASSERT_EQ(seen.size(), 2U);
    EXPECT_EQ(seen[1].Text, "Error saving MP3 File (file no longer exists?)\n\nc_gone.mp3");
    EXPECT_EQ(IndependentReaders::TagLibID3v2(v1Path)->Title, "One");
}

TEST_F(ConversionTest, CopyToID3v1FitsTheTextsToTheID3v1FieldsWithoutWritingTheFile)
{
    const auto path = Put("song.mp3", {.V2 = {{"TIT2", "Song"}}});
    const Bytes before = readFile(path);
    Show("song.mp3");
    struct Case {
        const char *TitleV2, *GenreV2, *TrackV2, *CommentV2;
        const char *Title, *Genre, *Track, *Comment;
    };
    const std::vector<Case> cases = {
        {"A title of forty characters, 10 too many", "(17)", "3/12", "line one\nline two",
         "A title of forty characters, 1", "", "3", "line one line two"},
        {"Short", "rock", "300/310", "", "Short", "Rock", "", ""}};
    for (const Case& c : cases) {
        Main.TitleV2->setText(QString::fromLatin1(c.TitleV2));
        Main.GenreV2->setEditText(QString::fromLatin1(c.GenreV2));
        Main.TrackV2->setText(QString::fromLatin1(c.TrackV2));
        Main.CommentV2->setPlainText(QString::fromLatin1(c.CommentV2));
        QTest::mouseClick(Main.v2tov1Btn, Qt::LeftButton);
        EXPECT_EQ(Main.Title->text(), c.Title);
        EXPECT_EQ(Main.Genre->currentIndex(), Main.Genre->findText(QString::fromLatin1(c.Genre))) << c.GenreV2;
        EXPECT_EQ(Main.Track->text(), c.Track) << c.TrackV2;
        EXPECT_EQ(Main.Comment->text(), c.Comment);
    }
    EXPECT_EQ(readFile(path), before);
}

TEST_F(ConversionTest, CopyToID3v2CopiesTheSevenSharedFieldsWithoutWritingTheFile)
{
    const auto path = Put("song.mp3", {.V2 = {{"TIT2", "Song"}, {"TCOM", "Composer"}}});
    const Bytes before = readFile(path);
    Show("song.mp3");
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
    EXPECT_EQ(readFile(path), before);
}

} // namespace
