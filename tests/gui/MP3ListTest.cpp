// The MP3 list as a user meets it: adding a tree, picked files, or files and folders named on the command line or
// dropped from a file manager; clicks and keys that move the editor, clearing, files that cannot be read, and the tag
// side files.
#include "MainWindowFixture.h"

#include "CommandLine.h"
#include "DesktopOpen.h"
#include "FileReplaceStepOverride.h"
#include "TPickerForm.h"

#include <QtCore/QMimeData>
#include <QtWidgets/QHeaderView>

#include <sys/stat.h>

namespace {

const Mp3Fixture::ID3v1Fields V1Song {.Title = "Old title", .Artist = "Band"};

TEST_F(MainWindowTest, AddingATreeListsEveryMP3OnceInWalkOrderWithItsColumns)
{
    Put("b.mp3", {.V1 = V1Song, .V2 = {{"TIT2", "Both tags"}}});
    Put("A.MP3", {.V1 = V1Song, .V2 = {{"TPE1", "Band"}}});
    Put("c.mp2", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Caf\xE9 title"}});
    Put("sub/e.mp3", {.V2 = {{"TIT2", "In sub"}}});
    std::filesystem::create_symlink(Music.file("b.mp3"), Music.file("link.mp3"));
    Put("Caf\xE9.mp3", {.V2 = {{"TIT2", "Latin name"}}});
    Put("\xE6\x9B\xB2.mp3", {.V2 = {{"TIT2", "Japanese name"}}});
    writeFile(Music.file("noise.mp3"), Bytes(30000, 0x5A));
    // A link to a folder is not followed: the walk would list files from outside the tree chosen.
    TempDir elsewhere;
    writeFile(elsewhere.file("outside.mp3"), TestSong {}.Content());
    std::filesystem::create_directory_symlink(elsewhere.path(), Music.file("folder-link.mp3"));
    std::filesystem::create_directory_symlink(Music.file("sub"), Music.file("sub-link"));

    AddDirectory(Music.path());

    // A folder's files in byte order, then its subfolders; a link to a listed file is that file. File, ID3v1, ID3v2,
    // Title (the ID3v2 tag's whenever there is one, even without a title frame; Latin-1), Bitrate, Length.
    EXPECT_EQ(Rows({0, 1, 2, 3, 4, 6}),
              (Names {"A.MP3|Y|Y||128|0:01", "Café.mp3||Y|Latin name|128|0:01", "b.mp3|Y|Y|Both tags|128|0:01",
                      "c.mp2|Y||Café title|128|0:01", "noise.mp3||||0|0:00", "曲.mp3||Y|Japanese name|128|0:01",
                      "e.mp3||Y|In sub|128|0:01"}));
    EXPECT_EQ(List.Row(6).Path(), Folder() + "sub/e.mp3");

    // Loading leaves the editor alone; the same files again, however reached, add nothing.
    EXPECT_EQ(Main.LoadedIndex, -1);
    AddDirectory(Music.path());
    EXPECT_FALSE(Main.AddListItem(Folder() + "sub-link/../", "b.mp3")) << "\"..\" of a link is its target's parent";
    EXPECT_EQ(List.RowCount(), 7);

    // Names in any script open the very file they stand for.
    for (const auto& [row, title] : {std::pair{1, "Latin name"}, {5, "Japanese name"}}) {
        ClickRow(row);
        EXPECT_EQ(Main.TitleV2->text(), title);
        EXPECT_EQ(Main.FileLoaded->text(), Cell(row, 0));
    }

    // A click on the Size header sorts by size, the smallest first, shown in the locale's digits; the file loaded
    // stays loaded.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QHeaderView& header = *Main.Selected3->header();
    const int size = MP3ListModel::SizeColumn;
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(size) + header.sectionSize(size) / 2, header.height() / 2));
    EXPECT_EQ(Rows({size, 0}), (Names {"8,431|e.mp3", "8,435|Café.mp3", "8,438|曲.mp3", "8,468|c.mp2", "8,557|A.MP3",
                                        "8,562|b.mp3", "30,000|noise.mp3"}));
    EXPECT_EQ(Rows({0})[Main.LoadedIndex], "曲.mp3");
}

