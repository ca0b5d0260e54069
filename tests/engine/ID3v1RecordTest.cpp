// The ID3v1 record the next save writes, after the edits the editor makes, and the genre table.
#include "GenreTable.h"
#include "Mp3Fixture.h"
#include "TMP3File.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Mp3Fixture::ID3v1Record;

const std::string Comment30 = "abcdefghijklmnopqrstuvwxyz1234";

// The record bytes the engine holds after reading `stored` from a file and applying the edit; they are what
// WriteID3v1Tag puts on disk.
Bytes RecordAfter(const Bytes& stored, const std::function<void(TMP3File&)>& edit)
{
    TempDir dir;
    TMP3File engine;
    if (!stored.empty()) {
        writeFile(dir.file("a.mp3"), Mp3Fixture::Mp3(2, 0, stored));
        engine.SetFileName(dir.file("a.mp3").string());
        EXPECT_TRUE(engine.ReadID3v1());
        EXPECT_TRUE(engine.HasID3v1());
    }
    edit(engine);
    const auto& record = engine.GetID3v1Record().Bytes();
    return Bytes(record.begin(), record.end());
}

TEST(ID3v1Record, EditsGiveTheRecordOfTheFieldsWithTrackAndCommentSharingTheirBytes)
{
    struct Case {
        const char* Name;
        Bytes Stored;
        std::function<void(TMP3File&)> Edit;
        Bytes Expected;
    };
    const std::string padded = "Song" + std::string(26, ' ');
    const std::vector<Case> cases = {
        {"empty record has no genre", {}, [](TMP3File&) {}, ID3v1Record({})},
        {"long texts are cut, full-width fields have no terminator", {},
         [](TMP3File& e) { e.SetID3v1Title(std::string(40, 'T')); e.SetID3v1Artist("Artist"); e.SetID3v1Year("199912"); },
         ID3v1Record({.Title = std::string(30, 'T'), .Artist = "Artist", .Year = "1999"})},
        {"a shorter title zeroes the old tail", ID3v1Record({.Title = std::string(30, 'T')}),
         [](TMP3File& e) { e.SetID3v1Title("ab"); }, ID3v1Record({.Title = "ab"})},
        {"full v1.0 comment is kept whole", ID3v1Record({.Comment = Comment30}),
         [](TMP3File& e) { EXPECT_EQ(e.GetID3v1Track(), 0); }, ID3v1Record({.Comment = Comment30})},
        {"a track cuts a full comment to 28", ID3v1Record({.Comment = Comment30}),
         [](TMP3File& e) { e.SetID3v1Track(5); }, ID3v1Record({.Comment = Comment30.substr(0, 28), .Track = 5})},
        {"a comment set after a track keeps it", {},
         [](TMP3File& e) { e.SetID3v1Track(9); e.SetID3v1Comment(Comment30); },
         ID3v1Record({.Comment = Comment30.substr(0, 28), .Track = 9})},
        {"a short comment over a full one leaves no old characters", ID3v1Record({.Comment = Comment30}),
         [](TMP3File& e) { e.SetID3v1Comment("short"); }, ID3v1Record({.Comment = "short"})},
        {"track 0 keeps the stored track", ID3v1Record({.Comment = "c", .Track = 7}),
         [](TMP3File& e) { e.SetID3v1Track(0); EXPECT_EQ(e.GetID3v1Track(), 7); }, ID3v1Record({.Comment = "c", .Track = 7})},
        {"fields are not trimmed", ID3v1Record({.Title = padded, .Year = " 99 "}),
         [&padded](TMP3File& e) { EXPECT_EQ(e.GetID3v1Title(), padded); e.SetID3v1Year(e.GetID3v1Year()); },
         ID3v1Record({.Title = padded, .Year = " 99 "})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecordAfter(c.Stored, c.Edit), c.Expected) << c.Name;
}

TEST(GenreLookup, EveryNameFindsItsIndexAndNothingElseHasOne)
{
    EXPECT_EQ(TMP3File::GenreIndex("HIP-HOP"), 7);
    for (std::uint8_t i = 0; i < GenreTable::Count; ++i)
        EXPECT_EQ(TMP3File::GenreIndex(GenreTable::Name(i)), i) << GenreTable::Name(i);
    for (const std::string name : {"Hip Hop", "", "x", " Rock", "Rock ", "(17)", "17"}) {
        EXPECT_EQ(TMP3File::GenreIndex(name), 255) << '"' << name << '"';
    }
    TMP3File engine;
    for (int genre : {147, 148, 200, 254, 255}) {
        engine.SetID3v1Genre(static_cast<std::uint8_t>(genre));
        EXPECT_EQ(engine.GenreName(), genre == 147 ? "Synthpop" : "") << genre;
    }
}

} // namespace
