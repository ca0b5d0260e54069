#include "ListRow.h"

#include "TMP3File.h"

#include <sys/stat.h>

int RowImage(bool hasID3v1, bool hasID3v2)
{
    if (hasID3v1)
        return hasID3v2 ? 0 : 2;
    return hasID3v2 ? 3 : 1;
}

std::string RowTitle(TMP3File& file)
{
    if (file.HasID3v2())
        return file.GetID3v2Title();
    return file.HasID3v1() ? file.GetID3v1Title() : std::string();
}

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::optional<ListRow> ReadListRow(const std::string& directory, const std::string& name)
{
    const std::string path = directory + name;
    // The engine opens without O_NONBLOCK, and opening a FIFO waits for a writer.
    if (!IsRegularFile(path))
        return std::nullopt;
    TMP3File file;
    file.SetFileName(path);
    if (!file.ReadTags())
        return std::nullopt;
    file.ReadMPEGHeader();
    return ListRow {directory, name, name, RowTitle(file), file.GetLengthText(), file.GetFileSize(),
                    file.GetBitrate(), file.HasID3v1(), file.HasID3v2()};
}
