#pragma once

#include <string>

class TMP3File;

// The fields of an ID3v1 tag as texts, the way the editor and the commands hand them on: the record's texts, the
// track as its number in decimal ("" for none) and the genre byte in decimal.
struct ID3v1Values {
    std::string Title, Artist, Album, Year, Comment, Track, Genre = "255";

    bool operator==(const ID3v1Values&) const = default;
};

// The engine's record as read.
ID3v1Values ReadID3v1Values(const TMP3File& engine);
// Into the engine's record, from a cleared one: a track that is no number from 1 to 255 stores none, a genre that
// is no number from 0 to 255 stores 255. The comment goes last, so that it knows whether a track takes its last two
// bytes.
void StoreID3v1Values(TMP3File& engine, const ID3v1Values& values);
