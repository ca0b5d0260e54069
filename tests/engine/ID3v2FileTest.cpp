// The ID3v2 tag through the file object: what lands on disk when a tag is written or removed, what other readers
// make of it, and that the audio behind the tag is never touched.
#include "EngineFile.h"
#include "FileReplaceStepOverride.h"
#include "FileSizeLimit.h"
#include "ID3v2Bytes.h"
#include "ID3v2EditorFields.h"
#include "ID3v2Size.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace ID3v2Bytes;
using namespace ID3v2EditorFields;
using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::TagLibID3v2;
using Mp3Fixture::AudioOf;
using Mp3Fixture::TagAreaOf;

namespace {

bool AllZero(const Bytes& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// ---- Frames built by hand ----

// Encoding 1: byte-order mark FF FE, then 16-bit little-endian units.
Bytes UTF16Body(std::u16string_view text)
{
    Bytes body = {1, 0xFF, 0xFE};
    for (char16_t unit : text) {
        body.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        body.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return body;
}

Bytes CommentBody(std::string_view description, std::string_view text)
{
    return Concat({Bytes{0, 'e', 'n', 'g'}, Text(description), Bytes{0}, Text(text)});
}

Bytes PictureBody(std::string_view mime, std::uint8_t type, std::string_view description, std::uint8_t seed,
                  std::size_t imageSize = 300)
{
    Bytes image(imageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(seed + i * 7);
    return Concat({Bytes{0}, Text(mime), Bytes{0, type}, Text(description), Bytes{0}, image});
}

Bytes UserTextBody(std::string_view description, std::string_view value)
{
    return Concat({Bytes{0}, Text(description), Bytes{0}, Text(value)});
}

Bytes PrivateBody(std::string_view owner, std::size_t size)
{
    Bytes body = Concat({Text(owner), Bytes{0}});
    for (std::uint8_t i = 0; body.size() < size; ++i)
        body.push_back(static_cast<std::uint8_t>(0x80 | i));
    return body;
}

// A tag of the kind real taggers leave: every field the editor shows, a 16-bit title, several pictures,
// comments, user texts and private frames, and frames the engine has no slot for. Sizes encoded for the version;
// version 4 keeps its year in "TDRC". The front cover reaches far past the first bytes read from the file. The
// second private frame's body is 200 bytes: size bytes 00 00 01 48 in version 4.
std::vector<Bytes> RichFrames(std::uint8_t version)
{
    const auto frame = [version](std::string_view id, const Bytes& body) { return Frame(id, body, version); };
    return {
        // The title 16-bit in version 2.3 and UTF-8 in 2.4: a save of other fields must leave either as read.
        frame("TIT2", version == 4 ? Bytes{3, 'C', 'a', 'f', 0xC3, 0xA9} : UTF16Body(u"Caf\u00e9 \u2603 Nights")),
        frame("TPE1", TextBody("The Artist")),
        frame("TALB", TextBody("The Album")),
        frame("TRCK", TextBody("3/12")),
        frame(version == 4 ? "TDRC" : "TYER", TextBody("2001")),
        frame("TCON", TextBody("(17)Rock")),
        frame("TCOM", TextBody("Composer")),
        frame("TOPE", TextBody("Original")),
        frame("TCOP", TextBody("2001 Label")),
        frame("TENC", TextBody("Encoder")),
        frame("WXXX", Concat({Bytes{0, 0}, Text("http://example.org/")})),
        frame("APIC", PictureBody("image/png", 3, "", 1, 20000)),
        frame("COMM", CommentBody("", "First comment")),
        frame("COMM", CommentBody("note", "Second comment")),
        frame("APIC", PictureBody("image/jpeg", 4, "back", 2)),
        frame("TXXX", UserTextBody("one", "1")),
        frame("TXXX", UserTextBody("two", "2")),
        frame("PRIV", PrivateBody("owner.one", 40)),
        frame("PRIV", PrivateBody("owner.two", 200)),
        frame("TCMP", TextBody("1")),
        frame("XTST", Bytes{1, 2, 3, 4, 5}),
    };
}

Bytes JoinFrames(const std::vector<Bytes>& frames)
{
    Bytes all;
    for (const Bytes& frame : frames)
        all.insert(all.end(), frame.begin(), frame.end());
    return all;
}

struct ID3v2File : EngineFile {
    void Create(const Bytes& content)
    {
        Put(content);
        ASSERT_TRUE(engine.ReadTags());
    }

    // A fresh look at the file, as the main window takes one for each command.
    void Open()
    {
        engine.Reset();
        engine.SetFileName(path.string());
        ASSERT_TRUE(engine.ReadTags());
    }
};

} // namespace

// ---- Other readers see every tag written, and the audio behind it unchanged ----

TEST_F(ID3v2File, NewTagIsReadByTagLibAndMutagenAndTheAudioFollowsUnchanged)
{
    const Bytes audio = Mp3Fixture::Frames(40);
    Create(audio);
    ASSERT_FALSE(engine.HasID3v2());
    const Values values = {"Title \xe9", "Artist", "Album", "7/9", "1999", "Rock",
                           "Composer", "Orig", "Copy", "Enc", "A comment", "http://example.org/"};
    StoreAll(engine, values);
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = Content();
    EXPECT_EQ(AudioOf(file), audio);
    const auto taglib = TagLibID3v2(path);
    ASSERT_TRUE(taglib);
    EXPECT_EQ(taglib->Version, 3u);
    EXPECT_EQ(taglib->Title, "Title \u00e9");
    EXPECT_EQ(taglib->Artist, "Artist");
    EXPECT_EQ(taglib->Album, "Album");
    const auto mutagen = MutagenID3v2(path);
    ASSERT_TRUE(mutagen);
    EXPECT_EQ(mutagen->Version, 3u);
    std::vector<std::string> keys;
    for (const auto& [key, repr] : mutagen->Frames)
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"COMM::eng", "TALB", "TCOM", "TCON", "TCOP", "TENC", "TIT2", "TOPE",
                                              "TPE1", "TRCK", "TYER", "WXXX:"}));
    EXPECT_EQ(mutagen->Frames.at("TIT2"), "TIT2(encoding=<Encoding.LATIN1: 0>, text=['Title \u00e9'])");
    EXPECT_EQ(mutagen->Frames.at("COMM::eng"),
              "COMM(encoding=<Encoding.LATIN1: 0>, lang='eng', desc='', text=['A comment'])");
    EXPECT_EQ(mutagen->Frames.at("WXXX:"), "WXXX(encoding=<Encoding.LATIN1: 0>, desc='', url='http://example.org/')");

