#include "ID3v2Bytes.h"
#include "ID3v2Size.h"
#include "ID3v2TagComposer.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

using namespace ID3v2Bytes;

namespace {

Bytes Compose(const ID3v2Frames& frames, std::uint8_t revision, std::uint8_t flags, const ID3v2Placement& place)
{
    const std::optional<Bytes> tag = ComposeID3v2Tag(frames, revision, flags, place);
    EXPECT_TRUE(tag.has_value());
    return tag.value_or(Bytes{});
}

// The file as the writer leaves it: the composed tag, then everything behind the old tag area.
Bytes Rewritten(const Bytes& file, const LoadedTag& tag)
{
    const std::size_t v1Start = file.size() - std::min<std::size_t>(file.size(), 128);
    const bool hasID3v1 = file.size() >= tag.TagSize + 128 && Find(file, Text("TAG"), v1Start) == v1Start;
    const Bytes composed = Compose(tag.Frames, tag.Revision, tag.Flags, {file.size(), tag.TagSize, hasID3v1});
    return Concat({composed, Bytes(file.begin() + static_cast<std::ptrdiff_t>(tag.TagSize), file.end())});
}

// TagLib's frames of a file, sorted: ID, text, and for pictures a digest of the image bytes.
std::vector<std::string> TagLibFrames(const std::filesystem::path& path, unsigned* version = nullptr)
{
    TagLib::MPEG::File file(path.c_str(), false);
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag();
    if (!tag)
        return {};
    if (version)
        *version = tag->header()->majorVersion();
    std::vector<std::string> frames;
    for (TagLib::ID3v2::Frame* frame : tag->frameList()) {
        const TagLib::ByteVector id = frame->frameID();
        std::string line = std::string(id.data(), id.size()) + ":" + frame->toString().to8Bit(true);
        if (auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame)) {
            const TagLib::ByteVector data = picture->picture();
            line += ":" + std::to_string(std::hash<std::string>{}(std::string(data.data(), data.size())));
        }
        frames.push_back(line);
    }
    std::sort(frames.begin(), frames.end());
    return frames;
}

// mutagen's comparison of two files frame by frame: for each frame key "same", "missing", or the new frame.
std::map<std::string, std::string> MutagenDifferences(const std::filesystem::path& before,
                                                      const std::filesystem::path& after)
{
    const std::string script = R"(
import sys, mutagen.id3
a = mutagen.id3.ID3(sys.argv[1])
b = mutagen.id3.ID3(sys.argv[2])
print(b.version[1])
for key in sorted(set(a.keys()) | set(b.keys())):
    if key not in b: state = 'missing'
    elif key not in a or repr(a[key]) != repr(b[key]): state = repr(b[key])
    else: state = 'same'
    print(key.encode('unicode_escape').decode() + '\t' + state)
)";
    const std::optional<std::string> output = IndependentReaders::RunPython(script, {before.string(), after.string()});
    std::map<std::string, std::string> differences;
    if (!output)
        return differences;
    std::istringstream lines(*output);
    std::string line;
    std::getline(lines, line);
    differences["version"] = line;
    while (std::getline(lines, line))
        differences[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
    return differences;
}

} // namespace

