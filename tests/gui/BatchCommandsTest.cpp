// The commands on the selected files through the window, over the same four files and answered as a user answers:
// the questions and messages each shows, and which files it writes, keeping their modification time as the option
// asks (what it writes is the core's tests' business); and Rename and Undo Rename: names made in each file's own
// folder, the confirmations of several rows, and undo back to the exact name the file was added under.
#include "MainWindowFixture.h"

#include "FileReplaceStepOverride.h"
#include "TOptionsForm.h"

#include <sys/stat.h>

namespace {

using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::MutagenTag;
using QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes;

// Both tags; no tag; an ID3v2 tag alone; an ID3v1 tag alone.
const std::vector<std::pair<std::string, TestSong>> Songs = {
    {"Band A-Song A.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Old A"}, .V2 = {{"TIT2", "Old A"}}}},
    {"Band B-Song B.mp3", {}},
    {"Band C-Song C.mp3", {.V2 = {{"TIT2", "C"}}}},
    {"Band D-Song D.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "D"}}},
};

struct Row {
    const char* Name;
    std::function<void(const std::vector<std::filesystem::path>&)> Setup; // the four files listed, selected, one loaded
    QObject* Command;                                                     // a button clicked or a menu item chosen
    std::vector<QMessageBox::StandardButton> Answers;
    std::string Boxes;   // their texts, joined by "|"
    std::string Written; // each file: "w" written keeping its modification time, "t" not, "=" as it was, "-" gone
};

