// The MP3 list as a user meets it: adding a folder tree, the rows and their columns, clicks and keys
// that move the editor, header clicks, the context menu and clearing.
#include "MainWindowFixture.h"

#include "TLoadingForm.h"
#include "TPickerForm.h"

#include <QtWidgets/QMenu>

#include <sys/stat.h>

namespace {

const Mp3Fixture::ID3v1Fields V1Song {.Title = "Old title", .Artist = "Band"};

QImage Pixels(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST_F(MainWindowTest, AddingATreeListsEveryMP3OnceInWalkOrderWithItsColumns)
{
    const auto both = Put("b.mp3", {.V1 = V1Song, .V2 = {{"TIT2", "Both tags"}}});
    Put("A.MP3", {});
    Put("c.mp2", {.V1 = V1Song});
    Put("sub/e.mp3", {.V2 = {{"TIT2", "In sub"}}});
    std::filesystem::create_directory_symlink(Music.path(), Music.file("sub/back"));
    Put(".hidden/f.mp3", {});
    Put("clip.mp4", {});
    Put("Caf\xE9.mp3", {.V2 = {{"TIT2", "Latin name"}}});
    Put("\xE6\x9B\xB2.mp3", {.V2 = {{"TIT2", "Japanese name"}}});
    writeFile(Music.file("noise.mp3"), Bytes(3000, 0x5A));
    writeFile(Music.file("empty.mp3"), {});
    ASSERT_EQ(mkfifo(Music.file("fifo.mp3").c_str(), 0644), 0);

    AddDirectory(Music.path());

    // A folder's files in name order, then its subfolders; hidden folders, links back up, MP4 and FIFOs left out.
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A.MP3", "Caf\xE9.mp3", "b.mp3", "c.mp2", "empty.mp3",
                                                    "noise.mp3", "\xE6\x9B\xB2.mp3", "e.mp3"}));
    EXPECT_EQ(List.Row(7).Directory, Folder(Music.file("sub")));
    EXPECT_EQ(Cell(1, 0), QString::fromUtf8("Caf\u00E9.mp3"));
    EXPECT_EQ(Cell(6, 0), QString::fromUtf8("\u66F2.mp3"));
    const QStringList bothRow = {"b.mp3", "Y", "Y", "Both tags", "128", SizeText(std::filesystem::file_size(both)),
                                 "0:01"};
    for (int column = 0; column < MP3ListModel::ColumnCount; ++column)
        EXPECT_EQ(Cell(2, column), bothRow[column]) << column;
    const std::vector<std::tuple<int, QString, QString, QString, TMainForm::ListImage>> flags = {
        {0, "", "", "", TMainForm::NoTagImage}, {2, "Y", "Y", "Both tags", TMainForm::BothTagsImage},
        {3, "Y", "", "Old title", TMainForm::ID3v1OnlyImage}, {7, "", "Y", "In sub", TMainForm::ID3v2OnlyImage}};
    for (const auto& [row, v1, v2, title, image] : flags) {
        EXPECT_EQ(Cell(row, 1), v1) << row;
        EXPECT_EQ(Cell(row, 2), v2) << row;
        EXPECT_EQ(Cell(row, 3), title) << row;
        EXPECT_EQ(Pixels(List.index(row, 0).data(Qt::DecorationRole).value<QIcon>()),
                  Pixels(QIcon(Main.Image(image))))
            << row;
    }

    // Loading leaves the editor alone; the same tree again, or a file of it through another spelling, adds nothing.
    EXPECT_EQ(Main.LoadedIndex, -1);
    AddDirectory(Music.file("sub/.."));
    EXPECT_FALSE(Main.AddListItem(Folder(Music.file("sub/back")), "b.mp3"));
    EXPECT_EQ(List.RowCount(), 8);

    // Names in any script open the very file they stand for.
    for (const auto& [row, title] : {std::pair{1, "Latin name"}, {6, "Japanese name"}}) {
        ClickRow(row);
        EXPECT_EQ(Main.TitleV2->text(), title);
        EXPECT_EQ(Main.FileLoaded->text(), Cell(row, 0));
    }
}

