#include "ID3v2Size.h"

#include <gtest/gtest.h>

using namespace ID3v2Size;

// The byte sizes of whole files are checked through the file object; these are the edges a file test rarely hits.
TEST(ID3v2Size, FrameSizesAreSynchsafeOnlyInVersion4)
{
    const SizeBytes bytes = {0x00, 0x00, 0x01, 0x48};
    EXPECT_EQ(UnpackSynchsafeSize(bytes.data()), 200u);
    EXPECT_EQ(UnpackPlainSize(bytes.data()), 328u);
    EXPECT_EQ(PackFrameSize(200, 4), bytes);
    EXPECT_EQ(PackFrameSize(328, 3), bytes);
    EXPECT_EQ(PackSynchsafeSize(MaxSynchsafeSize), (SizeBytes{0x7F, 0x7F, 0x7F, 0x7F}));
    const SizeBytes all = {0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ(UnpackPlainSize(all.data()), 0xFFFFFFFEu);
}

TEST(ID3v2Size, AlignmentIsAFullStepNeverZeroAndNeverShrinksTheOldArea)
{
    EXPECT_EQ(AlignedTagSize(2048 * 10, 0, true), 2048u); // already a multiple: a full step, never 0
    EXPECT_EQ(AlignedTagSize(2048 * 10 - 128, 0, false), 2048u);
    EXPECT_EQ(AlignedTagSize(1000 + 4096, 4096, true), 1048u);
    EXPECT_EQ(TagAreaSize(5000, 2048 * 10, 0, true), 2048u * 3);
    EXPECT_EQ(TagAreaSize(100, 4096 + 1000, 4096, true), 4096u);
}
