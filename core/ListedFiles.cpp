#include "ListedFiles.h"

#include <cstdlib>
#include <sys/stat.h>
#include <memory>
#include <optional>
#include <utility>

namespace {

std::optional<std::string> RealPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

} // namespace

// A name that no longer exists (a file just renamed away) still has the key it was recorded under, unless it
// was a link: then the key is its target's path, which the rename did not change.
std::string ListedFiles::Key(const std::string& directory, const std::string& name) const
{
    std::string path = RealDirectory(directory) + name;
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
        if (auto target = RealPath(path))
            return *std::move(target);
    return path;
}

// Resolving every file's whole path costs more than reading its tags; a load asks about many files of one
// directory in a row, so the directory is resolved once and only a file that is itself a link is followed.
const std::string& ListedFiles::RealDirectory(const std::string& directory) const
{
    if (directory != LastDirectory) {
        LastDirectory = directory;
        LastRealDirectory = RealPath(directory).value_or(directory);
        if (!LastRealDirectory.ends_with('/'))
            LastRealDirectory += '/';
    }
    return LastRealDirectory;
}

bool ListedFiles::Contains(const std::string& key) const
{
    return Paths.contains(key);
}

bool ListedFiles::Insert(std::string key)
{
    return Paths.insert(std::move(key)).second;
}

void ListedFiles::Rename(const std::string& directory, const std::string& oldName, const std::string& newName)
{
    Paths.erase(Key(directory, oldName));
    Paths.insert(Key(directory, newName));
}

void ListedFiles::Clear()
{
    Paths.clear();
    LastDirectory.clear();
}
