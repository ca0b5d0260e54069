// What the editor holds of a file: a field never edited is written back as the file holds it, whichever command
// writes; the rename's trimming and the copies between the versions work on what the user sees.
#include "RenameCommands.h"
#include "TagCommands.h"
#include "TestSongs.h"

#include <gtest/gtest.h>

namespace {

using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using Names = std::vector<std::string>;

// Texts the editor shows otherwise than the file holds them: UTF-16 with a blank at its end, a text whose shown
// part ends in a blank, a comment ending in a line break; an ID3v1 title padded with blanks and a genre past the table.
Bytes TrickyFile()
{
    using namespace ID3v2Bytes;
    const Bytes frames = Concat({Frame("TIT2", TextBody("Song")),
                                 Frame("TPE1", TextBody({"\xFF\xFE\x18\x04\x32\x04\x30\x04\x3D\x04 \0", 12}, 1)),
                                 Frame("TALB", TextBody(std::string(1023, 'a') + " " + std::string(476, 'b'))),
                                 Frame("COMM", CommentBody("", "last line\n")), Frame("TCON", TextBody("(17)"))});
    return Concat({Tag(3, frames, 64), Mp3Fixture::Frames(4),
                   Mp3Fixture::ID3v1Record({.Title = "Padded title      ", .Track = 7, .Genre = 150})});
}

TEST(FileTags, AFieldNeverEditedKeepsItsBytesWhateverCommandWritesTheFile)
{
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
        writeFile(path, TrickyFile());
        const auto before = MutagenID3v2(path);
        const WriteResult result = write(path.string());
        EXPECT_FALSE(result.Failed());
        EXPECT_EQ(ChangedFrames(*before, *MutagenID3v2(path)), changed);
        const auto v1 = IndependentReaders::TagLibID3v1(path);
        EXPECT_EQ(v1->Title + "/" + std::to_string(v1->Genre), id3v1);
    }
}

} // namespace
