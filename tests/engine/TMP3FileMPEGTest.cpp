#include "Mp3Fixture.h"
#include "TMP3File.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

using namespace Mp3Fixture;

struct Opened {
    TempDir Dir;
    TMP3File Engine;

    explicit Opened(const Bytes& content)
    {
        writeFile(Dir.file("a.mp3"), content);
        Engine.SetFileName(Dir.file("a.mp3").string());
        Engine.ReadTags();
    }
};

TEST(TMP3FileMPEG, FirstFrameIsFoundBehindTheTag)
{
    Opened file(Mp3(100, 1344));
    EXPECT_EQ(file.Engine.GetSyncOffset(), 1344);
    EXPECT_EQ(file.Engine.GetMPEGVersionText(), "MPEG-1 Layer III");
    EXPECT_EQ(file.Engine.GetBitrate(), 128);
    EXPECT_EQ(file.Engine.GetSampleRate(), 44100);
    EXPECT_EQ(file.Engine.GetFrameLength(), 417);
    EXPECT_EQ(file.Engine.GetFrameCount(), 100);
    EXPECT_EQ(file.Engine.GetLengthText(), "0:03"); // 100 x 1152 / 44100 = 2.6 s, rounded up
}

TEST(TMP3FileMPEG, TheID3v1TagIsNotCountedAsAudio)
{
    Opened file(Mp3(100, 0, ID3v1Record({.Title = "x"})));
    EXPECT_EQ(file.Engine.GetFrameCount(), 100);
}

// The small first read ends inside the junk; the frame further on must still be found.
TEST(TMP3FileMPEG, AudioBehindLongJunkIsFound)
{
    Opened file(Concat({Bytes(40000, 0x00), Frames(20)}));
    EXPECT_EQ(file.Engine.GetSyncOffset(), 40000);
    EXPECT_EQ(file.Engine.GetFrameCount(), 20);
}

// A lone sync near the end of the first read cannot be checked against its next frame there; the real first
// frame after it decides.
TEST(TMP3FileMPEG, StraySyncAtTheEndOfTheFirstReadIsNotTrusted)
{
    Bytes junk(16384 - 100, 0x00);
    const auto stray = Frame({0xFF, 0xFB, 0x50, 0x64}); // 64 kbit/s, 208 bytes
    Bytes content = Concat({junk, Slice(stray, 0, 4), Bytes(3000, 0x00), Frames(20)});
    Opened file(content);
    EXPECT_EQ(file.Engine.GetSyncOffset(), static_cast<std::int64_t>(junk.size() + 4 + 3000));
    EXPECT_EQ(file.Engine.GetBitrate(), 128);
}

TEST(TMP3FileMPEG, FileWithoutAudioAnswersAsEmpty)
{
    Opened file(Bytes(5000, 0x00));
    EXPECT_FALSE(file.Engine.ReadMPEGHeader());
    EXPECT_EQ(file.Engine.GetSyncOffset(), -1);
    EXPECT_EQ(file.Engine.GetMPEGVersionText(), "");
    EXPECT_EQ(file.Engine.GetFrameLength(), 1);
    EXPECT_EQ(file.Engine.GetFrameCount(), 0);
    EXPECT_EQ(file.Engine.GetLengthText(), "0:00");
}

TEST(TMP3FileMPEG, ResetForgetsTheFrameOfThePreviousFile)
{
    Opened file(Mp3(10));
    EXPECT_EQ(file.Engine.GetBitrate(), 128);
    writeFile(file.Dir.file("b.mp3"), Bytes(3000, 0x00));
    file.Engine.Reset();
    file.Engine.SetFileName(file.Dir.file("b.mp3").string());
    EXPECT_EQ(file.Engine.GetBitrate(), 0);
}

TEST(TMP3FileMPEG, MissingFileHasNoAudio)
{
    TempDir dir;
    TMP3File engine;
    engine.SetFileName(dir.file("none.mp3").string());
    EXPECT_EQ(engine.GetSyncOffset(), -1);
    EXPECT_EQ(engine.GetFrameCount(), 0);
}

} // namespace