// Drags the URLs over the list and drops them, the file manager proposing a move (Shift held). The action the drop
// reports back, after which a file manager deletes moved files; IgnoreAction when the list did not take them or
// showed nothing while they were over it.
Qt::DropAction Drop(QWidget& list, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    const QImage plain = list.grab().toImage();
    const QPoint at = list.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&list, &enter);
    const bool shown = list.grab().toImage() != plain;
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(&list, &drop);
    QCoreApplication::processEvents(); // the files load once the drop has ended
    return enter.isAccepted() && shown && drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

TEST_F(MainWindowTest, FoldersAndMP3FilesGivenOrDroppedLoadOnceEachAndOneMessageNamesTheOthers)
{
    Put("album/a.mp3", {.V2 = {{"TIT2", "A"}}});
    Put("album/sub/b.mp3", {});
    Put("Caf\xE9.mp3", {});
    writeFile(Music.file("notes.txt"), Bytes(10, 'x'));
    const std::vector<std::string> given = {"album", "./Caf\xE9.mp3", "gone.mp3", "notes.txt", "album/a.mp3"};
    // The command line names them relative to the working directory, a drop by absolute URLs.
    std::filesystem::current_path(Music.path());
    QList<QUrl> dropped;
    for (const std::string& path : given)
        dropped << FileUrl(Folder() + path);
    QWidget& list = *Main.Selected3->viewport();
    EXPECT_EQ(Drop(list, {QUrl(QStringLiteral("https://example.org/a.mp3"))}), Qt::IgnoreAction) << "not a file";
    const std::vector<std::pair<std::string, std::function<void()>>> ways = {
        {"", [&] { Main.AddPaths(given); }}, {Folder(), [&] { EXPECT_EQ(Drop(list, dropped), Qt::CopyAction); }}};
    for (const auto& [shownFolder, give] : ways) {
        Answering({QMessageBox::Yes}, [this] { Main.ClearMP3MI->trigger(); });
        const QString folder = QString::fromStdString(shownFolder);
        const QString named = folder + "gone.mp3 (not found)\n" + folder + "notes.txt (not an MP3 file)";
        EXPECT_EQ(Texts(Answering({}, give)), QStringList {"Not added to the list:\n" + named});
        EXPECT_EQ(Rows({0}), (Names {"a.mp3", "b.mp3", "Café.mp3"}));
        EXPECT_EQ(List.Row(2).Path(), Folder() + "Caf\xE9.mp3");
    }
}

TEST(CommandLineTest, PathsKeepTheirBytesAndAnUnknownOptionStopsTheStart)
{
    char program[] = "vellum-mp3", latin1[] = "Caf\xE9.mp3", end[] = "--", dashed[] = "-x.mp3", unknown[] = "--bogus";
    char* paths[] = {program, latin1, end, dashed};
    EXPECT_EQ(PathArguments(4, paths), (Names {"Caf\xE9.mp3", "-x.mp3"}));
    char* wrong[] = {program, unknown};
    EXPECT_EQ(PathArguments(2, wrong), std::nullopt);
}

