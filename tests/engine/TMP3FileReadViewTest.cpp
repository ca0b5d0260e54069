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
    EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(tag.size()));
    EXPECT_EQ(engine.GetFrameCount(), 20);
    std::vector<std::uint8_t> body;
    ASSERT_TRUE(engine.ReadID3v2Body(body));
    EXPECT_EQ(body, Slice(tag, 10, tag.size() - 10));

    // The picture was not needed for the list; a save still writes it back whole, in place and through a rewrite.
    for (const std::string& title : {std::string("Front"), std::string(70000, 'L')}) {
        engine.SetID3v2Title(title);
        ASSERT_TRUE(engine.WriteID3v2Tag());
        const Bytes file = Content();
        EXPECT_NE(ID3v2Bytes::Find(file, ID3v2Bytes::Frame("APIC", picture, 4)), std::string::npos);
        EXPECT_EQ(IndependentReaders::TagLibID3v2(path).value_or(IndependentReaders::TagLibTag{}).Title, title);
        EXPECT_EQ(Mp3Fixture::AudioOf(file), Concat({Frames(20), ID3v1Record({.Title = "Version one"})}));
    }
}

TEST_F(ReadView, PictureLeftInTheFileIsNotTakenFromAFileChangedSinceTheRead)
{
    const Bytes picture(30000, 0x5A);
    const auto song = [&](const std::string& title, std::size_t padding) {
        return Concat({ID3v2Bytes::Tag(3,
                                       Concat({ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody(title)),
                                               ID3v2Bytes::Frame("APIC", picture)}),
                                       padding),
                       Frames(10)});
    };
    // Another program rewrote the tag: a larger one, or one as large with the picture four bytes further on.
    for (const Bytes& changed : {song("Read", 700), song("Read more", 95)}) {
        Read(song("Read", 100));
        writeFile(path, changed);
        original = changed;
        engine.SetID3v2Album("Album");
        EXPECT_FALSE(engine.WriteID3v2Tag());
        ExpectUntouched();
    }
}

TEST_F(ReadView, Version4PictureWithAPlainSizeIsFoundWholeAndWrittenSynchsafe)
{
    // 00 00 14 00 is 5120 bytes plain, 2560 synchsafe; other writers put plain sizes in version 2.4 tags.
    const Bytes picture(5120, 0xA5);
    const Bytes frames = Concat({Bytes{'A', 'P', 'I', 'C', 0, 0, 0x14, 0, 0, 0}, picture,
                                 ID3v2Bytes::Frame("TIT2", ID3v2Bytes::TextBody("After"), 4)});
    Read(Concat({ID3v2Bytes::Tag(4, frames, 64), Frames(6)}));
    EXPECT_EQ(engine.GetID3v2Title(), "After");
    engine.SetID3v2Album("Album");
    ASSERT_TRUE(engine.WriteID3v2Tag());
    EXPECT_NE(ID3v2Bytes::Find(Content(), ID3v2Bytes::Frame("APIC", picture, 4)), std::string::npos);
    const auto written = IndependentReaders::TagLibID3v2(path);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Title, "After");
    EXPECT_EQ(written->Album, "Album");
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
