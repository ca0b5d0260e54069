// The ATA buttons: one editor field written into every selected file, and nothing else of those files changed.
#include "MainWindowFixture.h"

#include "IndependentReaders.h"

namespace {

using IndependentReaders::TagLibID3v2;
using QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes;

class ApplyToAllTest : public MainWindowTest {
protected:
    // The files of one folder alone in the list, all selected; their paths in row order.
    std::vector<std::filesystem::path> ListAll(const std::string& folder)
    {
        MainWindowTest::ListAll(Music.file(folder));
        std::vector<std::filesystem::path> paths;
        for (int i = 0; i < List.RowCount(); ++i)
            paths.push_back(List.Row(i).Path());
        return paths;
    }

    // What TagLib sees: the ID3v1 title/artist/track/genre, then the ID3v2 frames.
    static std::string Seen(const std::filesystem::path& path)
    {
        std::string seen = "v1:";
        if (const auto v1 = IndependentReaders::TagLibID3v1(path))
            seen += v1->Title + "/" + v1->Artist + "/" + std::to_string(v1->Track) + "/" + std::to_string(v1->Genre);
        seen += " v2:";
        if (const auto v2 = TagLibID3v2(path))
            for (const std::string& frame : v2->Frames)
                seen += frame + ";";
        return seen;
    }
};

TEST_F(ApplyToAllTest, TheTitleGoesIntoEveryFileThatIsStillThereAndNothingElseChanges)
{
    const Mp3Fixture::ID3v1Fields v1 {.Title = "Old", .Track = 123, .Genre = 150};
    Put("three/a.mp3", {.V1 = v1, .V2 = {{"TIT2", "Old A"}, {"TPE1", "Artist A"}}});
    Put("three/b gone.mp3", {.V2 = {{"TIT2", "Old B"}}});
    const Bytes rich = ID3v2Bytes::Tag(3, Concat({
        ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Old C")),
        ID3v2Bytes::Frame("TPE1", ID3v2Bytes::TextBody("\xFF\xFE\x1A\x04\x30\x04", 1)),
        ID3v2Bytes::Frame("TXXX", ID3v2Bytes::TextBody(std::string("replaygain\0-6 dB", 16))),
        ID3v2Bytes::Frame("USLT", ID3v2Bytes::TextBody(std::string("eng\0la la la", 12))),
        ID3v2Bytes::Frame("APIC", Concat({ID3v2Bytes::Text(std::string("\0image/png\0\3cover\0", 18)), Bytes(20000, 0x89)}))}), 256);
    writeFile(Music.file("three/c.mp3"), Concat({rich, Mp3Fixture::Frames(20), Mp3Fixture::ID3v1Record(v1)}));
    const auto paths = ListAll("three");
    std::filesystem::remove(paths[1]);
    std::map<std::size_t, std::pair<IndependentReaders::MutagenTag, Bytes>> before; // frames; audio and ID3v1
    for (std::size_t i : {0, 2})
        before[i] = {*IndependentReaders::MutagenID3v2(paths[i]), Mp3Fixture::AudioOf(readFile(paths[i]))};

    Main.TitleV2->clear();
    Type(Main.TitleV2, QStringLiteral("New title"));
    const auto boxes = ClickAnswering(Main.TitleV2ATA, {Yes, No, Ok});
    ASSERT_EQ(boxes.size(), 3u) << "one message for the file that is gone";
    EXPECT_EQ(boxes[0].Text, "ACTION:\nChange the Title of ALL selected MP3s?\n");
    EXPECT_EQ(boxes[1].Caption + boxes[1].Text, "SaveSave current ID3 info before proceeding?");
    EXPECT_EQ(boxes[2].Text, "Error opening MP3 File (file no longer exists?)\n\n" + QString::fromStdString(paths[1]));
    for (const auto& [i, old] : before) {
        EXPECT_EQ(TagLibID3v2(paths[i])->Title, "New title") << i;
        const auto after = IndependentReaders::MutagenID3v2(paths[i]);
        EXPECT_EQ(IndependentReaders::ChangedFrames(old.first, *after), std::vector<std::string>{"TIT2"}) << i;
        EXPECT_EQ(Mp3Fixture::AudioOf(readFile(paths[i])), old.second) << i;
    }
    EXPECT_FALSE(std::filesystem::exists(paths[1]));
    EXPECT_EQ(Main.FileLoaded->text() + Main.ArtistV2->text(), "a.mp3Artist A") << "the loaded row is shown again";
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ApplyToAllTest, EachFileGetsTheFieldOverItsOwnTagOrOverOneMadeFromItsName)
{
    Main.ImportCB->setEditText(QStringLiteral("$ARTIST-$TITLE"));
    struct Case {
        QPushButton* Button;
        std::function<void()> Enter;
        bool UseImport;
        QMessageBox::StandardButton SaveFirst; // the loaded Band-Song.mp3, from the editor
        std::vector<std::string> Seen;         // of Band-Song.mp3 (no tags) and Old.mp3
    };
    const auto typeComposer = [this] { Type(Main.ComposerV2, QStringLiteral("Bach")); };
    const std::string oldV1 = "v1:Kept//123/150";
    const std::vector<Case> cases = {
        {Main.YearV2ATA, [this] { Main.YearV2->clearEditText(); }, true, No,
         {"v1: v2:TIT2:Song;TPE1:Band;", oldV1 + " v2:TIT2:Kept;"}},
        {Main.ComposerV2ATA, typeComposer, false, No,
         {"v1: v2:TCOM:Bach;", oldV1 + " v2:TCOM:Bach;TDRC:1999;TIT2:Kept;"}},
        {Main.ComposerV2ATA, typeComposer, true, No,
         {"v1: v2:TCOM:Bach;TIT2:Song;TPE1:Band;", oldV1 + " v2:TCOM:Bach;TDRC:1999;TIT2:Kept;"}},
        {Main.GenreATA, [this] { Main.Genre->setCurrentIndex(0); }, true, Yes,
         {"v1:Song/Band/0/255 v2:TIT2:Song;TPE1:Band;", "v1:Kept//123/255 v2:TDRC:1999;TIT2:Kept;"}},
    };
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const std::string folder = "case" + std::to_string(c);
        Put(folder + "/Band-Song.mp3", {});
        Put(folder + "/Old.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Kept", .Track = 123, .Genre = 150},
                                  .V2 = {{"TIT2", "Kept"}, {"TYER", "1999"}}});
        Main.UseImport->setChecked(cases[c].UseImport);
        const auto paths = ListAll(folder);
        cases[c].Enter();
        EXPECT_EQ(ClickAnswering(cases[c].Button, {Yes, cases[c].SaveFirst}).size(), 2u);
        EXPECT_EQ(Seen(paths[0]), cases[c].Seen[0]) << c;
        EXPECT_EQ(Seen(paths[1]), cases[c].Seen[1]) << c;
    }
}

