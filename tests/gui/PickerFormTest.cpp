// The file picker as the user drives it: file types chosen, files added and removed, and the two lists it hands to
// the loader.
#include "GuiTestSupport.h"

#include "TPickerForm.h"

#include <sys/stat.h>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

// A chosen file: its directory and its name, as handed to the loader.
using Chosen = std::vector<std::pair<std::string, std::string>>;
using Names = std::vector<std::string>;

struct PickerFormTest : ::testing::Test {
    PickerFormTest() { Picker.show(); }

    // A directory holding empty files of these names.
    std::string Directory(const std::string& name, const std::vector<std::string>& files = {})
    {
        std::filesystem::create_directories(Dir.file(name));
        for (const std::string& file : files)
            writeFile(Dir.file(name) / file, {});
        return Dir.file(name).native();
    }

    Chosen ChosenFiles() const
    {
        const Names names = Picker.SelectedNames();
        Chosen chosen(Picker.SelectedDirectories.size());
        EXPECT_EQ(names.size(), chosen.size());
        for (std::size_t i = 0; i < names.size() && i < chosen.size(); ++i)
            chosen[i] = {Picker.SelectedDirectories[i], names[i]};
        return chosen;
    }

    TempDir Dir;
    TPickerForm Picker;
};

TEST_F(PickerFormTest, EachFileTypeListsTheRegularFilesMatchingItsMask)
{
    const std::string music = Directory("music", {"a.mp3", "B.MP3", "c.mp2", "d.mpa", "e.mp4", "f.txt", ".h.mp3"});
    Directory("music/s.mp3");
    ASSERT_EQ(mkfifo((music + "/x.mp3").c_str(), 0644), 0);
    Picker.SetDirectory(music);
    const std::vector<std::tuple<QString, Names, QString>> types = {
        {"MP? Files", {"a.mp3", "B.MP3", "c.mp2", "d.mpa"}, "4 files"},
        {"MP2 Files", {"c.mp2"}, "1 file"},
        {"MP3 Files", {"a.mp3", "B.MP3"}, "2 files"},
        {"All Files (*.*)", {"a.mp3", "B.MP3", "c.mp2", "d.mpa", "e.mp4", "f.txt"}, "6 files"}};
    QTest::keyClick(Picker.Filter, Qt::Key_Home);
    for (const auto& [caption, listed, count] : types) {
        EXPECT_EQ(Picker.Filter->currentText(), caption);
        EXPECT_EQ(Items(*Picker.FileList), listed) << caption.toStdString();
        EXPECT_EQ(Picker.ShownLbl->text(), count) << caption.toStdString();
        QTest::keyClick(Picker.Filter, Qt::Key_Down);
    }
}

// Names are shown decoded, as UTF-8 or else as Latin-1, and handed on as the bytes they are; a file added again,
// however its directory is spelt, is chosen once.
TEST_F(PickerFormTest, AFileIsChosenOnceAndTheSameNameInTwoDirectoriesTwice)
{
    const std::string latin = Directory("music/M\xFCsik", {"Caf\xE9.mp3"});
    const std::string japanese = Directory("music/\xE9\x9F\xB3\xE6\xA5\xBD", {"Caf\xE9.mp3"});
    Picker.SetDirectory(Dir.file("music"));
    for (const QString& directory : {QStringLiteral("M\u00FCsik"), QStringLiteral("\u97F3\u697D")}) {
        QTreeWidgetItem* item = Picker.DirList->findItems(directory, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        ASSERT_NE(item, nullptr) << directory.toStdString();
        Picker.DirList->scrollToItem(item);
        QTest::mouseClick(Picker.DirList->viewport(), Qt::LeftButton, {}, Picker.DirList->visualItemRect(item).center());
        EXPECT_EQ(Items(*Picker.FileList), Names {"Caf\xE9.mp3"});
        CtrlClickRows(*Picker.FileList, {0});
        QTest::mouseClick(Picker.Add1, Qt::LeftButton);
        QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    }
    Picker.SetDirectory(latin + "/../M\xFCsik//./");
    QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    EXPECT_EQ(ChosenFiles(), (Chosen{{latin + "/", "Caf\xE9.mp3"}, {japanese + "/", "Caf\xE9.mp3"}}));
    EXPECT_EQ(Items(*Picker.Selected), Names(2, "Caf\xE9.mp3"));
    EXPECT_EQ(Picker.SelectedLbl->text(), "2 files");
}

TEST_F(PickerFormTest, RemovingKeepsEachNameWithItsDirectoryAndOpeningAgainStartsAfresh)
{
    const std::string one = Directory("one", {"a.mp3", "b.mp3"});
    const std::string two = Directory("two", {"c.mp3", "d.mp3"});
    for (const std::string& directory : {one, two}) {
        Picker.SetDirectory(directory);
        QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    }
    CtrlClickRows(*Picker.Selected, {1, 3});
    QTest::mouseClick(Picker.Remove1, Qt::LeftButton);
    EXPECT_EQ(ChosenFiles(), (Chosen{{one + "/", "a.mp3"}, {two + "/", "c.mp3"}}));
    QTest::mouseClick(Picker.RemoveAll, Qt::LeftButton);
    EXPECT_EQ(ChosenFiles(), Chosen{});

    // Opened again: nothing chosen, and the directory read anew.
    QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    writeFile(two + "/e.mp3", {});
    Picker.Prepare();
    EXPECT_EQ(ChosenFiles(), Chosen{});
    EXPECT_EQ(Picker.SelectedLbl->text(), "0 files");
    EXPECT_EQ(Picker.DirList->Directory(), two);
    EXPECT_EQ(Items(*Picker.FileList), (Names {"c.mp3", "d.mp3", "e.mp3"}));
}

} // namespace