    Open();
    EXPECT_EQ(ValuesOf(engine), values);
}

// ---- Sizes: the file stays a multiple of 2048 bytes, counting an ID3v1 tag ----

TEST_F(ID3v2File, WorkedExampleOfAMillionByteFile)
{
    const Bytes audio = Slice(Mp3Fixture::Frames(2400), 0, 1'000'000);
    Create(audio);
    engine.SetID3v2Title("Hello");
    ASSERT_TRUE(engine.WriteID3v2Tag());
    const Bytes file = Content();
    ASSERT_EQ(file.size(), 1'001'344u);
    EXPECT_EQ(Slice(file, 0, 10), (Bytes{'I', 'D', '3', 3, 0, 0, 0x00, 0x00, 0x0A, 0x36}));
    EXPECT_EQ(Slice(file, 10, 16), Frame("TIT2", TextBody("Hello")));
    EXPECT_TRUE(AllZero(Slice(file, 26, 1344 - 26)));
    EXPECT_EQ(Slice(file, 1344), audio);
    EXPECT_EQ(engine.GetID3v2Size(), 1344);
}

TEST_F(ID3v2File, RewrittenFileIsAMultipleOf2048CountingAnID3v1Tag)
{
    const Bytes v1 = Mp3Fixture::ID3v1Record({.Title = "v1"});
    for (const bool withV1 : {false, true}) {
        for (const std::size_t frames : {1u, 5u, 12u}) {
            for (const std::size_t text : {1u, 2000u, 5000u}) {
                SCOPED_TRACE(testing::Message() << withV1 << " " << frames << " " << text);
                const Bytes audio = Mp3Fixture::Frames(frames);
                Create(Concat({Mp3Fixture::PaddedID3v2Tag(10), audio, withV1 ? v1 : Bytes()}));
                engine.SetID3v2Comment(std::string(text, 'c'));
                ASSERT_TRUE(engine.WriteID3v2Tag());
                const Bytes file = Content();
                EXPECT_EQ((file.size() + (withV1 ? 0 : 128)) % 2048, 0u);
                EXPECT_EQ(AudioOf(file), Concat({audio, withV1 ? v1 : Bytes()}));
                EXPECT_EQ(engine.GetFileSize(), static_cast<std::int64_t>(file.size()));
                Open();
                EXPECT_EQ(engine.GetID3v2Comment(), std::string(text, 'c'));
                EXPECT_EQ(engine.GetID3v1Title(), withV1 ? "v1" : "");
            }
        }
    }
}