TEST_F(MainWindowTest, ClicksAndKeysMoveTheEditorAlongTheSelectionAFileGoneEmptiesItAndClearingAsksFirst)
{
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3"})
        Put(name, {.V1 = V1Song, .V2 = {{"TIT2", std::string("Song ") + name}}});
    AddDirectory(Music.path());
    ClickRow(0);
    EXPECT_EQ(Main.TitleV2->text(), "Song 1.mp3");
    Press(Qt::Key_Down);
    EXPECT_EQ(Main.TitleV2->text(), "Song 2.mp3");

    // A file gone from disk: the name's import may fill fields, but none keeps what the file before held.
    std::filesystem::remove(Music.file("3.mp3"));
    EXPECT_EQ(Texts(Answering({QMessageBox::Ok}, [this] { ClickRow(2); })).join('|').toStdString(),
              "Error opening MP3 File (file no longer exists?)\n\n" + Folder() + "3.mp3");
    EXPECT_EQ(Main.Title->text() + Main.TitleV2->text(), "");
    EXPECT_FALSE(Main.DeleteID3v1Btn->isEnabled() || Main.DeleteID3v2Btn->isEnabled());

    // Clicking below the rows selects nothing and empties the editor.
    QTest::mouseClick(Main.Selected3->viewport(), Qt::LeftButton, {},
                      QPoint(10, Main.Selected3->viewport()->height() - 5));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(Main.LoadedIndex, -1);
    EXPECT_FALSE(Main.SaveBtn->isEnabled() || Main.DeleteID3v2Btn->isEnabled());
    // Ctrl+A with nothing loaded loads the first row, ready to save.
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Main.TitleV2->text(), "Song 1.mp3");
    EXPECT_TRUE(Main.SaveBtn->isEnabled());

    // Clearing the list asks first, and No keeps everything; Yes empties the list and the editor.
    const auto asked = Answering({QMessageBox::No}, [this] { Main.ClearMP3MI->trigger(); });
    EXPECT_EQ(asked.at(0).Caption + "|" + asked.at(0).Text, "Warning|ACTION:\nClear current list of MP3s?\n");
    EXPECT_EQ(List.RowCount(), 3);
    EXPECT_EQ(Main.TitleV2->text(), "Song 1.mp3");
    Answering({QMessageBox::Yes}, [this] { Main.ClearMP3Btn->click(); });
    EXPECT_EQ(List.RowCount(), 0);
    EXPECT_EQ(Main.LoadedIndex, -1);
    EXPECT_EQ(Main.FileLoaded->text() + Main.TitleV2->text(), "No File Loaded!");
    AddDirectory(Music.path());
    EXPECT_EQ(List.RowCount(), 2) << "cleared files may be added again";
}

// File keeps its width and Title takes what is left, so Length shows its caption and its values whole at any width.
TEST_F(MainWindowTest, TheLengthColumnIsNeverCutAndTheTitleTakesTheSpareWidth)
{
    const QHeaderView& header = *Main.Selected3->header();
    const int length = MP3ListModel::LengthColumn, shown = Main.Selected3->fontMetrics().horizontalAdvance("000:00");
    const int needed = std::max(header.sectionSizeHint(length), shown);
    for (const int width : {Main.width(), 1400}) {
        Main.resize(width, Main.height());
        QCoreApplication::processEvents();
        EXPECT_EQ(std::tuple(header.sectionSize(0), header.sectionSize(length) / needed, header.length()),
                  std::tuple(300, 1, Main.Selected3->viewport()->width())) << width;
    }
}

TEST_F(MainWindowTest, FilesPickedInThePickerAreLoadedOnceEach)
{
    Put("one.mp3", {.V2 = {{"TIT2", "One"}}});
    Put("two.mp3", {});
    Put("sub/three.mp3", {});
    AddDirectory(Music.file("sub"));

    TPickerForm& picker = Windows.PickerForm();
    // A cancelled pick loads nothing; a file already listed is not listed again. In the picker a file is chosen
    // once however often it is added, and may be chosen again once removed.
    for (const auto& step : {std::pair {"", picker.CancelBtn}, {"", picker.Done}, {"sub", picker.Done}}) {
        OnNextModal([&](QWidget&) {
            picker.SetDirectory(Music.file(step.first).string());
            picker.AddAll->click();
            picker.Selected->item(0)->setSelected(true);
            picker.Remove1->click();
            picker.AddAll->click();
            EXPECT_EQ(picker.Selected->count(), picker.FileList->count());
            step.second->click();
        });
        Main.AddFileBtn->click();
    }
    EXPECT_EQ(Rows({0, 3}), (Names {"three.mp3|", "two.mp3|", "one.mp3|One"}));
    EXPECT_EQ(List.Row(2).Path(), Folder() + "one.mp3");
}

