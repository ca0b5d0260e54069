// The commands over files, each over the same four files: every file keeps its audio and mode bits, a command
// changes only the tags it names, and a file it leaves alone stays byte for byte. Whichever command writes, a field
// never edited is written back as the file holds it; the rename's trimming and the copies between the versions work
// on what the user sees.
#include "FileReplaceStepOverride.h"
#include "RenameCommands.h"
#include "TagCommands.h"
#include "TestSongs.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

namespace {

using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using Names = std::vector<std::string>;

const std::string LongComment = "first line\r\nsecond line, long enough";

// Both tags; no tag (its name holds an artist and a title); an ID3v2 tag alone whose texts do not fit ID3v1 and
// which holds another program's frame; an ID3v1 tag alone.
const std::vector<std::pair<std::string, TestSong>> Songs = {
    {"Band A-Song A.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Old A", .Track = 123, .Genre = 150},
                           .V2 = {{"TIT2", "Old A"}, {"TPE1", "Artist A"}, {"TYER", "1999"}}}},
    {"Band B-Song B.mp3", {}},
    {"Band C-Song C.mp3", {.V2 = {{"TIT2", "A title longer than thirty characters"}, {"TRCK", "3/12"},
                                  {"TCON", "(17)"}, {"COMM", std::string("eng\0", 4) + LongComment}, {"TXXX", std::string("kept\0yes", 8)}}}},
    {"Band D-Song D.mp3", {.V1 = Mp3Fixture::ID3v1Fields {.Title = "Title", .Artist = "Artist", .Year = "1999",
                                                          .Comment = "Comment", .Track = 5, .Genre = 17}}},
};

const ImportSettings ByName {"$ARTIST-$TITLE", {}, true};

struct Row {
    const char* Name;
    std::function<WriteResult(const std::string& path, const std::string& name)> Command;
    std::string Outcomes; // each file's, joined by "|": "" done, "r" not read, "1"/"2" that tag not written
    Names After;          // what TagLib sees in each file; "=" for the file as it was
    std::function<void(const std::vector<std::filesystem::path>&)> Setup = {};
};

TEST(TagCommands, EachCommandChangesOnlyWhatItNamesInEachFile)
{
    const std::string a = "v1:Old A////123/150 v2:", aFrames = "TDRC:1999;TIT2:Old A;TPE1:Artist A;";
    const std::string b = "v1:Song B/Band B///0/255 v2:", bFrames = "TIT2:Song B;TPE1:Band B;";
    const std::string c = "COMM:" + LongComment + ";TCON:17;TIT2:A title longer than thirty characters;TRCK:3/12;"
                          "TXXX:[kept] yes;";
    const std::string cNamed = "v1:Song C/Band C///0/255 v2:", d = "v1:Title/Artist//Comment/5/17 v2:";
    const std::string dNamed = d + "TIT2:Song D;TPE1:Band D;";
    static std::string refusedTarget;
    std::optional<FileReplaceStepOverride> refused;
    const auto gone = [](const auto& paths) { std::filesystem::remove(paths[1]); };
    const std::vector<Row> rows = {
        {"tags from names, a file read-only", [](const auto& path, const auto& name) {
             return SaveTagsFromName(path, name, ByName, {}, false);
         }, "|||", {"=", b + bFrames, cNamed + c, dNamed}, [](const auto& paths) { chmod(paths[1].c_str(), 0444); }},
        {"tags from names ignoring the tags", [](const auto& path, const auto& name) {
             return SaveTagsFromName(path, name, ByName, {}, true);
         }, "|||", {"v1:Song A/Band A///0/255 v2:TIT2:Song A;TPE1:Band A;", b + bFrames,
                    cNamed + "TIT2:Song C;TPE1:Band C;TXXX:[kept] yes;", "v1:Song D/Band D///0/255 v2:TIT2:Song D;TPE1:Band D;"}},
        {"ID3v2 tags from names past a file that cannot be replaced", [](const auto& path, const auto& name) {
             return SaveTagsFromName(path, name, ByName, {false, true}, false);
         }, "|2||", {"=", "=", "=", dNamed}, [&](const auto& paths) {
             refusedTarget = paths[1].string();
             refused.emplace([](const char* newVersion, const char* target) {
                 return target == refusedTarget ? -1 : std::rename(newVersion, target);
             });
         }},
        {"title applied, a file gone", [](const auto& path, const auto& name) {
             return ApplyField(path, Field::TitleV2, "New title", ByName, name);
         }, "|r||", {a + "TDRC:1999;TIT2:New title;TPE1:Artist A;", "gone",
                     "v1: v2:" + std::string(c).replace(c.find("A title"), 37, "New title"), d + "TIT2:New title;TPE1:Band D;"},
         gone},
        {"year cleared", [](const auto& path, const auto& name) { return ApplyField(path, Field::YearV2, "", ByName, name); },
         "|||", {a + "TIT2:Old A;TPE1:Artist A;", "v1: v2:" + bFrames, "=", dNamed}},
        {"comment applied as one file holds it", [](const auto& path, const auto&) {
             return ApplyField(path, Field::CommentV2, LongComment, std::nullopt, "");
         }, "|||", {a + "COMM:" + LongComment + ";" + aFrames, "v1: v2:COMM:" + LongComment + ";", "=",
                    d + "COMM:" + LongComment + ";"}},
        {"ID3v1 genre applied", [](const auto& path, const auto& name) { return ApplyField(path, Field::Genre, "255", ByName, name); },
         "|||", {"v1:Old A////123/255 v2:" + aFrames, b, cNamed + c, "v1:Title/Artist//Comment/5/255 v2:"}},
        {"ID3v2 saved unedited: none rewritten, none made of nothing", [](const auto& path, const auto&) {
             return SaveTags(path, FileTags(path), {.ID3v1 = false});
         }, "|||", {"=", "=", "=", "="}},
        {"ID3v1 made from ID3v2", [](const auto& path, const auto&) { return CreateID3v1FromID3v2(path); }, "|||",
         {"=", "=", "v1:A title longer than thirty cha///first line second line, long/3/17 v2:" + c, "="}},
        {"ID3v2 made from ID3v1", [](const auto& path, const auto&) { return CreateID3v2FromID3v1(path); }, "|||",
         {"=", "=", "=", d + "COMM:Comment;TCON:Rock;TDRC:1999;TIT2:Title;TPE1:Artist;TRCK:5;"}},
        {"ID3v2 deleted, a file gone, one read-only", [](const auto& path, const auto&) {
             return DeleteTags(path, {false, true});
         }, "|r||", {a, "gone", "v1: v2:", "="}, [&](const auto& paths) { gone(paths), chmod(paths[2].c_str(), 0444); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Name);
        TempDir music;
        std::vector<std::filesystem::path> paths;
        for (const auto& [name, song] : Songs) {
            paths.push_back(music.file(name));
            writeFile(paths.back(), song.Content());
        }
        if (row.Setup)
            row.Setup(paths);
        std::vector<std::filesystem::perms> modes;
        for (const auto& path : paths)
            modes.push_back(std::filesystem::status(path).permissions());
        std::string outcomes;
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const WriteResult result = row.Command(paths[i].string(), Songs[i].first);
            outcomes += std::string(i ? "|" : "") + (result.Readable ? "" : "r") + (result.ID3v1Failed ? "1" : "")
                        + (result.ID3v2Failed ? "2" : "");
        }
        refused.reset();
        EXPECT_EQ(outcomes, row.Outcomes);
        for (std::size_t i = 0; i < paths.size(); ++i) {
            if (row.After[i] == "=")
                EXPECT_EQ(readFile(paths[i]), Songs[i].second.Content()) << i;
            else
                EXPECT_EQ(TagsSeen(paths[i]), row.After[i]) << i;
            if (std::filesystem::exists(paths[i])) {
                EXPECT_EQ(std::filesystem::status(paths[i]).permissions(), modes[i]) << i;
                EXPECT_NE(ID3v2Bytes::Find(readFile(paths[i]), Mp3Fixture::Frames(20)), std::string::npos) << i;
            }
        }
    }
}

