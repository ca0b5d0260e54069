#include <gtest/gtest.h>

#include "MPEGFrameFinder.h"
#include "Mp3Fixture.h"

using namespace Mp3Fixture;

namespace {

// MPEG-1 Layer III, 128 kbit/s, 48000 Hz: 384-byte frames of another sample rate than MPEG1Layer3At128.
constexpr HeaderBytes MPEG1Layer3At48k = {0xFF, 0xFB, 0x94, 0x64};

Bytes Junk(std::size_t size)
{
    Bytes junk(size);
    for (std::size_t i = 0; i < size; ++i)
        junk[i] = static_cast<std::uint8_t>(i * 7 % 0xF0); // never 0xFF
    return junk;
}

void Put(Bytes& at, std::size_t offset, const HeaderBytes& header)
{
    std::copy(header.begin(), header.end(), at.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::optional<std::size_t> FirstFrameOffset(const Bytes& window)
{
    const std::optional<MPEGFrame> frame = FindFirstMPEGFrame(window);
    return frame ? std::optional(frame->Offset) : std::nullopt;
}

TEST(MPEGFrameFinder, FindsTheFirstFrameAtTheAudioStart)
{
    const std::optional<MPEGFrame> frame = FindFirstMPEGFrame(Frames(3));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->Offset, 0u);
    EXPECT_EQ(frame->Header.Bitrate(), 128);
    EXPECT_EQ(frame->VBRHeader.Type, MPEGVBRHeader::Kind::None);
}

TEST(MPEGFrameFinder, StraySyncInJunkBeforeTheFirstFrameIsSkipped)
{
    Bytes window = Junk(1000);
    Put(window, 100, MPEG1Layer3At128); // valid on its own, but 417 bytes on lies junk
    Put(window, 600, {0xFF, 0xEA, 0x90, 0x64}); // reserved version bits 01
    Put(window, 700, {0xFF, 0xFB, 0xF0, 0x64}); // bad bitrate index
    window = Concat({window, Frames(2)});
    EXPECT_EQ(FirstFrameOffset(window), 1000u);
}

TEST(MPEGFrameFinder, HeaderFollowedByAnotherStreamIsSkipped)
{
    Bytes window = Frame();
    window = Concat({window, Frames(2, MPEG1Layer3At48k)});
    EXPECT_EQ(FirstFrameOffset(window), 417u);
}

TEST(MPEGFrameFinder, LoneFrameAtTheEndOfTheAudioIsAccepted)
{
    Bytes window = Junk(4094);
    window = Concat({window, Frame()});
    EXPECT_EQ(FirstFrameOffset(window), 4094u);
}

TEST(MPEGFrameFinder, TruncatedDataIsReadNoFurtherThanItsEnd)
{
    const Bytes frame = Frame();
    for (std::size_t size : {3u, 4u, 20u, 40u, 416u, 418u, 420u}) {
        SCOPED_TRACE(size);
        Bytes window(frame.begin(), frame.begin() + std::min<std::size_t>(size, frame.size()));
        if (size > frame.size())
            window = Concat({window, Bytes(frame.begin(), frame.begin() + (size - frame.size()))});
        EXPECT_EQ(FirstFrameOffset(window), size < 4 ? std::nullopt : std::optional<std::size_t>(0));
    }
    EXPECT_EQ(FirstFrameOffset(Bytes{}), std::nullopt);
    EXPECT_EQ(FirstFrameOffset(Bytes{0xFF, 0xFB, 0x90}), std::nullopt);
}

TEST(MPEGFrameFinder, WindowWithoutAudioFindsNothing)
{
    EXPECT_EQ(FirstFrameOffset(Bytes(MPEGSearchWindow, 0)), std::nullopt);
    EXPECT_EQ(FirstFrameOffset(Bytes(MPEGSearchWindow, 0xFF)), std::nullopt);
    EXPECT_EQ(FirstFrameOffset(Junk(MPEGSearchWindow)), std::nullopt);
}

TEST(MPEGFrameFinder, SearchStopsAtItsLimit)
{
    Bytes within = Junk(MPEGSearchLimit - 1);
    within = Concat({within, Frames(8)});
    within.resize(MPEGSearchWindow);
    EXPECT_EQ(FirstFrameOffset(within), MPEGSearchLimit - 1);

    Bytes beyond = Junk(MPEGSearchLimit);
    beyond = Concat({beyond, Frames(8)});
    EXPECT_EQ(FirstFrameOffset(beyond), std::nullopt);
}

} // namespace
