#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return Path; }
    std::filesystem::path file(const std::string& name) const { return Path / name; }
    // Whether the engine left one of its temporary files ("TMP<n>.$$$") behind.
    bool HasTemporaryFile() const;

private:
    std::filesystem::path Path;
};

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const Bytes& content);

Bytes Concat(std::initializer_list<Bytes> parts);
// Bytes [from, from + count) of data, cut to its end.
Bytes Slice(const Bytes& data, std::size_t from, std::size_t count = SIZE_MAX);
