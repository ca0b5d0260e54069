#include "EngineRoundTrip.h"

#include "Mp3Fixture.h"
#include "TMP3File.h"

#include <algorithm>

namespace {

using FileBytes = Bytes;
using Mp3Fixture::TagAreaOf;

constexpr std::size_t ID3v1Size = 128;

bool EndsWithID3v1(const FileBytes& bytes)
{
    return bytes.size() >= ID3v1Size && std::equal(bytes.end() - ID3v1Size, bytes.end() - ID3v1Size + 3, "TAG");
}

// Behind the tag area, before an ID3v1 tag; empty when the two overlap.
FileBytes Audio(const FileBytes& bytes)
{
    const std::size_t begin = std::min(TagAreaOf(bytes), bytes.size());
    const std::size_t end = std::max(begin, bytes.size() - (EndsWithID3v1(bytes) ? ID3v1Size : 0));
    return Slice(bytes, begin, end - begin);
}

std::uint64_t Fold(std::uint64_t sum, std::uint64_t value)
{
    return (sum ^ value) * 1099511628211ULL;
}

std::uint64_t Fold(std::uint64_t sum, const std::string& text)
{
    for (const char c : text)
        sum = Fold(sum, static_cast<unsigned char>(c));
    return Fold(sum, text.size());
}

std::uint64_t FoldID3v1(std::uint64_t sum, TMP3File& file)
{
    sum = Fold(sum, file.HasID3v1());
    for (const std::string& text : {file.GetID3v1Title(), file.GetID3v1Artist(), file.GetID3v1Album(),
                                    file.GetID3v1Year(), file.GetID3v1Comment(), file.GenreName()})
        sum = Fold(sum, text);
    return Fold(Fold(sum, file.GetID3v1Track()), file.GetID3v1Genre());
}

std::uint64_t FoldID3v2(std::uint64_t sum, TMP3File& file)
{
    sum = Fold(Fold(Fold(sum, file.HasID3v2()), file.GetID3v2Version()), static_cast<std::uint64_t>(file.GetID3v2Size()));
    for (const std::string& text :
         {file.GetID3v2Title(), file.GetID3v2Artist(), file.GetID3v2Album(), file.GetID3v2Comment(),
          file.GetID3v2Track(), file.GetID3v2Year(), file.GetID3v2Genre(), file.GetID3v2Composer(),
          file.GetID3v2OrigArtist(), file.GetID3v2Copyright(), file.GetID3v2EncodedBy(), file.GetID3v2URL()})
        sum = Fold(sum, text);
    sum = Fold(Fold(sum, file.RequiredID3v2Size()), file.AlignedTagSize());
    return Fold(sum, file.GetID3v2Frames().FramesSize());
}

std::uint64_t FoldMPEG(std::uint64_t sum, TMP3File& file)
{
    sum = Fold(Fold(sum, file.ReadMPEGHeader()), static_cast<std::uint64_t>(file.GetSyncOffset()));
    for (const int value : {file.GetBitrate(), file.GetSampleRate(), file.GetFrameLength(), file.GetFrameCount(),
                            file.GetMinutes(), file.GetSeconds()})
        sum = Fold(sum, static_cast<std::uint64_t>(value));
    sum = Fold(Fold(sum, file.GetLengthText()), file.GetMPEGVersionText());
    return Fold(sum, static_cast<std::uint64_t>(file.GetMPEGAudio().LengthMilliseconds()));
}

std::string CheckWrite(const char* what, bool written, const FileBytes& before, const FileBytes& after)
{
    if (!written && after != before)
        return std::string(what) + " failed but changed the file";
    if (written && Audio(after) != Audio(before))
        return std::string(what) + " changed the audio";
    return {};
}

std::string CheckWrites(const std::string& path, const std::string& id3v2Title, const std::string& id3v1Title)
{
    const FileBytes original = readFile(path);
    TMP3File file;
    file.SetFileName(path);
    file.ReadTags();
    file.ReadMPEGHeader();

    file.SetID3v2Title(id3v2Title);
    const bool v2Written = file.WriteID3v2Tag();
    const FileBytes afterV2 = readFile(path);
    if (std::string broken = CheckWrite("WriteID3v2Tag", v2Written, original, afterV2); !broken.empty())
        return broken;

    file.SetID3v1Title(id3v1Title);
    const bool v1Written = file.WriteID3v1Tag();
    if (std::string broken = CheckWrite("WriteID3v1Tag", v1Written, afterV2, readFile(path)); !broken.empty())
        return broken;

    TMP3File reread;
    reread.SetFileName(path);
    reread.ReadTags();
    if (v2Written && (!reread.HasID3v2() || reread.GetID3v2Title() != id3v2Title))
        return "the ID3v2 title written is not read back";
    if (v1Written && (!reread.HasID3v1() || reread.GetID3v1Title() != id3v1Title.substr(0, 30)))
        return "the ID3v1 title written is not read back";
    return {};
}

std::string CheckDelete(const std::string& path)
{
    const FileBytes before = readFile(path);
    TMP3File file;
    file.SetFileName(path);
    file.ReadTags();
    const bool deleted = file.DeleteID3v2();
    const FileBytes after = readFile(path);
    if (!deleted)
        return after == before ? std::string() : "DeleteID3v2 failed but changed the file";
    const std::size_t area = std::min(TagAreaOf(before), before.size());
    if (!std::equal(after.begin(), after.end(), before.begin() + static_cast<std::ptrdiff_t>(area), before.end()))
        return "DeleteID3v2 left other bytes than those behind the tag";
    TMP3File reread;
    reread.SetFileName(path);
    reread.ReadTags();
    // Only a second tag that followed the first may still be found.
    if (reread.HasID3v2() != (TagAreaOf(after) != 0))
        return "DeleteID3v2 succeeded but a tag is still found";
    return {};
}

} // namespace

std::uint64_t ReadEverything(const std::string& path)
{
    TMP3File file;
    file.SetFileName(path);
    std::uint64_t sum = Fold(14695981039346656037ULL, file.ReadTags());
    sum = FoldMPEG(sum, file);
    sum = FoldID3v1(sum, file);
    sum = FoldID3v2(sum, file);
    return Fold(sum, static_cast<std::uint64_t>(file.GetFileSize()));
}

std::string CheckEngineRoundTrip(const std::string& path)
{
    const FileBytes original = readFile(path);
    const std::size_t extra = original.empty() ? 0 : std::size_t{original.back()} * 13;
    if (std::string broken = CheckWrites(path, "Fuzzed title" + std::string(extra, 'x'), "Fuzzed v1 title");
        !broken.empty())
        return broken;
    return CheckDelete(path);
}
