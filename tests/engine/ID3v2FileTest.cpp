// Saving the ID3v2 tag through the file object, as the editor saves it: files x edits. Each save is checked against
// what TagLib and mutagen see before and after it (only the edited frames changed, every other frame as it was, the
// audio byte-identical), against the engine's own re-read, and saved a second time.
#include "EngineFile.h"
#include "FrameTable.h"
#include "ID3v2Bytes.h"
#include "ID3v2Size.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

using namespace ID3v2Bytes;
using IndependentReaders::ChangedFrames;
using IndependentReaders::MutagenID3v2;
using IndependentReaders::TagLibID3v2;
using Mp3Fixture::AudioOf;
using Mp3Fixture::TagAreaOf;

namespace {

// ---- The twelve fields the editor shows, each stored back on saving ----

struct Field {
    const char* Name;
    void (TMP3File::*Set)(const std::string&);
    std::string (TMP3File::*Get)() const;
    const char* KeyV3; // mutagen's key of its frame, untranslated
    const char* KeyV4;
};

const std::vector<Field> Fields = {
    {"Title", &TMP3File::SetID3v2Title, &TMP3File::GetID3v2Title, "TIT2", "TIT2"},
    {"Artist", &TMP3File::SetID3v2Artist, &TMP3File::GetID3v2Artist, "TPE1", "TPE1"},
    {"Album", &TMP3File::SetID3v2Album, &TMP3File::GetID3v2Album, "TALB", "TALB"},
    {"Track", &TMP3File::SetID3v2Track, &TMP3File::GetID3v2Track, "TRCK", "TRCK"},
    {"Year", &TMP3File::SetID3v2Year, &TMP3File::GetID3v2Year, "TYER", "TDRC"},
    {"Genre", &TMP3File::SetID3v2Genre, &TMP3File::GetID3v2Genre, "TCON", "TCON"},
    {"Composer", &TMP3File::SetID3v2Composer, &TMP3File::GetID3v2Composer, "TCOM", "TCOM"},
    {"OrigArtist", &TMP3File::SetID3v2OrigArtist, &TMP3File::GetID3v2OrigArtist, "TOPE", "TOPE"},
    {"Copyright", &TMP3File::SetID3v2Copyright, &TMP3File::GetID3v2Copyright, "TCOP", "TCOP"},
    {"EncodedBy", &TMP3File::SetID3v2EncodedBy, &TMP3File::GetID3v2EncodedBy, "TENC", "TENC"},
    {"Comment", &TMP3File::SetID3v2Comment, &TMP3File::GetID3v2Comment, "COMM::eng", "COMM::eng"},
    {"URL", &TMP3File::SetID3v2URL, &TMP3File::GetID3v2URL, "WXXX:", "WXXX:"},
};
constexpr std::size_t Year = 4, Comment = 10, NoField = 99;

using Values = std::vector<std::string>;

Values ValuesOf(const TMP3File& engine)
{
    Values values;
    for (const Field& field : Fields)
        values.push_back((engine.*field.Get)());
    return values;
}

void StoreAll(TMP3File& engine, const Values& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        (engine.*Fields[i].Set)(values[i]);
}

// ---- Byte rules no reader checks: readers accept either size form and ignore a wrong footer ----

void ExpectVersion4Bytes(const Bytes& file)
{
    const std::size_t area = TagAreaOf(file);
    const bool footer = file[5] & 0x10;
    const std::size_t end = area - (footer ? 10 : 0);
    std::size_t pos = 10;
    while (pos + 10 <= end && file[pos] != 0) {
        std::size_t size = 0;
        for (std::size_t i = pos + 4; i < pos + 8; ++i) {
            ASSERT_LT(file[i], 0x80) << "frame size at " << pos << " is not synchsafe";
            size = size << 7 | file[i];
        }
        pos += 10 + size;
    }
    ASSERT_LE(pos, end) << "the frame sizes run past the tag";
    EXPECT_EQ(std::count(file.begin() + static_cast<std::ptrdiff_t>(pos), file.begin() + static_cast<std::ptrdiff_t>(end), 0),
              static_cast<std::ptrdiff_t>(end - pos)) << "the frames do not end on the padding";
    if (footer) {
        EXPECT_EQ(Slice(file, area - 10, 10), Concat({Text("3DI"), Slice(file, 3, 7)}));
    }
}

bool HasID3v1(const Bytes& file)
{
    return file.size() >= 128 && Slice(file, file.size() - 128, 3) == Text("TAG");
}

std::vector<std::string> TagLibFrames(const std::filesystem::path& file, const std::vector<std::string>& changed)
{
    std::vector<std::string> frames = TagLibID3v2(file).value_or(IndependentReaders::TagLibTag{}).Frames;
    for (const std::string& key : changed) {
        if (key.empty())
            continue;
        const std::string id = key.substr(0, 4) == "TYER" ? "TDRC" : key.substr(0, 4); // TagLib's name for it
        std::erase_if(frames, [&id](const std::string& line) { return line.starts_with(id + ":"); });
    }
    return frames;
}

// ---- Frames built by hand ----

Bytes UTF16Body(std::u16string_view text)
{
    Bytes body = {1, 0xFF, 0xFE};
    for (char16_t unit : text)
        body.insert(body.end(), {static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8)});
    return body;
}

