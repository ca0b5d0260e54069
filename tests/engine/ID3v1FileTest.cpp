// The ID3v1 tag: what the window shows of a stored record agrees with TagLib, and after the edits the editor
// makes and a save, TagLib reads exactly the fields expected, with every audio byte in place.
#include "EngineFile.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using IndependentReaders::ID3v1Fields;
using Mp3Fixture::ID3v1Record;

const std::string Comment30 = "abcdefghijklmnopqrstuvwxyz1234";

ID3v1Fields Shown(const TMP3File& e)
{
    return {e.GetID3v1Title(), e.GetID3v1Artist(), e.GetID3v1Album(), e.GetID3v1Year(), e.GetID3v1Comment(),
            e.GetID3v1Track(), e.GetID3v1Genre()};
}

// Sets every field as the editor does: the track before the comment.
std::function<void(TMP3File&)> Fill(const ID3v1Fields& f)
{
    return [f](TMP3File& e) {
        e.SetID3v1Title(f.Title);
        e.SetID3v1Artist(f.Artist);
        e.SetID3v1Album(f.Album);
        e.SetID3v1Year(f.Year);
        e.SetID3v1Track(static_cast<std::uint8_t>(f.Track));
        e.SetID3v1Genre(static_cast<std::uint8_t>(f.Genre));
        e.SetID3v1Comment(f.Comment);
    };
}

using ID3v1File = EngineFile;

TEST_F(ID3v1File, EditsAreSavedAsOtherReadersReadThem)
{
    // Every field set again to what is shown, as a save from the window does when nothing was edited.
    const auto Resave = [](TMP3File& e) { Fill(Shown(e))(e); };
    const ID3v1Fields full {"Title", "Artist É", "Album", "2001", "A comment of 28 characters.", 12, 17};
    Bytes cutAtZero = ID3v1Record({.Title = "abcdef"});
    cutAtZero[3 + 2] = 0; // "ab", a terminator, then what an earlier longer title left
    // The record stored before the edit (none when empty), the edit, and what TagLib reads after the save.
    const std::vector<std::tuple<const char*, Bytes, std::function<void(TMP3File&)>, ID3v1Fields>> cases = {
        {"every field", {}, Fill(full), full},
        {"long texts are cut", {}, Fill({.Title = std::string(40, 'T'), .Year = "199912"}),
         {.Title = std::string(30, 'T'), .Year = "1999"}},
        {"a record of another program saved unedited",
         ID3v1Record({"Name", "Band", "Record", "1987", Comment30, 0, 80}), Resave,
         {"Name", "Band", "Record", "1987", Comment30, 0, 80}},
        {"a field read up to its terminator", cutAtZero, Resave, {.Title = "ab"}},
        {"a track cuts a full comment to 28", ID3v1Record({.Comment = Comment30}),
         [](TMP3File& e) { e.SetID3v1Track(5); }, {.Comment = Comment30.substr(0, 28), .Track = 5}},
        {"a comment set after a track keeps it", {},
         [](TMP3File& e) { e.SetID3v1Track(9); e.SetID3v1Comment(Comment30); },
         {.Comment = Comment30.substr(0, 28), .Track = 9}},
        {"a short comment over a full one", ID3v1Record({.Comment = Comment30}),
         [](TMP3File& e) { e.SetID3v1Comment("short"); }, {.Comment = "short"}},
        {"track 0 keeps the stored track", ID3v1Record({.Comment = "c", .Track = 7}),
         [](TMP3File& e) { e.SetID3v1Track(0); }, {.Comment = "c", .Track = 7}},
    };
    const Bytes audio = Mp3Fixture::Frames(3);
    for (const auto& [name, record, edit, expected] : cases) {
        SCOPED_TRACE(name);
        Put(Concat({audio, record}));
        ASSERT_TRUE(engine.ReadTags());
        if (!record.empty()) {
            EXPECT_EQ(Shown(engine), IndependentReaders::TagLibID3v1(path));
        }
        edit(engine);
        ASSERT_TRUE(engine.WriteID3v1Tag());
        EXPECT_EQ(Slice(Content(), 0, Content().size() - 128), audio);
        EXPECT_EQ(IndependentReaders::TagLibID3v1(path), expected);
    }
}

} // namespace
