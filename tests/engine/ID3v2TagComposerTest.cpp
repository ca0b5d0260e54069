// What the tag composer refuses and which header flags it drops; the bytes it lays out, and what other readers
// make of them, are checked through the file object in ID3v2FileTest.
#include "ID3v2Bytes.h"
#include "ID3v2Size.h"
#include "ID3v2TagComposer.h"

#include <gtest/gtest.h>

using namespace ID3v2Bytes;

namespace {

Bytes Compose(const ID3v2Frames& frames, std::uint8_t revision, std::uint8_t flags)
{
    const std::optional<Bytes> tag = ComposeID3v2Tag(frames, revision, flags, {10'000, 0, false});
    EXPECT_TRUE(tag.has_value());
    return tag.value_or(Bytes(10, 0));
}

} // namespace

TEST(ID3v2TagComposer, OtherVersionsAreWrittenAsVersion3AndFlagsOfAbsentPartsAreCleared)
{
    for (std::uint8_t version : {2, 5}) {
        ID3v2Frames frames;
        frames.Load(nullptr, 0, version, 0xB0);
        frames.SetID3v2Title("x");
        EXPECT_EQ(Slice(Compose(frames, 7, 0xB0), 0, 6), (Bytes{'I', 'D', '3', 3, 0, 0})) << int(version);
    }
    ID3v2Frames frames;
    frames.Load(nullptr, 0, 3, 0xF0);
    frames.SetID3v2Title("x");
    const Bytes tag = Compose(frames, 1, 0xF0);
    EXPECT_EQ(tag[4], 1);
    EXPECT_EQ(tag[5], 0x20); // experimental stays; the footer flag means nothing before version 2.4
    EXPECT_EQ(Find(tag, Frame("TIT2", TextBody("x"))), 10u);

    const LoadedTag extended = Load(ReadTestData("rust-id3/id3v24_ext.id3"));
    ASSERT_TRUE(extended.Flags & 0x40);
    const Bytes rewritten = Compose(extended.Frames, extended.Revision, extended.Flags);
    EXPECT_EQ(rewritten[5] & 0x40, 0);
    EXPECT_EQ(Load(rewritten).Frames.Render(), extended.Frames.Render());
}

TEST(ID3v2TagComposer, TagsThatCannotBeWrittenAreRefused)
{
    ID3v2Frames frames;
    frames.SetID3v2Title("x");
    // A tag area larger than the synchsafe size field can describe.
    const std::uint64_t huge = ID3v2Size::MaxSynchsafeSize + 11;
    EXPECT_FALSE(ComposeID3v2Tag(frames, 0, 0, {huge + 1000, huge, false}));
    EXPECT_TRUE(ComposeID3v2Tag(frames, 0, 0, {huge + 999, huge - 1, false}));
    // A tag area that the file is too short to hold: its size field cannot be trusted.
    EXPECT_FALSE(ComposeID3v2Tag(frames, 0, 0, {1000, 4096, false}));
    // Frames of a version 2.2 tag that have no version 2.3 form.
    ID3v2Frames crypted;
    const Bytes crm = {'C', 'R', 'M', 0, 0, 1, 'x'};
    crypted.Load(crm.data(), crm.size(), 2, 0);
    EXPECT_FALSE(ComposeID3v2Tag(crypted, 0, 0, {10'000, 0, false}));
}