Bytes PictureBody(std::string_view mime, std::uint8_t type, std::string_view description, std::uint8_t seed,
                  std::size_t imageSize = 300)
{
    Bytes image(imageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(seed + i * 7);
    return Concat({Bytes{0}, Text(mime), Bytes{0, type}, Text(description), Bytes{0}, image});
}

Bytes PrivateBody(std::string_view owner, std::size_t size)
{
    Bytes body = Concat({Text(owner), Bytes{0}});
    for (std::uint8_t i = 0; body.size() < size; ++i)
        body.push_back(static_cast<std::uint8_t>(0x80 | i));
    return body;
}

// A tag of the kind real taggers leave: every field the editor shows, a 16-bit title, pictures, comments, user
// texts, frames whose IDs share three letters, frames the engine has no slot for, and a 200-byte private frame
// (its size differs between the plain and the synchsafe form).
Bytes RichTag(std::uint8_t version)
{
    const auto frame = [version](std::string_view id, const Bytes& body) { return Frame(id, body, version); };
    return Tag(version, Concat({
        frame("TIT2", version == 4 ? Bytes{3, 'C', 'a', 'f', 0xC3, 0xA9} : UTF16Body(u"Caf\u00e9 \u2603 Nights")),
        frame("TIT1", TextBody("Grouping")), frame("TIT3", TextBody("Subtitle")),
        frame("TPE1", TextBody("The Artist")), frame("TPE2", TextBody("The Band")),
        frame("TALB", TextBody("The Album")), frame("TRCK", TextBody("3/12")),
        frame(version == 4 ? "TDRC" : "TYER", TextBody("2001")), frame("TCON", TextBody("(17)Rock")),
        frame("TCOM", TextBody("Composer")), frame("TOPE", TextBody("Original")),
        frame("TCOP", TextBody("2001 Label")), frame("TENC", TextBody("Encoder")),
        frame("WXXX", Concat({Bytes{0, 0}, Text("http://example.org/")})),
        frame("APIC", PictureBody("image/png", 3, "", 1, 20000)),
        frame("COMM", CommentBody("", "A comment")),
        frame("APIC", PictureBody("image/jpeg", 4, "back", 2)),
        frame("TXXX", Concat({Bytes{0}, Text("one"), Bytes{0}, Text("1")})),
        frame("PRIV", PrivateBody("owner.one", 40)), frame("PRIV", PrivateBody("owner.two", 200)),
        frame("TCMP", TextBody("1")), frame("XTST", Bytes{1, 2, 3, 4, 5}),
    }));
}

// ---- The table ----

struct Save {
    std::string Name;
    Bytes Content;
    // The edit: a field and its new text, stored back with every other field as the editor does; or a call.
    std::size_t Field = NoField;
    std::string Text = {};
    std::function<void(TMP3File&)> Edit = {};
    // mutagen keys expected to change; when empty, the edited field's.
    std::vector<std::string> Changed = {};
    // Saved without a read first, as commands that change one field do.
    bool Unread = false;
    // Malformed tags: mutagen's views before and after the save are not compared.
    bool Malformed = false;
    // A frame mutagen keeps only as raw bytes that goes away (marked to be dropped when the tag is altered).
    std::string Dropped = {};
    // Bytes the saved tag must not hold.
    Bytes Absent = {};
    // mutagen's text of a key after the save.
    std::map<std::string, std::string> Texts = {};
};

Bytes Audio(std::size_t frames = 8) { return Mp3Fixture::Frames(frames); }

Bytes WithFrames(std::uint8_t version, const std::vector<Bytes>& frames, std::size_t padding = 0, std::uint8_t flags = 0)
{
    Bytes all;
    for (const Bytes& frame : frames)
        all.insert(all.end(), frame.begin(), frame.end());
    return Concat({Tag(version, all, padding, flags), Audio()});
}

std::vector<Save> Saves()
{
    const Bytes v1 = Mp3Fixture::ID3v1Record({.Title = "v1"});
    const Bytes title = Frame("TIT2", TextBody("Title"));
    const Bytes itunes = Frame("COMM", CommentBody("iTunNORM", " 0A 0B"));
    const Bytes dropped = Frame("XTST", Text("tag-bound"), 3, 0x8000);
    const Bytes cutOffPicture = Concat({Text("APIC"), Bytes{0, 0, 0x20, 0, 0, 0}, PictureBody("image/png", 3, "", 5, 4000)});
    const auto sized = [](std::string_view id, std::uint32_t size) {
        return Concat({Text(id), Bytes{std::uint8_t(size >> 24), std::uint8_t(size >> 16), std::uint8_t(size >> 8),
                                       std::uint8_t(size), 0, 0}, Text("body")});
    };
    const Bytes footerTag = Tag(4, Frame("TIT2", TextBody("Footer"), 4), 50, 0x10);
    const Bytes withFooter = Concat({footerTag, Text("3DI"), Slice(footerTag, 3, 7), Audio()});

    std::vector<Save> saves = {
        {.Name = "NoTagYet", .Content = Slice(Mp3Fixture::Frames(2400), 0, 1'000'000), .Field = 0,
         .Text = "Title \xe9", .Texts = {{"TIT2", "Title \u00e9"}}},
        {.Name = "ShrunkTagStaysInItsArea",
         .Content = Concat({Tag(3, Concat({title, Frame("COMM", CommentBody("", std::string(3000, 'x')))}), 1000), Audio(), v1}),
         .Field = Comment, .Text = ""},
        {.Name = "FooterInPlace", .Content = withFooter, .Field = Comment, .Text = "c"},
        {.Name = "FooterGrown", .Content = withFooter, .Field = Comment, .Text = std::string(3001, 'c')},
        {.Name = "FooterFlagMeansNothingInVersion3", .Content = WithFrames(3, {title}, 20, 0x10), .Field = 0, .Text = "New",
         .Malformed = true},
        {.Name = "Unsynchronised", .Content = Concat({Tag(3, Unsynchronised(Concat({Frame("TIT2", TextBody("Sync")),
             Frame("APIC", PictureBody("image/jpeg", 3, "", 0))})), 40, 0x80), Audio()}), .Field = 2, .Text = "Album"},
        {.Name = "CommentOfAnotherProgramOnly", .Content = WithFrames(3, {itunes}), .Field = Comment, .Text = "mine"},
        {.Name = "CommentBesideOtherProgramsComments",
         .Content = WithFrames(3, {Frame("COMM", CommentBody("", "old")), Frame("COMM", CommentBody("note", "kept")), itunes}),
         .Field = Comment, .Text = "new"},
        {.Name = "OwnCommentShownOverALaterOne", .Content = WithFrames(3, {Frame("COMM", CommentBody("", "own")), itunes}),
         .Field = 0, .Text = "New"},
        {.Name = "YearKeepsTheRestOfTheDate", .Content = WithFrames(4, {Frame("TDRC", TextBody("2004-05-12"), 4)}),
         .Field = Year, .Text = "2010", .Texts = {{"TDRC", "2010-05-12"}}},
        {.Name = "YearInBothFramesOfVersion3", .Content = WithFrames(3, {Frame("TDRC", TextBody("2001")), Frame("TYER", TextBody("2001"))}),
         .Field = Year, .Text = "2002", .Changed = {"TDRC", "TYER"}, .Texts = {{"TDRC", "2002"}, {"TYER", "2002"}}},
        {.Name = "TrackNumberAlreadyThere", .Content = WithFrames(3, {Frame("TRCK", TextBody("05/12"))}),
         .Edit = [](TMP3File& file) { file.SetID3v2TrackNumber(5); }, .Changed = {"-"}},
        {.Name = "TrackNumberNew", .Content = WithFrames(3, {Frame("TRCK", TextBody("05/12"))}),
         .Edit = [](TMP3File& file) { file.SetID3v2TrackNumber(6); }, .Changed = {"TRCK"}, .Texts = {{"TRCK", "6"}}},
        {.Name = "FrameDroppedWhenTheTagIsAltered", .Content = WithFrames(3, {title, dropped}), .Field = 0, .Text = "New",
         .Dropped = "XTST", .Absent = dropped},
        {.Name = "OldTagReplacedWithoutARead", .Content = WithFrames(3, {Frame("TIT2", TextBody("Old"))}, 3000),
         .Edit = [](TMP3File& file) { file.SetID3v2Artist("Only"); }, .Changed = {"TIT2", "TPE1"}, .Unread = true,
         .Absent = Text("Old")},
        {.Name = "SecondFrameOfAnID", .Content = WithFrames(3, {Frame("TPE1", TextBody("a")), Frame("TPE1", TextBody("b"))}),
         .Field = 0, .Text = "New"},
        {.Name = "PlainFrameSizesInVersion4", .Content = WithFrames(4, {Frame("TIT2", TextBody("T"), 3),
             Frame("PRIV", PrivateBody("owner", 200), 3), Frame("TALB", TextBody("Album"), 3)}), .Field = 0, .Text = "New"},
        {.Name = "LinkAfterA16BitDescription",
         .Content = WithFrames(3, {Frame("WXXX", Concat({Bytes{1, 0xFF, 0xFE, 0, 0}, Text("http://example.org/")}))}),
         .Field = 0, .Text = "New"},
        {.Name = "WholeFrameBehindThePadding", .Content = WithFrames(3, {title, Bytes(20, 0), Frame("TPE1", TextBody("Old rest"))}, 30),
         .Field = 0, .Text = "New", .Absent = Text("Old rest")},
        {.Name = "LowerCaseFrameID", .Content = WithFrames(3, {title, Frame("xtst", Text("lower"))}, 20),
         .Field = 0, .Text = "New", .Absent = Text("xtst")},
        // Too large to be held while reading: left in the file to be read at save time, where the file's next
        // bytes (the audio) must not become its body.
        {.Name = "LargePictureRunningPastTheTag", .Content = Concat({Tag(3, Concat({title, cutOffPicture})), Audio()}),
         .Field = 0, .Text = "New", .Malformed = true, .Absent = Slice(Audio(), 0, 64)},
        {.Name = "TitleRunningPastTheTag",
         .Content = WithFrames(3, {Frame("TPE1", TextBody("A")), Text("TIT2"), Bytes{0, 0, 0x40, 0, 0, 0}, TextBody("Old")}, 50),
         .Field = 0, .Text = "New", .Malformed = true},
        {.Name = "ZeroFrameSizes", .Content = WithFrames(3, {sized("TPE1", 0), title, sized("TALB", 0)}, 20), .Field = 1,
         .Text = "After", .Malformed = true},
        {.Name = "ZeroTagSize", .Content = WithFrames(3, {}), .Field = 1, .Text = "After", .Malformed = true},
        {.Name = "GarbageFrameID", .Content = WithFrames(3, {title, Text("\x01\x02\x03\x04 garbage")}, 30), .Field = 1,
         .Text = "After", .Malformed = true},
    };
    for (const std::uint8_t version : {3, 4}) {
        const Bytes rich = Concat({RichTag(version), Audio(), version == 3 ? v1 : Bytes()});
        for (std::size_t field = 0; field < Fields.size(); ++field) {
            // Version 2.3: a new text for each field; version 2.4: each field cleared, and a new title and year.
            const std::string name = std::string("Rich") + (version == 3 ? "Set" : "Cleared") + Fields[field].Name;
            saves.push_back({.Name = name, .Content = rich, .Field = field,
                             .Text = version == 4 ? "" : field == Year ? "1987" : "New " + std::string(Fields[field].Name)});
        }
    }
    // Tags other programs wrote; bare tags get audio behind them.
    for (const char* folder : {"mp3agic", "rust-id3"})
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VELLUM_TEST_DATA_DIR) / folder))
            if (entry.path().filename() != "LICENSE") {
                const Bytes sample = readFile(entry.path());
                std::string name = std::string("Sample_") + folder + "_" + entry.path().stem().string();
                std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                saves.push_back({.Name = name, .Content = entry.path().extension() == ".id3" ? Concat({sample, Audio(3)}) : sample,
                                 .Field = 0, .Text = "Sample title"});
            }
    return saves;
}