// ---- In place: a tag that fits its area leaves the rest of the file alone ----

TEST_F(ID3v2File, TagThatFitsItsAreaIsWrittenInPlaceAndPaddedOverTheOldBytes)
{
    const Bytes audio = Concat({Mp3Fixture::Frames(10), Mp3Fixture::ID3v1Record({.Title = "v1"})});
    const Bytes title = Frame("TIT2", TextBody("Title"));
    const Bytes big = Frame("COMM", CommentBody("", std::string(3000, 'x')));
    Create(Concat({Tag(3, Concat({title, big}), 4096 - 10 - title.size() - big.size()), audio}));
    ASSERT_EQ(engine.GetID3v2Size(), 4096);
    const ino_t inode = StatOf(path).st_ino;
    engine.SetID3v2Comment("");
    engine.SetID3v2Title("In place");
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = Content();
    const Bytes written = Frame("TIT2", TextBody("In place"));
    ASSERT_EQ(file.size(), original.size());
    EXPECT_EQ(StatOf(path).st_ino, inode); // not rewritten through a temporary file
    EXPECT_EQ(ID3v2Size::UnpackSynchsafeSize(&file[6]), 4086u);
    EXPECT_EQ(Slice(file, 10, written.size()), written);
    EXPECT_TRUE(AllZero(Slice(file, 10 + written.size(), 4096 - 10 - written.size())));
    EXPECT_EQ(Slice(file, 4096), audio);
    EXPECT_EQ(TagLibID3v2(path).value_or(IndependentReaders::TagLibTag{}).Title, "In place");
    Open();
    EXPECT_EQ(engine.GetID3v2Comment(), "");
    EXPECT_EQ(engine.GetSyncOffset(), 4096);
}

// ---- Round trips: one field set, every other field and frame as it was ----

class ID3v2FileRoundTrip : public ID3v2File, public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(ID3v2FileRoundTrip, SettingOneFieldChangesOnlyThatFrame)
{
    const std::uint8_t version = GetParam();
    const std::vector<Bytes> frames = RichFrames(version);
    const Bytes audio = Mp3Fixture::Frames(8);
    const Bytes content = Concat({Tag(version, JoinFrames(frames), 32), audio});
    writeFile(path, content);
    const auto mutagenBefore = MutagenID3v2(path);
    const auto taglibBefore = TagLibID3v2(path);
    ASSERT_TRUE(mutagenBefore && taglibBefore);