TEST_F(MainWindowTest, ClicksAndKeysMoveTheEditorAlongTheSelection)
{
    for (const char* name : {"1.mp3", "2.mp3", "3.mp3"})
        Put(name, {.V2 = {{"TIT2", std::string("Song ") + name}}});
    AddDirectory(Music.path());

    ClickRow(0);
    EXPECT_EQ(Main.LoadedIndex, 0);
    EXPECT_EQ(Main.TitleV2->text(), "Song 1.mp3");
    EXPECT_TRUE(Main.SaveBtn->isEnabled());
    EXPECT_TRUE(Main.RenameBtn->isEnabled());
    EXPECT_TRUE(Main.DeleteBtn->isEnabled());

    Press(Qt::Key_Down);
    EXPECT_EQ(Main.TitleV2->text(), "Song 2.mp3");
    Main.TitleV2->setText("edited");
    Press(Qt::Key_Right);
    EXPECT_EQ(Main.TitleV2->text(), "edited") << "keys that do not move the selection leave the editor";

    // A selection of several rows that holds the loaded one keeps it in the editor.
    ClickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(Main.LoadedIndex, 1);
    EXPECT_EQ(Main.TitleV2->text(), "edited");
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Main.LoadedIndex, 1);

    // Clicking below the rows selects nothing and empties the editor.
    QTest::mouseClick(Main.Selected3->viewport(), Qt::LeftButton, {},
                      QPoint(10, Main.Selected3->viewport()->height() - 5));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(Main.LoadedIndex, -1);
    EXPECT_EQ(Main.FileLoaded->text(), "No File Loaded!");
    EXPECT_EQ(Main.TitleV2->text(), "");
    for (QWidget* command : std::initializer_list<QWidget*>{Main.SaveBtn, Main.DeleteBtn, Main.RenameBtn,
                                                            Main.DeleteID3v1Btn, Main.DeleteID3v2Btn})
        EXPECT_FALSE(command->isEnabled()) << command->objectName().toStdString();

    // Ctrl+A with nothing loaded loads the first row, ready to save.
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Main.LoadedIndex, 0);
    EXPECT_EQ(Main.TitleV2->text(), "Song 1.mp3");
    EXPECT_TRUE(Main.SaveBtn->isEnabled());
    EXPECT_TRUE(Main.DeleteBtn->isEnabled());
}

TEST_F(MainWindowTest, HeaderClicksSortBothWaysAndTheLoadedRowGoesAlong)
{
    for (const char* name : {"b.mp3", "A.mp3", "c.mp3"})
        Put(name, {.V2 = {{"TIT2", name}}});
    AddDirectory(Music.path());
    ClickRow(2);
    ASSERT_EQ(Main.TitleV2->text(), "c.mp3");

    const std::vector<std::pair<int, std::vector<std::string>>> clicks = {
        {MP3ListModel::FileColumn, {"A.mp3", "b.mp3", "c.mp3"}},
        {MP3ListModel::FileColumn, {"c.mp3", "b.mp3", "A.mp3"}},
        {MP3ListModel::FileColumn, {"A.mp3", "b.mp3", "c.mp3"}},
        {MP3ListModel::FileColumn, {"c.mp3", "b.mp3", "A.mp3"}},
        {MP3ListModel::TitleColumn, {"A.mp3", "b.mp3", "c.mp3"}}};
    for (const auto& [column, order] : clicks) {
        ClickHeader(column);
        EXPECT_EQ(Captions(), order);
        const int loaded = static_cast<int>(std::find(order.begin(), order.end(), "c.mp3") - order.begin());
        EXPECT_EQ(Main.LoadedIndex, loaded);
        EXPECT_EQ(SelectedRows(), std::vector<int>{loaded});
        EXPECT_EQ(Main.ItemPath(Main.LoadedIndex), Folder() + "c.mp3");
    }
}

