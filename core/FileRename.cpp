#include "FileRename.h"

#include "DisplayName.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

bool DiffersOnlyInCase(const std::string& a, const std::string& b)
{
    return a != b && DisplayName(a).compare(DisplayName(b), Qt::CaseInsensitive) == 0;
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
    if (result != RenameResult::NameTaken || !DiffersOnlyInCase(from, to) || !IsSameEntry(from, to))
        return result;
    return std::rename(from.c_str(), to.c_str()) == 0 ? RenameResult::Renamed : RenameResult::Failed;
}
