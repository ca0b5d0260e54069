#include "ReadAheadBuffer.h"

#include "FileIO.h"

#include <algorithm>

std::optional<std::span<const std::uint8_t>> ReadAheadBuffer::Read(int fd, std::int64_t offset, std::size_t count,
                                                                   std::size_t ahead, bool reuse)
{
    if (offset < 0)
        return std::nullopt;
    if (reuse && Holds(offset, count))
        return View(offset, count);
    // A request that starts inside the piece adds to it the bytes it lacks; any other replaces it.
    const bool extends = reuse && Extends(offset);
    const std::int64_t from = extends ? Offset : offset;
    const std::size_t keep = extends ? Size : 0;
    const std::size_t wanted = static_cast<std::size_t>(offset - from) + count + (reuse ? ahead : 0);
    Valid = false;
    Reserve(wanted, keep);
    const std::int64_t got = FileIO::ReadAt(fd, from + static_cast<std::int64_t>(keep), Data.get() + keep,
                                            wanted - keep);
    if (got < 0)
        return std::nullopt;
    Offset = from;
    Size = keep + static_cast<std::size_t>(got);
    ReachesEnd = Size < wanted;
    Valid = reuse;
    return View(offset, count);
}

std::size_t ReadAheadBuffer::Held(std::int64_t offset) const
{
    return Extends(offset) ? Size - static_cast<std::size_t>(offset - Offset) : 0;
}

void ReadAheadBuffer::Clear()
{
    Data.reset();
    Capacity = Size = 0;
    Valid = ReachesEnd = false;
}

bool ReadAheadBuffer::Holds(std::int64_t offset, std::size_t count) const
{
    if (!Extends(offset))
        return false;
    return count <= Size - static_cast<std::size_t>(offset - Offset) || ReachesEnd;
}

bool ReadAheadBuffer::Extends(std::int64_t offset) const
{
    return Valid && offset >= Offset && static_cast<std::uint64_t>(offset - Offset) <= Size;
}

void ReadAheadBuffer::Reserve(std::size_t size, std::size_t keep)
{
    if (size <= Capacity)
        return;
    // Every byte is read before it is looked at, so there is no point in zeroing them first.
    auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(size);
    std::copy_n(Data.get(), keep, grown.get());
    Data = std::move(grown);
    Capacity = size;
}

std::span<const std::uint8_t> ReadAheadBuffer::View(std::int64_t offset, std::size_t count) const
{
    const std::size_t start = static_cast<std::size_t>(offset - Offset);
    return {Data.get() + start, std::min(count, Size - start)};
}