TEST_F(MainWindowTest, EachCommandAsksAndTellsAsItShouldAndWritesTheFilesItNames)
{
    const QString saveAll = "ACTION:\nSave ID3 tags for ALL selected MP3s based on import scheme\n%1"
                            "  * ID3 tags are being imported (if not found)\n  * Applies to ID3v1 tag\n"
                            "  * Applies to ID3v2 tag\n";
    const QString ata = "ACTION:\nChange the %1 of ALL selected MP3s?\n|Save current ID3 info before proceeding?";
    const std::string gone = "File (file no longer exists?)\n\nBand B-Song B.mp3";
    const QString create = "ACTION:\nGenerate ID3v%1 tags from ID3v%2 tags?\n  * MP3s %3 ID3v1 tags or %4 ID3v2 "
                           "tags are ignored\n";
    const std::string deleting = "ACTION:\nDelete ID3 tags of ALL selected MP3s\n";
    const std::string askTitle = ata.arg("Title").toStdString();
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 365);
    std::optional<FileReplaceStepOverride> refused;
    static std::string refusedTarget;
    const std::vector<Row> rows = {
        {"save from names, the loaded file read-only", [&](const auto& paths) { chmod(paths[0].c_str(), 0444); },
         Main.SaveBtn, {Yes}, saveAll.arg("").toStdString(), "=www"},
        {"save from names ignoring the tags", [&](const auto&) {
             Main.IgnoreID3->setChecked(true);
             Windows.OptionsForm().AutoAdvanceSave->setChecked(false); // the loaded row is rebuilt after its save
         }, Main.SaveBtn,
         {Yes}, saveAll.arg("  * ID3 tags are being ignored\n").toStdString(), "wwww"},
        {"save without import scheme", [&](const auto&) { Main.UseImport->setChecked(false); }, Main.SaveBtn, {Yes},
         saveAll.arg("").toStdString() + "|Can't save multiple ID3s without having an import scheme!", "===="},
        {"save past a file that cannot be replaced", [&](const auto& paths) {
             Main.ID3v1CB->setChecked(false);
             refusedTarget = paths[1].string();
             refused.emplace([](const char* newVersion, const char* target) {
                 return target == refusedTarget ? -1 : std::rename(newVersion, target);
             });
         }, Main.SaveBtn, {Yes}, "ACTION:\nSave ID3 tags for ALL selected MP3s based on import scheme\n  * ID3 tags are "
         "being imported (if not found)\n  * Applies to ID3v2 tag\n|Error saving MP3 " + gone, "===w"},
        {"title to all, a file gone", [&](const auto& paths) {
             std::filesystem::remove(paths[1]);
             Main.TitleV2->setText(QStringLiteral("New title"));
         }, Main.TitleV2ATA, {Yes, No}, askTitle + "|Error opening MP3 " + gone, "w-ww"},
        {"ID3v1 genre to all, saved first", [&](const auto&) { Main.Genre->setCurrentIndex(1); }, Main.GenreATA,
         {Yes, Yes}, ata.arg("Genre").toStdString(), "wwww"},
        {"title to all refused", [&](const auto&) { Main.TitleV2->setText(QStringLiteral("Changed")); },
         Main.TitleV2ATA, {No}, askTitle.substr(0, askTitle.find('|')), "===="},
        {"ID3v1 title to all without ID3v1 editing", [&](const auto&) { Main.ID3v1CB->setChecked(false); },
         Main.TitleATA, {Ok}, "Cannot perform ATA on ID3v1 without enabling ID3v1 editing!", "===="},
        {"create ID3v1", {}, Main.CreateID3v1, {Yes}, create.arg("1", "2", "WITH", "WITHOUT").toStdString(), "==w="},
        {"create ID3v2, the time not kept", [&](const auto&) { Windows.OptionsForm().KeepModTime->setChecked(false); },
         Main.CreateID3v2, {Yes}, create.arg("2", "1", "WITHOUT", "WITH").toStdString(), "===t"},
        {"the loaded file's ID3v2 tag deleted", {}, Main.DeleteID3v2Btn, {}, "", "w==="},
        {"delete ID3v2, a file gone", [&](const auto& paths) {
             std::filesystem::remove(paths[1]);
             Main.ID3v1CB->setChecked(false);
         }, Main.DeleteBtn, {Yes}, deleting + "  * Applies to ID3v2 tag\n|Error opening MP3 " + gone, "w-w="},
        {"file information of several rows", {}, Main.FileInfoMI, {},
         "You must have only one MP3 selected to use this option!", "===="},
        {"several rows played", {}, Main.PlayMP3MI, {}, "You must have only one file selected to play it!", "===="},
        {"delete without editing", [&](const auto&) {
             Main.ID3v1CB->setChecked(false);
             Main.ID3v2CB->setChecked(false);
         }, Main.DeleteBtn, {Ok}, "Cannot delete without enabling either ID3v1 or ID3v2 editing!", "===="},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        SCOPED_TRACE(row.Name);
        for (QCheckBox* box : {Main.UseImport, Main.ID3v1CB, Main.ID3v2CB})
            box->setChecked(true);
        Main.IgnoreID3->setChecked(false);
        Windows.OptionsForm().AutoAdvanceSave->setChecked(true);
        Windows.OptionsForm().KeepModTime->setChecked(true);
        const std::string folder = "row" + std::to_string(r);
        std::vector<std::filesystem::path> paths;
        for (const auto& [name, song] : Songs) {
            paths.push_back(Put(folder + "/" + name, song));
            std::filesystem::last_write_time(paths.back(), old);
        }
        ListAll(Music.file(folder));
        if (row.Setup)
            row.Setup(paths);
        auto* button = qobject_cast<QAbstractButton*>(row.Command);
        const QStringList boxes = Texts(button ? ClickActive(button, row.Answers) : Answering(row.Answers, [&row] {
            qobject_cast<QAction*>(row.Command)->trigger();
        }));
        refused.reset();
        EXPECT_EQ(boxes.join('|').remove(QString::fromStdString(Folder() + folder + "/")).toStdString(), row.Boxes);
        std::string written;
        for (std::size_t i = 0; i < paths.size(); ++i)
            written += !std::filesystem::exists(paths[i])                 ? '-'
                       : readFile(paths[i]) == Songs[i].second.Content()   ? '='
                       : std::filesystem::last_write_time(paths[i]) == old ? 'w'
                                                                           : 't';
        EXPECT_EQ(written, row.Written);
    }
}