TEST(ID3v2TagComposer, NewTagOfTheWorkedExample)
{
    ID3v2Frames frames;
    frames.SetID3v2Title("Hello");
    const Bytes tag = Compose(frames, 0, 0, {1'000'000, 0, false});
    ASSERT_EQ(tag.size(), 1344u);
    EXPECT_EQ(Bytes(tag.begin(), tag.begin() + 26),
              Concat({Bytes{'I', 'D', '3', 3, 0, 0, 0x00, 0x00, 0x0A, 0x36}, Frame("TIT2", TextBody("Hello"))}));
    EXPECT_TRUE(std::all_of(tag.begin() + 26, tag.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(ID3v2TagComposer, SmallerTagIsPaddedOutToTheOldArea)
{
    ID3v2Frames frames;
    frames.SetID3v2Title(std::string(80, 't'));
    const Bytes tag = Compose(frames, 0, 0, {4096 + 2048 * 3, 4096, true});
    ASSERT_EQ(tag.size(), 4096u);
    EXPECT_EQ(ID3v2Size::UnpackSynchsafeSize(&tag[6]), 4086u);
    EXPECT_TRUE(std::all_of(tag.begin() + 10 + 91, tag.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(ID3v2TagComposer, OtherVersionsAreWrittenAsVersion3WithoutFlags)
{
    for (std::uint8_t version : {2, 5}) {
        ID3v2Frames frames;
        frames.Load(nullptr, 0, version, 0xB0);
        frames.SetID3v2Title("x");
        const Bytes tag = Compose(frames, 7, 0xB0, {10'000, 0, false});
        ASSERT_GE(tag.size(), 10u);
        EXPECT_EQ(Bytes(tag.begin(), tag.begin() + 6), (Bytes{'I', 'D', '3', 3, 0, 0}));
    }
}

TEST(ID3v2TagComposer, ExtendedHeaderAndUnsynchronisationFlagsAreCleared)
{
    ID3v2Frames frames;
    frames.Load(nullptr, 0, 3, 0xF0);
    frames.SetID3v2Title("x");
    const Bytes tag = Compose(frames, 1, 0xF0, {10'000, 0, false});
    EXPECT_EQ(tag[4], 1);
    EXPECT_EQ(tag[5], 0x20); // experimental stays; the footer flag means nothing before version 2.4
    EXPECT_EQ(Find(tag, Frame("TIT2", TextBody("x"))), 10u);

    const LoadedTag extended = Load(ReadTestData("rust-id3/id3v24_ext.id3"));
    ASSERT_TRUE(extended.Flags & 0x40);
    const Bytes rewritten = Compose(extended.Frames, extended.Revision, extended.Flags, {10'000, 0, false});
    EXPECT_EQ(rewritten[5] & 0x40, 0);
    const LoadedTag reread = Load(rewritten);
    EXPECT_EQ(reread.Frames.Render(), extended.Frames.Render());
}

TEST(ID3v2TagComposer, Version4FooterSitsInTheLastTenBytes)
{
    ID3v2Frames frames;
    frames.Load(nullptr, 0, 4, 0x10);
    frames.SetID3v2Title(std::string(199, 't'));
    const Bytes tag = Compose(frames, 0, 0x10, {5000, 0, true});
    ASSERT_EQ(tag.size() % 2048, 5000u % 2048 == 0 ? 0u : 2048u - 5000u % 2048);
    const std::size_t size = ID3v2Size::UnpackSynchsafeSize(&tag[6]);
    EXPECT_EQ(size, tag.size() - 20);
    EXPECT_EQ(Bytes(tag.end() - 10, tag.end()), Concat({Text("3DI"), Bytes(tag.begin() + 3, tag.begin() + 10)}));
    EXPECT_EQ(Bytes(tag.begin() + 10, tag.begin() + 18), (Bytes{'T', 'I', 'T', '2', 0, 0, 1, 0x48}));
}

TEST(ID3v2TagComposer, TagsThatCannotBeWrittenAreRefused)
{
    ID3v2Frames frames;
    frames.SetID3v2Title("x");
    // A tag area larger than the synchsafe size field can describe.
    const std::uint64_t huge = ID3v2Size::MaxSynchsafeSize + 11;
    EXPECT_FALSE(ComposeID3v2Tag(frames, 0, 0, {huge + 1000, huge, false}));
    EXPECT_TRUE(ComposeID3v2Tag(frames, 0, 0, {huge + 999, huge - 1, false}));
    // A tag area that the file is too short to hold: its size field cannot be trusted.
    EXPECT_FALSE(ComposeID3v2Tag(frames, 0, 0, {1000, 4096, false}));
    // Frames of a version 2.2 tag that have no version 2.3 form.
    ID3v2Frames crypted;
    const Bytes crm = {'C', 'R', 'M', 0, 0, 1, 'x'};
    crypted.Load(crm.data(), crm.size(), 2, 0);
    EXPECT_FALSE(ComposeID3v2Tag(crypted, 0, 0, {10'000, 0, false}));
}

TEST(ID3v2TagComposer, OtherReadersSeeTheEditAndEveryOtherFrameUnchanged)
{
    const TempDir dir;
    for (const std::string name : {"mp3agic/v1andv23tagswithalbumimage-utf16le.mp3", "mp3agic/withitunescomment.mp3",
                                   "mp3agic/v1andv24tags.mp3", "mp3agic/v23unicodetags.mp3"}) {
        SCOPED_TRACE(name);
        const Bytes original = ReadTestData(name);
        LoadedTag tag = Load(original);
        tag.Frames.SetID3v2Album("Edited");
        const std::filesystem::path before = dir.file("before.mp3");
        const std::filesystem::path after = dir.file("after.mp3");
        writeFile(before, original);
        writeFile(after, Rewritten(original, tag));

        std::vector<std::string> expected = TagLibFrames(before);
        std::erase_if(expected, [](const std::string& line) { return line.starts_with("TALB:"); });
        expected.push_back("TALB:Edited");
        std::sort(expected.begin(), expected.end());
        unsigned version = 0;
        EXPECT_EQ(TagLibFrames(after, &version), expected);
        EXPECT_EQ(version, tag.Version);

        std::map<std::string, std::string> differences = MutagenDifferences(before, after);
        ASSERT_FALSE(differences.empty()) << "mutagen could not read the files";
        EXPECT_EQ(differences["version"], std::to_string(tag.Version));
        EXPECT_EQ(differences["TALB"], "TALB(encoding=<Encoding.LATIN1: 0>, text=['Edited'])");
        for (const auto& [key, state] : differences) {
            if (key != "TALB" && key != "version") {
                EXPECT_EQ(state, "same") << key;
            }
        }
    }
}

TEST(ID3v2TagComposer, OtherReadersSeeAVersion24YearInTDRC)
{
    const TempDir dir;
    const Bytes original = ReadTestData("rust-id3/github-issue-73.id3");
    LoadedTag tag = Load(original);
    tag.Frames.SetID3v2Year("1999");
    const std::filesystem::path before = dir.file("before.mp3");
    const std::filesystem::path after = dir.file("after.mp3");
    writeFile(before, Concat({original, Mp3Fixture::Frames(3)}));
    writeFile(after, Concat({Rewritten(original, tag), Mp3Fixture::Frames(3)}));
    TagLib::MPEG::File file(after.c_str(), false);
    ASSERT_NE(file.ID3v2Tag(), nullptr);
    EXPECT_EQ(file.ID3v2Tag()->year(), 1999u);
    EXPECT_EQ(file.ID3v2Tag()->title(), "TEST TITLE");
    std::map<std::string, std::string> differences = MutagenDifferences(before, after);
    EXPECT_EQ(differences["TDRC"], "TDRC(encoding=<Encoding.LATIN1: 0>, text=['1999'])");
    EXPECT_EQ(differences["TXXX:Category"], "same");
    EXPECT_EQ(differences.count("TYER"), 0u);
}

TEST(ID3v2TagComposer, OtherReadersSeeAVersion22TagAsTheSameVersion23Tag)
{
    const TempDir dir;
    const Bytes original = ReadTestData("mp3agic/obsolete-noimage.mp3");
    const LoadedTag tag = Load(original);
    const std::filesystem::path before = dir.file("before.mp3");
    const std::filesystem::path after = dir.file("after.mp3");
    writeFile(before, original);
    writeFile(after, Rewritten(original, tag));
    unsigned version = 0;
    const std::vector<std::string> frames = TagLibFrames(after, &version);
    EXPECT_EQ(version, 3u);
    EXPECT_EQ(frames, TagLibFrames(before));
    std::map<std::string, std::string> differences = MutagenDifferences(before, after);
    EXPECT_EQ(differences["version"], "3");
    for (const auto& [key, state] : differences) {
        if (key != "version") {
            EXPECT_EQ(state, "same") << key;
        }
    }
}