    for (std::size_t changed = 0; changed < Fields.size(); ++changed) {
        const Field& field = Fields[changed];
        SCOPED_TRACE(field.Name);
        Create(content);
        const Values before = ValuesOf(engine);
        Values values = before;
        values[changed] = field.Name == std::string("Year") ? "1987" : std::string("New ") + field.Name;
        StoreAll(engine, values);
        ASSERT_TRUE(engine.WriteID3v2Tag());

        const Bytes file = Content();
        EXPECT_EQ(file[3], version);
        EXPECT_EQ(AudioOf(file), audio);
        Open();
        EXPECT_EQ(ValuesOf(engine), values);
        const std::string key = version == 4 ? field.KeyV4 : field.KeyV3;
        const std::string id = key.substr(0, 4);
        const Bytes tag = Slice(file, 0, TagAreaOf(file));
        for (const Bytes& frame : frames) {
            if (std::string(frame.begin(), frame.begin() + 4) != id) {
                EXPECT_NE(Find(tag, frame), std::string::npos) << std::string(frame.begin(), frame.begin() + 4);
            }
        }

        const auto mutagen = MutagenID3v2(path);
        ASSERT_TRUE(mutagen);
        EXPECT_EQ(mutagen->Version, version);
        EXPECT_EQ(ChangedFrames(*mutagenBefore, *mutagen), std::vector<std::string>{key});
        EXPECT_EQ(mutagen->UnknownFrames, mutagenBefore->UnknownFrames);
        const auto taglib = TagLibID3v2(path);
        ASSERT_TRUE(taglib);
        // TagLib shows a version 2.3 year as "TDRC".
        const std::string taglibID = id == "TYER" ? "TDRC" : id;
        EXPECT_EQ(taglib->FramesWith(taglibID), taglibBefore->FramesWith(taglibID));
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, ID3v2FileRoundTrip, ::testing::Values(3, 4),
                         [](const auto& info) { return "Version" + std::to_string(info.param); });

TEST_F(ID3v2File, SecondWriteWithoutAReadKeepsWhatTheFirstWrote)
{
    Create(ReadTestData("mp3agic/obsolete-noimage.mp3"));
    const Bytes oldAudio = AudioOf(original);
    Values values = ValuesOf(engine);
    values[0] = "First";
    StoreAll(engine, values);
    ASSERT_TRUE(engine.WriteID3v2Tag());
    EXPECT_EQ(engine.GetID3v2Version(), 3);
    values[1] = std::string(3000, 's'); // grows the tag: the second write rewrites the file
    StoreAll(engine, values);
    ASSERT_TRUE(engine.WriteID3v2Tag());
    EXPECT_EQ(AudioOf(Content()), oldAudio);
    Open();
    EXPECT_EQ(ValuesOf(engine), values);
}

TEST_F(ID3v2File, UnsynchronisedTagIsWrittenPlainWithItsPictureIntact)
{
    // Every FF of the picture is followed by a zero the writer inserted; the reader takes those out.
    const Bytes picture = PictureBody("image/jpeg", 3, "", 0);
    ASSERT_NE(std::find(picture.begin(), picture.end(), 0xFF), picture.end());
    const Bytes area = Concat({Frame("TIT2", TextBody("Sync")), Frame("APIC", picture)});
    Bytes unsynchronised;
    for (std::uint8_t b : area) {
        unsynchronised.push_back(b);
        if (b == 0xFF)
            unsynchronised.push_back(0);
    }
    Create(Concat({Tag(3, unsynchronised, 40, 0x80), Mp3Fixture::Frames(3)}));
    const auto before = TagLibID3v2(path);
    ASSERT_TRUE(before);
    EXPECT_EQ(engine.GetID3v2Title(), "Sync");
    engine.SetID3v2Album("Album");
    ASSERT_TRUE(engine.WriteID3v2Tag());
    const Bytes file = Content();
    EXPECT_EQ(file[5] & 0x80, 0);
    EXPECT_NE(Find(file, Frame("APIC", picture)), std::string::npos);
    const auto after = TagLibID3v2(path);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->Frames, before->FramesWith("TALB", "Album"));
}

// ---- Version 2.4 ----

TEST_F(ID3v2File, Version4KeepsItsVersionSynchsafeSizesAndPutsTheYearInTDRC)
{
    const Bytes audio = Mp3Fixture::Frames(4);
    const Bytes privateFrame = Frame("PRIV", PrivateBody("owner.two", 200), 4);
    ASSERT_EQ(Slice(privateFrame, 4, 4), (Bytes{0, 0, 1, 0x48}));
    Create(Concat({Tag(4, Concat({Frame("TIT2", TextBody("T"), 4), privateFrame}), 0), audio}));
    engine.SetID3v2Year("1999");
    engine.SetID3v2Album(std::string(200, 'a'));
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = Content();
    EXPECT_EQ(file[3], 4);
    EXPECT_NE(Find(file, privateFrame), std::string::npos);
    EXPECT_NE(Find(file, Concat({Text("TALB"), Bytes{0, 0, 1, 0x49, 0, 0}})), std::string::npos);
    EXPECT_EQ(Find(file, Text("TYER")), std::string::npos);
    EXPECT_EQ(AudioOf(file), audio);
    const auto mutagen = MutagenID3v2(path);
    ASSERT_TRUE(mutagen);
    EXPECT_EQ(mutagen->Frames.at("TDRC"), "TDRC(encoding=<Encoding.LATIN1: 0>, text=['1999'])");
    EXPECT_EQ(TagLibID3v2(path).value_or(IndependentReaders::TagLibTag{}).Year, 1999u);
}