// Files other programs wrote, files cut short and files of random bytes: every one is read without a message, and
// clicking through them shows no box either.
TEST_F(MainWindowTest, MalformedAndForeignFilesLoadAndShowWithoutAMessage)
{
    std::filesystem::copy(VELLUM_TEST_DATA_DIR, Music.file("data"), std::filesystem::copy_options::recursive);
    writeFile(Music.file("cut.mp3"), Slice(TestSong {.V2 = {{"TIT2", "Cut"}}}.Content(), 0, 30));
    ASSERT_EQ(mkfifo(Music.file("fifo.mp3").c_str(), 0600), 0); // opening it would wait for a writer forever

    const auto boxes = Answering({}, [this] {
        AddDirectory(Music.path());
        for (int row = 0; row < List.RowCount(); ++row)
            ClickRow(row);
    });
    EXPECT_TRUE(boxes.empty()) << boxes.front().Text.toStdString();
    const auto captions = Rows({0});
    for (const char* name : {"cut.mp3", "v24tagswithalbumimage.mp3", "cbr-silence.mp3"})
        EXPECT_NE(std::find(captions.begin(), captions.end(), name), captions.end()) << name;
}

// The ".id1"/".id2" side files of the selected rows hold each file's tag, and the files are only read. A side file
// that cannot be written is the plain message.
TEST_F(MainWindowTest, SideFilesHoldEachFilesTagAndOneThatCannotBeWrittenWholeOrIsTheFileLeavesEveryFileAsItWas)
{
    const TestSong song = {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Self"}, .V2 = {{"TIT2", "Self"}}};
    const auto self = Put("self.id1", song), other = Put("b.mp3", song);
    for (const char* name : {"self.id1", "b.mp3"})
        ASSERT_TRUE(Main.AddListItem(Folder(), name));
    ClickRow(0);
    ClickRow(1, Qt::ShiftModifier);
    const TempDir side;
    ChooseFolderNext(side.path());
    EXPECT_TRUE(Answering({}, [this] { // from the list's popup menu, as a right click opens it
        emit Main.Selected3->customContextMenuRequested(Main.Selected3->visualRect(List.index(0, 0)).center());
        QTest::mouseClick(Main.MP3Options, Qt::LeftButton, {}, Main.MP3Options->actionGeometry(Main.WriteID3v2).center());
    }).empty());
    for (const char* name : {"self.id2", "b.id2"}) // what another reader sees there (value() throws when it sees none)
        EXPECT_EQ(IndependentReaders::MutagenID3v2(side.file(name)).value().Frames,
                  IndependentReaders::MutagenID3v2(self)->Frames) << name;

    const std::filesystem::path out = Music.file("out");
    std::filesystem::create_directory(out);
    writeFile(out / "self.id1", Bytes(128, 'x'));
    ClickRow(0);
    // Into the file's own folder the side file would be the file itself; into another, its replacing is refused.
    std::optional<FileReplaceStepOverride> refused;
    for (const std::filesystem::path& folder : {Music.path(), out}) {
        ChooseFolderNext(folder);
        const auto boxes = Answering({}, [this] { Main.WriteID3v1->trigger(); });
        ASSERT_EQ(boxes.size(), 1u) << folder;
        EXPECT_EQ(boxes[0].Caption + "|" + boxes[0].Text,
                  "Vellum MP3|Error saving file:\n" + QString::fromStdString((folder / "self.id1").string()));
        refused.emplace([](const char*, const char*) { return -1; });
    }
    EXPECT_EQ(readFile(self), song.Content());
    EXPECT_EQ(readFile(other), song.Content());
    EXPECT_EQ(readFile(out / "self.id1"), Bytes(128, 'x')) << "the old side file is kept whole";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1) << "no temporary file is left";
}

} // namespace
