// Saving the ID3v2 tag through the file object, as the editor saves it: files x edits, odd and broken tags among
// them. Each save is checked against what TagLib and mutagen see before and after it (only the edited frames
// changed, every other frame as it was, the audio byte-identical), against the engine's own re-read, and saved a
// second time; a refused save leaves the file byte-identical. Then the inputs the fuzzer once broke.
#include "EngineFile.h"
#include "EngineRoundTrip.h"
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
using namespace IndependentReaders;
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
constexpr std::size_t Title = 0, Artist = 1, Album = 2, Year = 4, Genre = 5, Comment = 10, URL = 11;

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
        ASSERT_EQ((file[pos + 4] | file[pos + 5] | file[pos + 6] | file[pos + 7]) & 0x80, 0)
            << "frame size at " << pos << " is not synchsafe";
        pos += 10 + (file[pos + 4] << 21 | file[pos + 5] << 14 | file[pos + 6] << 7 | file[pos + 7]);
    }
    ASSERT_LE(pos, end) << "the frame sizes run past the tag";
    EXPECT_EQ(Slice(file, pos, end - pos), Bytes(end - pos, 0)) << "the frames do not end on the padding";
    EXPECT_TRUE(!footer || Slice(file, area - 10, 10) == Concat({Text("3DI"), Slice(file, 3, 7)})) << "footer";
}

std::vector<std::string> TagLibFrames(const std::filesystem::path& file, const std::vector<std::string>& changed)
{
    std::vector<std::string> frames = TagLibID3v2(file).value_or(TagLibTag{}).Frames;
    for (const std::string& key : changed) { // an empty key matches no frame
        const std::string id = key.substr(0, 4) == "TYER" ? "TDRC" : key.substr(0, 4); // TagLib's name for it
        std::erase_if(frames, [&id](const std::string& line) { return line.starts_with(id + ":"); });
    }
    return frames;
}

