#include "FileRename.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsSameEntry(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return lstat(a.c_str(), &first) == 0 && lstat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

// Whether the directory holds an entry of exactly this name. A file system that ignores letter case finds "A.mp3"
// for "a.mp3" without listing it; a second link of the file is listed under its own name.
bool IsListedName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(opendir(directory.c_str()), closedir);
    if (!entries)
        return true;
    while (const dirent* entry = readdir(entries.get()))
        if (name == entry->d_name)
            return true;
    return false;
}

RenameResult LinkThenUnlink(const std::string& from, const std::string& to)
{
    if (link(from.c_str(), to.c_str()) != 0)
        return errno == EEXIST ? RenameResult::NameTaken : RenameResult::Failed;
    if (unlink(from.c_str()) != 0) {
        unlink(to.c_str());
        return RenameResult::Failed;
    }
    return RenameResult::Renamed;
}

} // namespace

RenameResult RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return RenameResult::Renamed;
    RenameResult result = RenameResult::Failed;
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)
        result = LinkThenUnlink(from, to);
    else if (errno == EEXIST)
        result = RenameResult::NameTaken;
    if (result != RenameResult::NameTaken || !IsSameEntry(from, to) || IsListedName(to))
        return result;
    return std::rename(from.c_str(), to.c_str()) == 0 ? RenameResult::Renamed : RenameResult::Failed;
}
