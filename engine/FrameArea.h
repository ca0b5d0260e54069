#pragma once

#include "RawFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The frames of an ID3v2 tag: the bytes behind the header and extended header, up to the end of the tag or of
// the file, whichever comes first.
struct FrameArea {
    // In file order, in the 10-byte header layout; frames of a version 2.2 tag converted to version 2.3.
    std::vector<RawFrame> Frames;
    // Where the walk met something that cannot be a frame (an invalid ID, a size running past the area), the
    // bytes from there on without the zero padding at their end, kept so that writing loses nothing. The walk
    // also ends at zero padding; what lies behind that is not part of the tag.
    std::vector<std::uint8_t> Tail;
    // False when the tag holds what cannot be written back as version 2.3: a compressed version 2.2 tag, or a
    // version 2.2 frame without a version 2.3 form, or a version 2.2 tag whose walk broke off.
    bool Writable = true;

    // Walks the area; never reads past `size` bytes. `tagFlags` is the header's flag byte.
    static FrameArea Read(const std::uint8_t* area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags);
};