Bytes PictureBody(std::string_view mime, std::uint8_t type, std::string_view description, std::uint8_t seed,
                  std::size_t imageSize = 300)
{
    Bytes image(imageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(seed + i * 7);
    return Concat({Bytes{0}, Text(mime), Bytes{0, type}, Text(description), Bytes{0}, image});
}

// A tag of the kind real taggers leave: every field the editor shows, a 16-bit title ("C\u00e9 \u2603"), pictures,
// comments, user texts, frames whose IDs share three letters, frames the engine has no slot for, and a 200-byte
// private frame (its size differs between the plain and the synchsafe form).
Bytes RichTag(std::uint8_t version)
{
    const auto frame = [version](std::string_view id, const Bytes& body) { return Frame(id, body, version); };
    return Tag(version, Concat({
        frame("TIT2", version == 4 ? Bytes{3, 'C', 'a', 'f', 0xC3, 0xA9}
                                   : Bytes{1, 0xFF, 0xFE, 'C', 0, 0xE9, 0, ' ', 0, 0x03, 0x26}),
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
        frame("PRIV", Concat({Text("owner.one"), Bytes{0}, Bytes(30, 0x80)})),
        frame("PRIV", Concat({Text("owner.two"), Bytes{0}, Bytes(190, 0x80)})),
        frame("TCMP", TextBody("1")), frame("XTST", Bytes{1, 2, 3, 4, 5}),
    }));
}

struct Save {
    std::string Name;
    Bytes Content;
    // The edit: a field and its new text, stored back with every other field as the editor does; or a call.
    std::size_t Field = Album;
    std::string Text = "Edited";
    std::function<void(TMP3File&)> Edit = {};
    std::vector<std::string> Changed = {}; // mutagen keys expected to change; when empty, the edited field's
    bool Unread = false;                   // saved without a read first, as commands that change one field do
    bool Malformed = false;                // the readers' views before and after the save are not compared
    // A frame mutagen keeps only as raw bytes that goes away (marked to be dropped when the tag is altered).
    std::string Dropped = {};
    Bytes Absent = {};                             // bytes the saved tag must not hold
    std::map<std::string, std::string> Texts = {}; // mutagen's text of a key after the save
    std::map<std::size_t, std::string> Shown = {}; // what the window shows of some fields after the read
    std::optional<std::vector<std::string>> Kept = {}; // the IDs of the frames kept unread for writing back
    bool Refused = false; // the save is refused and leaves the file byte-identical
    // Another program's rewrite between the read and the save; the file is read again after it unless refused.
    Bytes ChangedTo = {};
    Bytes Area = {}; // the frame area, also read cut short
};

Bytes Audio(std::size_t frames = 8) { return Mp3Fixture::Frames(frames); }

Bytes WithFrames(std::uint8_t version, std::initializer_list<Bytes> frames, std::size_t padding = 0,
                 std::uint8_t flags = 0)
{
    return Concat({Tag(version, Concat(frames), padding, flags), Audio()});
}

// Version 3 or 4 tag with the extended header `ext` before a title frame "Ext".
Bytes WithExtendedHeader(std::uint8_t version, const Bytes& ext)
{
    return Tag(version, Concat({ext, Frame("TIT2", TextBody("Ext"), version)}), 100, 0x40);
}

Bytes PictureThenTitle(std::uint8_t version, std::string_view title)
{
    return Tag(version, Concat({Frame("APIC", Bytes(30000, 0x5A), version), Frame("TIT2", TextBody(title), version)}),
               100);
}

std::vector<Save> Saves()
{
    const Bytes v1 = Mp3Fixture::ID3v1Record({.Title = "v1"});
    const Bytes title = Frame("TIT2", TextBody("Title"));
    const Bytes itunes = Frame("COMM", CommentBody("iTunNORM", " 0A 0B"));
    const Bytes dropped = Frame("XTST", Text("tag-bound"), 3, 0x8000);
    const Bytes cutOffPicture =
        Concat({Text("APIC"), Bytes{0, 0, 0x20, 0, 0, 0}, PictureBody("image/png", 3, "", 5, 4000)});
    const Bytes footerTag = Tag(4, Frame("TIT2", TextBody("Footer"), 4), 50, 0x10);
    const Bytes withFooter = Concat({footerTag, Text("3DI"), Slice(footerTag, 3, 7), Audio()});

    // The tag before the audio and an ID3v1 tag.
    const auto song = [&v1](const Bytes& tag) { return Concat({tag, Audio(), v1}); };
    // Odd or broken tags: the title shown, and the album saved or refused.
    const auto odd = [&song](std::string name, const Bytes& tag, std::string title, bool refused = false,
                             bool malformed = false) {
        return Save {.Name = std::move(name), .Content = song(tag), .Malformed = malformed,
                     .Shown = {{Title, std::move(title)}}, .Refused = refused};
    };
    // 00 00 14 00 is 5120 bytes plain, 2560 synchsafe; other writers put plain sizes in version 2.4 tags.
    const Bytes plainSizedPicture = Tag(4, Concat({Text("APIC"), Bytes{0, 0, 0x14, 0, 0, 0}, Bytes(5120, 0xA5),
                                                   Frame("TIT2", TextBody("After"), 4)}), 64);
    // A second frame, "kept" before it, claims `size` bytes that the area does not hold.
    const auto oversized = [](std::uint8_t version, const Bytes& size) {
        return Tag(version, Concat({Frame("TIT2", TextBody("kept"), version), Text("TPE1"), size, Bytes{0, 0, 1}}));
    };
    const Bytes v22 = Concat({Text("TT2"), Bytes{0, 0, 4, 0}, Text("Two"), Text("TP1"), Bytes{0, 0, 60, 0}, Text("x")});

    // A frame area as another writer stored it, what the window shows of it, and the frames kept unread for
    // writing back when the row is about them.
    const auto stored = [&song](std::string name, std::uint8_t version, const Bytes& area,
                                std::map<std::size_t, std::string> shown, std::uint8_t flags = 0,
                                std::optional<std::vector<std::string>> kept = {}) {
        return Save {.Name = std::move(name), .Content = song(Tag(version, area, 20, flags)), .Shown = std::move(shown),
                     .Kept = std::move(kept), .Area = area};
    };
    // A 200-byte title whose size is 00 00 01 48: synchsafe in version 2.4, 328 bytes plain in version 2.3.
    const Bytes sizes = Concat({Bytes{'T', 'I', 'T', '2', 0x00, 0x00, 0x01, 0x48, 0, 0},
                                TextBody(std::string(199, 'a')), Frame("TPE1", TextBody(std::string(117, 'p'))),
                                Bytes(100, 0)});
    // Version 2.4 sizes written plain by other writers: 00 00 00 C8 (bit 7 set), and 00 00 01 00, which as
    // synchsafe is 128: the frame after tells which one is meant.
    const Bytes plain = Concat({Bytes{'T', 'I', 'T', '2', 0, 0, 0, 0xC8, 0, 0}, TextBody(std::string(199, 't')),
                                Bytes{'T', 'P', 'E', '1', 0, 0, 1, 0, 0, 0}, TextBody(std::string(255, 'a')),
                                Frame("TALB", TextBody("x"), 4)});
    // The writer put a zero after each FF, inside the size bytes as well (255 bytes: 00 00 00 FF).
    const Bytes stuffed = Concat({Unsynchronised(Frame("TIT2", TextBody(std::string(252, 'x') + "\xFFy"))),
                                  Frame("TPE1", TextBody("A"))});
    std::vector<Save> saves = {
        // The description "\x01\x00" would end at the odd 00 00 of "01 00 | 00 41" with a byte-wise search.
        stored("DescriptionOfACharacterEndingIn00", 4,
               Frame("COMM", Bytes{2, 'e', 'n', 'g', 1, 0, 0, 0x41, 0, 0, 0, 'x'}, 4), {{Comment, "x"}}),
        // The description's last character, U+0141, has a non-zero high byte; it still ends at its terminator.
        stored("DescriptionEndingInAWideCharacter", 3,
               Frame("COMM", Bytes{1, 'e', 'n', 'g', 0xFF, 0xFE, 0x41, 0x01, 0, 0, 0xFF, 0xFE, 'H', 0, 'i', 0}),
               {{Comment, "Hi"}}),
        stored("SecondOfTwoComments", 3,
               Concat({Frame("COMM", CommentBody("", "first")), Frame("COMM", CommentBody("", "second"))}),
               {{Comment, "second"}}, 0, std::vector<std::string>{"COMM"}),
        stored("CommentEndingInsideItsDescription", 3, Frame("COMM", Text(std::string_view("\0engdesc", 8))),
               {{Comment, ""}}),
        // The link behind a 16-bit description is ISO-8859-1 whatever the encoding byte says.
        stored("LinkBehindA16BitDescription", 3, Frame("WXXX", Bytes{2, 0, 'd', 0, 0, 'w', 'w', 'w'}), {{URL, "www"}}),
        stored("GenreNumberKeptAsStored", 3, Frame("TCON", TextBody("(13)")), {{Genre, "(13)"}}),
        stored("YearFromTYERBeforeTDRC", 4,
               Concat({Frame("TDRC", TextBody("2004"), 4), Frame("TYER", TextBody("1999"), 4)}), {{Year, "1999"}}),
        // Group byte, data length indicator, unsynchronised body (FF 00 -> FF).
        stored("GroupedLengthIndicatedUnsynchronisedFrame", 4,
               Frame("TIT2", Concat({Bytes{0x07}, Bytes{0, 0, 0, 4}, Bytes{0, 'a', 0xFF, 0x00, 'b'}}), 4, 0x0043),
               {{Title, "aÿb"}}),
        stored("TagWideUnsynchronisationInVersion4", 4, Frame("TIT2", Bytes{0, 'a', 0xFF, 0x00, 'b'}, 4),
               {{Title, "aÿb"}}, 0x80),
        stored("CompressedVersion4Frame", 4, Frame("TIT2", TextBody("zlib?"), 4, 0x0009), {{Title, ""}}),
        stored("CompressedVersion3Frame", 3, Frame("TIT2", TextBody("zlib?"), 3, 0x0080), {{Title, ""}}),
        stored("GroupedVersion3Frame", 3, Frame("TIT2", Concat({Bytes{0x07}, TextBody("g")}), 3, 0x0020),
               {{Title, "g"}}),
        stored("SynchsafeSizesInVersion4", 4, sizes, {{Title, std::string(199, 'a')}, {Artist, std::string(117, 'p')}}),
        stored("PlainSizesInVersion3", 3, sizes, {{Title, std::string(199, 'a') + "TPE1"}}),
        stored("PlainSizesWithBit7InVersion4", 4, plain,
               {{Title, std::string(199, 't')}, {Artist, std::string(255, 'a')}, {Album, "x"}}),
        stored("UnsynchronisedVersion3Tag", 3, stuffed, {{Title, std::string(252, 'x') + "ÿy"}, {Artist, "A"}},
               0x80),
        // TagLib stops at the first frame of size zero.
        {.Name = "ZeroSizedFramesAreDropped", .Content = song(Tag(3, Concat({Frame("TIT2", {}), Frame("ZZZZ", {}),
             Frame("TPE1", TextBody("A"))}), 20)), .Malformed = true, .Shown = {{Artist, "A"}},
         .Kept = std::vector<std::string>{}},
        stored("Version2Picture", 2, Text(std::string_view("PIC\0\0\7\0PNG\3\0\x89", 13)), {{Title, ""}}, 0,
               std::vector<std::string>{}),
        odd("TitleBehindAPictureFarPastTheFirstRead", PictureThenTitle(4, "Behind"), "Behind"),
        odd("TitleRunningPastTheFirstRead", Tag(3, Frame("TIT2", TextBody(std::string(6000, 'a')))),
            std::string(6000, 'a')),
        odd("PictureWithAPlainSizeInVersion4", plainSizedPicture, "After"),
        {.Name = "PictureChangedOnDiskSinceTheRead", .Content = song(PictureThenTitle(3, "Read")),
         .Shown = {{Title, "Read"}}, .Refused = true, .ChangedTo = song(PictureThenTitle(3, "Read more"))},
        // Rewritten in place under the open descriptor: the next read takes it afresh.
        {.Name = "FileRewrittenWhileOpen", .Content = song(Tag(3, Frame("TIT2", TextBody("First")), 100)),
         .Shown = {{Title, "Second"}},
         .ChangedTo = Concat({Tag(3, Frame("TIT2", TextBody("Second")), 6000), Audio(2), v1})},
        odd("TagSizePastTheEndOfTheFile", Mp3Fixture::ID3v2Header(3, 0, 0x0FFFFFFF), "", true),
        {.Name = "HeaderCutShort", .Content = Bytes{'I', 'D', '3', 2, 0}, .Shown = {{Title, ""}}},
        odd("MisspelledIdentifier", Concat({Text("ID4"), Bytes{3, 0, 0, 0, 0, 10}, Bytes(10, 0)}), ""),
        // TagLib misplaces the frames behind a version 2.3 extended header.
        odd("ExtendedHeaderInVersion3", WithExtendedHeader(3, {0, 0, 0, 6, 0, 0, 0, 0, 0, 0}), "Ext", false, true),
        odd("ExtendedHeaderInVersion4", WithExtendedHeader(4, {0, 0, 0, 6, 1, 0}), "Ext"),
        odd("ExtendedHeaderOfLength0", WithExtendedHeader(3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "", true),
        odd("ExtendedHeaderWhoseLengthWraps", WithExtendedHeader(3, {0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0}), "",
            true),
        odd("ExtendedHeaderLongerThanTheTag", WithExtendedHeader(3, {0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0}), "", true),
        {.Name = "ExtendedHeaderCutShortByTheEndOfTheFile",
         .Content = Concat({Mp3Fixture::ID3v2Header(3, 0x40, 100), Bytes{0, 0}}), .Shown = {{Title, ""}},
         .Refused = true},
        odd("FrameSizePastTheTagInVersion3", oversized(3, {0x7F, 0xFF, 0xFF, 0xF0}), "kept"),
        odd("FrameSizePastTheTagInVersion4", oversized(4, {0xFF, 0xFF, 0xFF, 0xFF}), "kept"),
        odd("Version2FrameSizePastTheTag", Tag(2, v22), "Two", true),
        odd("CompressedVersion2Tag", Tag(2, Bytes{'T', 'T', '2', 0, 0, 2, 0, 'x'}, 0, 0x40), "", true),
        odd("Version2FrameWithoutALaterForm", Tag(2, Bytes{'C', 'R', 'M', 0, 0, 1, 'x'}), "", true),
        {.Name = "NoTagYet", .Content = Slice(Mp3Fixture::Frames(2400), 0, 1'000'000), .Field = Title,
         .Text = "Title é", .Texts = {{"TIT2", "Title é"}}},
        {.Name = "LinkBeyondLatin1", .Content = WithFrames(4, {title}), .Field = URL, .Text = "http://x.org/ё",
         .Texts = {{"WXXX:", "http://x.org/%D1%91"}}},
        {.Name = "ShrunkTagStaysInItsArea",
         .Content = song(Tag(3, Concat({title, Frame("COMM", CommentBody("", std::string(3000, 'x')))}), 1000)),
         .Field = Comment, .Text = ""},
        {.Name = "FooterInPlace", .Content = withFooter, .Field = Comment, .Text = "c"},
        {.Name = "FooterGrown", .Content = withFooter, .Field = Comment, .Text = std::string(3001, 'c')},
        {.Name = "FooterFlagMeansNothingInVersion3", .Content = WithFrames(3, {title}, 20, 0x10), .Malformed = true},
        // The first comment with a description shows when none has none, and a save replaces that one.
        {.Name = "OnlyCommentsWithADescription",
         .Content = WithFrames(3, {itunes, Frame("COMM", CommentBody("d", "x"))}), .Field = Comment, .Text = "mine",
         .Changed = {"COMM:iTunNORM:eng"}, .Shown = {{Comment, " 0A 0B"}}},
        {.Name = "CommentBesideOtherProgramsComments", .Content = WithFrames(3, {Frame("COMM", CommentBody("", "old")),
             Frame("COMM", CommentBody("note", "kept")), itunes}), .Field = Comment, .Text = "new"},
        {.Name = "OwnCommentShownOverALaterOne",
         .Content = WithFrames(3, {Frame("COMM", CommentBody("", "own")), itunes}), .Shown = {{Comment, "own"}}},
        {.Name = "YearKeepsTheRestOfTheDate", .Content = WithFrames(4, {Frame("TDRC", TextBody("2004-05-12"), 4)}),
         .Field = Year, .Text = "2010", .Texts = {{"TDRC", "2010-05-12"}}, .Shown = {{Year, "2004"}}},
        {.Name = "YearInBothFramesOfVersion3", .Content = WithFrames(3, {Frame("TDRC", TextBody("2001")),
             Frame("TYER", TextBody("2001"))}), .Field = Year, .Text = "2002", .Changed = {"TDRC", "TYER"},
         .Texts = {{"TDRC", "2002"}, {"TYER", "2002"}}},
        {.Name = "TrackNumberAlreadyThere", .Content = WithFrames(3, {Frame("TRCK", TextBody("05/12"))}),
         .Edit = [](TMP3File& file) { file.SetID3v2TrackNumber(5); }, .Changed = {"-"}},
        {.Name = "FrameDroppedWhenTheTagIsAltered", .Content = WithFrames(3, {title, dropped}), .Dropped = "XTST",
         .Absent = dropped},
        {.Name = "OldTagReplacedWithoutARead", .Content = WithFrames(3, {Frame("TIT2", TextBody("Old"))}, 3000),
         .Edit = [](TMP3File& file) { file.SetID3v2Artist("Only"); }, .Changed = {"TIT2", "TPE1"}, .Unread = true,
         .Absent = Text("Old")},
        {.Name = "SecondFrameOfAnID",
         .Content = WithFrames(3, {Frame("TPE1", TextBody("a")), Frame("TPE1", TextBody("b"))})},
        {.Name = "WholeFrameBehindThePadding", .Content = WithFrames(3, {title, Bytes(20, 0), Frame("TPE1",
             TextBody("Old rest"))}, 30), .Absent = Text("Old rest")},
        {.Name = "LowerCaseFrameID", .Content = WithFrames(3, {title, Frame("xtst", Text("lower"))}, 20),
         .Absent = Text("xtst")},
        // Too large to be held while reading: left in the file to be read at save time, where the file's next
        // bytes (the audio) must not become its body.
        {.Name = "LargePictureRunningPastTheTag", .Content = Concat({Tag(3, Concat({title, cutOffPicture})), Audio()}),
         .Malformed = true, .Absent = Slice(Audio(), 0, 64)},
    };
    for (const std::uint8_t version : {3, 4}) {
        const Bytes rich = Concat({RichTag(version), Audio(), version == 3 ? v1 : Bytes()});
        for (std::size_t field = 0; field < Fields.size(); ++field) {
            // Version 2.3: a new text for each field; version 2.4: each field cleared.
            const std::string name = std::string("Rich") + (version == 3 ? "Set" : "Cleared") + Fields[field].Name;
            const std::string text = field == Year ? "1987" : "New " + std::string(Fields[field].Name);
            saves.push_back({.Name = name, .Content = rich, .Field = field, .Text = version == 4 ? "" : text});
        }
    }
    // Tags other programs wrote; bare tags get audio behind them.
    const std::filesystem::path data = VELLUM_TEST_DATA_DIR;
    for (const char* folder : {"mp3agic", "rust-id3"})
        for (const auto& entry : std::filesystem::directory_iterator(data / folder))
            if (entry.path().filename() != "LICENSE") {
                std::string name = std::string("Sample_") + folder + "_" + entry.path().stem().string();
                std::ranges::replace_if(name, [](unsigned char c) { return !std::isalnum(c); }, '_');
                const Bytes audio = entry.path().extension() == ".id3" ? Audio(3) : Bytes();
                saves.push_back({.Name = name, .Content = Concat({readFile(entry.path()), audio})});
            }
    return saves;
}

class ID3v2Save : public EngineFile, public ::testing::WithParamInterface<Save> {};

TEST_P(ID3v2Save, ChangesOnlyTheEditedFramesAndKeepsTheAudio)
{
    const Save& save = GetParam();
    Put(save.Content);
    if (!save.Unread) {
        ASSERT_TRUE(engine.ReadTags());
        engine.ReadMPEGHeader();
    }
    if (!save.ChangedTo.empty()) {
        writeFile(path, save.ChangedTo);
        original = save.ChangedTo;
        ASSERT_TRUE(save.Refused || engine.ReadTags());
    }
    for (const auto& [field, text] : save.Shown)
        EXPECT_EQ((engine.*Fields[field].Get)(), text) << Fields[field].Name;
    if (save.Kept) {
        std::vector<std::string> kept;
        for (const RawFrame& frame : engine.GetID3v2Frames().PassThroughFrames())
            kept.emplace_back(frame.ID());
        EXPECT_EQ(kept, *save.Kept);
    }
    // Every length of the area cut short, each exactly as long as what is left, so that the sanitizers see a
    // read past it.
    for (std::size_t length = 0; length < save.Area.size(); ++length) {
        const Bytes cut = Slice(save.Area, 0, length);
        ID3v2Frames part;
        part.Load(cut.data(), cut.size(), save.Content[3], save.Content[5]);
        for (const auto get : {&ID3v2Frames::GetID3v2Title, &ID3v2Frames::GetID3v2Comment, &ID3v2Frames::GetID3v2URL})
            (part.*get)();
        EXPECT_LE(part.FramesSize(), length);
    }
    if (!save.Shown.empty()) {
        const auto v1 = TagLibID3v1(path);
        EXPECT_EQ(engine.GetID3v1Title(), v1 ? v1->Title : "");
        if (!save.Refused && Slice(original, TagAreaOf(original), 1) == Bytes{0xFF}) {
            EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(TagAreaOf(original)));
        }
    }
    const auto mutagenBefore = MutagenID3v2(path).value_or(MutagenTag{});

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
    if (save.Refused) {
        EXPECT_FALSE(engine.WriteID3v2Tag());
        EXPECT_EQ(Content(), original);
        EXPECT_TRUE(Alone());
        return;
    }
    ASSERT_TRUE(engine.WriteID3v2Tag());

    const Bytes file = Content();
    EXPECT_EQ(AudioOf(file), AudioOf(original));
    EXPECT_EQ(file[3], version);
    EXPECT_EQ(file[5] & 0xC0, 0) << "unsynchronisation or an extended header flagged but not written";
    if (version == 4)
        ExpectVersion4Bytes(file);
    const std::size_t area = TagAreaOf(file), oldArea = TagAreaOf(original);
    EXPECT_GE(area, std::min(oldArea, original.size())) << "old tag bytes left in front of the audio";
    const bool v1 = Slice(file, file.size() - 128, 3) == Text("TAG");
    EXPECT_TRUE(area == oldArea || (file.size() + (v1 ? 0 : 128)) % 2048 == 0) << "the file is not aligned";
    // No audio byte went into the tag, as a frame size running past the tag would take them.
    for (const Bytes& absent : {save.Absent, save.Shown.empty() ? Bytes() : Slice(AudioOf(original), 0, 32)})
        EXPECT_TRUE(absent.empty() || Find(Slice(file, 0, area), absent) == std::string::npos);

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
    // Only the comment shown changed, whatever its language and description.
    const std::vector<std::string> secondChanged = ChangedFrames(*mutagen, MutagenID3v2(path).value_or(MutagenTag{}));
    EXPECT_LE(secondChanged.size(), 1u);
    for (const std::string& key : secondChanged)
        EXPECT_TRUE(key.starts_with("COMM:")) << key;
    ASSERT_TRUE(engine.ReadTags());
    EXPECT_EQ(ValuesOf(engine), values);
}

INSTANTIATE_TEST_SUITE_P(Files, ID3v2Save, ::testing::ValuesIn(Saves()),
                         [](const auto& info) { return info.param.Name; });

// Every test file kept in the tree, the fuzzer's finds among them, through the fuzzer's own sequence.
TEST(FuzzRegression, InputsOnceFoundAndSeedFilesKeepTheFileSafe)
{
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VELLUM_TEST_DATA_DIR)) {
        if (entry.path().extension() != ".mp3" && entry.path().extension() != ".id3")
            continue;
        SCOPED_TRACE(entry.path().string());
        TempDir dir;
        const std::filesystem::path copy = dir.file("input.mp3");
        std::filesystem::copy_file(entry.path(), copy);
        EXPECT_EQ(ReadEverything(copy.string()), ReadEverything(copy.string()));
        EXPECT_EQ(CheckEngineRoundTrip(copy.string()), "");
    }
}

// The size step when the file is already aligned is a whole step; a save cannot show it, as a tag never fits in 0.
TEST(ID3v2Size, AlignmentIsAFullStepNeverZero)
{
    EXPECT_EQ(ID3v2Size::AlignedTagSize(2048 * 10, 0, true), 2048u);
    EXPECT_EQ(ID3v2Size::AlignedTagSize(2048 * 10 - 128, 0, false), 2048u);
    EXPECT_EQ(ID3v2Size::AlignedTagSize(1000 + 4096, 4096, true), 1048u);
}

} // namespace
