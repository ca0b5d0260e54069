// The ID3v2 header and extended header: sizes come from the file and are believed only as far as the tag and the
// file reach.
#include "Mp3Fixture.h"
#include "TMP3File.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace {

using Mp3Fixture::Concat;

struct ID3v2Header : ::testing::Test {
    TempDir dir;
    std::filesystem::path path = dir.file("song.mp3");
    TMP3File engine;

    void Read(const Bytes& content)
    {
        writeFile(path, content);
        engine.SetFileName(path.string());
        ASSERT_TRUE(engine.ReadID3v2Header());
    }

    // A tag whose body (frame area) is bodySize bytes, each byte of it 0x41, followed by audio.
    static Bytes TagWithBody(std::uint8_t version, std::uint8_t flags, std::uint32_t bodySize, const Bytes& ext = {})
    {
        const Bytes body(bodySize, 0x41);
        return Concat({Mp3Fixture::ID3v2Header(version, flags, static_cast<std::uint32_t>(ext.size()) + bodySize),
                       ext, body, Mp3Fixture::Frames(2)});
    }
};

TEST(ID3v2SizeFields, SynchsafeAndPlainDecoding)
{
    const std::uint8_t bytes[4] = {0x00, 0x00, 0x01, 0x48};
    EXPECT_EQ(TMP3File::UnpackSynchsafeSize(bytes), 200u);
    EXPECT_EQ(TMP3File::UnpackPlainSize(bytes), 328u);
    const std::uint8_t largest[4] = {0x7F, 0x7F, 0x7F, 0x7F};
    EXPECT_EQ(TMP3File::UnpackSynchsafeSize(largest), 0x0FFFFFFFu);
    const std::uint8_t all[4] = {0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ(TMP3File::UnpackPlainSize(all), 0xFFFFFFFEu);
}

TEST_F(ID3v2Header, Version3TagGivesItsSizeAndBody)
{
    Read(TagWithBody(3, 0, 500));
    EXPECT_TRUE(engine.HasID3v2());
    EXPECT_EQ(engine.GetID3v2Version(), 3);
    EXPECT_EQ(engine.GetID3v2Size(), 510);
    EXPECT_TRUE(engine.ID3v2TagFitsFile());
    std::vector<std::uint8_t> body;
    ASSERT_TRUE(engine.ReadID3v2Body(body));
    EXPECT_EQ(body, Bytes(500, 0x41));
}

TEST_F(ID3v2Header, FooterCountsOnlyFromVersion4)
{
    Read(TagWithBody(4, 0x10, 300));
    EXPECT_EQ(engine.GetID3v2Size(), 320);
    EXPECT_EQ(engine.ID3v2BodyEnd(), 310); // the footer is not frame data

    Read(TagWithBody(3, 0x10, 300));
    EXPECT_EQ(engine.GetID3v2Size(), 310); // a version 3 tag has no footer: no audio byte is taken for one
}

TEST_F(ID3v2Header, SizesAgreeWithTagLib)
{
    for (const auto& [version, flags] : {std::pair{3, 0}, std::pair{4, 0}, std::pair{4, 0x10}}) {
        Read(TagWithBody(static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(flags), 1000));
        TagLib::MPEG::File mp3(path.c_str(), false);
        ASSERT_TRUE(mp3.hasID3v2Tag());
        EXPECT_EQ(static_cast<unsigned>(engine.GetID3v2Size()), mp3.ID3v2Tag()->header()->completeTagSize())
            << version << " " << flags;
    }
}

TEST_F(ID3v2Header, ZeroSizeTagHasAnEmptyBody)
{
    Read(Concat({Mp3Fixture::ID3v2Header(3, 0, 0), Mp3Fixture::Frames(1)}));
    EXPECT_EQ(engine.GetID3v2Size(), 10);
    std::vector<std::uint8_t> body {1, 2, 3};
    ASSERT_TRUE(engine.ReadID3v2Body(body));
    EXPECT_TRUE(body.empty());
}

TEST_F(ID3v2Header, SizePastTheEndIsCutToTheFileAndNotRewritable)
{
    const Bytes content = Concat({Mp3Fixture::ID3v2Header(3, 0, 0x0FFFFFFF), Bytes(90, 0x42)});
    Read(content);
    EXPECT_TRUE(engine.HasID3v2());
    EXPECT_EQ(engine.GetID3v2Size(), 0x0FFFFFFF + 10);
    EXPECT_FALSE(engine.ID3v2TagFitsFile());
    EXPECT_EQ(engine.ID3v2BodyEnd(), 100);
    std::vector<std::uint8_t> body;
    ASSERT_TRUE(engine.ReadID3v2Body(body));
    EXPECT_EQ(body, Bytes(90, 0x42));
}

TEST_F(ID3v2Header, HeaderCutShortIsNoTag)
{
    Read(Bytes {'I', 'D', '3', 3, 0});
    EXPECT_FALSE(engine.HasID3v2());
    EXPECT_FALSE(engine.DetectID3v2());
    EXPECT_EQ(engine.GetID3v2Size(), 0);
    Read(Concat({Bytes {'I', 'D', '4', 3, 0, 0, 0, 0, 0, 10}, Mp3Fixture::Frames(1)}));
    EXPECT_FALSE(engine.HasID3v2());
    EXPECT_EQ(engine.GetID3v2Version(), 0);
    std::vector<std::uint8_t> body;
    EXPECT_FALSE(engine.ReadID3v2Body(body));
}

TEST_F(ID3v2Header, MissingFileIsNotRead)
{
    engine.SetFileName(dir.file("gone.mp3").string());
    EXPECT_FALSE(engine.ReadID3v2Header());
    EXPECT_FALSE(engine.HasID3v2());
    EXPECT_FALSE(engine.ReadTags());
}

TEST_F(ID3v2Header, Version3ExtendedHeaderLengthLeavesOutItsSizeBytes)
{
    // Stored length 6: flags (2), padding size (4); the block is 10 bytes long.
    const Bytes ext {0, 0, 0, 6, 0, 0, 0, 0, 0, 0};
    Read(TagWithBody(3, 0x40, 100, ext));
    EXPECT_EQ(engine.ID3v2BodyOffset(), 20);
    std::vector<std::uint8_t> body;
    ASSERT_TRUE(engine.ReadID3v2Body(body));
    EXPECT_EQ(body, Bytes(100, 0x41));
}

TEST_F(ID3v2Header, Version4ExtendedHeaderLengthIsSynchsafeAndWhole)
{
    const Bytes ext {0, 0, 0, 6, 1, 0};
    Read(TagWithBody(4, 0x40, 100, ext));
    EXPECT_EQ(engine.ID3v2BodyOffset(), 16);
}

TEST_F(ID3v2Header, ImpossibleExtendedHeaderLengthsAreNotTrusted)
{
    // Version 3 adds the four size bytes: stored 0 is 4 bytes, shorter than the block's own start; stored 3 is a
    // believable 7; the largest values wrap 32 bits; 0x100 is longer than the 110-byte tag.
    const std::pair<Bytes, std::int64_t> cases[] = {{{0, 0, 0, 0}, 10}, {{0, 0, 0, 3}, 17},
        {{0xFF, 0xFF, 0xFF, 0xFE}, 10}, {{0xFF, 0xFF, 0xFF, 0xFF}, 10}, {{0, 0, 0x01, 0x00}, 10}};
    for (const auto& [length, offset] : cases) {
        Read(TagWithBody(3, 0x40, 100, Concat({length, Bytes(6, 0)})));
        EXPECT_TRUE(engine.HasID3v2());
        EXPECT_EQ(engine.ID3v2BodyOffset(), offset) << int(length[0]) << " " << int(length[3]);
        std::vector<std::uint8_t> body;
        ASSERT_TRUE(engine.ReadID3v2Body(body));
        EXPECT_EQ(body.size(), static_cast<std::size_t>(120 - offset));
    }
}

TEST_F(ID3v2Header, ExtendedHeaderCutShortByTheFile)
{
    Read(Concat({Mp3Fixture::ID3v2Header(3, 0x40, 100), Bytes {0, 0}}));
    EXPECT_EQ(engine.ID3v2BodyOffset(), 10);
    Read(Concat({Mp3Fixture::ID3v2Header(3, 0x40, 100), Bytes {0, 0, 0, 50, 0, 0, 0}}));
    EXPECT_EQ(engine.ID3v2BodyOffset(), 10);
}

TEST_F(ID3v2Header, Version2CompressionBitIsNoExtendedHeader)
{
    Read(TagWithBody(2, 0x40, 100, {}));
    EXPECT_EQ(engine.GetID3v2Version(), 2);
    EXPECT_EQ(engine.ID3v2BodyOffset(), 10);
    EXPECT_EQ(engine.GetID3v2Size(), 110);
}

TEST_F(ID3v2Header, ReadTagsFindsBothTagsAndResetForgetsThem)
{
    Read(Concat({TagWithBody(3, 0, 200), Mp3Fixture::ID3v1Record({.Title = "Both"})}));
    ASSERT_TRUE(engine.ReadTags());
    EXPECT_TRUE(engine.HasID3v2());
    EXPECT_TRUE(engine.HasID3v1());
    EXPECT_EQ(engine.GetID3v1Title(), "Both");
    EXPECT_EQ(engine.GetID3v2Size(), 210);
    engine.Reset();
    EXPECT_EQ(engine.GetID3v2Size(), 0);
    EXPECT_EQ(engine.GetID3v2Version(), 0);
    EXPECT_EQ(engine.GetID3v1Title(), "");
    EXPECT_TRUE(engine.HasID3v2()); // asked of the file again
}

} // namespace
