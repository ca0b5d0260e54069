// Rewriting an MP3 file through a temporary file: the result is the new tag space plus every audio byte, or, after
// any failure, the original exactly as it was and no temporary file left behind.
#include "EngineFile.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ResizeTagSpace : EngineFile {
    // A file with an ID3v2 tag area of tagSize bytes (header read, so the engine knows where the audio begins).
    void Create(std::uint32_t tagSize, std::size_t frames = 30)
    {
        Put(Mp3Fixture::Mp3(frames, tagSize, Mp3Fixture::ID3v1Record({.Title = "v1"})));
        ASSERT_TRUE(engine.ReadID3v2Header());
        ASSERT_EQ(engine.GetID3v2Size(), static_cast<int>(tagSize));
    }
};

TEST_F(ResizeTagSpace, NewSpaceIsTheGivenTagBytesAndZerosThenEveryOldAudioByte)
{
    const Bytes header = Mp3Fixture::ID3v2Header(3, 0, 4086);
    const std::vector<std::tuple<std::uint32_t, std::size_t, std::uint32_t, Bytes>> cases = {
        {1000, 30, 2048, {}}, {1000, 30, 4096, header}, {3000, 30, 0, {}},
        {2048, 400, 1000, {}}, // about five copy buffers of audio
    };
    for (const auto& [oldSize, frames, newSize, tag] : cases) {
        SCOPED_TRACE(testing::Message() << oldSize << " -> " << newSize);
        Create(oldSize, frames);
        ASSERT_TRUE(engine.ResizeTagSpace(newSize, tag));
        const Bytes content = readFile(path);
        EXPECT_EQ(content, Concat({tag, Bytes(newSize - tag.size(), 0), Slice(original, oldSize)}));
        EXPECT_EQ(engine.GetID3v2Size(), static_cast<int>(newSize));
        EXPECT_EQ(engine.GetFileSize(), static_cast<std::int64_t>(content.size()));
        EXPECT_FALSE(dir.HasTemporaryFile());
    }
    EXPECT_GE(engine.GetHandle(), 0); // reopened for the tag writer

    Put(Mp3Fixture::Mp3(10));
    ASSERT_TRUE(engine.ResizeTagSpace(0));
    ExpectUntouched();
}

TEST_F(ResizeTagSpace, KeepsEveryModeBitAndALinkStaysALink)
{
    Create(1000);
    chmod(path.c_str(), 0464);
    ASSERT_TRUE(engine.ResizeTagSpace(2048));
    EXPECT_EQ(ModeOf(path), 0464u);
    chmod(path.c_str(), 0751);
    ASSERT_TRUE(engine.ResizeTagSpace(4096));
    EXPECT_EQ(ModeOf(path), 0751u);

    Create(1000);
    const auto link = dir.file("link.mp3");
    std::filesystem::create_symlink(path, link);
    engine.SetFileName(link.string());
    ASSERT_TRUE(engine.ResizeTagSpace(2048));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Slice(readFile(path), 2048), Slice(original, 1000));
}

TEST_F(ResizeTagSpace, ExistingTemporaryNamesAreSkippedAndKept)
{
    Create(1000);
    for (int number = 1; number <= 40; ++number)
        writeFile(dir.file("TMP" + std::to_string(number) + ".$$$"), Bytes(1, 9));
    ASSERT_TRUE(engine.ResizeTagSpace(2048));
    EXPECT_EQ(Slice(readFile(path), 2048), Slice(original, 1000));
    EXPECT_EQ(dir.entries().size(), 41u); // the strangers' files and the MP3, nothing more
    EXPECT_EQ(readFile(dir.file("TMP1.$$$")), Bytes(1, 9));
}

// A failing last step and a full disk are guarded through the tag writer, in ID3v2FileTest.
TEST_F(ResizeTagSpace, TagBytesLargerThanTheSpaceAreRefusedAndLeaveTheOriginal)
{
    Create(1000);
    EXPECT_FALSE(engine.ResizeTagSpace(16, Bytes(17, 1)));
    ExpectUntouched();
    EXPECT_EQ(engine.GetID3v2Size(), 1000);
}

TEST_F(ResizeTagSpace, DirectoryMovedOrRemovedFailsAndLeavesNothingBehind)
{
    const auto sub = dir.file("sub");
    for (const bool remove : {false, true}) {
        std::filesystem::create_directory(sub);
        path = sub / "song.mp3";
        Create(1000);
        ASSERT_TRUE(engine.HasID3v1()); // the file is open when its directory goes
        const auto moved = dir.file("moved");
        if (remove)
            std::filesystem::remove_all(sub);
        else
            std::filesystem::rename(sub, moved);
        EXPECT_FALSE(engine.ResizeTagSpace(2048));
        if (!remove) {
            EXPECT_EQ(readFile(moved / "song.mp3"), original);
        }
        EXPECT_FALSE(dir.HasTemporaryFile());
        EXPECT_FALSE(std::filesystem::exists(sub));
    }
}

// The MP3's path fits the system's limit, the temporary file's longer name beside it does not.
TEST_F(ResizeTagSpace, TemporaryNameTooLongFailsAndLeavesOriginal)
{
    std::string deep = dir.path().string();
    const std::size_t wanted = PATH_MAX - 1 - std::string("/a.mp3").size();
    while (deep.size() < wanted) {
        deep += '/';
        deep.append(std::min<std::size_t>(200, wanted - deep.size()), 'd');
        ASSERT_TRUE(std::filesystem::create_directory(deep)) << deep.size();
    }
    path = deep + "/a.mp3";
    ASSERT_EQ(path.string().size(), static_cast<std::size_t>(PATH_MAX - 1));
    Create(1000, 3);
    EXPECT_FALSE(engine.ResizeTagSpace(2048));
    ExpectUntouched();
}

} // namespace
