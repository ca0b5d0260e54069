#pragma once

#include "MPEGAudioProperties.h"

#include <cstdint>
#include <string>

// What the file information window shows of one file: its size, which tags it has, the ID3v2 tag's size and its
// first MPEG audio frame.
struct FileInformation {
    bool Readable = false;
    std::int64_t Size = 0;
    bool HasID3v1 = false;
    bool HasID3v2 = false;
    int ID3v2Size = 0;
    MPEGAudioProperties Audio;
};

FileInformation ReadFileInformation(const std::string& path);
