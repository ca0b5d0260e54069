// The ID3v1 record's fields and the genre table: what the editor reads and what the next save stores.
#include "GenreTable.h"
#include "ID3v1Tag.h"
#include "Mp3Fixture.h"
#include "TMP3File.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string Comment30 = "abcdefghijklmnopqrstuvwxyz1234";

// An engine that has read the ID3v1 record from a small file holding it.
struct LoadedRecord {
    TempDir dir;
    TMP3File engine;

    explicit LoadedRecord(const Bytes& record)
    {
        writeFile(dir.file("a.mp3"), Mp3Fixture::Mp3(2, 0, record));
        engine.SetFileName(dir.file("a.mp3").string());
        EXPECT_TRUE(engine.ReadID3v1());
        EXPECT_TRUE(engine.HasID3v1());
    }
};

TEST(ID3v1Record, EmptyRecordIsTagWithoutGenre)
{
    ID3v1Tag tag;
    EXPECT_TRUE(tag.IsTag());
    EXPECT_EQ(tag.Bytes()[127], 255);
    for (std::size_t i = 3; i < 127; ++i)
        EXPECT_EQ(tag.Bytes()[i], 0) << i;
}

TEST(ID3v1Record, FullWidthFieldsHaveNoTerminatorAndLongTextsAreCut)
{
    ID3v1Tag tag;
    tag.SetTitle(std::string(40, 'T'));
    tag.SetArtist("Artist");
    tag.SetYear("199912");
    EXPECT_EQ(tag.Title(), std::string(30, 'T'));
    EXPECT_EQ(tag.Bytes()[33], 'A'); // the title's 30 bytes run straight into the artist
    EXPECT_EQ(tag.Artist(), "Artist");
    EXPECT_EQ(tag.Year(), "1999");
    EXPECT_EQ(tag.Bytes()[97], 0); // the year did not spill into the comment
    tag.SetTitle("ab");
    EXPECT_EQ(tag.Title(), "ab");
    EXPECT_EQ(tag.Bytes()[5], 0); // the old title's tail is zeroed
}

TEST(ID3v1Record, FullCommentOfV10TagIsNotATrackNumber)
{
    LoadedRecord loaded(Mp3Fixture::ID3v1Record({.Comment = Comment30}));
    EXPECT_EQ(loaded.engine.GetID3v1Comment(), Comment30);
    EXPECT_EQ(loaded.engine.GetID3v1Track(), 0);
}

TEST(ID3v1Record, SettingTrackCutsFullCommentTo28)
{
    LoadedRecord loaded(Mp3Fixture::ID3v1Record({.Comment = Comment30}));
    loaded.engine.SetID3v1Track(5);
    EXPECT_EQ(loaded.engine.GetID3v1Track(), 5);
    EXPECT_EQ(loaded.engine.GetID3v1Comment(), Comment30.substr(0, 28));
    EXPECT_EQ(loaded.engine.GetID3v1Record().Bytes()[125], 0);
}

TEST(ID3v1Record, CommentSetWhileTrackStoredKeepsTrackBytes)
{
    ID3v1Tag tag;
    tag.SetTrack(9);
    tag.SetComment(Comment30);
    EXPECT_EQ(tag.Comment(), Comment30.substr(0, 28));
    EXPECT_EQ(tag.Bytes()[125], 0);
    EXPECT_EQ(tag.Bytes()[126], 9);
    EXPECT_EQ(tag.Track(), 9);
}

TEST(ID3v1Record, CommentReplacingV10FullCommentLeavesNoOldCharacters)
{
    LoadedRecord loaded(Mp3Fixture::ID3v1Record({.Comment = Comment30}));
    loaded.engine.SetID3v1Comment("short");
    const auto& bytes = loaded.engine.GetID3v1Record().Bytes();
    EXPECT_EQ(loaded.engine.GetID3v1Comment(), "short");
    EXPECT_EQ(bytes[125], 0);
    EXPECT_EQ(bytes[126], 0);
}

TEST(ID3v1Record, TrackZeroKeepsStoredTrack)
{
    LoadedRecord loaded(Mp3Fixture::ID3v1Record({.Comment = "c", .Track = 7}));
    loaded.engine.SetID3v1Track(0);
    EXPECT_EQ(loaded.engine.GetID3v1Track(), 7);
}

TEST(ID3v1Record, FieldsAreNotTrimmed)
{
    const std::string padded = "Song" + std::string(26, ' ');
    LoadedRecord loaded(Mp3Fixture::ID3v1Record({.Title = padded, .Year = " 99 "}));
    EXPECT_EQ(loaded.engine.GetID3v1Title(), padded);
    EXPECT_EQ(loaded.engine.GetID3v1Year(), " 99 ");
}

TEST(GenreLookup, NamesAndIndexesMatchTheTable)
{
    EXPECT_EQ(GenreTable::Name(0), "Blues");
    EXPECT_EQ(GenreTable::Name(79), "Hard Rock");
    EXPECT_EQ(GenreTable::Name(147), "Synthpop");
    EXPECT_EQ(TMP3File::GenreIndex("hip-hop"), 7);
    EXPECT_EQ(TMP3File::GenreIndex("HIP-HOP"), 7);
    EXPECT_EQ(TMP3File::GenreIndex("Synthpop"), 147);
    for (std::uint8_t i = 0; i < GenreTable::Count; ++i)
        EXPECT_EQ(TMP3File::GenreIndex(GenreTable::Name(i)), i) << GenreTable::Name(i);
}

TEST(GenreLookup, UnknownNamesGiveUnsigned255)
{
    for (const std::string name : {"Hip Hop", "", "x", " Rock", "Rock ", "(17)", "17"}) {
        const std::uint8_t index = TMP3File::GenreIndex(name);
        EXPECT_EQ(index, 255) << '"' << name << '"';
        EXPECT_EQ(GenreTable::Name(index), "");
    }
}

TEST(GenreLookup, GenreBytesPastTheTableHaveNoName)
{
    TMP3File engine;
    for (int genre : {147, 148, 200, 254, 255}) {
        engine.SetID3v1Genre(static_cast<std::uint8_t>(genre));
        EXPECT_EQ(engine.GenreName(), genre == 147 ? "Synthpop" : "") << genre;
    }
}

} // namespace
