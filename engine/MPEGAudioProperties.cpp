#include "MPEGAudioProperties.h"

#include <algorithm>
#include <climits>
#include <cstdio>

MPEGAudioProperties MPEGAudioProperties::Analyse(std::span<const std::uint8_t> window, std::int64_t audioStart,
                                                 std::int64_t audioEnd)
{
    MPEGAudioProperties result;
    const std::optional<MPEGFrame> frame = FindFirstMPEGFrame(window);
    if (!frame)
        return result;
    result.Frame = *frame;
    result.SyncOffset_ = audioStart + static_cast<std::int64_t>(frame->Offset);
    result.AudioBytes = std::max<std::int64_t>(0, audioEnd - result.SyncOffset_);
    return result;
}

std::string MPEGAudioProperties::VersionText() const
{
    return Found() ? Frame.Header.VersionText() : std::string();
}

int MPEGAudioProperties::Bitrate() const
{
    if (!Found())
        return 0;
    const std::int64_t samples = Samples();
    if (!Frame.VBRHeader.IsVariableBitrate() || samples <= 0)
        return Frame.Header.Bitrate();
    const std::int64_t bytes = Frame.VBRHeader.ByteCount > 0 ? Frame.VBRHeader.ByteCount : AudioBytes;
    // bits per second = bytes * 8 * rate / samples; rounded to whole kbit/s.
    const std::int64_t bitsTimesSamples = bytes * 8 * SampleRate();
    return static_cast<int>((bitsTimesSamples + samples * 500) / (samples * 1000));
}

int MPEGAudioProperties::SampleRate() const
{
    return Found() ? Frame.Header.SampleRate() : 0;
}

int MPEGAudioProperties::FrameLength() const
{
    return std::max(1, Found() ? Frame.Header.FrameLength() : 0);
}

std::int64_t MPEGAudioProperties::FrameCount64() const
{
    if (!Found())
        return 0;
    if (Frame.VBRHeader.FrameCount > 0)
        return Frame.VBRHeader.FrameCount;
    return AudioBytes / FrameLength();
}

int MPEGAudioProperties::FrameCount() const
{
    return static_cast<int>(std::min<std::int64_t>(FrameCount64(), INT_MAX));
}

std::int64_t MPEGAudioProperties::Samples() const
{
    return FrameCount64() * (Found() ? Frame.Header.SamplesPerFrame() : 0);
}

std::int64_t MPEGAudioProperties::LengthMilliseconds() const
{
    const int rate = SampleRate();
    return rate > 0 ? Samples() * 1000 / rate : 0;
}

int MPEGAudioProperties::TotalSeconds() const
{
    const int rate = SampleRate();
    return rate > 0 ? static_cast<int>((Samples() + rate - 1) / rate) : 0;
}

std::string MPEGAudioProperties::LengthText() const
{
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", Minutes(), Seconds());
    return text;
}
