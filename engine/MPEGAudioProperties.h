#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "MPEGFrameFinder.h"

// What a file's first MPEG frame tells about its audio: the stream type, bitrate, frame count and playing
// time. A default-constructed object stands for a file without audio.
class MPEGAudioProperties {
public:
    MPEGAudioProperties() = default;
    // window: the file's bytes from audioStart on, up to MPEGSearchWindow of them and not past audioEnd
    // (the file size, less the ID3v1 tag when there is one).
    static MPEGAudioProperties Analyse(std::span<const std::uint8_t> window, std::int64_t audioStart,
                                       std::int64_t audioEnd);

    bool Found() const { return SyncOffset_ >= 0; }
    // File offset of the first frame header; -1 when none was found.
    std::int64_t SyncOffset() const { return SyncOffset_; }
    const MPEGHeader& Header() const { return Frame.Header; }
    const MPEGVBRHeader& VBRHeader() const { return Frame.VBRHeader; }

    // "MPEG-1 Layer III"; empty when no frame was found.
    std::string VersionText() const;
    // kbit/s: the average for a variable bitrate, else the first frame's; 0 when no frame was found.
    int Bitrate() const;
    // Hz; 0 when no frame was found.
    int SampleRate() const;
    // Bytes of the first frame; 1 when no frame was found.
    int FrameLength() const;
    // The VBR header's count, else the audio bytes over the frame length; 0 when no frame was found.
    int FrameCount() const;
    std::int64_t LengthMilliseconds() const;
    // Playing time rounded up to a whole second.
    int TotalSeconds() const;
    int Minutes() const { return TotalSeconds() / 60; }
    int Seconds() const { return TotalSeconds() % 60; }
    // "3:08".
    std::string LengthText() const;

private:
    std::int64_t FrameCount64() const;
    std::int64_t Samples() const;

    std::int64_t SyncOffset_ = -1;
    std::int64_t AudioBytes = 0; // from the first frame to the end of the audio
    MPEGFrame Frame;
};
