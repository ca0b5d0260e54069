#include "MPEGHeader.h"

namespace {

constexpr std::uint8_t MPEG1 = 3;
constexpr std::uint8_t LayerIII = 1;
constexpr std::uint8_t LayerI = 3;

constexpr std::array<const char*, 4> VersionNames = {"MPEG-2.5", "Undefined", "MPEG-2", "MPEG-1"};
constexpr std::array<const char*, 4> LayerNames = {"", "Layer III", "Layer II", "Layer I"};
constexpr std::array<const char*, 4> ChannelModeNames = {"Stereo", "Joint Stereo", "Dual Channel", "Mono"};
constexpr std::array<const char*, 4> EmphasisNames = {"None", "50/15 ms", "Undefined", "CCITT j.17"};

using BitrateRow = std::array<int, 16>;
// MPEG-1, by layer (I, II, III).
constexpr std::array<BitrateRow, 3> MPEG1Bitrates = {{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
}};
// MPEG-2 and MPEG-2.5 (the lower sampling frequencies), Layer I and Layers II/III.
constexpr BitrateRow LowRateLayerIBitrates = {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0};
constexpr BitrateRow LowRateBitrates = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};

constexpr std::array<std::array<int, 4>, 4> SampleRates = {{
    {11025, 12000, 8000, 0}, // MPEG-2.5
    {0, 0, 0, 0},            // reserved
    {22050, 24000, 16000, 0},
    {44100, 48000, 32000, 0},
}};

bool KnownVersionAndLayer(const MPEGHeader& header)
{
    return header.VersionID != 1 && header.Layer != 0;
}

} // namespace

int MPEGHeader::Bitrate() const
{
    if (!KnownVersionAndLayer(*this))
        return 0;
    if (VersionID == MPEG1)
        return MPEG1Bitrates[LayerI - Layer][BitrateIndex & 0x0F];
    return (Layer == LayerI ? LowRateLayerIBitrates : LowRateBitrates)[BitrateIndex & 0x0F];
}

int MPEGHeader::SampleRate() const
{
    return SampleRates[VersionID & 0x03][SampleRateIndex & 0x03];
}

int MPEGHeader::SamplesPerFrame() const
{
    if (!KnownVersionAndLayer(*this))
        return 0;
    if (Layer == LayerI)
        return 384;
    if (Layer == LayerIII && VersionID != MPEG1)
        return 576;
    return 1152;
}

int MPEGHeader::FrameLength() const
{
    const long bitrate = Bitrate();
    const long sampleRate = SampleRate();
    if (bitrate <= 0 || sampleRate <= 0)
        return 0;
    // Bytes = samples per frame / 8 x bitrate / sample rate; Layer I counts whole 4-byte slots (12 per 384 samples).
    if (Layer == LayerI)
        return static_cast<int>((12000 * bitrate / sampleRate + Padding) * 4);
    return static_cast<int>(SamplesPerFrame() / 8 * 1000 * bitrate / sampleRate + Padding);
}

bool MPEGHeader::SameStreamAs(const MPEGHeader& other) const
{
    return VersionID == other.VersionID && Layer == other.Layer && SampleRateIndex == other.SampleRateIndex;
}

std::string MPEGHeader::VersionName() const { return VersionNames[VersionID & 0x03]; }
std::string MPEGHeader::LayerName() const { return LayerNames[Layer & 0x03]; }
std::string MPEGHeader::ChannelModeName() const { return ChannelModeNames[ChannelMode & 0x03]; }
std::string MPEGHeader::EmphasisName() const { return EmphasisNames[Emphasis & 0x03]; }

std::string MPEGHeader::VersionText() const
{
    return VersionName() + " " + LayerName();
}

void DecodeMPEGHeader(MPEGHeader& header)
{
    const auto& b = header.Bytes;
    header.VersionID = (b[1] >> 3) & 0x03;
    header.Layer = (b[1] >> 1) & 0x03;
    header.Protection = b[1] & 0x01;
    header.BitrateIndex = (b[2] >> 4) & 0x0F;
    header.SampleRateIndex = (b[2] >> 2) & 0x03;
    header.Padding = (b[2] >> 1) & 0x01;
    header.Private = b[2] & 0x01;
    header.ChannelMode = (b[3] >> 6) & 0x03;
    header.ModeExtension = (b[3] >> 4) & 0x03;
    header.Copyright = (b[3] >> 3) & 0x01;
    header.Original = (b[3] >> 2) & 0x01;
    header.Emphasis = b[3] & 0x03;
}

MPEGHeader MPEGHeaderAt(std::span<const std::uint8_t> buffer, std::size_t position)
{
    MPEGHeader header;
    for (std::size_t i = 0; i < header.Bytes.size(); ++i)
        header.Bytes[i] = buffer[position + i];
    DecodeMPEGHeader(header);
    return header;
}

bool IsValidMPEGHeader(std::span<const std::uint8_t> buffer, std::size_t position)
{
    if (position >= buffer.size() || buffer.size() - position < 4)
        return false;
    if (buffer[position] != 0xFF || (buffer[position + 1] & 0xE0) != 0xE0)
        return false;
    const MPEGHeader header = MPEGHeaderAt(buffer, position);
    // Free format (bitrate index 0) is refused too: its frames have no computable length.
    return KnownVersionAndLayer(header) && header.SampleRateIndex != 3 && header.BitrateIndex != 0
        && header.BitrateIndex != 15 && header.Emphasis != 2;
}
