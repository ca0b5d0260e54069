// The commands on the selected files, each over the same four files and answered as a user answers: every file keeps
// its audio and mode bits, a command changes only the tags it names, and a file it leaves alone stays byte for byte.
#include "MainWindowFixture.h"

#include "FileReplaceStepOverride.h"
#include "TOptionsForm.h"

#include <sys/stat.h>

namespace {

using QMessageBox::No, QMessageBox::Ok, QMessageBox::Yes;

std::string Comment(const std::string& text) { return std::string("eng\0", 4) + text; }

// Both tags; no tag (its name holds an artist and a title); an ID3v2 tag alone whose texts do not fit ID3v1 and
// which holds another program's frame; an ID3v1 tag alone.
const std::vector<std::pair<std::string, TestSong>> Songs = {
    {"Band A-Song A.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Old A", .Track = 123, .Genre = 150},
                           .V2 = {{"TIT2", "Old A"}, {"TPE1", "Artist A"}, {"TYER", "1999"}}}},
    {"Band B-Song B.mp3", {}},
    {"Band C-Song C.mp3", {.V2 = {{"TIT2", "A title longer than thirty characters"}, {"TRCK", "3/12"},
                                  {"TCON", "(17)"}, {"COMM", Comment("first line\r\nsecond line, long enough")},
                                  {"TXXX", std::string("kept\0yes", 8)}}}},
    {"Band D-Song D.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Title", .Artist = "Artist", .Year = "1999",
                                                          .Comment = "Comment", .Track = 5, .Genre = 17}}},
};

struct Row {
    const char* Name;
    std::function<void(const std::vector<std::filesystem::path>&)> Setup; // the four files listed, selected, one loaded
    QObject* Command;                                                     // a button clicked or a menu item chosen
    std::vector<QMessageBox::StandardButton> Answers;
    std::string Boxes;              // their texts, joined by "|"
    std::vector<std::string> After; // what TagLib sees in each file; "=" for the file as it was
};

