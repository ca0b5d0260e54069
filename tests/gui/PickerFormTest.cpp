// The file picker as the user drives it: directories and file types chosen, files added and
// removed, and the two lists it hands to the loader.
#include "GuiTestSupport.h"

#include "TPickerForm.h"

#include <QtTest/QTest>

#include <sys/stat.h>

namespace {

::testing::Environment* const QtApp = ::testing::AddGlobalTestEnvironment(new QtEnvironment<QApplication>);

using Names = std::vector<std::string>;
// A chosen file: its directory and its name, as handed to the loader.
using Chosen = std::vector<std::pair<std::string, std::string>>;

QStringList Texts(const QListWidget& list)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

class PickerFormTest : public ::testing::Test {
protected:
    PickerFormTest() { Picker.show(); }

    // A directory below the temporary one holding empty files of these names.
    std::string Directory(const std::string& name, const Names& files = {})
    {
        const std::filesystem::path directory = Dir.file(name);
        std::filesystem::create_directories(directory);
        for (const std::string& file : files)
            std::ofstream(directory / file) << "";
        return directory.native();
    }

    void ClickRows(QListWidget& list, std::initializer_list<int> rows)
    {
        for (int row : rows)
            QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list.visualItemRect(list.item(row)).center());
    }

    void ClickDirectory(const QString& caption)
    {
        QTreeWidgetItem* item = Picker.DirList->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        ASSERT_NE(item, nullptr) << caption.toStdString();
        Picker.DirList->scrollToItem(item);
        QTest::mouseClick(Picker.DirList->viewport(), Qt::LeftButton, {},
                          Picker.DirList->visualItemRect(item).center());
    }

    void ChooseFilter(int entry)
    {
        QTest::keyClick(Picker.Filter, Qt::Key_Home);
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(Picker.Filter, Qt::Key_Down);
    }