TEST_F(ID3v2File, Version4FooterIsWrittenInTheLastTenBytesOfTheArea)
{
    const Bytes audio = Mp3Fixture::Frames(4);
    const Bytes frames = Frame("TIT2", TextBody("Footer"), 4);
    const Bytes tag = Tag(4, frames, 50, 0x10);
    const Bytes footer = Concat({Text("3DI"), Slice(tag, 3, 7)});
    for (const std::size_t grow : {0u, 3000u}) {
        SCOPED_TRACE(grow);
        Create(Concat({tag, footer, audio}));
        ASSERT_EQ(engine.GetID3v2Size(), static_cast<int>(tag.size() + 10));
        engine.SetID3v2Comment(std::string(grow + 1, 'c'));
        ASSERT_TRUE(engine.WriteID3v2Tag());
        const Bytes file = Content();
        const std::size_t area = TagAreaOf(file);
        EXPECT_EQ(file[5], 0x10);
        EXPECT_EQ(Slice(file, area - 10, 10), Concat({Text("3DI"), Slice(file, 3, 7)}));
        EXPECT_EQ(Slice(file, area), audio);
        EXPECT_EQ(TagLibID3v2(path).value_or(IndependentReaders::TagLibTag{}).Title, "Footer");
        Open();
        EXPECT_EQ(engine.GetID3v2Comment(), std::string(grow + 1, 'c'));
        EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(area));
    }
}

// ---- Version 2.2 and broken tags: read without harm, written only when nothing is lost ----

TEST_F(ID3v2File, Version22TagIsWrittenAsVersion23WithItsFrames)
{
    const Bytes v22 = ReadTestData("rust-id3/id3v22.id3");
    const Bytes audio = Concat({AudioOf(v22), Mp3Fixture::Frames(4)}); // the tag comes with a frame behind it
    Create(Concat({v22, Mp3Fixture::Frames(4)}));
    EXPECT_EQ(engine.GetID3v2Version(), 2);
    const Values before = ValuesOf(engine);
    EXPECT_FALSE(before[0].empty());
    const auto taglibBefore = TagLibID3v2(path);
    ASSERT_TRUE(taglibBefore);
    engine.SetID3v2Comment("Now 2.3");
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = Content();
    EXPECT_EQ(Slice(file, 3, 3), (Bytes{3, 0, 0}));
    EXPECT_EQ(AudioOf(file), audio);
    const auto taglib = TagLibID3v2(path);
    ASSERT_TRUE(taglib);
    EXPECT_EQ(taglib->Version, 3u);
    EXPECT_EQ(taglib->Frames, taglibBefore->FramesWith("COMM", "Now 2.3")); // the picture's bytes among them
    Open();
    Values after = before;
    after[Comment] = "Now 2.3";
    EXPECT_EQ(ValuesOf(engine), after);
}

struct BrokenTag {
    const char* Name;
    Bytes Tag;
};

