#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>

// A new version of a file, written into a file without a name in the file's own directory, named "TMP<n>.$$$" once
// complete and flushed (never a name that exists, so no other file is ever overwritten) and then put in the file's
// place in one atomic step; where the file system has no unnamed files, it is written under that name from the
// start. Until Commit succeeds, destroying the object removes the temporary file and leaves the original as it was.
class FileReplacement {
public:
    // The temporary file is created with creationMode (less the umask): owner-only for a copy of a file whose
    // own bits it takes at Commit, the usual bits for a file that Commit(void) installs as it is.
    explicit FileReplacement(const std::string& path, mode_t creationMode = S_IRUSR | S_IWUSR);
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
    // Flushes the new version to the disk and puts it in place of the target, with the bits it was created with.
    bool Commit();

private:
    bool CreateTemporary();
    bool NameTemporary();
    bool Install();

    std::string Target;
    mode_t CreationMode;
    std::string TempPath;
    int Fd = -1;
    std::int64_t Written = 0;
    bool Good = true;
    bool Committed = false;
};