TEST_F(MainWindowTest, EachCommandChangesOnlyWhatItNamesInEachSelectedFile)
{
    const QString saveAll = "ACTION:\nSave ID3 tags for ALL selected MP3s based on import scheme\n%1"
                            "  * ID3 tags are being imported (if not found)\n  * Applies to ID3v1 tag\n"
                            "  * Applies to ID3v2 tag\n";
    const QString ata = "ACTION:\nChange the %1 of ALL selected MP3s?\n|Save current ID3 info before proceeding?";
    const std::string gone = "File (file no longer exists?)\n\nBand B-Song B.mp3";
    const QString create = "ACTION:\nGenerate ID3v%1 tags from ID3v%2 tags?\n  * MP3s %3 ID3v1 tags or %4 ID3v2 "
                           "tags are ignored\n";
    const std::string deleting = "ACTION:\nDelete ID3 tags of ALL selected MP3s\n";
    const std::string a = "v1:Old A////123/150 v2:", aFrames = "TDRC:1999;TIT2:Old A;TPE1:Artist A;";
    const std::string b = "v1:Song B/Band B///0/255 v2:", bFrames = "TIT2:Song B;TPE1:Band B;";
    const std::string c = "COMM:first line\r\nsecond line, long enough;TCON:17;TIT2:A title longer than thirty "
                          "characters;TRCK:3/12;TXXX:[kept] yes;";
    const std::string cNamed = "v1:Song C/Band C///0/255 v2:", d = "v1:Title/Artist//Comment/5/17 v2:";
    const std::string dNamed = d + "TIT2:Song D;TPE1:Band D;";
    const std::string askTitle = ata.arg("Title").toStdString();
    std::optional<FileReplaceStepOverride> refused;
    static std::string refusedTarget;
    const std::vector<Row> rows = {
        {"save from names, the loaded file read-only", [&](const auto& paths) { chmod(paths[0].c_str(), 0444); },
         Main.SaveBtn, {Yes}, saveAll.arg("").toStdString(),
         {a + aFrames, b + bFrames, cNamed + c, dNamed}},
        {"save from names ignoring the tags", [&](const auto&) {
             Main.IgnoreID3->setChecked(true);
             Windows.OptionsForm().AutoAdvanceSave->setChecked(false); // the loaded row is rebuilt after its save
         }, Main.SaveBtn, {Yes}, saveAll.arg("  * ID3 tags are being ignored\n").toStdString(),
         {"v1:Song A/Band A///0/255 v2:TIT2:Song A;TPE1:Band A;", b + bFrames, cNamed + "TIT2:Song C;TPE1:Band C;TXXX:[kept] yes;",
          "v1:Song D/Band D///0/255 v2:TIT2:Song D;TPE1:Band D;"}},
        {"save without import scheme", [&](const auto&) { Main.UseImport->setChecked(false); }, Main.SaveBtn, {Yes},
         saveAll.arg("").toStdString() + "|Can't save multiple ID3s without having an import scheme!",
         {a + aFrames, "=", "=", "="}},
        {"save past a file that cannot be replaced", [&](const auto& paths) {
             Main.ID3v1CB->setChecked(false);
             refusedTarget = paths[1].string();
             refused.emplace([](const char* newVersion, const char* target) {
                 return target == refusedTarget ? -1 : std::rename(newVersion, target);
             });
         }, Main.SaveBtn, {Yes}, "ACTION:\nSave ID3 tags for ALL selected MP3s based on import scheme\n  * ID3 tags are "
         "being imported (if not found)\n  * Applies to ID3v2 tag\n|Error saving MP3 " + gone,
         {a + aFrames, "=", "=", dNamed}},
        {"title to all, a file gone", [&](const auto& paths) {
             std::filesystem::remove(paths[1]);
             Main.TitleV2->setText(QStringLiteral("New title"));
         }, Main.TitleV2ATA, {Yes, No}, askTitle + "|Error opening MP3 " + gone,
         {a + "TDRC:1999;TIT2:New title;TPE1:Artist A;", "gone",
          "v1: v2:" + std::string(c).replace(c.find("A title"), 37, "New title"), d + "TIT2:New title;TPE1:Band D;"}},
        {"year cleared in all", [&](const auto&) { Main.YearV2->clearEditText(); }, Main.YearV2ATA, {Yes, No},
         ata.arg("Year").toStdString(), {a + "TIT2:Old A;TPE1:Artist A;", "v1: v2:" + bFrames, "v1: v2:" + c, dNamed}},
        {"ID3v1 genre to all, saved first", [&](const auto&) { Main.Genre->setCurrentIndex(0); }, Main.GenreATA,
         {Yes, Yes}, ata.arg("Genre").toStdString(),
         {"v1:Old A////123/255 v2:" + aFrames, b, cNamed + c, "v1:Title/Artist//Comment/5/255 v2:"}},
        {"title to all refused", [&](const auto&) { Main.TitleV2->setText(QStringLiteral("Changed")); },
         Main.TitleV2ATA, {No}, askTitle.substr(0, askTitle.find('|')), {"=", "=", "=", "="}},
        {"ID3v1 title to all without ID3v1 editing", [&](const auto&) { Main.ID3v1CB->setChecked(false); },
         Main.TitleATA, {Ok}, "Cannot perform ATA on ID3v1 without enabling ID3v1 editing!", {"=", "=", "=", "="}},
        {"create ID3v1", {}, Main.CreateID3v1, {Yes}, create.arg("1", "2", "WITH", "WITHOUT").toStdString(),
         {"=", "=", "v1:A title longer than thirty cha///first line second line, long/3/17 v2:" + c, "="}},
        {"create ID3v2", {}, Main.CreateID3v2, {Yes}, create.arg("2", "1", "WITHOUT", "WITH").toStdString(),
         {"=", "=", "=", d + "COMM:Comment;TCON:Rock;TDRC:1999;TIT2:Title;TPE1:Artist;TRCK:5;"}},
        {"delete ID3v2, a file gone, one read-only", [&](const auto& paths) {
             std::filesystem::remove(paths[1]);
             chmod(paths[2].c_str(), 0444);
             Main.ID3v1CB->setChecked(false);
         }, Main.DeleteBtn, {Yes}, deleting + "  * Applies to ID3v2 tag\n|Error opening MP3 " + gone,
         {a, "gone", "v1: v2:", "="}},
        {"delete without editing", [&](const auto&) {
             Main.ID3v1CB->setChecked(false);
             Main.ID3v2CB->setChecked(false);
         }, Main.DeleteBtn, {Ok}, "Cannot delete without enabling either ID3v1 or ID3v2 editing!", {"=", "=", "=", "="}},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        SCOPED_TRACE(row.Name);
        for (QCheckBox* box : {Main.UseImport, Main.ID3v1CB, Main.ID3v2CB})
            box->setChecked(true);
        Main.IgnoreID3->setChecked(false);
        Windows.OptionsForm().AutoAdvanceSave->setChecked(true);
        std::vector<std::filesystem::path> paths;
        for (const auto& [name, song] : Songs)
            paths.push_back(Put("row" + std::to_string(r) + "/" + name, song));
        ListAll(Music.file("row" + std::to_string(r)));
        if (row.Setup)
            row.Setup(paths);
        std::vector<std::pair<Bytes, std::filesystem::perms>> before;
        for (const auto& path : paths)
            before.emplace_back(readFile(path), std::filesystem::status(path).permissions());
        Main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
        QStringList boxes = Texts(Answering(row.Answers, [&row] {
            if (auto* action = qobject_cast<QAction*>(row.Command))
                action->trigger();
            else
                QTest::mouseClick(qobject_cast<QAbstractButton*>(row.Command), Qt::LeftButton);
        }));
        refused.reset();
        const QString folder = QString::fromStdString(Music.file("row" + std::to_string(r)).string() + "/");
        EXPECT_EQ(boxes.join('|').remove(folder).toStdString(), row.Boxes);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const std::string seen = TagsSeen(paths[i]);
            if (row.After[i] == "=") {
                EXPECT_EQ(readFile(paths[i]), before[i].first) << i;
                continue;
            }
            EXPECT_EQ(seen, row.After[i]) << i;
            if (seen != "gone") {
                EXPECT_EQ(std::filesystem::status(paths[i]).permissions(), before[i].second) << i;
                EXPECT_NE(ID3v2Bytes::Find(readFile(paths[i]), Mp3Fixture::Frames(20)), std::string::npos) << i;
            }
        }
    }
}

} // namespace
