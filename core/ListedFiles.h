#pragma once

#include <string>
#include <unordered_set>

// The files already in the MP3 list, by canonical path: the same file reached through two spellings ("./",
// "sub/../", a link to its directory or to the file itself) is one row, while names that differ only in
// letter case are two. A hash set keeps each test constant time, so a load of 100,000 files stays linear.
class ListedFiles {
public:
    // The canonical path a file is listed under. Finding it costs a system call, so a load asks once a file.
    std::string Key(const std::string& directory, const std::string& name) const;
    bool Contains(const std::string& key) const;
    // Records the file when its row is added; false when it was there already.
    bool Insert(std::string key);
    // After a listed file was renamed on disk within its directory.
    void Rename(const std::string& directory, const std::string& oldName, const std::string& newName);
    void Clear();

private:
    const std::string& RealDirectory(const std::string& directory) const;

    std::unordered_set<std::string> Paths;
    mutable std::string LastDirectory;
    mutable std::string LastRealDirectory;
};
