#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MPEGHeader.h"
#include "TempDir.h"

using HeaderBytes = std::array<std::uint8_t, 4>;

namespace {

MPEGHeader Decoded(const HeaderBytes& bytes)
{
    MPEGHeader header;
    header.Bytes = bytes;
    DecodeMPEGHeader(header);
    return header;
}

struct HeaderCase {
    HeaderBytes Bytes;
    std::string VersionText;
    int Bitrate;
    int SampleRate;
    int FrameLength;
    int SamplesPerFrame;
    std::string ChannelMode;
};

// Every version and layer, with the frame lengths of ISO/IEC 11172-3 and 13818-3.
const std::vector<HeaderCase> HeaderCases = {
    {{0xFF, 0xFB, 0x90, 0x64}, "MPEG-1 Layer III", 128, 44100, 417, 1152, "Joint Stereo"},
    {{0xFF, 0xFB, 0x92, 0x64}, "MPEG-1 Layer III", 128, 44100, 418, 1152, "Joint Stereo"},
    {{0xFF, 0xFB, 0x94, 0x00}, "MPEG-1 Layer III", 128, 48000, 384, 1152, "Stereo"},
    {{0xFF, 0xFB, 0xEA, 0xC0}, "MPEG-1 Layer III", 320, 32000, 1441, 1152, "Mono"},
    {{0xFF, 0xFD, 0x84, 0x80}, "MPEG-1 Layer II", 128, 48000, 384, 1152, "Dual Channel"},
    {{0xFF, 0xFF, 0xEA, 0x00}, "MPEG-1 Layer I", 448, 32000, 676, 384, "Stereo"},
    {{0xFF, 0xF3, 0x80, 0xC4}, "MPEG-2 Layer III", 64, 22050, 208, 576, "Mono"},
    {{0xFF, 0xF5, 0xE8, 0x00}, "MPEG-2 Layer II", 160, 16000, 1440, 1152, "Stereo"},
    {{0xFF, 0xF7, 0xE4, 0x00}, "MPEG-2 Layer I", 256, 24000, 512, 384, "Stereo"},
    {{0xFF, 0xE3, 0x40, 0x40}, "MPEG-2.5 Layer III", 32, 11025, 208, 576, "Joint Stereo"},
    {{0xFF, 0xE3, 0x18, 0xC0}, "MPEG-2.5 Layer III", 8, 8000, 72, 576, "Mono"},
    {{0xFF, 0xE5, 0xEA, 0x00}, "MPEG-2.5 Layer II", 160, 8000, 2881, 1152, "Stereo"},
};

TEST(MPEGHeader, FrameLengthsFollowTheStandardForEveryVersionAndLayer)
{
    for (const HeaderCase& c : HeaderCases) {
        SCOPED_TRACE(c.VersionText + " " + std::to_string(c.Bitrate) + " kbit/s " + std::to_string(c.SampleRate));
        const Bytes bytes(c.Bytes.begin(), c.Bytes.end());
        ASSERT_TRUE(IsValidMPEGHeader(bytes, 0));
        const MPEGHeader header = Decoded(c.Bytes);
        EXPECT_EQ(header.VersionText(), c.VersionText);
        EXPECT_EQ(header.Bitrate(), c.Bitrate);
        EXPECT_EQ(header.SampleRate(), c.SampleRate);
        EXPECT_EQ(header.FrameLength(), c.FrameLength);
        EXPECT_EQ(header.SamplesPerFrame(), c.SamplesPerFrame);
        EXPECT_EQ(header.ChannelModeName(), c.ChannelMode);
    }
    EXPECT_EQ(Decoded({0xFF, 0xFA, 0x93, 0xBD}).EmphasisName(), "50/15 ms");
    EXPECT_EQ(Decoded({0xFF, 0xFB, 0x90, 0x67}).EmphasisName(), "CCITT j.17");
    EXPECT_EQ(Decoded({0xFF, 0xFB, 0x90, 0x64}).EmphasisName(), "None");
}

TEST(MPEGHeader, ReservedAndUnusableValuesAreInvalid)
{
    const std::vector<std::pair<std::string, HeaderBytes>> invalid = {
        {"no sync", {0xFF, 0xDB, 0x90, 0x64}},
        {"no sync in the first byte", {0xFE, 0xFB, 0x90, 0x64}},
        {"reserved version", {0xFF, 0xEB, 0x90, 0x64}},
        {"reserved layer", {0xFF, 0xF9, 0x90, 0x64}},
        {"bad bitrate 15", {0xFF, 0xFB, 0xF0, 0x64}},
        {"free format", {0xFF, 0xFB, 0x00, 0x64}},
        {"reserved sample rate", {0xFF, 0xFB, 0x9C, 0x64}},
        {"reserved emphasis", {0xFF, 0xFB, 0x90, 0x66}},
    };
    for (const auto& [what, bytes] : invalid) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(IsValidMPEGHeader(Bytes(bytes.begin(), bytes.end()), 0));
    }
}

TEST(MPEGHeader, ValidityTestNeverReadsPastTheBuffer)
{
    const Bytes bytes = {0x00, 0xFF, 0xFB, 0x90, 0x64};
    EXPECT_TRUE(IsValidMPEGHeader(bytes, 1));
    EXPECT_FALSE(IsValidMPEGHeader(std::span(bytes).first(4), 1));
    EXPECT_FALSE(IsValidMPEGHeader(bytes, 2));
    EXPECT_FALSE(IsValidMPEGHeader(bytes, 5));
    EXPECT_FALSE(IsValidMPEGHeader(bytes, static_cast<std::size_t>(-1)));
    EXPECT_FALSE(IsValidMPEGHeader(Bytes{}, 0));
}

TEST(MPEGHeader, UnusableHeadersGiveZeroNotADivisionByZero)
{
    const MPEGHeader reservedRate = Decoded({0xFF, 0xFB, 0x9C, 0x64});
    EXPECT_EQ(reservedRate.SampleRate(), 0);
    EXPECT_EQ(reservedRate.FrameLength(), 0);
    const MPEGHeader reservedVersion = Decoded({0xFF, 0xEB, 0x90, 0x64});
    EXPECT_EQ(reservedVersion.Bitrate(), 0);
    EXPECT_EQ(reservedVersion.SamplesPerFrame(), 0);
    EXPECT_EQ(reservedVersion.FrameLength(), 0);
    EXPECT_EQ(reservedVersion.VersionText(), "Undefined Layer III");
    EXPECT_EQ(Decoded({0xFF, 0xF9, 0x90, 0x64}).VersionText(), "MPEG-1 ");
    EXPECT_EQ(Decoded({0xFF, 0xFB, 0x00, 0x64}).FrameLength(), 0);
}

// The search reads MaxMPEGFrameLength past a header to confirm it, so no valid header may announce more.
TEST(MPEGHeader, NoValidHeaderAnnouncesMoreThanTheLongestFrame)
{
    int longest = 0;
    for (int b1 = 0xE0; b1 <= 0xFF; ++b1)
        for (int b2 = 0; b2 <= 0xFF; ++b2) {
            const Bytes bytes = {0xFF, static_cast<std::uint8_t>(b1), static_cast<std::uint8_t>(b2), 0x00};
            if (IsValidMPEGHeader(bytes, 0))
                longest = std::max(longest, Decoded({0xFF, bytes[1], bytes[2], 0x00}).FrameLength());
        }
    EXPECT_EQ(longest, static_cast<int>(MaxMPEGFrameLength));
}

} // namespace
