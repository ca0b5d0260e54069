#pragma once

#include <cstddef>
#include <cstdint>

// Whole-buffer reads and writes at absolute offsets on a POSIX file descriptor, so no caller depends on the
// descriptor's position and every short transfer is noticed.
namespace FileIO {

// The file's current length; -1 when it cannot be asked.
std::int64_t Length(int fd);
// Reads up to count bytes at offset, going on after partial reads; the number read (less only at the end of the
// file), or -1 on an error.
std::int64_t ReadAt(int fd, std::int64_t offset, void* buffer, std::size_t count);
// Writes all count bytes at offset; false when any of them could not be written.
bool WriteAt(int fd, std::int64_t offset, const void* data, std::size_t count);

} // namespace FileIO
