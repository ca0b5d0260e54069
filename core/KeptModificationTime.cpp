#include "KeptModificationTime.h"

#include <fcntl.h>
#include <sys/stat.h>

KeptModificationTime::KeptModificationTime(const std::string& path, bool keep)
    : Path(path)
{
    struct stat info {};
    if (keep && stat(path.c_str(), &info) == 0)
        Time = info.st_mtim;
}

KeptModificationTime::~KeptModificationTime()
{
    if (!Time)
        return;
    const timespec times[2] = {{0, UTIME_OMIT}, *Time};
    utimensat(AT_FDCWD, Path.c_str(), times, 0);
}
