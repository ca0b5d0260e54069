// Tag side files: each selected file's tag copied into the chosen folder as "<name>.id1" or "<name>.id2", the MP3
// files themselves untouched.
#include "MainWindowFixture.h"

#include "FileReplaceStepOverride.h"
#include "TMP3File.h"

namespace {

class SideFilesTest : public MainWindowTest {
protected:
    // Runs the menu item, choosing the folder in the folder browser it shows; the texts of the boxes it showed.
    QStringList Export(QAction* item, const std::string& folder)
    {
        OnNextModal([folder](QWidget& modal) {
            auto* browser = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(browser, nullptr) << "the folder browser was expected";
            EXPECT_EQ(browser->labelText(QFileDialog::LookIn), "Choose a destination directory");
            browser->setDirectory(QFile::decodeName(folder.c_str()));
            static_cast<QDialog*>(browser)->accept();
        });
        QStringList texts;
        for (const BoxSeen& box : Answering({}, [item] { item->trigger(); }))
            texts << box.Text;
        return texts;
    }

    // The tag area a save that changes nothing leaves at the start of a copy of the file.
    static Bytes TagAreaWrittenTo(const std::filesystem::path& file, const std::filesystem::path& copy)
    {
        std::filesystem::copy_file(file, copy);
        TMP3File engine;
        engine.SetFileName(copy.string());
        EXPECT_TRUE(engine.ReadID3v2() && engine.WriteID3v2Tag());
        return Slice(readFile(copy), 0, static_cast<std::size_t>(engine.GetID3v2Size()));
    }
};

TEST_F(SideFilesTest, SideFilesHoldTheTagAsWrittenAndTheLaterRowOfAStemWins)
{
    const auto first = Put("a.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "First"},
                                     .V2 = {{"TIT2", "Title"}, {"TPE1", "Artist"}, {"XYZW", "unknown frame"}}});
    const auto later = Put("sub/a.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Later"}});
    Put("none.mp3", {});
    const std::filesystem::path out = Music.file("out");
    std::filesystem::create_directory(out);
    const Bytes before = readFile(first);
    for (const auto& [folder, name] : {std::pair {Folder(), "a.mp3"}, {Folder() + "sub/", "a.mp3"}, {Folder(), "none.mp3"}})
        ASSERT_TRUE(Main.AddListItem(folder, name));
    ClickRow(0);
    ClickRow(2, Qt::ShiftModifier);
    ASSERT_EQ(Main.LoadedIndex, 0);

    EXPECT_EQ(Export(Main.WriteID3v1, out.string() + "/"), QStringList {});
    EXPECT_EQ(Export(Main.WriteID3v2, out.string()), QStringList {});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 2) << "none.mp3 has no tag to copy";
    const Bytes laterBytes = readFile(later);
    EXPECT_EQ(readFile(out / "a.id1"), Slice(laterBytes, laterBytes.size() - 128, 128));
    EXPECT_EQ(readFile(out / "a.id2"), TagAreaWrittenTo(first, Music.file("copy.mp3")));
    EXPECT_EQ(readFile(first), before);

    // The single-tag delete still acts on the file the editor shows, not on the last one exported.
    ClickActive(Main.DeleteID3v1Btn);
    EXPECT_EQ(readFile(first).size(), before.size() - 128);
    EXPECT_EQ(readFile(later), laterBytes);
}

TEST_F(SideFilesTest, ASideFileThatCannotBeWrittenWholeOrWouldBeTheFileItselfLeavesEveryFileAsItWas)
{
    const auto self = Put("self.id1", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Self"}});
    const Bytes before = readFile(self);
    ASSERT_TRUE(Main.AddListItem(Folder(), "self.id1"));
    ClickRow(0);
    EXPECT_EQ(Export(Main.WriteID3v1, Folder()), QStringList {"Error saving file:\n" + QString::fromStdString(self.string())});
    EXPECT_EQ(readFile(self), before);

    const std::filesystem::path out = Music.file("out");
    std::filesystem::create_directory(out);
    writeFile(out / "self.id1", Bytes(128, 'x'));
    const FileReplaceStepOverride failing([](const char*, const char*) { return -1; });
    EXPECT_EQ(Export(Main.WriteID3v1, out.string()),
              QStringList {"Error saving file:\n" + QString::fromStdString((out / "self.id1").string())});
    EXPECT_EQ(readFile(out / "self.id1"), Bytes(128, 'x')) << "the old side file is kept whole";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1) << "no temporary file is left";
}

} // namespace
