#pragma once

#include <cstdint>
#include <string>

class TMP3File;

// The fields of an ID3v1 tag as the editor hands them to the engine: Latin-1 texts, a track number (stored only
// from 1 to 255) and the genre byte.
struct ID3v1Values {
    std::string Title, Artist, Album, Year, Comment;
    int Track = 0;
    std::uint8_t Genre = 255;
};

// The engine's record as read.
ID3v1Values ReadID3v1Values(const TMP3File& engine);
// Into the engine's record; a track out of range leaves the record's track as it is. The comment goes last, so
// that it knows whether a track takes its last two bytes.
void StoreID3v1Values(TMP3File& engine, const ID3v1Values& values);
