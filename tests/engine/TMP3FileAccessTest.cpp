// Opening, closing and the cached file state of the engine object; paths are used whole.
#include "EngineFile.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A name that makes the whole path exactly length characters long.
std::filesystem::path PathOfLength(const TempDir& dir, std::size_t length)
{
    const std::string prefix = dir.path().string() + "/";
    return prefix + std::string(length - prefix.size() - 4, 'n') + ".mp3";
}

using TMP3FileAccess = EngineFile;

TEST_F(TMP3FileAccess, NeverOpenedEngineClosesAndResetsSafely)
{
    EXPECT_EQ(engine.GetHandle(), -1);
    engine.Close();
    engine.Reset();
    EXPECT_EQ(engine.GetHandle(), -1);
    EXPECT_EQ(engine.GetFileSize(), -1);
    EXPECT_EQ(engine.GetID3v2Version(), 0);
    EXPECT_EQ(engine.GetID3v2Size(), 0);
}

TEST_F(TMP3FileAccess, PresenceQueryOpensLazilyAndLeavesFileOpen)
{
    Put(Mp3Fixture::Mp3(3));
    EXPECT_FALSE(engine.HasID3v1());
    EXPECT_GE(engine.GetHandle(), 0);
    EXPECT_EQ(engine.GetFileSize(), static_cast<std::int64_t>(3 * Mp3Fixture::FrameSize));
    const int handle = engine.GetHandle();
    EXPECT_FALSE(engine.HasID3v2());
    EXPECT_EQ(engine.GetHandle(), handle); // the reads share one handle
}

TEST_F(TMP3FileAccess, ResetForgetsSizeAndMissingFileOpensWithSizeZero)
{
    Put(Mp3Fixture::Mp3(1));
    ASSERT_TRUE(engine.OpenRead());
    engine.Reset();
    EXPECT_EQ(engine.GetFileSize(), -1);
    EXPECT_EQ(engine.GetHandle(), -1);
    engine.SetFileName(dir.file("missing.mp3").string());
    EXPECT_FALSE(engine.OpenRead());
    EXPECT_EQ(engine.GetFileSize(), 0);
    EXPECT_FALSE(engine.OpenReadWrite());
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.mp3")));
}

TEST_F(TMP3FileAccess, DirectoryIsNotAnMp3File)
{
    engine.SetFileName(dir.path().string());
    EXPECT_FALSE(engine.OpenRead());
    EXPECT_FALSE(engine.ReadTags());
    EXPECT_EQ(engine.GetHandle(), -1);
}

TEST_F(TMP3FileAccess, DestructorClosesTheFile)
{
    writeFile(path, Mp3Fixture::Mp3(1));
    int handle = -1;
    {
        TMP3File opened;
        opened.SetFileName(path.string());
        ASSERT_TRUE(opened.OpenRead());
        handle = opened.GetHandle();
    }
    EXPECT_EQ(fcntl(handle, F_GETFD), -1);
}

TEST_F(TMP3FileAccess, UpdateFileSizeFollowsTheFile)
{
    Put(Bytes(10, 1));
    engine.UpdateFileSize();
    EXPECT_EQ(engine.GetFileSize(), 10);
    EXPECT_EQ(engine.GetHandle(), -1); // opened for the question only
    writeFile(path, Bytes(25, 1));
    ASSERT_TRUE(engine.OpenRead());
    writeFile(path, Bytes(40, 1));
    engine.UpdateFileSize();
    EXPECT_EQ(engine.GetFileSize(), 40);
}

TEST_F(TMP3FileAccess, SizeOfFileOver4GiBIsNotNegativeAndItsTagIsFound)
{
    writeFile(path, {});
    const std::int64_t length = (std::int64_t{1} << 32) + 1000;
    ASSERT_EQ(truncate(path.c_str(), length - 128), 0); // sparse: no disk space used
    {
        const int fd = open(path.c_str(), O_WRONLY | O_APPEND);
        ASSERT_GE(fd, 0);
        const Bytes record = Mp3Fixture::ID3v1Record({.Title = "Far"});
        ASSERT_EQ(write(fd, record.data(), record.size()), 128);
        close(fd);
    }
    engine.SetFileName(path.string());
    ASSERT_TRUE(engine.ReadID3v1());
    EXPECT_EQ(engine.GetFileSize(), length);
    EXPECT_TRUE(engine.HasID3v1());
    EXPECT_EQ(engine.GetID3v1Title(), "Far");
}

TEST_F(TMP3FileAccess, MakeWritableSavesAndRestoresEveryModeBit)
{
    writeFile(path, Bytes(1, 0));
    chmod(path.c_str(), 0640);
    EXPECT_EQ(TMP3File::MakeWritable(path.string()), -1);
    EXPECT_EQ(ModeOf(path), 0640u);

    chmod(path.c_str(), 02444);
    const int saved = TMP3File::MakeWritable(path.string());
    EXPECT_EQ(saved, 02444);
    EXPECT_EQ(ModeOf(path), 02644u);
    TMP3File::RestoreAttributes(path.string(), saved);
    EXPECT_EQ(ModeOf(path), 02444u);
    TMP3File::RestoreAttributes(path.string(), -1);
    EXPECT_EQ(ModeOf(path), 02444u);
    EXPECT_EQ(TMP3File::MakeWritable(dir.file("missing").string()), -1);
}

// A path is never cut at some length: the engine acts on exactly the named file, and never on a file whose
// name is a prefix of it.
TEST_F(TMP3FileAccess, LongPathsNameExactlyThatFile)
{
    for (std::size_t length : {199u, 200u, 201u, 230u}) {
        const auto path = PathOfLength(dir, length);
        ASSERT_EQ(path.string().size(), length);
        const auto prefix = std::filesystem::path(path.string().substr(0, 199));
        writeFile(prefix, Bytes(300, 7)); // the decoy a cut path would name
        writeFile(path, Mp3Fixture::Mp3(2));
        TMP3File engine;
        engine.SetFileName(path.string());
        engine.SetID3v1Title("Long");
        ASSERT_TRUE(engine.WriteID3v1Tag()) << length;
        EXPECT_EQ(readFile(path).size(), 2 * Mp3Fixture::FrameSize + 128) << length;
        if (prefix != path) {
            EXPECT_EQ(readFile(prefix), Bytes(300, 7)) << length;
        }
        std::filesystem::remove(path);
        std::filesystem::remove(prefix);
    }
}

} // namespace
