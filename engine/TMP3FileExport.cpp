// Side files: one tag of the file copied into a file of its own. The MP3 file is only read.
#include "TMP3File.h"

#include "FileReplacement.h"

#include <sys/stat.h>

namespace {

// Two names for one file: the side file would overwrite the MP3 it is made from.
bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat first {};
    struct stat second {};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

// Written whole into a temporary file beside it and put in place in one step, so an old side file of that name
// is replaced only by a complete new one.
bool WriteSideFile(const std::string& path, std::span<const std::uint8_t> content)
{
    FileReplacement side(path, S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH);
    return side.Write(content.data(), content.size()) && side.Commit();
}

} // namespace

bool TMP3File::ExportID3v1(const std::string& sidePath)
{
    if (!HasID3v1() || IsSameFile(sidePath, FileName))
        return false;
    return WriteSideFile(sidePath, V1.Bytes());
}

bool TMP3File::ExportID3v2(const std::string& sidePath)
{
    if (!HasID3v2() || IsSameFile(sidePath, FileName) || !EnsureOpen())
        return false;
    // The tag exactly as WriteID3v2Tag would put it into this file, padding included.
    const auto tag = ComposeTag();
    return tag && WriteSideFile(sidePath, *tag);
}