    Chosen ChosenFiles() const
    {
        const Names names = Picker.SelectedNames();
        EXPECT_EQ(names.size(), Picker.SelectedDirectories.size());
        Chosen chosen;
        for (std::size_t i = 0; i < names.size() && i < Picker.SelectedDirectories.size(); ++i)
            chosen.emplace_back(Picker.SelectedDirectories[i], names[i]);
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

    const struct {
        const char* Caption;
        QStringList Listed;
        const char* Count;
    } types[] = {
        {"MP? Files", {"a.mp3", "B.MP3", "c.mp2", "d.mpa"}, "4 files"},
        {"MP2 Files", {"c.mp2"}, "1 file"},
        {"MP3 Files", {"a.mp3", "B.MP3"}, "2 files"},
        {"All Files (*.*)", {"a.mp3", "B.MP3", "c.mp2", "d.mpa", "e.mp4", "f.txt"}, "6 files"},
    };
    for (int entry = 0; entry < 4; ++entry) {
        ChooseFilter(entry);
        EXPECT_EQ(Picker.Filter->currentText(), types[entry].Caption);
        EXPECT_EQ(Texts(*Picker.FileList), types[entry].Listed) << types[entry].Caption;
        EXPECT_EQ(Picker.ShownLbl->text(), types[entry].Count) << types[entry].Caption;
    }
}

TEST_F(PickerFormTest, AFileAddedAgainIsChosenOnce)
{
    const std::string music = Directory("music", {"a.mp3", "b.mp3"});
    enum Step { Add1, AddAll, Reopen };
    const struct {
        const char* Case;
        std::vector<Step> Steps;
        Chosen Expected;
    } cases[] = {
        {"Add1 twice", {Add1, Add1}, {{music + "/", "a.mp3"}}},
        {"AddAll twice", {AddAll, AddAll}, {{music + "/", "a.mp3"}, {music + "/", "b.mp3"}}},
        {"Add1, then AddAll", {Add1, AddAll}, {{music + "/", "a.mp3"}, {music + "/", "b.mp3"}}},
        {"Add1, reopened spelled otherwise", {Add1, Reopen, Add1}, {{music + "/", "a.mp3"}}},
    };
    for (const auto& c : cases) {
        Picker.Prepare();
        Picker.SetDirectory(music);
        for (Step step : c.Steps) {
            if (step == Reopen)
                Picker.SetDirectory(music + "//./");
            if (step == Add1)
                ClickRows(*Picker.FileList, {0});
            QTest::mouseClick(step == AddAll ? Picker.AddAll : Picker.Add1, Qt::LeftButton);
        }
        EXPECT_EQ(ChosenFiles(), c.Expected) << c.Case;
        EXPECT_EQ(Picker.SelectedLbl->text(), c.Expected.size() == 1 ? "1 file" : "2 files") << c.Case;
    }
}

TEST_F(PickerFormTest, TheSameNameInTwoDirectoriesIsChosenTwice)
{
    const std::string one = Directory("music/one", {"song.mp3"});
    const std::string two = Directory("music/two", {"song.mp3"});
    Picker.SetDirectory(Dir.file("music"));
    for (const char* directory : {"one", "two"}) {
        ClickDirectory(QString::fromLatin1(directory));
        EXPECT_EQ(Texts(*Picker.FileList), QStringList{"song.mp3"});
        QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    }
    EXPECT_EQ(ChosenFiles(), (Chosen{{one + "/", "song.mp3"}, {two + "/", "song.mp3"}}));
    EXPECT_EQ(Texts(*Picker.Selected), (QStringList{"song.mp3", "song.mp3"}));
}

TEST_F(PickerFormTest, RemovingEntriesOneAndThreeKeepsZeroAndTwoWithTheirDirectories)
{
    const std::string one = Directory("one", {"a.mp3", "b.mp3"});
    const std::string two = Directory("two", {"c.mp3", "d.mp3"});
    for (const std::string& directory : {one, two}) {
        Picker.SetDirectory(directory);
        QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    }
    ClickRows(*Picker.Selected, {1, 3});
    QTest::mouseClick(Picker.Remove1, Qt::LeftButton);
    EXPECT_EQ(ChosenFiles(), (Chosen{{one + "/", "a.mp3"}, {two + "/", "c.mp3"}}));
    EXPECT_EQ(Picker.SelectedLbl->text(), "2 files");

    QTest::mouseClick(Picker.RemoveAll, Qt::LeftButton);
    EXPECT_EQ(ChosenFiles(), Chosen{});
    EXPECT_EQ(Picker.SelectedLbl->text(), "0 files");
}

TEST_F(PickerFormTest, OpeningAgainEmptiesTheChosenListAndShowsFilesCreatedMeanwhile)
{
    const std::string music = Directory("music", {"a.mp3"});
    Picker.SetDirectory(music);
    QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
    std::ofstream(music + "/b.mp3") << "";

    Picker.Prepare();
    EXPECT_EQ(ChosenFiles(), Chosen{});
    EXPECT_EQ(Picker.Selected->count(), 0);
    EXPECT_EQ(Picker.SelectedLbl->text(), "0 files");
    EXPECT_EQ(Picker.DirList->Directory(), music);
    EXPECT_EQ(Texts(*Picker.FileList), (QStringList{"a.mp3", "b.mp3"}));
    EXPECT_EQ(Picker.ShownLbl->text(), "2 files");
}

TEST_F(PickerFormTest, NamesAreShownReadablyAndHandedOnAsTheirBytes)
{
    const struct {
        std::string Directory, Name;
        QString Shown;
    } names[] = {
        {"M\xFCsik", "Caf\xE9.mp3", QStringLiteral("Caf\u00E9.mp3")},
        {"音楽", "日本語の歌.mp3", QStringLiteral("日本語の歌.mp3")},
    };
    for (const auto& n : names) {
        const std::string directory = Directory(n.Directory, {n.Name});
        Picker.Prepare();
        Picker.SetDirectory(directory);
        EXPECT_EQ(Picker.DirList->Directory(), directory);
        EXPECT_EQ(Texts(*Picker.FileList), QStringList{n.Shown});
        QTest::mouseClick(Picker.AddAll, Qt::LeftButton);
        EXPECT_EQ(Texts(*Picker.Selected), QStringList{n.Shown});
        EXPECT_EQ(ChosenFiles(), (Chosen{{directory + "/", n.Name}}));
        EXPECT_TRUE(std::filesystem::is_regular_file(Picker.SelectedDirectories[0] + Picker.SelectedNames()[0]));
    }
}

TEST_F(PickerFormTest, DoneWithNothingChosenHandsOnTwoEmptyLists)
{
    Picker.SetDirectory(Directory("music", {"a.mp3"}));
    Picker.hide();
    OnNextModal([this](QWidget&) { QTest::mouseClick(Picker.Done, Qt::LeftButton); });
    EXPECT_EQ(Picker.exec(), QDialog::Accepted);
    EXPECT_EQ(Picker.SelectedNames(), Names{});
    EXPECT_EQ(Picker.SelectedDirectories, Names{});
}

TEST(PickerFormStart, OpensInTheHomeFolderAndIgnoresAPathThatIsNoDirectory)
{
    const TempDir home;
    std::ofstream(home.file("a.mp3")) << "";
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.path().native()));
    TPickerForm picker;
    qputenv("HOME", previousHome);

    EXPECT_EQ(picker.DirList->Directory(), home.path().native());
    EXPECT_EQ(Texts(*picker.FileList), QStringList{"a.mp3"});
    EXPECT_EQ(picker.ShownLbl->text(), "1 file");
    picker.SetDirectory(home.file("a.mp3").native());
    EXPECT_EQ(picker.DirList->Directory(), home.path().native());
}

} // namespace
