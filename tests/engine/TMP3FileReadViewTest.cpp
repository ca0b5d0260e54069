// Reading a file's tags and first audio frame from the bytes read ahead: a tag that reaches past the first read,
// audio that starts far behind the tag, and a file changed on disk between two reads of the same open object.
#include "EngineFile.h"
#include "ID3v2Bytes.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

namespace {

using Mp3Fixture::Frames;
using Mp3Fixture::ID3v1Record;

struct ReadView : EngineFile {
    void Read(const Bytes& content)
    {
        Put(content);
        ASSERT_TRUE(engine.ReadTags());
        ASSERT_TRUE(engine.ReadMPEGHeader());
    }
};

TEST_F(ReadView, TagReachingFarPastTheFirstReadIsReadWholeAndTheAudioFoundBehindIt)
{
    Bytes picture(40000);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint8_t>(i * 7 + 1);
    // The title comes after the picture, so it lies in none of the bytes read with the header.
    const Bytes tag = ID3v2Bytes::Tag(
        4, Concat({ID3v2Bytes::Frame("APIC", picture, 4), ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("Behind"), 4)}),
        100);
    Read(Concat({tag, Frames(20), ID3v1Record({.Title = "Version one"})}));
    EXPECT_EQ(engine.GetID3v2Title(), "Behind");
    EXPECT_EQ(IndependentReaders::TagLibID3v2(path).value_or(IndependentReaders::TagLibTag{}).Title, "Behind");
    EXPECT_EQ(engine.GetID3v1Title(), "Version one");
    ASSERT_NE(engine.GetID3v2Frames().Slot(FrameTable::FrameIndex("APIC")), nullptr);
    EXPECT_EQ(engine.GetID3v2Frames().Slot(FrameTable::FrameIndex("APIC"))->Body, picture);
    EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(tag.size()));
    EXPECT_EQ(engine.GetFrameCount(), 20);
    std::vector<std::uint8_t> body;
    ASSERT_TRUE(engine.ReadID3v2Body(body));
    EXPECT_EQ(body, Slice(tag, 10, tag.size() - 10));
}

TEST_F(ReadView, FirstFrameBehindTheBytesReadWithTheTagIsFound)
{
    // The first page holds the tag but not a whole frame and the header after it; then audio behind junk.
    for (const std::size_t tagSize : {3500u, 4000u, 4096u, 5000u}) {
        Read(Concat({Mp3Fixture::PaddedID3v2Tag(static_cast<std::uint32_t>(tagSize)), Frames(30)}));
        EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(tagSize));
        EXPECT_EQ(engine.GetFrameCount(), 30) << tagSize;
    }
    const Bytes junk(20000, 0x11);
    Read(Concat({Mp3Fixture::PaddedID3v2Tag(300), junk, Frames(30)}));
    EXPECT_EQ(engine.GetSyncOffset(), 300 + 20000);
    EXPECT_EQ(engine.GetBitrate(), 128);
}

TEST_F(ReadView, FileChangedWhileOpenIsReadAfreshByTheNextTagRead)
{
    const auto song = [](const std::string& title, std::size_t padding, std::size_t frames) {
        return Concat({ID3v2Bytes::Tag(3, ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody(title)), padding),
                       Frames(frames), ID3v1Record({.Title = title})});
    };
    Read(song("First", 100, 40));
    EXPECT_EQ(engine.GetID3v2Title(), "First");
    // Rewritten in place under the open descriptor: longer tag, shorter audio, the ID3v1 tag elsewhere.
    const Bytes second = song("Second", 6000, 10);
    writeFile(path, second);
    ASSERT_TRUE(engine.ReadTags());
    EXPECT_EQ(engine.GetID3v2Title(), "Second");
    EXPECT_EQ(engine.GetID3v1Title(), "Second");
    EXPECT_EQ(engine.GetID3v2Size(), static_cast<int>(second.size() - 10 * Mp3Fixture::FrameSize - 128));
    writeFile(path, song("Third", 50, 5));
    ASSERT_TRUE(engine.ReadID3v1());
    EXPECT_EQ(engine.GetID3v1Title(), "Third");
    ASSERT_TRUE(engine.ReadID3v2());
    EXPECT_EQ(engine.GetID3v2Title(), "Third");
}

} // namespace
