#pragma once

#include <ctime>
#include <optional>
#include <string>

// A file's modification time taken when this is made and put back when it ends, for players and backup tools that
// sort files by it; nothing when not asked to keep it. Made before a command's engine, so that it ends after every
// write of the command (a rewrite replaces the file, and the time is put on the file that then has the name).
class KeptModificationTime {
public:
    KeptModificationTime(const std::string& path, bool keep);
    ~KeptModificationTime();
    KeptModificationTime(const KeptModificationTime&) = delete;
    KeptModificationTime& operator=(const KeptModificationTime&) = delete;

private:
    std::string Path;
    std::optional<timespec> Time;
};
