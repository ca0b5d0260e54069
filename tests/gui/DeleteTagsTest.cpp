// Delete ID3 and the two single-tag delete buttons: only the tags asked for leave the files, the audio and the
// other tag stay byte for byte, and the list shows what is on disk.
#include "MainWindowFixture.h"

#include "FileReplaceStepOverride.h"
#include "IndependentReaders.h"
#include "TOptionsForm.h"

#include <sys/stat.h>

namespace {

class DeleteTagsTest : public MainWindowTest {
protected:
    static TestSong Tagged(const std::string& title)
    {
        return {.V1 = Mp3Fixture::ID3v1Fields {.Title = title}, .V2 = {{"TIT2", title}}};
    }

    // The texts of the boxes the click showed, answered in turn (OK once the answers run out).
    static QStringList ClickAnswering(QAbstractButton* button, const std::vector<QMessageBox::StandardButton>& answers = {})
    {
        QStringList texts;
        for (const BoxSeen& box : ::ClickAnswering(button, answers))
            texts << box.Text;
        return texts;
    }
};

TEST_F(DeleteTagsTest, DeleteID3OnSeveralRowsRemovesOnlyTheEnabledTagAndGoesOnPastAVanishedFile)
{
    const std::vector<std::filesystem::path> files = {Put("a.mp3", Tagged("A")), Put("b.mp3", Tagged("B")),
                                                      Put("c.mp3", Tagged("C"))};
    const std::vector<Bytes> before = {readFile(files[0]), readFile(files[1]), readFile(files[2])};
    AddDirectory(Music.path());
    ASSERT_EQ(Captions(), (std::vector<std::string> {"a.mp3", "b.mp3", "c.mp3"}));
    ClickRow(0);
    ClickRow(2, Qt::ShiftModifier);
    Main.ID3v1CB->setChecked(false);
    const QString confirmation =
        QStringLiteral("ACTION:\nDelete ID3 tags of ALL selected MP3s\n  * Applies to ID3v2 tag\n");

    EXPECT_EQ(ClickAnswering(Main.DeleteBtn, {QMessageBox::No}), QStringList {confirmation});
    for (std::size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(readFile(files[i]), before[i]) << i;

    std::filesystem::remove(files[1]);
    chmod(files[2].c_str(), 0444);
    EXPECT_EQ(ClickAnswering(Main.DeleteBtn, {QMessageBox::Yes}),
              (QStringList {confirmation, "Error opening MP3 File (file no longer exists?)\n\n"
                                              + QString::fromStdString(files[1].string())}));
    for (std::size_t i : {0u, 2u}) {
        EXPECT_EQ(readFile(files[i]), Mp3Fixture::AudioOf(before[i])) << i << ": audio and ID3v1 tag as they were";
        EXPECT_FALSE(IndependentReaders::TagLibID3v2(files[i])) << i;
    }
    EXPECT_EQ(std::filesystem::status(files[2]).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0444));
    for (const auto& [row, v2Flag] : {std::pair {0, ""}, {1, "Y"}, {2, ""}}) {
        EXPECT_EQ(Cell(row, MP3ListModel::ID3v1Column), "Y") << row;
        EXPECT_EQ(Cell(row, MP3ListModel::ID3v2Column), v2Flag) << row;
    }
    EXPECT_EQ(Main.LoadedIndex, 0);
    EXPECT_EQ(SelectedRows(), (std::vector<int> {0, 1})) << "the file not done stays selected";
}

TEST_F(DeleteTagsTest, DeleteID3OnOneRowAsksNothingAndAdvances)
{
    const auto path = Put("a.mp3", Tagged("A"));
    const Bytes before = readFile(path);
    Put("b.mp3", Tagged("B"));
    AddDirectory(Music.path());
    ClickRow(0);
    Main.ID3v1CB->setChecked(false);
    Main.ID3v2CB->setChecked(false);
    EXPECT_EQ(ClickAnswering(Main.DeleteBtn),
              QStringList {"Cannot delete without enabling either ID3v1 or ID3v2 editing!"});
    EXPECT_EQ(readFile(path), before);

    Main.ID3v1CB->setChecked(true);
    Main.ID3v2CB->setChecked(true);
    Windows.OptionsForm().AutoAdvanceDelete->setChecked(true);
    EXPECT_EQ(ClickAnswering(Main.DeleteBtn), QStringList {});
    EXPECT_EQ(readFile(path), Mp3Fixture::Frames(20));
    EXPECT_EQ(Main.LoadedIndex, 1);
    EXPECT_EQ(Main.FileLoaded->text(), "b.mp3");
}

TEST_F(DeleteTagsTest, ASingleTagButtonCutsExactlyThatTagOfTheShownFileAsItIsOnDiskNow)
{
    const TestSong song = Tagged("A");
    const auto path = Put("a.mp3", song);
    const auto other = Put("other.mp3", Tagged("Other"));
    const Bytes otherBefore = readFile(other);
    const Bytes audioAndID3v1 = Mp3Fixture::AudioOf(song.Content());
    const Bytes grownTag = ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Grown")), 5000);
    AddDirectory(Music.path());
    Windows.OptionsForm().AutoAdvanceDelete->setChecked(false);
    std::optional<FileReplaceStepOverride> refused;
    struct Case {
        const char* What;
        QAbstractButton* Button;
        std::function<void()> AfterLoading;
        Bytes Expected;
        const char *ID3v1Flag, *ID3v2Flag;
        QStringList Boxes {};
    };
    const std::vector<Case> cases = {
        {"engine pointed at another file", Main.DeleteID3v1Btn,
         [&] { Main.Engine.Reset(), Main.Engine.SetFileName(other.string()), Main.Engine.ReadTags(); },
         Slice(song.Content(), 0, song.Content().size() - 128), "", "Y"},
        {"tag removed by another program", Main.DeleteID3v2Btn, [&] { writeFile(path, audioAndID3v1); },
         audioAndID3v1, "Y", ""},
        {"tag grown by another program", Main.DeleteID3v2Btn,
         [&] { writeFile(path, Concat({grownTag, audioAndID3v1})); }, audioAndID3v1, "Y", ""},
        {"rewrite refused", Main.DeleteID3v2Btn, [&] { refused.emplace([](const char*, const char*) { return -1; }); },
         song.Content(), "Y", "Y", {"Error deleting ID3v2 tag!"}},
    };
    for (const Case& c : cases) {
        writeFile(path, song.Content());
        Show("a.mp3");
        c.AfterLoading();
        EXPECT_EQ(ClickAnswering(c.Button), c.Boxes) << c.What;
        refused.reset();
        EXPECT_EQ(readFile(path), c.Expected) << c.What;
        EXPECT_EQ(readFile(other), otherBefore) << c.What;
        EXPECT_EQ(Cell(0, MP3ListModel::ID3v1Column), c.ID3v1Flag) << c.What;
        EXPECT_EQ(Cell(0, MP3ListModel::ID3v2Column), c.ID3v2Flag) << c.What;
        EXPECT_EQ(Cell(0, MP3ListModel::TitleColumn), "A") << c.What << ": the title of the tag left";
    }
}

} // namespace
