// What the editor shows of the file a user clicks, and that what it shows never changes what a later save
// writes for the fields the user leaves alone.
#include "MainWindowFixture.h"

#include "IndependentReaders.h"
#include "TFiltersForm.h"

namespace {

using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;

class EditorShowTest : public MainWindowTest {
protected:
    // Clicks the row of the file named, adding it to the list first when it is not there yet.
    void Show(const std::string& name)
    {
        for (int row = 0; row < List.RowCount(); ++row)
            if (List.Row(row).Caption == name)
                return ClickRow(row);
        ASSERT_TRUE(Main.AddListItem(Folder(), name)) << name;
        ClickRow(List.RowCount() - 1);
    }

    // What Save does with the ID3v2 half: the file's whole tag read, the controls stored over it, written.
    bool SaveID3v2(const std::filesystem::path& path)
    {
        Main.Engine.Reset();
        Main.Engine.SetFileName(path.string());
        return Main.Engine.ReadID3v2() && (Main.StoreID3v2Fields(), Main.Engine.WriteID3v2Tag());
    }
};

TEST_F(EditorShowTest, ID3v1TrackAndGenreShowAsTheUserReadsThem)
{
    struct Case {
        std::uint8_t TrackByte, GenreByte;
        bool PadTrack;
        const char* Track;
        const char* Genre; // nullptr: no entry selected
    };
    const std::vector<Case> cases = {{7, 255, true, "07", nullptr},   {7, 255, false, "7", nullptr},
                                     {12, 0, true, "12", "Blues"},    {123, 28, true, "123", "Vocal"},
                                     {0, 200, true, "", nullptr}};
    for (const Case& c : cases) {
        const std::string name = std::to_string(c.TrackByte) + "g" + std::to_string(c.GenreByte) + ".mp3";
        Put(name, {.V1 = Mp3Fixture::ID3v1Fields {.Title = "  Padded  ", .Track = c.TrackByte, .Genre = c.GenreByte}});
        Main.PadTrack->setChecked(c.PadTrack);
        Show(name);
        EXPECT_EQ(Main.Track->text(), c.Track) << name;
        if (c.Genre)
            EXPECT_EQ(Main.Genre->currentText(), c.Genre) << name;
        else
            EXPECT_EQ(Main.Genre->currentIndex(), -1) << name;
        EXPECT_EQ(Main.Title->text(), "Padded");
        EXPECT_TRUE(Main.DeleteID3v1Btn->isEnabled());
    }
}

TEST_F(EditorShowTest, ID3v2GenreReferencesShowTheirNamesAndOtherTextsStayWhole)
{
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> cases = {
        // genre frame, shown genre, track frame, shown track
        {"(17)", "Rock", "7", "07"},     {"(17)Rock", "Rock", "12", "12"}, {"(0)", "Blues", "3/12", "3/12"},
        {"Trip-Hop", "Trip-Hop", "", ""}, {"(200)", "", "0", "0"},          {"(-1)", "(-1)", "", ""},
        {"(RX)", "(RX)", "", ""},         {"(Electronic Dance)", "(Electronic Dance)", "", ""}};
    int file = 0;
    for (const auto& [genre, shownGenre, track, shownTrack] : cases) {
        const std::string name = std::to_string(++file) + ".mp3";
        TestSong song {.V2 = {{"TCON", genre}}};
        if (*track)
            song.V2.emplace_back("TRCK", track);
        Put(name, song);
        Show(name);
        EXPECT_EQ(Main.GenreV2->currentText(), shownGenre) << genre;
        EXPECT_EQ(Main.TrackV2->text(), shownTrack) << track;
    }
}

TEST_F(EditorShowTest, VersionLabelsAndPresenceImagesFollowTheFile)
{
    Put("v23.mp3", {.V2 = {{"TIT2", "three"}}});
    Put("v24.mp3", {.V2 = {{"TIT2", "four"}}, .Version = 4});
    writeFile(Music.file("v22.mp3"), Concat({ID3v2Bytes::ReadTestData("rust-id3/id3v22.id3"), Mp3Fixture::Frames(5)}));
    Put("none.mp3", {});
    const QColor active = Main.palette().color(QPalette::Active, QPalette::WindowText);
    const QColor grey = Main.palette().color(QPalette::Disabled, QPalette::WindowText);
    const QImage present = Main.Image(TMainForm::TagPresentImage).toImage();
    const QImage absent = Main.Image(TMainForm::TagAbsentImage).toImage();
    for (const auto& [name, version] : {std::pair{"v22.mp3", 2}, {"v23.mp3", 3}, {"v24.mp3", 4}, {"none.mp3", 0}}) {
        Show(name);
        for (const auto& [label, labelVersion] : {std::pair{Main.v22Lbl, 2}, {Main.v23Lbl, 3}, {Main.v24Lbl, 4}})
            EXPECT_EQ(label->palette().color(QPalette::WindowText), labelVersion == version ? active : grey)
                << name << " " << labelVersion;
        EXPECT_EQ(Main.hasID3v2Bmp->pixmap().toImage(), version ? present : absent) << name;
        EXPECT_EQ(Main.DeleteID3v2Btn->isEnabled(), version != 0) << name;
    }
}

TEST_F(EditorShowTest, AFileWithoutTagsShowsWhatTheImportSchemeReadsInItsName)
{
    const auto path = Put("the_band-my_song.mp3", {});
    const Bytes before = readFile(path);
    Windows.FiltersForm().ImportFilterBox->addItem(QStringLiteral("_ ->  "));
    struct Case {
        bool UseImport, Capitalize, ID3v1CB;
        const char *Artist, *ArtistV2, *TitleV2;
    };
    const std::vector<Case> cases = {{true, true, true, "The Band", "The Band", "My Song"},
                                     {true, false, true, "the band", "the band", "my song"},
                                     {true, true, false, "", "The Band", "My Song"},
                                     {false, true, true, "", "", ""}};
    for (const Case& c : cases) {
        Main.UseImport->setChecked(c.UseImport);
        Main.CapitalizeFirst->setChecked(c.Capitalize);
        Main.ID3v1CB->setChecked(c.ID3v1CB);
        Show("the_band-my_song.mp3");
        EXPECT_EQ(Main.Artist->text(), c.Artist);
        EXPECT_EQ(Main.ArtistV2->text(), c.ArtistV2);
        EXPECT_EQ(Main.TitleV2->text(), c.TitleV2);
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

TEST_F(EditorShowTest, ASaveHandsBackEveryFieldTheUserLeftAloneExactlyAsRead)
{
    const std::string longComment = "first line\r\n" + std::string(3000, 'c');
    const Bytes picture(20000, 0x89);
    const Bytes frames = Concat({
        ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Title")),
        ID3v2Bytes::Frame("TPE1", ID3v2Bytes::TextBody("\xFF\xFE\x1A\x04\x30\x04", 1)),
        ID3v2Bytes::Frame("COMM", Concat({ID3v2Bytes::Text(std::string("\0deudesc\0", 9)), ID3v2Bytes::Text(longComment)})),
        ID3v2Bytes::Frame("TCON", ID3v2Bytes::TextBody("(RX)")),
        ID3v2Bytes::Frame("TRCK", ID3v2Bytes::TextBody("7")),
        ID3v2Bytes::Frame("TPOS", ID3v2Bytes::TextBody("1/2")),
        ID3v2Bytes::Frame("TXXX", ID3v2Bytes::TextBody(std::string("replaygain\0-6 dB", 16))),
        ID3v2Bytes::Frame("APIC", Concat({ID3v2Bytes::Text(std::string("\0image/png\0\3cover\0", 18)), picture}))});
    const auto path = Music.file("rich.mp3");
    const Mp3Fixture::ID3v1Fields v1 {.Title = "Old title", .Track = 123, .Genre = 150};
    writeFile(path, Concat({ID3v2Bytes::Tag(3, frames, 512), Mp3Fixture::Frames(20), Mp3Fixture::ID3v1Record(v1)}));
    const auto mutagenBefore = MutagenID3v2(path);
    ASSERT_TRUE(mutagenBefore);
    Show("rich.mp3");
    ASSERT_EQ(Main.TrackV2->text(), "07");
    ASSERT_EQ(Main.CommentV2->toPlainText().size(), 2048) << "the memo shows a cut view";

    ASSERT_TRUE(SaveID3v2(path));
    EXPECT_EQ(ChangedFrames(*mutagenBefore, *MutagenID3v2(path)), std::vector<std::string>{});

    Main.TitleV2->setText(QStringLiteral("New title"));
    ASSERT_TRUE(SaveID3v2(path));
    EXPECT_EQ(ChangedFrames(*mutagenBefore, *MutagenID3v2(path)), std::vector<std::string>{"TIT2"});
    EXPECT_EQ(IndependentReaders::TagLibID3v2(path)->Title, "New title");

    // The ID3v1 half: a track past 99 and a genre byte past the table, neither shown as it is, come back as read.
    const Bytes record = Slice(readFile(path), std::filesystem::file_size(path) - 128);
    Main.Engine.Reset();
    Main.Engine.SetFileName(path.string());
    Main.StoreID3v1Fields();
    ASSERT_TRUE(Main.Engine.WriteID3v1Tag());
    EXPECT_EQ(Slice(readFile(path), std::filesystem::file_size(path) - 128), record);
    EXPECT_EQ(IndependentReaders::TagLibID3v1(path)->Genre, 150u);
}

} // namespace
