#include "EngineRoundTrip.h"

#include "Mp3Fixture.h"
#include "TMP3File.h"

#include <algorithm>
#include <sstream>

namespace {

// Behind the tag area, before an ID3v1 tag; empty when the two overlap.
Bytes Audio(const Bytes& bytes)
{
    const std::size_t begin = std::min(Mp3Fixture::TagAreaOf(bytes), bytes.size());
    const bool v1 = bytes.size() >= 128 && std::equal(bytes.end() - 128, bytes.end() - 125, "TAG");
    return Slice(bytes, begin, std::max(begin, bytes.size() - (v1 ? 128 : 0)) - begin);
}

} // namespace

std::uint64_t ReadEverything(const std::string& path)
{
    TMP3File f;
    f.SetFileName(path);
    std::ostringstream all;
    all << f.ReadTags() << f.ReadMPEGHeader() << f.GetSyncOffset() << f.GetBitrate() << f.GetSampleRate()
        << f.GetFrameLength() << f.GetFrameCount() << f.GetMinutes() << f.GetSeconds()
        << f.GetMPEGAudio().LengthMilliseconds() << f.HasID3v1() << f.GetID3v1Track() << f.GetID3v1Genre()
        << f.HasID3v2() << f.GetID3v2Version() << f.GetID3v2Size() << f.RequiredID3v2Size() << f.AlignedTagSize()
        << f.GetID3v2Frames().FramesSize() << f.GetFileSize() << f.GetLengthText() << f.GetMPEGVersionText()
        << f.GetID3v1Title() << f.GetID3v1Artist() << f.GetID3v1Album() << f.GetID3v1Year() << f.GetID3v1Comment()
        << f.GenreName() << f.GetID3v2Title() << f.GetID3v2Artist() << f.GetID3v2Album() << f.GetID3v2Comment()
        << f.GetID3v2Track() << f.GetID3v2Year() << f.GetID3v2Genre() << f.GetID3v2Composer()
        << f.GetID3v2OrigArtist() << f.GetID3v2Copyright() << f.GetID3v2EncodedBy() << f.GetID3v2URL();
    return std::hash<std::string>{}(all.str());
}

std::string CheckEngineRoundTrip(const std::string& path)
{
    const Bytes original = readFile(path);
    // Beyond ISO-8859-1, so that each input also takes the 16-bit or UTF-8 writing path.
    const std::string title = "Fuzzed title ё🚀" + std::string(original.empty() ? 0 : original.back() * 13u, 'x');
    TMP3File file;
    file.SetFileName(path);
    file.ReadTags();
    file.ReadMPEGHeader();
    file.SetID3v2Title(title);
    const bool v2Written = file.WriteID3v2Tag();
    const Bytes afterV2 = readFile(path);
    if (v2Written ? Audio(afterV2) != Audio(original) : afterV2 != original)
        return "WriteID3v2Tag changed more than its tag";
    file.SetID3v1Title("Fuzzed v1 title");
    const bool v1Written = file.WriteID3v1Tag();
    const Bytes afterV1 = readFile(path);
    if (v1Written ? Audio(afterV1) != Audio(afterV2) : afterV1 != afterV2)
        return "WriteID3v1Tag changed more than its tag";
    TMP3File reread;
    reread.SetFileName(path);
    reread.ReadTags();
    if (v2Written && (!reread.HasID3v2() || reread.GetID3v2Title() != title))
        return "the ID3v2 title written is not read back";
    if (v1Written && (!reread.HasID3v1() || reread.GetID3v1Title() != "Fuzzed v1 title"))
        return "the ID3v1 title written is not read back";

    // The object that read the file afresh removes its ID3v2 tag.
    const bool deleted = reread.DeleteID3v2();
    const Bytes after = readFile(path);
    if (after != (deleted ? Slice(afterV1, Mp3Fixture::TagAreaOf(afterV1)) : afterV1))
        return "DeleteID3v2 changed other bytes than those of the tag";
    file.Reset();
    file.SetFileName(path);
    file.ReadTags();
    // Only a second tag that followed the first may still be found.
    if (deleted && file.HasID3v2() != (Mp3Fixture::TagAreaOf(after) != 0))
        return "DeleteID3v2 succeeded but a tag is still found";
    return {};
}