std::vector<BrokenTag> BrokenTags()
{
    const Bytes title = Frame("TIT2", TextBody("Before"));
    const auto sized = [](std::string_view id, std::uint32_t size) {
        const ID3v2Size::SizeBytes bytes = ID3v2Size::PackPlainSize(size);
        return Concat({Text(id), Bytes(bytes.begin(), bytes.end()), Bytes{0, 0}, Text("body")});
    };
    const auto extended = [&title](std::uint8_t version, std::uint32_t length) {
        const ID3v2Size::SizeBytes bytes = version == 4 ? ID3v2Size::PackSynchsafeSize(length)
                                                        : ID3v2Size::PackPlainSize(length);
        return Tag(version, Concat({Bytes(bytes.begin(), bytes.end()), Bytes{0, 0}, title}), 40, 0x40);
    };
    return {
        {"FrameSizePastTheTag", Tag(3, Concat({title, sized("TALB", 5000)}), 20)},
        {"HugeFrameSize", Tag(3, Concat({title, sized("TALB", 0x7FFFFFF0)}), 2000)},
        {"ZeroFrameSizes", Tag(3, Concat({sized("TPE1", 0), title, sized("TALB", 0)}), 20)},
        {"ZeroTagSize", Tag(3, {})},
        {"ExtendedHeaderLongerThanTheTag", extended(3, 5000)},
        {"ExtendedHeaderLengthZero", extended(3, 0)},
        {"ExtendedHeaderLengthThree", extended(4, 3)},
        {"ExtendedHeaderLengthWraps", extended(3, 0xFFFFFFFE)},
        {"GarbageFrameID", Tag(3, Concat({title, Text("\x01\x02\x03\x04 garbage")}), 30)},
        {"Version22CutShort", Tag(2, Concat({Text("TT2"), Bytes{0, 0, 9, 0}, Text("Tit")}), 0)},
    };
}

class ID3v2FileBroken : public ID3v2File, public ::testing::WithParamInterface<BrokenTag> {};

TEST_P(ID3v2FileBroken, IsReadWithoutHarmAndAWriteNeverDamagesTheAudio)
{
    const Bytes audio = Mp3Fixture::Frames(6);
    const Bytes v1 = Mp3Fixture::ID3v1Record({.Title = "v1"});
    Create(Concat({GetParam().Tag, audio, v1}));
    EXPECT_TRUE(engine.HasID3v2());
    (void)ValuesOf(engine); // every getter on what was read, for the sanitizers to watch
    engine.SetID3v2Artist("After");
    if (!engine.WriteID3v2Tag()) {
        ExpectUntouched();
        return;
    }
    const Bytes file = Content();
    EXPECT_EQ(AudioOf(file), Concat({audio, v1}));
    EXPECT_EQ(file[5] & 0x40, 0) << "an extended header flag without the header";
    const auto taglib = TagLibID3v2(path);
    ASSERT_TRUE(taglib);
    EXPECT_EQ(taglib->Artist, "After");
    Open();
    EXPECT_EQ(engine.GetID3v2Artist(), "After");
    EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(TagAreaOf(file)));
}

