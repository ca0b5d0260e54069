#include "ListRow.h"

#include "TMP3File.h"

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

TagState TagStateOf(TMP3File& file)
{
    return {file.HasID3v1(), file.HasID3v2(), RowTitle(file), file.GetFileSize()};
}

std::optional<ListRow> ReadListRow(const std::string& directory, const std::string& name)
{
    // The engine opens only regular files, and never waits on a FIFO named like an MP3 file.
    TMP3File file;
    file.SetFileName(directory + name);
    if (!file.ReadTags())
        return std::nullopt;
    file.ReadMPEGHeader();
    return ListRow {directory, name, name, RowTitle(file), file.GetLengthText(), file.GetFileSize(),
                    file.GetBitrate(), file.HasID3v1(), file.HasID3v2()};
}
