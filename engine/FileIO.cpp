#include "FileIO.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIO {

std::int64_t Length(int fd)
{
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0)
        return -1;
    return info.st_size;
}

std::int64_t ReadAt(int fd, std::int64_t offset, void* buffer, std::size_t count)
{
    if (fd < 0 || offset < 0)
        return -1;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(fd, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

bool WriteAt(int fd, std::int64_t offset, const void* data, std::size_t count)
{
    if (fd < 0 || offset < 0)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = pwrite(fd, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace FileIO
