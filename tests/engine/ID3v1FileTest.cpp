// Writing and removing ID3v1 tags on disk: every audio byte survives, and other readers see what was saved.
#include "FileSizeLimit.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"
#include "TMP3File.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using IndependentReaders::ID3v1Fields;
using Mp3Fixture::Slice;

struct ID3v1File : ::testing::Test {
    TempDir dir;
    std::filesystem::path path = dir.file("song.mp3");
    TMP3File engine;

    void Create(const Bytes& content)
    {
        writeFile(path, content);
        engine.SetFileName(path.string());
    }

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
    Create(audio);
    FillRecord("First", 3, 17, "one");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    Bytes content = readFile(path);
    ASSERT_EQ(content.size(), audio.size() + 128);
    EXPECT_EQ(Slice(content, 0, audio.size()), audio);
    EXPECT_EQ(engine.GetFileSize(), static_cast<std::int64_t>(content.size()));
    EXPECT_TRUE(engine.HasID3v1());

    engine.Reset();
    ASSERT_TRUE(engine.ReadID3v1());
    EXPECT_EQ(engine.GetID3v1Title(), "First");
    FillRecord("Second", 4, 18, "two");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    content = readFile(path);
    ASSERT_EQ(content.size(), audio.size() + 128);
    EXPECT_EQ(Slice(content, 0, audio.size()), audio);
    EXPECT_EQ(Slice(content, audio.size()), Bytes(engine.GetID3v1Record().Bytes().begin(),
                                                  engine.GetID3v1Record().Bytes().end()));

    engine.Reset();
    ASSERT_TRUE(engine.DeleteID3v1());
    EXPECT_EQ(readFile(path), audio);
    EXPECT_FALSE(engine.HasID3v1());
}

TEST_F(ID3v1File, IndependentReadersSeeTheWrittenTag)
{
    Create(Mp3Fixture::Mp3(10));
    FillRecord("Title", 12, 17, "A comment of 28 characters.");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    const ID3v1Fields expected {"Title", "Artist \xC9", "Album", "2001", "A comment of 28 characters.", 12, 17};
    EXPECT_EQ(IndependentReaders::TagLibID3v1(path), expected);
    EXPECT_EQ(IndependentReaders::MutagenID3v1(path), expected);
}

TEST_F(ID3v1File, IndependentReadersSeeAFullV10Comment)
{
    Create(Mp3Fixture::Mp3(10));
    FillRecord("T", 0, 255, "abcdefghijklmnopqrstuvwxyz1234");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    const auto taglib = IndependentReaders::TagLibID3v1(path);
    ASSERT_TRUE(taglib);
    EXPECT_EQ(taglib->Comment, "abcdefghijklmnopqrstuvwxyz1234");
    EXPECT_EQ(taglib->Track, 0u);
    EXPECT_EQ(taglib->Genre, 255u);
}

TEST_F(ID3v1File, FileWrittenByAnotherProgramReadsBack)
{
    Create(Mp3Fixture::Mp3(3, 0, Mp3Fixture::ID3v1Record({"Name", "Band", "Record", "1987", "Note", 9, 80})));
    ASSERT_TRUE(engine.ReadID3v1());
    ASSERT_TRUE(engine.HasID3v1());
    EXPECT_EQ(engine.GetID3v1Title(), "Name");
    EXPECT_EQ(engine.GetID3v1Artist(), "Band");
    EXPECT_EQ(engine.GetID3v1Album(), "Record");
    EXPECT_EQ(engine.GetID3v1Year(), "1987");
    EXPECT_EQ(engine.GetID3v1Comment(), "Note");
    EXPECT_EQ(engine.GetID3v1Track(), 9);
    EXPECT_EQ(engine.GenreName(), "Folk");
}

TEST_F(ID3v1File, UneditedV10TagSavesByteIdentical)
{
    const Bytes record = Mp3Fixture::ID3v1Record({"T", "A", "B", "1999", "abcdefghijklmnopqrstuvwxyz1234", 0, 5});
    const Bytes original = Mp3Fixture::Mp3(3, 0, record);
    Create(original);
    ASSERT_TRUE(engine.ReadID3v1());
    const std::string title = engine.GetID3v1Title(), artist = engine.GetID3v1Artist(),
                      album = engine.GetID3v1Album(), year = engine.GetID3v1Year(),
                      comment = engine.GetID3v1Comment();
    const std::uint8_t track = engine.GetID3v1Track(), genre = engine.GetID3v1Genre();
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

TEST_F(ID3v1File, FileShorterThanATagHasNoneAndWriteAppends)
{
    Bytes tiny(100, 0x55);
    tiny[0] = 'T', tiny[1] = 'A', tiny[2] = 'G';
    Create(tiny);
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

TEST_F(ID3v1File, DeleteOnUntaggedFileSucceedsAndChangesNothing)
{
    const Bytes audio = Mp3Fixture::Mp3(4);
    Create(audio);
    EXPECT_TRUE(engine.DeleteID3v1());
    EXPECT_EQ(readFile(path), audio);
}

TEST_F(ID3v1File, StaleAnswerNeverCutsAudio)
{
    Create(Mp3Fixture::Mp3(4, 0, Mp3Fixture::ID3v1Record({.Title = "x"})));
    ASSERT_TRUE(engine.ReadID3v1());
    ASSERT_TRUE(engine.HasID3v1());
    engine.Close();
    const Bytes untagged = Mp3Fixture::Mp3(5); // replaced behind the engine's back
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

TEST_F(ID3v1File, ReadOnlyFileIsWrittenAndStaysReadOnly)
{
    Create(Mp3Fixture::Mp3(4));
    chmod(path.c_str(), 0444);
    FillRecord("Locked", 1, 1, "");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(readFile(path).size(), Mp3Fixture::Mp3(4).size() + 128);

    ASSERT_TRUE(engine.DeleteID3v1());
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
    EXPECT_EQ(readFile(path), Mp3Fixture::Mp3(4));
}

TEST_F(ID3v1File, WritableFileKeepsItsMode)
{
    Create(Mp3Fixture::Mp3(2));
    chmod(path.c_str(), 0640);
    FillRecord("Mode", 1, 1, "");
    ASSERT_TRUE(engine.WriteID3v1Tag());
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(ID3v1File, ShortAppendLeavesNoPartialTag)
{
    const Bytes audio = Mp3Fixture::Mp3(3);
    Create(audio);
    FillRecord("Cut", 1, 1, "");
    {
        FileSizeLimit limit(audio.size() + 50); // the disk fills up part way through the tag
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(engine.WriteID3v1Tag());
    }
    EXPECT_EQ(readFile(path), audio);
}

} // namespace