INSTANTIATE_TEST_SUITE_P(Tags, ID3v2FileBroken, ::testing::ValuesIn(BrokenTags()),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ID3v2File, TagLargerThanTheFileIsNeitherWrittenNorDeleted)
{
    Create(Concat({Mp3Fixture::ID3v2Header(3, 0, 100'000), Frame("TIT2", TextBody("Title")),
                   Mp3Fixture::Frames(3)}));
    EXPECT_TRUE(engine.HasID3v2());
    EXPECT_EQ(engine.GetID3v2Title(), "Title");
    engine.SetID3v2Title("Other");
    EXPECT_FALSE(engine.WriteID3v2Tag());
    ExpectUntouched();
    EXPECT_FALSE(engine.DeleteID3v2());
    ExpectUntouched();
}

// ---- Read-only files ----

TEST_F(ID3v2File, ReadOnlyFileIsWrittenAndReadOnlyAgain)
{
    for (const std::size_t text : {10u, 5000u}) { // in place, and through a rewrite
        SCOPED_TRACE(text);
        Create(Mp3Fixture::Mp3(5, 2048));
        ASSERT_EQ(chmod(path.c_str(), 0444), 0);
        engine.SetID3v2Comment(std::string(text, 'r'));
        ASSERT_TRUE(engine.WriteID3v2Tag());
        EXPECT_EQ(StatOf(path).st_mode & 07777, 0444u);
        Open();
        EXPECT_EQ(engine.GetID3v2Comment(), std::string(text, 'r'));
        ASSERT_TRUE(engine.DeleteID3v2());
        EXPECT_EQ(StatOf(path).st_mode & 07777, 0444u);
        ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    }
}

// ---- Removing the tag ----

TEST_F(ID3v2File, DeleteRemovesTheTagWithAnyFooterAndKeepsEveryAudioByte)
{
    const Bytes audio = Concat({Mp3Fixture::Frames(7), Mp3Fixture::ID3v1Record({.Title = "v1"})});
    const Bytes withFooter = Tag(4, Frame("TIT2", TextBody("Footer"), 4), 20, 0x10);
    for (const Bytes& tag : {Tag(3, JoinFrames(RichFrames(3)), 500),
                             Concat({withFooter, Text("3DI"), Slice(withFooter, 3, 7)})}) {
        Create(Concat({tag, audio}));
        ASSERT_TRUE(engine.DeleteID3v2());
        EXPECT_EQ(Content(), audio);
        EXPECT_FALSE(TagLibID3v2(path));
        EXPECT_FALSE(engine.HasID3v2());
        EXPECT_EQ(engine.GetID3v2Size(), 0);
        EXPECT_EQ(engine.GetID3v2Title(), "");
        EXPECT_FALSE(dir.HasTemporaryFile());
        Open();
        EXPECT_FALSE(engine.HasID3v2());
        EXPECT_EQ(engine.GetID3v1Title(), "v1");
    }
}

TEST_F(ID3v2File, DeleteOnAFileWithoutTagChangesNothing)
{
    Create(Mp3Fixture::Frames(5));
    const ino_t inode = StatOf(path).st_ino;
    ASSERT_TRUE(engine.DeleteID3v2());
    ExpectUntouched();
    EXPECT_EQ(StatOf(path).st_ino, inode);
}

TEST_F(ID3v2File, DeleteOfAFileThatIsGoneFails)
{
    engine.SetFileName(dir.file("gone.mp3").string());
    EXPECT_FALSE(engine.DeleteID3v2());
    engine.SetID3v2Title("x");
    EXPECT_FALSE(engine.WriteID3v2Tag());
    EXPECT_TRUE(dir.entries().empty());
}

TEST_F(ID3v2File, CommandsThatReadNothingFirstStillFindTheTagOnDisk)
{
    const Bytes audio = Mp3Fixture::Frames(5);
    // Delete without any read: the tag goes, not zero bytes of it.
    Put(Concat({Tag(3, Frame("TIT2", TextBody("Old")), 3000), audio}));
    ASSERT_TRUE(engine.DeleteID3v2());
    EXPECT_EQ(Content(), audio);

    // Write without any read: the old tag's area is replaced, not pushed in front of the audio.
    Put(Concat({Tag(3, Frame("TIT2", TextBody("Old")), 3000), audio}));
    engine.SetID3v2Artist("Only");
    ASSERT_TRUE(engine.WriteID3v2Tag());
    const Bytes file = Content();
    EXPECT_EQ(AudioOf(file), audio);
    EXPECT_EQ(Find(file, Text("Old")), std::string::npos);
}

// ---- A rewrite that fails leaves the file as it was ----

TEST_F(ID3v2File, FailedRewriteReturnsFalseAndLeavesTheFileByteIdentical)
{
    const Bytes content = Concat({Tag(3, Frame("TIT2", TextBody("Kept")), 100), Mp3Fixture::Frames(30)});
    {
        Create(content);
        FileReplaceStepOverride failing([](const char*, const char*) { return -1; });
        engine.SetID3v2Comment(std::string(4000, 'g'));
        EXPECT_FALSE(engine.WriteID3v2Tag());
        ExpectUntouched();
        EXPECT_EQ(engine.GetID3v2Size(), static_cast<int>(TagAreaOf(content)));
        EXPECT_FALSE(engine.DeleteID3v2());
        ExpectUntouched();
    }
    {
        Create(content);
        engine.SetID3v2Comment(std::string(4000, 'g'));
        FileSizeLimit limit(content.size()); // the disk fills up before the new file is complete
        ASSERT_TRUE(limit.IsActive());
        EXPECT_FALSE(engine.WriteID3v2Tag());
    }
    ExpectUntouched();
    Open();
    EXPECT_EQ(engine.GetID3v2Title(), "Kept");
    EXPECT_EQ(engine.GetID3v2Comment(), "");
}
