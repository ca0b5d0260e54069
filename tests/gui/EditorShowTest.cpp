// What the editor shows of the file a user clicks.
#include "MainWindowFixture.h"

#include "TFiltersForm.h"

namespace {

using EditorShowTest = MainWindowTest;

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

} // namespace
