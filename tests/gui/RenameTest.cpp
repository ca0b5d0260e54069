// Rename and Undo Rename: files get the names the scheme makes, in their own folder, never over another file, with
// their tags kept; undo gives back the exact names they were added under.
#include "MainWindowFixture.h"

#include "IndependentReaders.h"
#include "TOptionsForm.h"

namespace {

using enum QMessageBox::StandardButton;

class RenameTest : public MainWindowTest {
protected:
    // Lists the file on its own row and loads it.
    void ShowFile(const std::filesystem::path& path)
    {
        ASSERT_TRUE(Main.AddListItem(path.parent_path().string() + "/", path.filename().string()));
        ClickRow(List.RowCount() - 1);
    }

    std::vector<BoxSeen> Rename(const std::string& scheme, const std::vector<QMessageBox::StandardButton>& answers = {})
    {
        Main.RenScheme->setEditText(QString::fromLatin1(scheme));
        return ClickActive(Main.RenameBtn, answers);
    }
};

const QString RenameError = QStringLiteral("\n\nError renaming file. Filename cannot be read-only or include any of the "
                                           "following:\n\t\t\t\\ / : * ? \" < > |");

TEST_F(RenameTest, TheFileTheRowAndTheEditorTakeTheNameTheSchemeMakesInTheSameFolderAndTheNextRowFollows)
{
    // The file's name, its ID3v2 title and artist, the scheme, and the name it gets. A plain "$ARTIST-$TITLE" is
    // walked in the whole-road test.
    const std::vector<std::array<std::string, 5>> cases = {
        {"x.mp2", "Two", "", "$TITLE", "Two.mp2"},
        {"x.MP3", "Upper", "", "$TITLE", "Upper.mp3"},
        {"x.wav", "Wave", "", "$TITLE", "Wave.wav"},
        {"z.mp3", "AC/DC", "", "$TITLE", "AC_DC.mp3"},
        {"y.mp3", "Song", "", "$TITLE.mp3", "Song.mp3"},
        {"up.mp3", "../../update", "", "$TITLE", ".._.._update.mp3"},
        {"b.mp3", "Bar", "Bj\xF6rk", "$ARTIST-$TITLE", "Bj\xC3\xB6rk-Bar.mp3"},
        {"foo-bar.mp3", "Bar", "Foo", "$ARTIST-$TITLE", "Foo-Bar.mp3"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [name, title, artist, scheme, expected] = cases[i];
        SCOPED_TRACE(expected);
        const std::filesystem::path folder = Music.file("case" + std::to_string(i));
        ShowFile(Put("case" + std::to_string(i) + "/" + name, {.V2 = {{"TIT2", title}, {"TPE1", artist}}}));
        EXPECT_TRUE(Rename(scheme).empty());
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "one file, in its folder";
        EXPECT_TRUE(std::filesystem::exists(folder / expected));
        EXPECT_EQ(List.Row(List.RowCount() - 1).Caption + "|" + Main.FileLoaded->text().toStdString(),
                  expected + "|" + expected);
        EXPECT_FALSE(Main.AddListItem(folder.string() + "/", expected)) << "listed already, under its new name";
    }

    // One row renamed moves on to the next only with auto-advance.
    Windows.OptionsForm().AutoAdvanceRename->setChecked(false);
    ClickRow(0);
    Rename("$TITLE-1");
    EXPECT_EQ(std::pair(Main.LoadedIndex, SelectedRows()), std::pair(0, std::vector<int> {0}));
    Windows.OptionsForm().AutoAdvanceRename->setChecked(true);
    Rename("$TITLE-2");
    EXPECT_EQ(Main.LoadedIndex, 1);
    EXPECT_EQ(List.Row(0).Caption, "Two-2.mp2");
}

TEST_F(RenameTest, NothingIsRenamedOverAnotherFileOrToANameOfNothingOrWhenTheSettingsForbidIt)
{
    const auto path = Put("a.mp3", {.V2 = {{"TIT2", "Taken"}}});
    const auto taken = Put("Taken.mp3", {.V2 = {{"TIT2", "Another file"}}});
    const Bytes before = readFile(path);
    const Bytes takenBefore = readFile(taken);
    ShowFile(path);
    // Without the save before a rename, which would lay out the file's tag anew.
    Main.SaveOnRen->setChecked(false);
    const QString notice = QStringLiteral("Save current ID3 info before proceeding?");
    const std::vector<std::tuple<std::function<void()>, QStringList>> cases = {
        {[] {}, {notice, "New filename: Taken.mp3\n\nA file by that name already exists!"}},
        {[this] { Main.TitleV2->setText(QStringLiteral("   ")); }, {notice, "New filename: " + RenameError}},
        {[this] { Main.ID3v1CB->setChecked(false); Main.ID3v2CB->setChecked(false); },
         {"Cannot rename without enabling either ID3v1 or ID3v2 editing!"}},
        {[this] { Main.RenScheme->setEditText({}); }, {"Rename Scheme cannot be blank!"}},
        {[this] { Main.IgnoreID3->setChecked(true); Main.UseImport->setChecked(false); },
         {"Invalid or blank import scheme (needed when ignoring ID3)!"}},
    };
    for (const auto& [arrange, messages] : cases) {
        ClickRow(0);
        Main.RenScheme->setEditText(QStringLiteral("$TITLE"));
        for (QCheckBox* box : {Main.ID3v1CB, Main.ID3v2CB, Main.UseImport})
            box->setChecked(true);
        Main.IgnoreID3->setChecked(false);
        arrange();
        EXPECT_EQ(Texts(ClickActive(Main.RenameBtn, {messages.size() > 1 ? No : Ok, Ok})), messages);
        EXPECT_EQ(readFile(path), before);
        EXPECT_EQ(readFile(taken), takenBefore);
        EXPECT_EQ(List.Row(0).Caption, "a.mp3");
    }
}

TEST_F(RenameTest, SeveralRowsAreRenamedOneByOneAsConfirmedAndKeepEveryFrame)
{
    Put("many/a.mp3", {.V2 = {{"TIT2", "One"}}});
    Put("many/b.mp3", {.V2 = {{"TIT2", "Two"}}});
    Put("many/c.mp3", {.V2 = {{"TIT2", "Three"}, {"TPE1", std::string(1500, 'a')}, {"TXXX", std::string("gain\0-6 dB", 10)},
                              {"APIC", std::string("image/png\0\3\0", 12) + std::string(5000, '\x89')}}});
    const auto frames = IndependentReaders::MutagenID3v2(Music.file("many/c.mp3"));
    const Bytes audio = Mp3Fixture::AudioOf(readFile(Music.file("many/c.mp3")));
    Main.ConfirmOnRename->setChecked(true);
    ListAll(Music.file("many"));

    const auto boxes = Rename("$TITLE", {Yes, Yes, No, Yes});
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].Text, "ACTION:\nRename ALL selected MP3s based on their ID3 tags.\n"
                             "  * Filename is generated when no ID3 tag found\n");
    EXPECT_EQ(boxes[1].Caption + boxes[1].Text, "RenameOld filename:\na.mp3\n\nNew filename:\nOne");
    EXPECT_EQ(Captions(), (std::vector<std::string> {"One.mp3", "b.mp3", "Three.mp3"}));
    for (const char* name : {"One.mp3", "b.mp3", "Three.mp3"})
        EXPECT_TRUE(std::filesystem::exists(Music.file("many") / name)) << name;
    EXPECT_EQ(IndependentReaders::ChangedFrames(*frames, *IndependentReaders::MutagenID3v2(Music.file("many/Three.mp3"))),
              std::vector<std::string> {});
    const Bytes renamed = readFile(Music.file("many/Three.mp3"));
    EXPECT_EQ(Slice(renamed, Mp3Fixture::TagAreaOf(renamed), audio.size()), audio);
    EXPECT_EQ(Main.LoadedIndex, 0);
}

