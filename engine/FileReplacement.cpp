#include "FileReplacement.h"

#include "FileIO.h"
#include "FileReplaceStep.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Numbers of temporary files count up over the life of the process; a name that exists is skipped.
unsigned NextNumber = 1;
constexpr unsigned MaxNameAttempts = 1000;

// The file a symbolic link points to, so that the link stays a link and its target gets the new content.
std::string ResolvedTarget(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

// The directory part of a path with its trailing slash, empty for a bare file name.
std::string DirectoryPrefix(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A rewritten file keeps its owner where the process may set it, and always its permission bits. A file system
// without permissions (FAT) refuses the change but already shows the same bits.
bool TakeOwnerAndMode(int fd, int original)
{
    struct stat wanted {};
    struct stat current {};
    if (fstat(original, &wanted) != 0 || fstat(fd, &current) != 0)
        return false;
    if (wanted.st_uid != current.st_uid || wanted.st_gid != current.st_gid)
        (void)!fchown(fd, wanted.st_uid, wanted.st_gid);
    const mode_t bits = wanted.st_mode & 07777;
    if (fchmod(fd, bits) == 0)
        return true;
    return fstat(fd, &current) == 0 && (current.st_mode & 07777) == bits;
}

// The first free name "TMP<n>.$$$" in the directory, given to the new version by make, which fails with EEXIST
// where the name is taken, so that no other file is ever replaced. Empty when no name could be taken.
std::string TakeFreeName(const std::string& prefix, const std::function<bool(const std::string&)>& make)
{
    for (unsigned attempt = 0; attempt < MaxNameAttempts; ++attempt) {
        std::string name = prefix + "TMP" + std::to_string(NextNumber++) + ".$$$";
        if (make(name))
            return name;
        if (errno != EEXIST)
            break;
    }
    return {};
}

// Makes the rename itself survive a power cut; a failure here does not undo the replacement.
void SyncDirectory(const std::string& prefix)
{
    const int dir = open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return;
    (void)fsync(dir);
    close(dir);
}

} // namespace

FileReplacement::FileReplacement(const std::string& path, mode_t creationMode)
    : Target(ResolvedTarget(path))
    , CreationMode(creationMode)
{
    Good = CreateTemporary();
}

FileReplacement::~FileReplacement()
{
    if (Fd >= 0)
        close(Fd);
    if (!Committed && !TempPath.empty())
        unlink(TempPath.c_str());
}

bool FileReplacement::CreateTemporary()
{
    const std::string prefix = DirectoryPrefix(Target);
    Fd = FileReplaceStep::OpenUnnamed(prefix.empty() ? "." : prefix.c_str(), CreationMode);
    if (Fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return Fd >= 0;
    // This file system has no unnamed files: the new version has its name from the start.
    TempPath = TakeFreeName(prefix, [this](const std::string& name) {
        Fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, CreationMode);
        return Fd >= 0;
    });
    return Fd >= 0;
}

// Done only once the unnamed new version is complete and flushed, just before it replaces the target, so that a
// kill at any earlier moment leaves nothing behind.
bool FileReplacement::NameTemporary()
{
    const std::string self = "/proc/self/fd/" + std::to_string(Fd);
    TempPath = TakeFreeName(DirectoryPrefix(Target), [&self](const std::string& name) {
        return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    });
    return !TempPath.empty();
}

bool FileReplacement::Write(const void* data, std::size_t count)
{
    if (!IsGood())
        return false;
    Good = FileIO::WriteAt(Fd, Written, data, count);
    if (Good)
        Written += static_cast<std::int64_t>(count);
    return Good;
}

bool FileReplacement::WriteZeros(std::uint64_t count)
{
    const std::vector<unsigned char> zeros(static_cast<std::size_t>(std::min<std::uint64_t>(count, 65536)));
    while (count > 0 && IsGood()) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(count, zeros.size()));
        Write(zeros.data(), chunk);
        count -= chunk;
    }
    return IsGood();
}

bool FileReplacement::CopyFrom(int source, std::int64_t from, std::int64_t expected, std::size_t bufferSize)
{
    std::vector<unsigned char> buffer(bufferSize);
    std::int64_t copied = 0;
    while (IsGood()) {
        const std::int64_t got = FileIO::ReadAt(source, from + copied, buffer.data(), buffer.size());
        if (got < 0)
            Good = false;
        if (got <= 0)
            break;
        Write(buffer.data(), static_cast<std::size_t>(got));
        copied += got;
    }
    // A file that shrank or grew meanwhile, or a read error, must not replace the original.
    Good = IsGood() && copied == expected;
    return Good;
}

bool FileReplacement::Commit(int original)
{
    return IsGood() && TakeOwnerAndMode(Fd, original) && Install();
}

bool FileReplacement::Commit()
{
    return IsGood() && Install();
}

bool FileReplacement::Install()
{
    if (fsync(Fd) != 0 || (TempPath.empty() && !NameTemporary()))
        return false;
    const int fd = Fd;
    Fd = -1;
    if (close(fd) != 0 || FileReplaceStep::Replace(TempPath.c_str(), Target.c_str()) != 0)
        return false;
    Committed = true;
    SyncDirectory(DirectoryPrefix(Target));
    return true;
}
