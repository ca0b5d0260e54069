#include "DirectoryEntries.h"

#include "FileMask.h"

#include <algorithm>
#include <filesystem>

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// "B.MP3" between "a.mp3" and "c.mp2"; names equal but for case in byte order, so the order is total.
bool SortsBefore(const std::string& a, const std::string& b)
{
    const auto lowerBefore = [](char x, char y) { return Lower(x) < Lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lowerBefore))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lowerBefore))
        return false;
    return a < b;
}

template <class Wanted>
std::vector<std::string> VisibleEntries(const std::string& directory, Wanted wanted)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(directory, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = entry->path().filename().native();
        if (!name.starts_with('.') && wanted(*entry, name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), SortsBefore);
    return names;
}

} // namespace

std::vector<std::string> Subdirectories(const std::string& directory)
{
    return VisibleEntries(directory, [](const std::filesystem::directory_entry& entry, const std::string&) {
        std::error_code unreadable;
        return entry.is_directory(unreadable);
    });
}

std::vector<std::string> MatchingFiles(const std::string& directory, std::string_view mask)
{
    return VisibleEntries(directory, [mask](const std::filesystem::directory_entry& entry, const std::string& name) {
        std::error_code unreadable;
        return MatchesFileMask(name, mask) && entry.is_regular_file(unreadable);
    });
}
