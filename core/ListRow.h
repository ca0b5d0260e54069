#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TMP3File;

// One row of the MP3 list: a few dozen bytes plus its strings, so 100,000 rows stay small.
struct ListRow {
    std::string Directory;    // bytes, ends in exactly one "/"
    std::string Caption;      // the file's current name (bytes); a rename changes only this
    std::string OriginalName; // its name when the row was added (bytes)
    std::string Title;        // UTF-8
    std::string Length;       // "m:ss"
    std::int64_t Size = 0;
    std::int32_t Bitrate = 0; // kbit/s
    bool HasID3v1 = false;
    bool HasID3v2 = false;

    std::string Path() const { return Directory + Caption; }
};

// What a row shows of a file's tags after a command wrote or removed one.
struct TagState {
    bool HasID3v1 = false;
    bool HasID3v2 = false;
    std::string Title;
    std::int64_t Size = 0;
};

// The row icon: 0 both tags, 1 neither, 2 ID3v1 only, 3 ID3v2 only.
int RowImage(bool hasID3v1, bool hasID3v2);

// The Title column of a file whose tags were read: the ID3v2 title whenever there is an ID3v2 tag (even an
// empty one), else the ID3v1 title, else nothing.
std::string RowTitle(TMP3File& file);
// The state of a file whose tags were read (or written) last.
TagState TagStateOf(TMP3File& file);

// Reads one file with a TMP3File of its own: the row, or nothing when it cannot be read. Only regular files
// are opened, so a FIFO or device named "x.mp3" never blocks the load; a symbolic link to a regular file
// counts as that file.
std::optional<ListRow> ReadListRow(const std::string& directory, const std::string& name);