TEST(FileTags, AFieldNeverEditedKeepsItsBytesWhateverCommandWritesTheFile)
{
    // Texts the editor shows otherwise than the file holds them: UTF-16 with a blank at its end, a text whose
    // shown part ends in a blank, a comment ending in a line break; an ID3v1 title padded with blanks, a genre past
    // the table.
    using namespace ID3v2Bytes;
    const Bytes frames = Concat({Frame("TIT2", TextBody("Song")),
                                 Frame("TPE1", TextBody({"\xFF\xFE\x18\x04\x32\x04\x30\x04\x3D\x04 \0", 12}, 1)),
                                 Frame("TALB", TextBody(std::string(1023, 'a') + " " + std::string(476, 'b'))),
                                 Frame("COMM", CommentBody("", "last line\n")), Frame("TCON", TextBody("(17)"))});
    const Bytes tricky = Concat({Tag(3, frames, 64), Mp3Fixture::Frames(4),
                                 Mp3Fixture::ID3v1Record({.Title = "Padded title      ", .Track = 7, .Genre = 150})});
    // Each way of writing, the frames it changes, and the ID3v1 title and genre after it.
    const std::vector<std::tuple<const char*, std::function<WriteResult(const std::string&)>, Names, std::string>> paths = {
        {"save", [](const std::string& path) {
             FileTags tags(path);
             tags.Edit(Field::TitleV2, "New");
             return SaveTags(path, tags, {});
         }, {"TIT2"}, "Padded title/150"},
        {"rename", [](const std::string& path) {
             FileTags tags(path);
             tags.Edit(Field::TitleV2, " New\n");
             TrimForRename(tags, true);
             EXPECT_EQ(RenameStem(tags, {"$ARTIST $TITLE $GENRE $TRACK", {}, true, {}}), "Иван New Rock ");
             return SaveTags(path, tags, {});
         }, {"TIT2"}, "Padded title/150"},
        {"apply to all", [](const std::string& path) { return ApplyField(path, Field::TitleV2, "New", std::nullopt, ""); },
         {"TIT2"}, "Padded title/150"},
        {"copy to ID3v1", [](const std::string& path) {
             FileTags tags(path);
             CopyID3v2ToID3v1(tags, true);
             return SaveTags(path, tags, {});
         }, {}, "Song/17"},
    };
    for (const auto& [name, write, changed, id3v1] : paths) {
        SCOPED_TRACE(name);
        TempDir dir;
        const auto path = dir.file("a.mp3");
        writeFile(path, tricky);
        const auto before = MutagenID3v2(path);
        EXPECT_FALSE(write(path.string()).Failed());
        EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(path)), changed);
        const auto v1 = IndependentReaders::TagLibID3v1(path);
        EXPECT_EQ(v1->Title + "/" + std::to_string(v1->Genre), id3v1);
    }
}

} // namespace
