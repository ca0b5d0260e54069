#include "ListedFiles.h"

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

std::optional<std::string> RealPath(const std::string& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    if (!resolved)
        return std::nullopt;
    return std::string(resolved.get());
}

// A name that no longer exists (a file just renamed away) still has the key it was recorded under, unless it
// was a link: then the key is its target's path, which the rename did not change.
std::string Key(const std::string& directory, const std::string& name)
{
    if (auto path = RealPath(directory + name))
        return *std::move(path);
    if (auto parent = RealPath(directory))
        return *parent + (parent->ends_with('/') ? "" : "/") + name;
    return directory + name;
}

} // namespace

bool ListedFiles::Contains(const std::string& directory, const std::string& name) const
{
    return Paths.contains(Key(directory, name));
}

bool ListedFiles::Insert(const std::string& directory, const std::string& name)
{
    return Paths.insert(Key(directory, name)).second;
}

void ListedFiles::Rename(const std::string& directory, const std::string& oldName, const std::string& newName)
{
    Paths.erase(Key(directory, oldName));
    Paths.insert(Key(directory, newName));
}

void ListedFiles::Clear()
{
    Paths.clear();
}
