// The ID3v2 header and extended header: sizes come from the file and are believed only as far as the tag and the
// file reach.
#include "EngineFile.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace {

struct ID3v2Header : EngineFile {
    void Read(const Bytes& content)
    {
        Put(content);
        ASSERT_TRUE(engine.ReadID3v2Header());
    }

    Bytes Body()
    {
        std::vector<std::uint8_t> body {1, 2, 3};
        EXPECT_TRUE(engine.ReadID3v2Body(body));
        return body;
    }

    // A tag whose body (frame area) is bodySize bytes, each byte of it 0x41, followed by audio.
    static Bytes TagWithBody(std::uint8_t version, std::uint8_t flags, std::uint32_t bodySize, const Bytes& ext = {})
    {
        const Bytes body(bodySize, 0x41);
        return Concat({Mp3Fixture::ID3v2Header(version, flags, static_cast<std::uint32_t>(ext.size()) + bodySize),
                       ext, body, Mp3Fixture::Frames(2)});
    }
};

TEST_F(ID3v2Header, SizesAgreeWithTagLibAndTheFooterCountsOnlyFromVersion4)
{
    for (const auto& [version, flags, size] : {std::tuple{3, 0, 1010}, {4, 0, 1010}, {4, 0x10, 1020}, {3, 0x10, 1010}}) {
        SCOPED_TRACE(testing::Message() << version << " " << flags);
        Read(TagWithBody(static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(flags), 1000));
        EXPECT_EQ(engine.GetID3v2Version(), version);
        EXPECT_EQ(engine.GetID3v2Size(), size); // a version 3 tag has no footer: no audio byte is taken for one
        EXPECT_EQ(engine.ID3v2BodyEnd(), 1010); // the footer is not frame data
        EXPECT_TRUE(engine.ID3v2TagFitsFile());
        EXPECT_EQ(Body(), Bytes(1000, 0x41));
        if (version == 3 && flags)
            continue; // TagLib takes the flag at its word
        TagLib::MPEG::File mp3(path.c_str(), false);
        ASSERT_TRUE(mp3.hasID3v2Tag());
        EXPECT_EQ(static_cast<unsigned>(engine.GetID3v2Size()), mp3.ID3v2Tag()->header()->completeTagSize());
    }
    Read(Concat({Mp3Fixture::ID3v2Header(3, 0, 0), Mp3Fixture::Frames(1)}));
    EXPECT_EQ(engine.GetID3v2Size(), 10);
    EXPECT_TRUE(Body().empty());
}

TEST_F(ID3v2Header, SizePastTheEndIsCutToTheFileAndNotRewritable)
{
    Read(Concat({Mp3Fixture::ID3v2Header(3, 0, 0x0FFFFFFF), Bytes(90, 0x42)}));
    EXPECT_TRUE(engine.HasID3v2());
    EXPECT_EQ(engine.GetID3v2Size(), 0x0FFFFFFF + 10);
    EXPECT_FALSE(engine.ID3v2TagFitsFile());
    EXPECT_EQ(engine.ID3v2BodyEnd(), 100);
    EXPECT_EQ(Body(), Bytes(90, 0x42));
}

TEST_F(ID3v2Header, HeaderCutShortOrMisspelledIsNoTag)
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

    engine.Reset();
    engine.SetFileName(dir.file("gone.mp3").string());
    EXPECT_FALSE(engine.ReadID3v2Header());
    EXPECT_FALSE(engine.HasID3v2());
    EXPECT_FALSE(engine.ReadTags());
}

TEST_F(ID3v2Header, ExtendedHeaderLengthsAreTrustedOnlyWithinTheTag)
{
    struct Case {
        const char* Name;
        std::uint8_t Version;
        Bytes Ext;
        std::int64_t BodyOffset;
    };
    const std::vector<Case> cases = {
        // Version 3 leaves the four size bytes out of the length; version 4 counts them, synchsafe.
        {"v3 length 6", 3, {0, 0, 0, 6, 0, 0, 0, 0, 0, 0}, 20},
        {"v4 length 6", 4, {0, 0, 0, 6, 1, 0}, 16},
        {"v3 length 0, shorter than its own start", 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 10},
        {"v3 length 3", 3, {0, 0, 0, 3, 0, 0, 0, 0, 0, 0}, 17},
        {"v3 length wraps 32 bits", 3, {0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0}, 10},
        {"v3 largest length", 3, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0}, 10},
        {"v3 longer than the tag", 3, {0, 0, 0x01, 0x00, 0, 0, 0, 0, 0, 0}, 10},
        {"v2 compression bit is no extended header", 2, {}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Read(TagWithBody(c.Version, 0x40, 100, c.Ext));
        EXPECT_TRUE(engine.HasID3v2());
        EXPECT_EQ(engine.ID3v2BodyOffset(), c.BodyOffset);
        EXPECT_EQ(Body().size(), static_cast<std::size_t>(110 + c.Ext.size() - c.BodyOffset));
    }
    // Cut short by the end of the file.
    for (const Bytes& rest : {Bytes {0, 0}, Bytes {0, 0, 0, 50, 0, 0, 0}}) {
        Read(Concat({Mp3Fixture::ID3v2Header(3, 0x40, 100), rest}));
        EXPECT_EQ(engine.ID3v2BodyOffset(), 10);
    }
}

TEST_F(ID3v2Header, ReadTagsFindsBothTagsAndResetForgetsThem)
{
    Read(Concat({TagWithBody(3, 0, 200), Mp3Fixture::ID3v1Record({.Title = "Both"})}));
    ASSERT_TRUE(engine.ReadTags());
    EXPECT_TRUE(engine.HasID3v2());
    EXPECT_EQ(engine.GetID3v1Title(), "Both");
    EXPECT_EQ(engine.GetID3v2Size(), 210);
    engine.Reset();
    EXPECT_EQ(engine.GetID3v2Size(), 0);
    EXPECT_EQ(engine.GetID3v2Version(), 0);
    EXPECT_EQ(engine.GetID3v1Title(), "");
    EXPECT_TRUE(engine.HasID3v2()); // asked of the file again
}

} // namespace
