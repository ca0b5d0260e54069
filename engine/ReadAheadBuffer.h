#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

// One piece of a file, read with as many bytes beyond a request as the caller knows it will want next, so that
// the reads that follow need no system call, or one for the bytes still missing. A file's tag and the start of
// its audio then take one or two reads, each byte copied from the kernel once.
class ReadAheadBuffer {
public:
    // The bytes [offset, offset + count) of the file as far as it holds them (fewer only at its end); none when
    // it cannot be read. With reuse they may come from the piece read before, which then grows to take `ahead`
    // more bytes; else exactly they are read afresh. The bytes stay valid until the next Read or Clear.
    std::optional<std::span<const std::uint8_t>> Read(int fd, std::int64_t offset, std::size_t count,
                                                      std::size_t ahead, bool reuse);
    // How many bytes from offset on the piece holds; 0 when it does not hold that offset.
    std::size_t Held(std::int64_t offset) const;
    // Forgets the piece and gives back its memory, for when the file may change or is closed.
    void Clear();

private:
    bool Holds(std::int64_t offset, std::size_t count) const;
    bool Extends(std::int64_t offset) const;
    void Reserve(std::size_t size, std::size_t keep);
    std::span<const std::uint8_t> View(std::int64_t offset, std::size_t count) const;

    std::unique_ptr<std::uint8_t[]> Data;
    std::size_t Capacity = 0;
    std::int64_t Offset = 0;
    std::size_t Size = 0;
    bool Valid = false;
    // The read stopped short at the end of the file: nothing lies beyond the piece.
    bool ReachesEnd = false;
};
