#include "DirectoryScan.h"

#include "FileMask.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};
using DirectoryHandle = std::unique_ptr<DIR, DirectoryCloser>;

struct Listing {
    std::vector<std::string> Files;
    std::vector<std::string> Subdirectories;
};

// The directory chosen by the user may itself be a link; the ones found inside it are never followed.
DirectoryHandle OpenDirectory(const std::string& path, bool followLink)
{
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return nullptr;
    DIR* directory = fdopendir(fd);
    if (!directory)
        close(fd);
    return DirectoryHandle(directory);
}

// The entry's type without following a link; d_type saves the system call on most file systems.
mode_t EntryType(DIR* directory, const dirent& entry)
{
    switch (entry.d_type) {
    case DT_REG: return S_IFREG;
    case DT_DIR: return S_IFDIR;
    case DT_LNK: return S_IFLNK;
    case DT_UNKNOWN: break;
    default: return 0;
    }
    struct stat info {};
    return fstatat(dirfd(directory), entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? info.st_mode & S_IFMT : 0;
}

bool LinksToRegularFile(DIR* directory, const char* name)
{
    struct stat info {};
    return fstatat(dirfd(directory), name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// Puts one entry into the listing where it belongs. A directory may carry an MP3 name too, and hidden files
// are listed.
void AddEntry(DIR* directory, const dirent& entry, Listing& listing)
{
    std::string name = entry.d_name;
    const bool candidate = MatchesFileMask(name, MP3Mask);
    const bool hidden = name.front() == '.';
    if (!candidate && hidden)
        return;
    const mode_t type = EntryType(directory, entry);
    if (type == S_IFDIR && !hidden)
        listing.Subdirectories.push_back(std::move(name));
    else if (candidate && (type == S_IFREG || (type == S_IFLNK && LinksToRegularFile(directory, entry.d_name))))
        listing.Files.push_back(std::move(name));
}

Listing ReadListing(const std::string& path, bool followLink)
{
    Listing listing;
    const DirectoryHandle directory = OpenDirectory(path, followLink);
    if (!directory)
        return listing;
    while (const dirent* entry = readdir(directory.get()))
        AddEntry(directory.get(), *entry, listing);
    // In byte order: std::string compares its chars as unsigned.
    std::sort(listing.Files.begin(), listing.Files.end());
    std::sort(listing.Subdirectories.begin(), listing.Subdirectories.end());
    return listing;
}

std::string WithOneSlash(std::string directory)
{
    while (directory.size() > 1 && directory.back() == '/')
        directory.pop_back();
    if (directory.back() != '/')
        directory += '/';
    return directory;
}

} // namespace

std::size_t ScanDirectory(const std::string& directory,
                          const std::function<void(const std::string& directory, const std::string& name)>& visit)
{
    if (directory.empty())
        return 0;
    std::size_t found = 0;
    // Directories still to walk, the next one on top; a loop instead of recursion, so depth costs no stack.
    std::vector<std::string> pending {WithOneSlash(directory)};
    bool top = true;
    while (!pending.empty()) {
        const std::string current = std::move(pending.back());
        pending.pop_back();
        const Listing listing = ReadListing(current, std::exchange(top, false));
        for (const std::string& name : listing.Files)
            visit(current, name);
        found += listing.Files.size();
        for (auto name = listing.Subdirectories.rbegin(); name != listing.Subdirectories.rend(); ++name)
            pending.push_back(current + *name + '/');
    }
    return found;
}
