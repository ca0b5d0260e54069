#pragma once

#include "ID3v2Frames.h"

#include <cstdint>
#include <optional>
#include <vector>

// Where a tag is to be written: the file's length, the tag area now at its start (0 for none) and whether it
// ends in an ID3v1 tag.
struct ID3v2Placement {
    std::uint64_t FileSize = 0;
    std::uint64_t TagSize = 0;
    bool HasID3v1 = false;
};

// The complete tag for the start of the file, as long as the area it takes (see ID3v2Size::TagAreaSize): the
// header with the synchsafe size, the frames, zero padding, and for a version 2.4 tag with the footer flag the
// footer in the last 10 bytes. When its length is the current TagSize it is written in place; otherwise the
// audio has to move to the new length first.
//
// `revision` and `tagFlags` are those of the header read. The tag is written with the frames' WriteVersion;
// a tag of another version than 3 or 4 gets revision 0 and no flags. The extended header is not written (its
// CRC and padding size would be stale) and unsynchronisation is not applied, so both flags are cleared.
//
// Empty when the tag cannot be written: frames that cannot be written back or whose bodies are still in the
// file, a tag above the synchsafe size limit, or a tag area recorded as larger than the file or reaching into
// its ID3v1 tag.
std::optional<std::vector<std::uint8_t>> ComposeID3v2Tag(const ID3v2Frames& frames, std::uint8_t revision,
                                                         std::uint8_t tagFlags, const ID3v2Placement& placement);