class ID3v2Save : public EngineFile, public ::testing::WithParamInterface<Save> {};

TEST_P(ID3v2Save, ChangesOnlyTheEditedFramesAndKeepsTheAudio)
{
    const Save& save = GetParam();
    Put(save.Content);
    const auto mutagenBefore = MutagenID3v2(path).value_or(IndependentReaders::MutagenTag{});
    if (!save.Unread) {
        ASSERT_TRUE(engine.ReadTags());
    }

    Values values = ValuesOf(engine);
    if (save.Edit) {
        save.Edit(engine);
    } else {
        values[save.Field] = save.Text;
        StoreAll(engine, values);
    }
    values = ValuesOf(engine);
    const std::uint8_t version = engine.GetID3v2Version() == 4 ? 4 : 3;
    std::vector<std::string> changed = save.Changed;
    if (changed.empty())
        changed.push_back(version == 4 ? Fields[save.Field].KeyV4 : Fields[save.Field].KeyV3);
    std::erase(changed, "-");
    std::vector<std::string> ignored = changed;
    ignored.push_back(save.Dropped);
    const std::vector<std::string> taglibBefore = TagLibFrames(path, ignored);
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = Content();
    EXPECT_EQ(AudioOf(file), AudioOf(original));
    EXPECT_EQ(file[3], version);
    EXPECT_EQ(file[5] & 0xC0, 0) << "unsynchronisation or an extended header flagged but not written";
    if (version == 4)
        ExpectVersion4Bytes(file);
    const std::size_t area = TagAreaOf(file), oldArea = TagAreaOf(original);
    EXPECT_GE(area, std::min(oldArea, original.size())) << "old tag bytes left in front of the audio";
    if (area != oldArea) {
        EXPECT_EQ((file.size() + (HasID3v1(file) ? 0 : 128)) % 2048, 0u) << "the file is not aligned";
    }
    if (!save.Absent.empty()) {
        EXPECT_EQ(Find(Slice(file, 0, area), save.Absent), std::string::npos);
    }

    const auto mutagen = MutagenID3v2(path);
    ASSERT_TRUE(mutagen);
    if (!save.Malformed) {
        // mutagen shows a version 2.2 picture with its three-letter image format, a written one with the MIME
        // type; TagLib compares the picture's MIME type and bytes themselves.
        std::vector<std::string> expected = changed;
        if (mutagenBefore.Version == 2 && mutagenBefore.Frames.count("APIC:"))
            expected.push_back("APIC:");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(ChangedFrames(mutagenBefore, *mutagen), expected);
        EXPECT_EQ(mutagen->UnknownFrames == mutagenBefore.UnknownFrames, save.Dropped.empty());
        EXPECT_EQ(TagLibFrames(path, ignored), taglibBefore);
    }
    for (const auto& [key, text] : save.Texts)
        EXPECT_EQ(mutagen->Texts.count(key) ? mutagen->Texts.at(key) : "(none)", text) << key;
    TMP3File reread;
    reread.SetFileName(path.string());
    ASSERT_TRUE(reread.ReadTags());
    EXPECT_EQ(ValuesOf(reread), values);

    // A second save by the same object, without a read in between, grows the tag past its area.
    values[Comment] = std::string(3000, 's');
    StoreAll(engine, values);
    ASSERT_TRUE(engine.WriteID3v2Tag());
    EXPECT_EQ(AudioOf(Content()), AudioOf(original));
    for (const std::string& key : ChangedFrames(*mutagen, MutagenID3v2(path).value_or(IndependentReaders::MutagenTag{})))
        EXPECT_TRUE(key.starts_with("COMM::")) << key; // the comment without description, whatever its language
    ASSERT_TRUE(engine.ReadTags());
    EXPECT_EQ(ValuesOf(engine), values);
}

