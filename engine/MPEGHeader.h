#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// One MPEG audio frame header: the four bytes as found and their bit fields.
struct MPEGHeader {
    std::array<std::uint8_t, 4> Bytes{};

    std::uint8_t VersionID = 0;       // 0 MPEG-2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1
    std::uint8_t Layer = 0;           // 0 reserved, 1 Layer III, 2 Layer II, 3 Layer I
    std::uint8_t Protection = 0;      // 0: a CRC follows the header
    std::uint8_t BitrateIndex = 0;
    std::uint8_t SampleRateIndex = 0;
    std::uint8_t Padding = 0;
    std::uint8_t Private = 0;
    std::uint8_t ChannelMode = 0;     // 3 is mono
    std::uint8_t ModeExtension = 0;
    std::uint8_t Copyright = 0;
    std::uint8_t Original = 0;
    std::uint8_t Emphasis = 0;

    // kbit/s; 0 for free format, a bad index, a reserved version or layer.
    int Bitrate() const;
    // Hz; 0 for a reserved index or version.
    int SampleRate() const;
    // 384, 1152 or 576; 0 for a reserved layer or version.
    int SamplesPerFrame() const;
    // Bytes of this frame, its padding included; 0 when bitrate or sample rate is 0.
    int FrameLength() const;
    bool IsMono() const { return ChannelMode == 3; }
    // Same stream: version, layer and sample rate agree.
    bool SameStreamAs(const MPEGHeader& other) const;

    std::string VersionName() const;
    std::string LayerName() const;
    std::string ChannelModeName() const;
    std::string EmphasisName() const;
    // Version name, a space, layer name: "MPEG-1 Layer III".
    std::string VersionText() const;
};

// The longest frame any valid header can announce (MPEG-2.5 Layer II, 160 kbit/s, 8000 Hz, padded).
constexpr std::size_t MaxMPEGFrameLength = 2881;

// Fills the decoded fields from header.Bytes.
void DecodeMPEGHeader(MPEGHeader& header);
// The four bytes at the position (all inside the buffer) hold the sync bits and no reserved or unusable value.
bool IsValidMPEGHeader(std::span<const std::uint8_t> buffer, std::size_t position);
// The header held by the four bytes at the position, decoded; the position must leave four bytes.
MPEGHeader MPEGHeaderAt(std::span<const std::uint8_t> buffer, std::size_t position);