TEST_F(RenameTest, IgnoringTagsTheFurtherFilesAreNamedAndTaggedFromTheirNames)
{
    Put("ign/a.mp3", {.V2 = {{"TPE1", "X"}, {"TIT2", "Y"}}});
    Put("ign/c-d.mp3", {.V2 = {{"TPE1", "Other"}, {"TIT2", "Other"}}});
    Main.IgnoreID3->setChecked(true);
    Main.ImportCB->setEditText(QStringLiteral("$ARTIST-$TITLE"));
    ListAll(Music.file("ign"));
    EXPECT_EQ(Texts(Rename("$TITLE-$ARTIST", {Yes})),
              QStringList {"ACTION:\nRename ALL selected MP3s based on their ID3 tags.\n  * ID3 tags are being ignored\n"
                           "  * Filename is generated when no ID3 tag found\n"});
    EXPECT_EQ(Captions(), (std::vector<std::string> {"Y-X.mp3", "D-C.mp3"}));
    const auto tag = IndependentReaders::TagLibID3v2(Music.file("ign/D-C.mp3"));
    ASSERT_TRUE(tag);
    EXPECT_EQ(tag->Artist + "/" + tag->Title, "C/D");
}

TEST_F(RenameTest, UndoGivesBackTheExactOriginalNameNeverOverAnotherFileAndWritesNoTags)
{
    const auto path = Put("Orig.MP3", {.V2 = {{"TIT2", "First"}, {"TPE1", "Second"}}});
    ShowFile(path);
    Rename("$TITLE");
    Rename("$ARTIST");
    ASSERT_TRUE(std::filesystem::exists(Music.file("Second.mp3")));
    const Bytes renamed = readFile(Music.file("Second.mp3"));
    EXPECT_TRUE(ClickActive(Main.UndoRenameBtn).empty());
    EXPECT_EQ(readFile(path), renamed);
    EXPECT_EQ(Captions(), std::vector<std::string> {"Orig.MP3"});

    Rename("$TITLE");
    const auto stranger = Put("Orig.MP3", {.V2 = {{"TIT2", "Stranger"}}});
    const Bytes strangerBytes = readFile(stranger);
    EXPECT_EQ(Texts(Answering({}, [this] { Main.UndoRenameMI->trigger(); })),
              QStringList {"New filename: Orig.MP3\n\nA file by that name already exists!"});
    EXPECT_EQ(readFile(stranger), strangerBytes);
    EXPECT_TRUE(std::filesystem::exists(Music.file("First.mp3")));
    EXPECT_TRUE(Main.SaveOnRen->isChecked()) << "the user's option is left as it was";

    ClickRow(0, Qt::ControlModifier);
    EXPECT_EQ(Texts(Answering({}, [this] { Main.UndoRenameMI->trigger(); })),
              QStringList {"You must have at least one MP3 selected to use this option"});
}

TEST_F(RenameTest, TheHelpButtonListsTheMacros)
{
    const auto boxes = ClickActive(Main.HelpBtn);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption + ": " + boxes[0].Text,
              "Macros: Available Macros (All tags):\n$TITLE\t$TRACK\t$YEAR\n$ALBUM\t$ARTIST\t$GENRE\n\t$COMMENT\n\n"
              "ID3v2 Only:\n$COMPOSER\t$ORIGARTIST\n$COPYRIGHT\t$URL\n$ENCODEDBY");
}

} // namespace