INSTANTIATE_TEST_SUITE_P(Files, ID3v2Save, ::testing::ValuesIn(Saves()),
                         [](const auto& info) { return info.param.Name; });

// The size step when the file is already aligned is a whole step; a save cannot show it, as a tag never fits in 0.
TEST(ID3v2Size, AlignmentIsAFullStepNeverZero)
{
    EXPECT_EQ(ID3v2Size::AlignedTagSize(2048 * 10, 0, true), 2048u);
    EXPECT_EQ(ID3v2Size::AlignedTagSize(2048 * 10 - 128, 0, false), 2048u);
    EXPECT_EQ(ID3v2Size::AlignedTagSize(1000 + 4096, 4096, true), 1048u);
}

// Each table ID finds its own slot, and an ID differing from it in one character never finds that slot.
TEST(FrameTable, EveryIDFindsItsOwnSlotAndNoOther)
{
    for (std::uint8_t index = 0; index < FrameTable::Count; ++index) {
        const std::string id(FrameTable::ID(index));
        EXPECT_EQ(FrameTable::FrameIndex(id), index) << id;
        for (std::size_t at = 0; at < 4; ++at)
            for (const char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 36) + '\0') {
                std::string other = id;
                other[at] = c;
                const std::uint8_t found = FrameTable::FrameIndex(other);
                EXPECT_TRUE(found == FrameTable::NoFrame || FrameTable::ID(found) == other) << other;
            }
    }
}

} // namespace
