#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Where the walk over a frame area takes its bytes from: memory, or the file through its read-ahead. Offsets are
// from the start of the area.
class FrameAreaSource {
public:
    virtual ~FrameAreaSource() = default;
    // The bytes [offset, offset + count), fewer only when the area ends or cannot be read; valid until the next
    // call.
    virtual std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t count) = 0;
    // Whether those bytes are at hand without reading the file.
    virtual bool Holds(std::size_t offset, std::size_t count) const = 0;
};

// An area that lies whole in memory.
class MemoryFrameSource : public FrameAreaSource {
public:
    MemoryFrameSource(const std::uint8_t* area, std::size_t size) : Area(area), Size(size) {}
    std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t count) override;
    bool Holds(std::size_t, std::size_t) const override { return true; }

private:
    const std::uint8_t* Area;
    std::size_t Size;
};
