#include "EngineRoundTrip.h"

#include "Mp3Fixture.h"
#include "TMP3File.h"

#include <algorithm>

namespace {

// Behind the tag area, before an ID3v1 tag; empty when the two overlap.
Bytes Audio(const Bytes& bytes)
{
    const std::size_t begin = std::min(Mp3Fixture::TagAreaOf(bytes), bytes.size());
    const bool v1 = bytes.size() >= 128 && std::equal(bytes.end() - 128, bytes.end() - 125, "TAG");
    return Slice(bytes, begin, std::max(begin, bytes.size() - (v1 ? 128 : 0)) - begin);
}

std::string CheckWrite(const char* what, bool written, const Bytes& before, const Bytes& after)
{
    if (!written && after != before)
        return std::string(what) + " failed but changed the file";
    if (written && Audio(after) != Audio(before))
        return std::string(what) + " changed the audio";
    return {};
}

} // namespace

std::uint64_t ReadEverything(const std::string& path)
{
    TMP3File f;
    f.SetFileName(path);
    std::uint64_t sum = 14695981039346656037ULL;
    const auto fold = [&sum](std::uint64_t value) { sum = (sum ^ value) * 1099511628211ULL; };
    fold(f.ReadTags());
    fold(f.ReadMPEGHeader());
    for (const std::int64_t value :
         {f.GetSyncOffset(), std::int64_t{f.GetFrameCount()}, f.GetMPEGAudio().LengthMilliseconds(),
          std::int64_t{f.GetID3v1Track()}, std::int64_t{f.GetID3v2Size()}, std::int64_t{f.HasID3v2()},
          static_cast<std::int64_t>(f.RequiredID3v2Size()), static_cast<std::int64_t>(f.AlignedTagSize())})
        fold(static_cast<std::uint64_t>(value));
    for (const std::string& text :
         {f.GetLengthText(), f.GetMPEGVersionText(), f.GetID3v1Title(), f.GetID3v1Artist(), f.GetID3v1Album(),
          f.GetID3v1Year(), f.GetID3v1Comment(), f.GenreName(), f.GetID3v2Title(), f.GetID3v2Artist(),
          f.GetID3v2Album(), f.GetID3v2Comment(), f.GetID3v2Track(), f.GetID3v2Year(), f.GetID3v2Genre(),
          f.GetID3v2Composer(), f.GetID3v2OrigArtist(), f.GetID3v2Copyright(), f.GetID3v2EncodedBy(),
          f.GetID3v2URL()}) {
        for (const char c : text)
            fold(static_cast<unsigned char>(c));
        fold(text.size());
    }
    return sum;
}

std::string CheckEngineRoundTrip(const std::string& path)
{
    const Bytes original = readFile(path);
    const std::string title = "Fuzzed title" + std::string(original.empty() ? 0 : original.back() * 13u, 'x');
    TMP3File file;
    file.SetFileName(path);
    file.ReadTags();
    file.ReadMPEGHeader();
    file.SetID3v2Title(title);
    const bool v2Written = file.WriteID3v2Tag();
    const Bytes afterV2 = readFile(path);
    if (std::string broken = CheckWrite("WriteID3v2Tag", v2Written, original, afterV2); !broken.empty())
        return broken;
    file.SetID3v1Title("Fuzzed v1 title");
    const bool v1Written = file.WriteID3v1Tag();
    if (std::string broken = CheckWrite("WriteID3v1Tag", v1Written, afterV2, readFile(path)); !broken.empty())
        return broken;
    TMP3File reread;
    reread.SetFileName(path);
    reread.ReadTags();
    if (v2Written && (!reread.HasID3v2() || reread.GetID3v2Title() != title))
        return "the ID3v2 title written is not read back";
    if (v1Written && (!reread.HasID3v1() || reread.GetID3v1Title() != "Fuzzed v1 title"))
        return "the ID3v1 title written is not read back";

    // The object that read the file afresh removes its ID3v2 tag.
    const Bytes before = readFile(path);
    const bool deleted = reread.DeleteID3v2();
    const Bytes after = readFile(path);
    if (!deleted)
        return after == before ? std::string() : "DeleteID3v2 failed but changed the file";
    if (after != Slice(before, Mp3Fixture::TagAreaOf(before)))
        return "DeleteID3v2 left other bytes than those behind the tag";
    TMP3File again;
    again.SetFileName(path);
    again.ReadTags();
    // Only a second tag that followed the first may still be found.
    if (again.HasID3v2() != (Mp3Fixture::TagAreaOf(after) != 0))
        return "DeleteID3v2 succeeded but a tag is still found";
    return {};
}
