// Tags written by other programs, saved through the file object the way the editor saves them: only the edited
// title may change, for the engine, for TagLib and for mutagen, and the audio stays as it was.
#include "EngineFile.h"
#include "ID3v2EditorFields.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ID3v2EditorFields;
using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::TagLibID3v2;
using Mp3Fixture::AudioOf;

namespace {

const std::filesystem::path DataDir = VELLUM_TEST_DATA_DIR;

// Every tagged file of the sample folders, as "folder/name".
std::vector<std::string> SampleFiles()
{
    std::vector<std::string> names;
    for (const char* folder : {"mp3agic", "rust-id3"})
        for (const auto& entry : std::filesystem::directory_iterator(DataDir / folder))
            if (entry.path().filename() != "LICENSE")
                names.push_back(std::string(folder) + "/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The text as ISO-8859-1 bytes; nullopt when a character lies beyond it.
std::optional<std::string> Latin1FromUTF8(const std::string& text)
{
    std::string latin1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            latin1 += text[i];
        } else if ((byte == 0xC2 || byte == 0xC3) && i + 1 < text.size()) {
            latin1 += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
        } else {
            return std::nullopt;
        }
    }
    return latin1;
}

struct ID3v1Values {
    std::string Title, Artist, Album, Year, Comment;
    std::uint8_t Track, Genre;
    bool operator==(const ID3v1Values&) const = default;
};

ID3v1Values ID3v1Of(const TMP3File& engine)
{
    return {engine.GetID3v1Title(), engine.GetID3v1Artist(), engine.GetID3v1Album(), engine.GetID3v1Year(),
            engine.GetID3v1Comment(), engine.GetID3v1Track(), engine.GetID3v1Genre()};
}

class ID3v2CorpusFile : public EngineFile, public ::testing::WithParamInterface<std::string> {
protected:
    void Open()
    {
        engine.Reset();
        engine.SetFileName(path.string());
        ASSERT_TRUE(engine.ReadTags());
    }
};

} // namespace

TEST_P(ID3v2CorpusFile, TitleWriteChangesOnlyTheTitle)
{
    const Bytes sample = readFile(DataDir / GetParam());
    ASSERT_FALSE(sample.empty());
    // Bare tags get some audio behind them, so that the file is an MP3 file and its audio can be compared.
    Put(GetParam().ends_with(".id3") ? Concat({sample, Mp3Fixture::Frames(3)}) : sample);
    const auto taglibBefore = TagLibID3v2(path);
    const auto mutagenBefore = MutagenID3v2(path);
    ASSERT_TRUE(taglibBefore && mutagenBefore);

    ASSERT_TRUE(engine.ReadTags());
    ASSERT_TRUE(engine.HasID3v2());
    const Values before = ValuesOf(engine);
    const ID3v1Values v1 = ID3v1Of(engine);
    // What the engine shows agrees with TagLib wherever the text fits into single bytes.
    if (const auto artist = Latin1FromUTF8(taglibBefore->Artist)) {
        EXPECT_EQ(before[1], *artist);
    }
    if (const auto album = Latin1FromUTF8(taglibBefore->Album)) {
        EXPECT_EQ(before[2], *album);
    }
    Values edited = before;
    edited[0] = "Corpus title";
    StoreAll(engine, edited);
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = readFile(path);
    EXPECT_EQ(AudioOf(file), AudioOf(original));
    Open();
    EXPECT_EQ(ValuesOf(engine), edited);
    EXPECT_EQ(ID3v1Of(engine), v1);

    const auto taglib = TagLibID3v2(path);
    ASSERT_TRUE(taglib);
    EXPECT_EQ(taglib->Title, "Corpus title");
    EXPECT_EQ(taglib->Artist, taglibBefore->Artist);
    EXPECT_EQ(taglib->Album, taglibBefore->Album);
    EXPECT_EQ(taglib->Frames, taglibBefore->FramesWith("TIT2", "Corpus title"));
    const auto mutagen = MutagenID3v2(path);
    ASSERT_TRUE(mutagen);
    std::vector<std::string> changed = {"TIT2"};
    // mutagen shows a version 2.2 picture with its three-letter image format, the version 2.3 one with the MIME
    // type it was given; TagLib, above, compares the picture bytes themselves.
    if (mutagenBefore->Version == 2 && mutagenBefore->Frames.count("APIC:"))
        changed.insert(changed.begin(), "APIC:");
    EXPECT_EQ(ChangedFrames(*mutagenBefore, *mutagen), changed);
    EXPECT_EQ(mutagen->UnknownFrames, mutagenBefore->UnknownFrames);
}

INSTANTIATE_TEST_SUITE_P(Samples, ID3v2CorpusFile, ::testing::ValuesIn(SampleFiles()), [](const auto& info) {
    std::string name = info.param;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                    '_');
    return name;
});
