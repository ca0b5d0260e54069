#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A new version of a file, written into "TMP<n>.$$$" in the file's own directory (created exclusively, so no
// other file is ever overwritten) and then put in the file's place in one atomic step. Until Commit succeeds,
// destroying the object removes the temporary file and leaves the original as it was.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // The temporary file exists and no write has failed so far.
    bool IsGood() const { return Fd >= 0 && Good; }
    // Appends bytes to the new version.
    bool Write(const void* data, std::size_t count);
    // Appends count zero bytes.
    bool WriteZeros(std::uint64_t count);
    // Appends bytes [from, end of file) of source, read through a buffer of bufferSize bytes; false unless exactly
    // expected bytes arrived.
    bool CopyFrom(int source, std::int64_t from, std::int64_t expected, std::size_t bufferSize);
    // Gives the new version the owner and permission bits of original, flushes it to the disk and puts it in
    // place of the target.
    bool Commit(int original);

private:
    bool CreateTemporary();

    std::string Target;
    std::string TempPath;
    int Fd = -1;
    std::int64_t Written = 0;
    bool Good = true;
    bool Committed = false;
};
