#pragma once

#include "FrameAreaSource.h"
#include "RawFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The frames of an ID3v2 tag: the bytes behind the header and extended header, up to the end of the tag or of
// the file, whichever comes first. The walk ends at zero padding and at anything that cannot be a frame (an
// invalid ID, a size running past the area). What lies from there on is not read as frames by any reader, and
// it is not written back either: carried behind new frames it would be parsed again, as a cut-off frame that
// hides a title just saved or as the end of the frame before it.
struct FrameArea {
    // In file order, in the 10-byte header layout; frames of a version 2.2 tag converted to version 2.3.
    std::vector<RawFrame> Frames;
    // False when the tag holds what cannot be written back as version 2.3: a compressed version 2.2 tag, or a
    // version 2.2 frame without a version 2.3 form, or a version 2.2 tag whose walk broke off.
    bool Writable = true;

    // Walks the area; never reads past `size` bytes. `tagFlags` is the header's flag byte. From a source that
    // does not hold a large binary body, the frame keeps only where its body lies (see RawFrame).
    static FrameArea Read(FrameAreaSource& area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags);
    static FrameArea Read(const std::uint8_t* area, std::size_t size, std::uint8_t version, std::uint8_t tagFlags);
};
