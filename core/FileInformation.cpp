#include "FileInformation.h"

#include "TMP3File.h"

FileInformation ReadFileInformation(const std::string& path)
{
    TMP3File engine(path);
    FileInformation information;
    information.Readable = engine.ReadID3v1();
    if (!information.Readable)
        return information;
    engine.ReadID3v2Header();
    information.Size = engine.GetFileSize();
    information.HasID3v1 = engine.HasID3v1();
    information.HasID3v2 = engine.HasID3v2();
    information.ID3v2Size = engine.GetID3v2Size();
    information.Audio = engine.GetMPEGAudio();
    return information;
}
