// Writing and removing ID3v1 tags on disk: every audio byte survives, and other readers see what was saved.
#include "EngineFile.h"
#include "FileSizeLimit.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

namespace {

using IndependentReaders::ID3v1Fields;

struct ID3v1File : EngineFile {
    // Fills the record as the editor does: "TAG" first, the track before the comment.
    void FillRecord(const std::string& title, std::uint8_t track, std::uint8_t genre, const std::string& comment)
    {
        engine.ClearID3v1();
        engine.SetID3v1Title(title);
        engine.SetID3v1Artist("Artist \xC9");
        engine.SetID3v1Album("Album");
        engine.SetID3v1Year("2001");
        engine.SetID3v1Track(track);
        engine.SetID3v1Genre(genre);
        engine.SetID3v1Comment(comment);
    }
};

TEST_F(ID3v1File, AppendOverwriteDeleteKeepEveryAudioByte)
{
    const Bytes audio = Mp3Fixture::Mp3(20);
    Put(audio);
    for (const std::string title : {"First", "Second"}) {
        FillRecord(title, 3, 17, "one");
        ASSERT_TRUE(engine.WriteID3v1Tag());
        const Bytes content = readFile(path);
        const auto& record = engine.GetID3v1Record().Bytes();
        EXPECT_EQ(content, Concat({audio, Bytes(record.begin(), record.end())}));
        EXPECT_EQ(engine.GetFileSize(), static_cast<std::int64_t>(content.size()));
        EXPECT_TRUE(engine.HasID3v1());
        engine.Reset();
        ASSERT_TRUE(engine.ReadID3v1());
        EXPECT_EQ(engine.GetID3v1Title(), title);
    }
    engine.Reset();
    ASSERT_TRUE(engine.DeleteID3v1());
    EXPECT_EQ(readFile(path), audio);
    EXPECT_FALSE(engine.HasID3v1());
}

TEST_F(ID3v1File, IndependentReadersSeeTheWrittenTag)
{
    const std::vector<ID3v1Fields> cases = {
        {"Title", "Artist \xC9", "Album", "2001", "A comment of 28 characters.", 12, 17},
        {"T", "Artist \xC9", "Album", "2001", "abcdefghijklmnopqrstuvwxyz1234", 0, 255}, // full v1.0 comment
    };
    for (const ID3v1Fields& expected : cases) {
        SCOPED_TRACE(expected.Comment);
        Put(Mp3Fixture::Mp3(10));
        FillRecord(expected.Title, static_cast<std::uint8_t>(expected.Track), static_cast<std::uint8_t>(expected.Genre),
                   expected.Comment);
        ASSERT_TRUE(engine.WriteID3v1Tag());
        EXPECT_EQ(IndependentReaders::TagLibID3v1(path), expected);
        if (expected.Track != 0) {
            EXPECT_EQ(IndependentReaders::MutagenID3v1(path), expected);
        }
    }
}

TEST_F(ID3v1File, TagWrittenByAnotherProgramReadsBackAndUneditedSavesByteIdentical)
{
    const Bytes record = Mp3Fixture::ID3v1Record({"Name", "Band", "Record", "1987", "abcdefghijklmnopqrstuvwxyz1234", 0, 80});
    Put(Mp3Fixture::Mp3(3, 0, record));
    ASSERT_TRUE(engine.ReadID3v1());
    ASSERT_TRUE(engine.HasID3v1());
    const std::string title = engine.GetID3v1Title(), artist = engine.GetID3v1Artist(),
                      album = engine.GetID3v1Album(), year = engine.GetID3v1Year(),
                      comment = engine.GetID3v1Comment();
    const std::uint8_t track = engine.GetID3v1Track(), genre = engine.GetID3v1Genre();
    EXPECT_EQ(title + artist + album + year, "NameBandRecord1987");
    EXPECT_EQ(engine.GenreName(), "Folk");
    engine.Reset();
    engine.SetID3v1Title(title);
    engine.SetID3v1Artist(artist);
    engine.SetID3v1Album(album);
    engine.SetID3v1Year(year);
    engine.SetID3v1Track(track);
    engine.SetID3v1Genre(genre);
    engine.SetID3v1Comment(comment);
    ASSERT_TRUE(engine.WriteID3v1Tag());
    EXPECT_EQ(readFile(path), original);
}

TEST_F(ID3v1File, ShortFileHasNoTagAndWriteAppends)
{
    Bytes tiny(100, 0x55);
    tiny[0] = 'T', tiny[1] = 'A', tiny[2] = 'G';
    Put(tiny);
    EXPECT_FALSE(engine.HasID3v1());
    ASSERT_TRUE(engine.ReadID3v1());
    EXPECT_FALSE(engine.HasID3v1());
    FillRecord("Tiny", 1, 2, "c");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    const Bytes content = readFile(path);
    ASSERT_EQ(content.size(), 228u);
    EXPECT_EQ(Slice(content, 0, 100), tiny);
    EXPECT_EQ(Slice(content, 100, 3), Bytes({'T', 'A', 'G'}));
}

TEST_F(ID3v1File, DeleteWithoutATagOnDiskNeverCutsAudio)
{
    const Bytes audio = Mp3Fixture::Mp3(4);
    Put(audio);
    EXPECT_TRUE(engine.DeleteID3v1());
    EXPECT_EQ(readFile(path), audio);

    Put(Mp3Fixture::Mp3(4, 0, Mp3Fixture::ID3v1Record({.Title = "x"})));
    ASSERT_TRUE(engine.ReadID3v1());
    ASSERT_TRUE(engine.HasID3v1());
    engine.Close();
    const Bytes untagged = Mp3Fixture::Mp3(5); // replaced behind the engine's back: the stale answer is not used
    writeFile(path, untagged);
    EXPECT_TRUE(engine.DeleteID3v1());
    EXPECT_EQ(readFile(path), untagged);
}

TEST_F(ID3v1File, MissingFileFailsEveryOperation)
{
    engine.SetFileName(dir.file("gone.mp3").string());
    EXPECT_FALSE(engine.ReadID3v1());
    EXPECT_FALSE(engine.HasID3v1());
    EXPECT_FALSE(engine.WriteID3v1Tag());
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone.mp3")));
    EXPECT_EQ(engine.GetID3v1Title(), "");
}

TEST_F(ID3v1File, WriteAndDeleteKeepTheModeOfReadOnlyAndWritableFiles)
{
    for (const mode_t mode : {0444u, 0640u}) {
        Put(Mp3Fixture::Mp3(4));
        chmod(path.c_str(), mode);
        FillRecord("Locked", 1, 1, "");
        ASSERT_TRUE(engine.WriteID3v1Tag());
        EXPECT_EQ(ModeOf(path), mode);
        EXPECT_EQ(readFile(path).size(), Mp3Fixture::Mp3(4).size() + 128);
        ASSERT_TRUE(engine.DeleteID3v1());
        EXPECT_EQ(ModeOf(path), mode);
        EXPECT_EQ(readFile(path), Mp3Fixture::Mp3(4));
    }
}

TEST_F(ID3v1File, ShortAppendLeavesNoPartialTag)
{
    const Bytes audio = Mp3Fixture::Mp3(3);
    Put(audio);
    FillRecord("Cut", 1, 1, "");
    {
        FileSizeLimit limit(audio.size() + 50); // the disk fills up part way through the tag
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(engine.WriteID3v1Tag());
    }
    EXPECT_EQ(readFile(path), audio);
}

} // namespace