TEST_F(ApplyToAllTest, ARefusalOrANoChangesNoFile)
{
    Put("files/a.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "A"}, .V2 = {{"TIT2", "A"}}});
    Put("files/b.mp3", {});
    const auto paths = ListAll("files");
    const Bytes before = Concat({readFile(paths[0]), readFile(paths[1])});
    const std::vector<std::tuple<std::function<void()>, QPushButton*, QMessageBox::StandardButton, QString>> cases = {
        {[this] { ClickRow(1); }, Main.TitleV2ATA, Ok,
         "Vellum MP3You must have two or more MP3s selected to use this option!"},
        {[this] { Main.ID3v1CB->setChecked(false); }, Main.TitleATA, Ok,
         "Vellum MP3Cannot perform ATA on ID3v1 without enabling ID3v1 editing!"},
        {[this] { Main.ID3v2CB->setChecked(false); }, Main.TitleV2ATA, Ok,
         "Vellum MP3Cannot perform ATA on ID3v2 without enabling ID3v2 editing!"},
        {[] {}, Main.TitleV2ATA, No, "WarningACTION:\nChange the Title of ALL selected MP3s?\n"}};
    for (const auto& [setup, button, answer, box] : cases) {
        Main.ID3v1CB->setChecked(true);
        Main.ID3v2CB->setChecked(true);
        ClickRow(0);
        ClickRow(1, Qt::ShiftModifier);
        Main.Title->setText(QStringLiteral("Changed"));
        Main.TitleV2->setText(QStringLiteral("Changed"));
        setup();
        const auto boxes = ClickAnswering(button, {answer});
        ASSERT_EQ(boxes.size(), 1u) << box.toStdString();
        EXPECT_EQ(boxes[0].Caption + boxes[0].Text, box);
        EXPECT_EQ(Concat({readFile(paths[0]), readFile(paths[1])}), before) << box.toStdString();
    }
}

} // namespace
