#include "ID3v2Size.h"

#include <gtest/gtest.h>

using namespace ID3v2Size;

TEST(ID3v2Size, SynchsafeAndPlainFormsOfTheSameBytes)
{
    const SizeBytes bytes = {0x00, 0x00, 0x01, 0x48};
    EXPECT_EQ(UnpackSynchsafeSize(bytes.data()), 200u);
    EXPECT_EQ(UnpackPlainSize(bytes.data()), 328u);
    EXPECT_EQ(PackFrameSize(200, 4), bytes);
    EXPECT_EQ(PackFrameSize(328, 3), bytes);
    EXPECT_EQ(PackSynchsafeSize(MaxSynchsafeSize), (SizeBytes{0x7F, 0x7F, 0x7F, 0x7F}));
    EXPECT_EQ(PackPlainSize(0x12345678), (SizeBytes{0x12, 0x34, 0x56, 0x78}));
}

TEST(ID3v2Size, WorkedExampleOfAMillionByteFile)
{
    // 1,000,000 audio bytes without tags, one TIT2 frame with five characters.
    const std::uint64_t required = RequiredID3v2Size(10 + 6, false);
    EXPECT_EQ(required, 26u);
    EXPECT_EQ(AlignedTagSize(1'000'000, 0, false), 1344u);
    EXPECT_EQ(TagAreaSize(required, 1'000'000, 0, false), 1344u);
    EXPECT_EQ(PackSynchsafeSize(1334), (SizeBytes{0x00, 0x00, 0x0A, 0x36}));
}

TEST(ID3v2Size, AlignmentCountsAnID3v1TagWhetherOrNotThereIsOne)
{
    EXPECT_EQ(AlignedTagSize(2048 * 10, 0, true), 2048u); // already a multiple: a full step, never 0
    EXPECT_EQ(AlignedTagSize(2048 * 10 - 128, 0, false), 2048u);
    EXPECT_EQ(AlignedTagSize(1000 + 4096, 4096, true), 1048u);
}

TEST(ID3v2Size, TagAreaGrowsInStepsAndNeverShrinksBelowTheOldArea)
{
    EXPECT_EQ(TagAreaSize(5000, 2048 * 10, 0, true), 2048u * 3);
    EXPECT_EQ(TagAreaSize(2048, 2048 * 10, 0, true), 2048u);
    // A 4096-byte area whose new tag needs 100 bytes is padded out to 4096, not left half-filled.
    EXPECT_EQ(TagAreaSize(100, 4096 + 2048 * 5, 4096, true), 4096u);
    EXPECT_EQ(TagAreaSize(100, 4096 + 1000, 4096, true), 4096u);
}
