#include "SideFiles.h"

#include "StringOps.h"
#include "TMP3File.h"

std::string SideFilePath(const std::string& directory, const std::string& caption, TagVersion version)
{
    const char* extension = version == TagVersion::ID3v1 ? ".id1" : ".id2";
    return directory + StripExtension(caption.substr(caption.rfind('/') + 1)) + extension;
}

SideFileResult WriteSideFile(const std::string& path, const std::string& sidePath, TagVersion version)
{
    TMP3File engine(path);
    const bool id3v1 = version == TagVersion::ID3v1;
    const bool hasTag = id3v1 ? engine.ReadID3v1() && engine.HasID3v1() : engine.ReadID3v2() && engine.HasID3v2();
    if (!hasTag)
        return SideFileResult::NoTag;
    const bool written = id3v1 ? engine.ExportID3v1(sidePath) : engine.ExportID3v2(sidePath);
    return written ? SideFileResult::Written : SideFileResult::Failed;
}