TEST_F(MainWindowTest, ContextMenuOffersWhatTheSelectionAllows)
{
    Put("1.mp3", {});
    Put("2.mp3", {});
    AddDirectory(Music.path());
    const std::vector<std::pair<std::vector<int>, std::pair<bool, bool>>> cases = {
        {{}, {false, false}}, {{0}, {true, true}}, {{0, 1}, {false, true}}};
    for (const auto& [rows, enabled] : cases) {
        Main.Selected3->clearSelection();
        for (int row : rows)
            Main.Selected3->selectionModel()->select(List.index(row, 0),
                                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
        emit Main.Selected3->customContextMenuRequested({});
        EXPECT_TRUE(Main.MP3Options->isVisible());
        EXPECT_EQ(Main.PlayMP3->isEnabled(), enabled.first) << rows.size();
        for (QAction* item : {Main.WriteID3v1, Main.WriteID3v2, Main.CreateID3v1, Main.CreateID3v2})
            EXPECT_EQ(item->isEnabled(), enabled.second) << item->objectName().toStdString();
        Main.MP3Options->hide();
    }
}

TEST_F(MainWindowTest, ClearingAsksFirstAndNoKeepsEverything)
{
    Put("1.mp3", {.V2 = {{"TIT2", "One"}}});
    Put("2.mp3", {});
    AddDirectory(Music.path());
    ClickRow(0);

    BoxSeen box;
    AnswerNextBox(QMessageBox::No, &box);
    Main.ClearMP3MI->trigger();
    EXPECT_EQ(box.Caption, "Warning");
    EXPECT_EQ(box.Text, "ACTION:\nClear current list of MP3s?\n");
    EXPECT_EQ(box.Icon, QMessageBox::Warning);
    EXPECT_EQ(List.RowCount(), 2);
    EXPECT_EQ(Main.LoadedIndex, 0);
    EXPECT_EQ(Main.TitleV2->text(), "One");

    AnswerNextBox(QMessageBox::Yes);
    Main.ClearMP3Btn->click();
    EXPECT_EQ(List.RowCount(), 0);
    EXPECT_EQ(Main.LoadedIndex, -1);
    EXPECT_EQ(Main.FileLoaded->text(), "No File Loaded!");
    EXPECT_EQ(Main.TitleV2->text(), "");
    EXPECT_FALSE(Main.SaveBtn->isEnabled());

    // The files may be added again, and clearing an empty list asks nothing.
    AddDirectory(Music.path());
    EXPECT_EQ(List.RowCount(), 2);
}

TEST_F(MainWindowTest, AFileGoneFromDiskEmptiesTheEditorInsteadOfKeepingTheLastOne)
{
    Put("a.mp3", {.V1 = V1Song, .V2 = {{"TIT2", "First"}}});
    const auto gone = Put("b.mp3", {.V2 = {{"TIT2", "Second"}}});
    AddDirectory(Music.path());
    ClickRow(0);
    ASSERT_EQ(Main.TitleV2->text(), "First");
    std::filesystem::remove(gone);

    BoxSeen box;
    AnswerNextBox(QMessageBox::Ok, &box);
    ClickRow(1);
    EXPECT_EQ(box.Text.toStdString(), "Error opening MP3 File (file no longer exists?)\n\n" + gone.string());
    EXPECT_FALSE(box.HadParent);
    for (QLineEdit* field : {Main.Title, Main.TitleV2, Main.Artist})
        EXPECT_NE(field->text(), "First");
    EXPECT_EQ(Main.Title->text(), "");
    EXPECT_EQ(Main.TitleV2->text(), "");
    EXPECT_FALSE(Main.DeleteID3v1Btn->isEnabled());
    EXPECT_FALSE(Main.DeleteID3v2Btn->isEnabled());
}

TEST_F(MainWindowTest, FilesPickedInThePickerAreLoadedOnceEach)
{
    Put("one.mp3", {.V2 = {{"TIT2", "One"}}});
    Put("two.mp3", {});
    Put("sub/three.mp3", {});
    AddDirectory(Music.file("sub"));
    ASSERT_EQ(Captions(), std::vector<std::string>{"three.mp3"});

    TPickerForm& picker = Windows.PickerForm();
    for (const char* folder : {"", "sub"}) {
        OnNextModal([&](QWidget&) {
            picker.SetDirectory(Music.file(folder).string());
            picker.AddAll->click();
            picker.Done->click();
        });
        Main.AddFileBtn->click();
    }
    // The picker starts empty each time; a file already listed is not listed again.
    EXPECT_EQ(picker.SelectedNames(), std::vector<std::string>{"three.mp3"});
    EXPECT_EQ(Captions(), (std::vector<std::string>{"three.mp3", "one.mp3", "two.mp3"}));
    EXPECT_EQ(List.Row(1).Directory, Folder());
    EXPECT_EQ(Cell(1, 3), "One");

    // A cancelled pick loads nothing.
    OnNextModal([&](QWidget&) {
        picker.SetDirectory(Music.path().string());
        picker.AddAll->click();
        picker.CancelBtn->click();
    });
    Main.AddFilesMI->trigger();
    EXPECT_EQ(List.RowCount(), 3);
}

// Files other programs wrote, files cut short and files of random bytes: every one is read without a message, and
// clicking through them shows no box either.
TEST_F(MainWindowTest, MalformedAndForeignFilesLoadAndShowWithoutAMessage)
{
    std::filesystem::copy(VELLUM_TEST_DATA_DIR, Music.file("data"), std::filesystem::copy_options::recursive);
    const Bytes song = TestSong {.V2 = {{"TIT2", "Cut"}}}.Content();
    writeFile(Music.file("cut.mp3"), Slice(song, 0, 30));
    std::filesystem::path deep = Music.file("deep");
    for (int level = 0; level < 100; ++level)
        deep /= "d";
    std::filesystem::create_directories(deep);
    writeFile(deep / "bottom.mp3", song);

    QStringList boxes;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->close();
        }
    });
    watch.start(5);
    AddDirectory(Music.path());
    for (int row = 0; row < List.RowCount(); ++row)
        ClickRow(row);
    EXPECT_EQ(boxes, QStringList());
    const auto captions = Captions();
    for (const char* name : {"cut.mp3", "bottom.mp3", "v24tagswithalbumimage.mp3", "cbr-silence.mp3"})
        EXPECT_NE(std::find(captions.begin(), captions.end(), name), captions.end()) << name;
}

} // namespace
