#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// One ID3v2 frame in the 10-byte header layout of versions 2.3 and 2.4: the header bytes as read (ID, size,
// two flag bytes) and the body bytes as stored.
//
// The body of a large picture or other binary frame may be left in the file when the tag is read (the file list
// reads thousands of tags and shows none of them); it is then loaded before the frame is written.
struct RawFrame {
    // Where a body left in the file lies: its offset in the frame area and its size.
    struct BodyInFile {
        std::uint64_t Offset = 0;
        std::uint32_t Size = 0;
    };

    std::array<std::uint8_t, 10> Header{};
    std::vector<std::uint8_t> Body;
    std::optional<BodyInFile> Deferred;

    static RawFrame Make(std::string_view id, std::array<std::uint8_t, 2> flags, std::vector<std::uint8_t> body);

    std::string_view ID() const;
    std::uint16_t Flags() const;
    // The frame's data as its text parser needs it: unsynchronisation undone and the group byte and data length
    // of the format flags skipped. Empty when the data is compressed or encrypted, which the engine cannot undo,
    // or when the body was left in the file.
    std::optional<std::vector<std::uint8_t>> Content(std::uint8_t version) const;
    // Appends header and body, the header's size bytes encoded for the version written. The body must be loaded.
    void AppendTo(std::vector<std::uint8_t>& out, std::uint8_t version) const;
    std::uint64_t WrittenSize() const;
};