// One sitting over the four files: after a save, an artist applied to several rows and ID3v1 tags made for all, only
// the files the step names are written, and the list and the editor show what the files hold.
TEST_F(MainWindowTest, AfterEachCommandTheListAndTheEditorShowWhatTheFilesHold)
{
    std::vector<Bytes> disk;
    for (const auto& [name, song] : Songs)
        disk.push_back(readFile(Put(name, song)));
    // Each file: "w" written since the last look, "=" not.
    const auto written = [&] {
        std::string changed;
        for (std::size_t i = 0; i < Songs.size(); ++i) {
            const Bytes now = readFile(Music.file(Songs[i].first));
            changed += now == disk[i] ? '=' : 'w';
            disk[i] = now;
        }
        return changed;
    };
    AddDirectory(Music.path());

    // Save writes the loaded file, with the ID3v1 tag it lacked imported from its name; the next row is loaded.
    ClickRow(2);
    Main.TitleV2->setText(QStringLiteral("New C"));
    EXPECT_TRUE(ClickActive(Main.SaveBtn).empty());
    EXPECT_EQ(written(), "==w=");
    EXPECT_EQ(TagsSeen(Music.file("Band C-Song C.mp3")), "v1:Song C/Band C///0/255 v2:TIT2:New C;");
    EXPECT_EQ(Rows()[2], "Band C-Song C.mp3|Y|Y|New C");
    EXPECT_EQ(SelectedRows(), std::vector<int> {3});
    EXPECT_EQ(Main.FileLoaded->text() + "|" + Main.TitleV2->text(), "Band D-Song D.mp3|Song D");

    // An artist applied to three rows: the file without tags gets an ID3v2 tag made from its name.
    ClickRow(0);
    ClickRow(2, Qt::ShiftModifier);
    Main.ArtistV2->setText(QStringLiteral("Road Crew"));
    ClickActive(Main.ArtistV2ATA, {Yes, No});
    EXPECT_EQ(written(), "www=");
    EXPECT_EQ(TagsSeen(Music.file("Band B-Song B.mp3")), "v1: v2:TIT2:Song B;TPE1:Road Crew;");
    EXPECT_EQ(Rows(), (Names {"Band A-Song A.mp3|Y|Y|Old A", "Band B-Song B.mp3||Y|Song B",
                              "Band C-Song C.mp3|Y|Y|New C", "Band D-Song D.mp3|Y||D"}));
    EXPECT_EQ(SelectedRows(), (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(Main.FileLoaded->text() + "|" + Main.ArtistV2->text(), "Band A-Song A.mp3|Road Crew");

    // ID3v1 tags made for every row: only the file with an ID3v2 tag alone gets one.
    Press(Qt::Key_A, Qt::ControlModifier);
    Answering({Yes}, [this] { Main.CreateID3v1->trigger(); });
    EXPECT_EQ(written(), "=w==");
    EXPECT_EQ(Rows()[1], "Band B-Song B.mp3|Y|Y|Song B");
}

using RenameTest = MainWindowTest;

// Texts the editor shows otherwise than the file holds them (UTF-16 with a blank at its end, a text whose shown part
// ends in a blank, a comment ending in a line break), and frames it does not show.
Bytes Tricky(std::string_view title)
{
    using namespace ID3v2Bytes;
    const Bytes frames = Concat({Frame("TIT2", TextBody(title)),
                                 Frame("TPE1", TextBody({"\xFF\xFE\x18\x04\x32\x04\x30\x04\x3D\x04 \0", 12}, 1)),
                                 Frame("TALB", TextBody(std::string(1023, 'a') + " " + std::string(476, 'b'))),
                                 Frame("COMM", CommentBody("", "last line\n")),
                                 Frame("TXXX", TextBody({"gain\0-6 dB", 10})),
                                 Frame("APIC", Concat({TextBody({"image/png\0\3\0", 12}), Bytes(5000, 0x89)}))});
    return Concat({Tag(3, frames, 64), Mp3Fixture::Frames(20)});
}

TEST_F(RenameTest, SeveralRowsAreRenamedInTheirFoldersAsConfirmedKeepEveryFrameAndUndoGivesBackTheExactName)
{
    // The loaded row and another keep every frame untouched, whatever the editor shows of them.
    writeFile(Music.file("a.mp3"), Tricky("One"));
    Put("b.mp3", {.V2 = {{"TIT2", "Two"}}});
    writeFile(Music.file("c.mp3"), Tricky("Three"));
    // Titles that would leave the folder, a Latin-1 title, and an upper-case extension.
    Put("sub/u.mp3", {.V2 = {{"TIT2", "../../update"}}});
    Put("sub/x.MP3", {.V2 = {{"TIT2", "Bj\xF6rk"}}});
    Put("sub/z.mp3", {.V2 = {{"TIT2", "AC/DC"}}});
    const std::map<std::string, std::optional<MutagenTag>> frames = {{"One.mp3", MutagenID3v2(Music.file("a.mp3"))},
                                                                     {"Three.mp3", MutagenID3v2(Music.file("c.mp3"))}};
    Main.ConfirmOnRename->setChecked(true);
    ListAll(Music.path());

    Main.RenScheme->setEditText("$TITLE");
    const auto boxes = ClickActive(Main.RenameBtn, {Yes, Yes, No, Yes, Yes, Yes, Yes});
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[1].Caption + boxes[1].Text, "RenameOld filename:\na.mp3\n\nNew filename:\nOne");
    EXPECT_EQ(Rows({0}), (Names {"One.mp3", "b.mp3", "Three.mp3", "___.._update.mp3", "Björk.mp3", "AC_DC.mp3"}));
    for (int row = 0; row < List.RowCount(); ++row) // in the folder it was in
        EXPECT_TRUE(std::filesystem::exists(List.Row(row).Path())) << row;
    EXPECT_EQ(Main.FileLoaded->text(), "One.mp3");
    for (const auto& [name, before] : frames)
        EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(Music.file(name))), Names {}) << name;

    // One row never goes to a name of nothing; renamed, the next row is loaded.
    ClickRow(1);
    Main.RenScheme->setEditText(QStringLiteral("$COMMENT"));
    EXPECT_EQ(Texts(ClickActive(Main.RenameBtn, {Yes})),
              (QStringList {"Old filename:\nb.mp3\n\nNew filename:\n",
                            "New filename: .mp3\n\nError renaming file. Filename cannot be read-only or include any of "
                            "the following:\n\t\t\t\\ / : * ? \" < > |"}));
    ClickRow(1);
    Main.RenScheme->setEditText(QStringLiteral("$TITLE"));
    ClickActive(Main.RenameBtn, {Yes});
    EXPECT_EQ(Rows({0})[1] + " " + Main.FileLoaded->text().toStdString(), "Two.mp3 Three.mp3");

    // Undo gives the row back the name it was added under, never over another file, and writes no tag.
    const Bytes renamed = readFile(Music.file("sub/Bj\xC3\xB6rk.mp3")), stranger = readFile(Put("sub/z.mp3", {}));
    ClickRow(4);
    EXPECT_TRUE(Answering({}, [this] { Press(Qt::Key_Z, Qt::ControlModifier); }).empty());
    EXPECT_EQ(readFile(Music.file("sub/x.MP3")), renamed);
    EXPECT_EQ(Rows({0})[4], "x.MP3");
    EXPECT_EQ(Main.FileLoaded->text(), "AC_DC.mp3") << "the next row";
    ClickRow(5);
    EXPECT_EQ(Texts(Answering({}, [this] { Main.UndoRenameMI->trigger(); })),
              QStringList {"New filename: z.mp3\n\nA file by that name already exists!"});
    EXPECT_EQ(readFile(Music.file("sub/z.mp3")), stranger);
}

} // namespace
