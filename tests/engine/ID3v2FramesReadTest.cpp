#include "ID3v2Bytes.h"
#include "ID3v2Frames.h"

#include <gtest/gtest.h>

using namespace ID3v2Bytes;

namespace {

ID3v2Frames LoadArea(const Bytes& area, std::uint8_t version, std::uint8_t flags = 0)
{
    ID3v2Frames frames;
    frames.Load(area.data(), area.size(), version, flags);
    return frames;
}

Bytes CommentBody(std::string_view description, std::string_view text)
{
    return Concat({Text(std::string_view("\0eng", 4)), Text(description), Bytes{0}, Text(text)});
}

Bytes Unsynchronised(const Bytes& raw)
{
    Bytes stuffed;
    for (std::uint8_t b : raw) {
        stuffed.push_back(b);
        if (b == 0xFF)
            stuffed.push_back(0);
    }
    return stuffed;
}

using Getter = std::string (ID3v2Frames::*)() const;

struct ShownCase {
    const char* Name;
    Bytes Area;
    std::uint8_t Version;
    Getter Get;
    std::string Expected;
    std::uint8_t TagFlags = 0;
};

} // namespace

TEST(ID3v2FramesRead, FieldsShowWhatTheStoredBytesSay)
{
    const auto comm = [](std::string_view description, std::string_view text) {
        return Frame("COMM", CommentBody(description, text));
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
    const std::vector<ShownCase> cases = {
        {"SecondOfTwoComments", Concat({comm("", "first"), comm("", "second")}), 3, &ID3v2Frames::GetID3v2Comment,
         "second"},
        {"CommentWithoutDescriptionBeforeOtherProgramsData", Concat({comm("", "mine"), comm("iTunNORM", " 0A")}), 3,
         &ID3v2Frames::GetID3v2Comment, "mine"},
        {"OnlyOtherProgramsComment", comm("iTunNORM", " 0A"), 3, &ID3v2Frames::GetID3v2Comment, " 0A"},
        {"CommentWithDescription", comm("d", "Hello"), 3, &ID3v2Frames::GetID3v2Comment, "Hello"},
        {"CommentEndingInsideItsDescription", Frame("COMM", Text(std::string_view("\0engdesc", 8))), 3,
         &ID3v2Frames::GetID3v2Comment, ""},
        {"SixteenBitComment", Frame("COMM", Bytes{1, 'e', 'n', 'g', 0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 'H', 0, 'i', 0}),
         3, &ID3v2Frames::GetID3v2Comment, "Hi"},
        // The description's last character, U+0141, has a non-zero high byte; it still ends at its terminator.
        {"SixteenBitDescriptionEndingInAWideCharacter",
         Frame("COMM", Bytes{1, 'e', 'n', 'g', 0xFF, 0xFE, 0x41, 0x01, 0, 0, 0xFF, 0xFE, 'H', 0, 'i', 0}), 3,
         &ID3v2Frames::GetID3v2Comment, "Hi"},
        // The link behind a 16-bit description is ISO-8859-1 whatever the encoding byte says.
        {"LinkBehindASixteenBitDescription", Frame("WXXX", Bytes{2, 0, 'd', 0, 0, 'w', 'w', 'w'}), 3,
         &ID3v2Frames::GetID3v2URL, "www"},
        {"LinkBehindAnEmptySixteenBitDescription", Frame("WXXX", Bytes{1, 0xFF, 0xFE, 0, 0, 'h', 't', 't', 'p'}), 3,
         &ID3v2Frames::GetID3v2URL, "http"},
        {"BigEndianTitle", Frame("TIT2", Bytes{2, 0, 'H', 0, 'i'}, 4), 4, &ID3v2Frames::GetID3v2Title, "Hi"},
        {"ByteOrderMarkCutShort", Frame("TIT2", Bytes{1, 0xFF}), 3, &ID3v2Frames::GetID3v2Title, ""},
        {"GenreNumberKeptAsStored", Frame("TCON", TextBody("(13)")), 3, &ID3v2Frames::GetID3v2Genre, "(13)"},
        {"YearFromTDRC", Frame("TDRC", TextBody("2004-05-12"), 4), 4, &ID3v2Frames::GetID3v2Year, "2004"},
        {"YearFromTYERBeforeTDRC", Concat({Frame("TDRC", TextBody("2004"), 4), Frame("TYER", TextBody("1999"), 4)}),
         4, &ID3v2Frames::GetID3v2Year, "1999"},
        // Group byte, data length indicator, unsynchronised body (FF 00 -> FF).
        {"GroupedLengthIndicatedUnsynchronisedFrame",
         Frame("TIT2", Concat({Bytes{0x07}, Bytes{0, 0, 0, 4}, Bytes{0, 'a', 0xFF, 0x00, 'b'}}), 4, 0x0043), 4,
         &ID3v2Frames::GetID3v2Title, "a\xFF" "b"},
        {"CompressedVersion4Frame", Frame("TIT2", TextBody("zlib?"), 4, 0x0009), 4, &ID3v2Frames::GetID3v2Title, ""},
        {"CompressedVersion3Frame", Frame("TIT2", TextBody("zlib?"), 3, 0x0080), 3, &ID3v2Frames::GetID3v2Title, ""},
        {"GroupedVersion3Frame", Frame("TIT2", Concat({Bytes{0x07}, TextBody("g")}), 3, 0x0020), 3,
         &ID3v2Frames::GetID3v2Title, "g"},
        {"SynchsafeSizeInVersion4", sizes, 4, &ID3v2Frames::GetID3v2Title, std::string(199, 'a')},
        {"FrameBehindASynchsafeSize", sizes, 4, &ID3v2Frames::GetID3v2Artist, std::string(117, 'p')},
        {"PlainSizeInVersion3", sizes, 3, &ID3v2Frames::GetID3v2Title, std::string(199, 'a') + "TPE1"},
        {"PlainSizeWithBit7InVersion4", plain, 4, &ID3v2Frames::GetID3v2Title, std::string(199, 't')},
        {"PlainSizeThatLooksSynchsafeInVersion4", plain, 4, &ID3v2Frames::GetID3v2Artist, std::string(255, 'a')},
        {"FrameBehindPlainSizesInVersion4", plain, 4, &ID3v2Frames::GetID3v2Album, "x"},
        {"UnsynchronisedVersion3Tag", stuffed, 3, &ID3v2Frames::GetID3v2Title, std::string(252, 'x') + "\xFFy",
         0x80},
        {"FrameBehindAnUnsynchronisedSize", stuffed, 3, &ID3v2Frames::GetID3v2Artist, "A", 0x80},
    };
    for (const ShownCase& c : cases)
        EXPECT_EQ((LoadArea(c.Area, c.Version, c.TagFlags).*c.Get)(), c.Expected) << c.Name;
}

TEST(ID3v2FramesRead, SecondCommentIsShownAndTheFirstKeptAsPassThrough)
{
    const ID3v2Frames frames = LoadArea(
        Concat({Frame("COMM", CommentBody("", "first")), Frame("COMM", CommentBody("", "second"))}), 3);
    ASSERT_EQ(frames.PassThroughFrames().size(), 1u);
    EXPECT_EQ(frames.PassThroughFrames()[0].Body, CommentBody("", "first"));
}

TEST(ID3v2FramesRead, Version4TagWideUnsynchronisationPassesToEachFrame)
{
    const ID3v2Frames frames = LoadArea(Frame("TIT2", Bytes{0, 'a', 0xFF, 0x00, 'b'}, 4), 4, 0x80);
    EXPECT_EQ(frames.GetID3v2Title(), "a\xFF" "b");
    // The tag is written without the header flag, so the frame now carries it.
    EXPECT_EQ(frames.Render(), Frame("TIT2", Bytes{0, 'a', 0xFF, 0x00, 'b'}, 4, 0x0002));
}

TEST(ID3v2FramesRead, SizesThatCannotBeRightEndTheWalkWithoutReadingPastTheArea)
{
    const Bytes before = Frame("TIT2", TextBody("kept"));
    for (const Bytes& size : {Bytes{0x7F, 0xFF, 0xFF, 0xF0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{0, 0, 0x08, 0}}) {
        Bytes bad = Concat({Text("TPE1"), size, Bytes{0, 0}, TextBody("x")});
        // Exactly as long as its content: the sanitizers see any read past it.
        const Bytes area = Concat({before, bad});
        for (std::uint8_t version : {2, 3, 4, 7}) {
            ID3v2Frames frames;
            frames.Load(area.data(), area.size(), version, 0);
            if (version != 2) {
                EXPECT_EQ(frames.GetID3v2Title(), "kept");
            }
            EXPECT_EQ(frames.GetID3v2Artist(), "");
            EXPECT_LE(frames.FramesSize(), area.size());
        }
    }
}

TEST(ID3v2FramesRead, ZeroSizedFramesAreDroppedAndTheWalkGoesOn)
{
    const Bytes area = Concat({Frame("TIT2", {}), Frame("ZZZZ", {}), Frame("TPE1", TextBody("A"))});
    const ID3v2Frames frames = LoadArea(area, 3);
    EXPECT_EQ(frames.GetID3v2Artist(), "A");
    EXPECT_EQ(frames.Slot(FrameTable::FrameIndex("TIT2")), nullptr);
    EXPECT_TRUE(frames.PassThroughFrames().empty());
}

TEST(ID3v2FramesRead, TruncatedAreasOfEveryLength)
{
    const Bytes area = Concat({Frame("TIT2", TextBody("Title")), Frame("COMM", CommentBody("d", "c"))});
    for (std::size_t length = 0; length <= area.size(); ++length) {
        const Bytes part(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(length));
        for (std::uint8_t version : {2, 3, 4}) {
            ID3v2Frames frames;
            frames.Load(part.data(), part.size(), version, 0);
            frames.GetID3v2Comment();
            EXPECT_LE(frames.FramesSize(), part.size());
        }
    }
}

TEST(ID3v2FramesRead, UnknownFramesMarkedForDiscardOnAlterAreDropped)
{
    const Bytes area = Concat({Frame("XDIS", Text("gone"), 3, 0x8000), Frame("XKEP", Text("kept"), 3, 0x4000)});
    const ID3v2Frames frames = LoadArea(area, 3);
    ASSERT_EQ(frames.PassThroughFrames().size(), 1u);
    EXPECT_EQ(frames.PassThroughFrames()[0].ID(), "XKEP");
}

TEST(ID3v2FramesRead, Version22FramesAreCarriedOverToVersion23)
{
    const Bytes file = ReadTestData("mp3agic/obsolete-noimage.mp3");
    const LoadedTag tag = Load(file);
    EXPECT_EQ(tag.Version, 2);
    EXPECT_TRUE(tag.Frames.IsWritable());
    EXPECT_EQ(tag.Frames.WriteVersion(), 3);
    EXPECT_EQ(tag.Frames.GetID3v2Year(), "2009");
    EXPECT_EQ(tag.Frames.GetID3v2Track(), "2");
    EXPECT_EQ(tag.Frames.GetID3v2Genre(), "(20)");
    EXPECT_EQ(tag.Frames.GetID3v2Title().substr(0, 8), "NAMEABCD");
    EXPECT_EQ(tag.Frames.GetID3v2Comment().substr(0, 6), "COMMEN");

    // A picture's image format becomes a MIME type; an ID without a version 2.3 form makes the tag unwritable.
    const Bytes pic = {'P', 'I', 'C', 0, 0, 7, 0, 'P', 'N', 'G', 3, 0, 0x89};
    const ID3v2Frames converted = LoadArea(pic, 2);
    ASSERT_NE(converted.Slot(FrameTable::FrameIndex("APIC")), nullptr);
    EXPECT_EQ(converted.Slot(FrameTable::FrameIndex("APIC"))->Body,
              Concat({Bytes{0}, Text("image/png"), Bytes{0, 3, 0, 0x89}}));
    EXPECT_FALSE(LoadArea(Bytes{'C', 'R', 'M', 0, 0, 1, 'x'}, 2).IsWritable());
    EXPECT_FALSE(LoadArea(Frame("TIT2", TextBody("x")), 2, 0x40).IsWritable()); // compressed version 2.2 tag
}

TEST(ID3v2FramesRead, RealTagsOfOtherWriters)
{
    const LoadedTag utf16 = Load(ReadTestData("mp3agic/v1andv23tagswithalbumimage-utf16le.mp3"));
    EXPECT_EQ(utf16.Frames.GetID3v2Title(), "TITLE1234567890123456789012345");
    EXPECT_EQ(utf16.Frames.GetID3v2Genre(), "Classic Rock");
    EXPECT_EQ(utf16.Frames.GetID3v2Year(), "2001");
    EXPECT_EQ(utf16.Frames.GetID3v2URL().substr(0, 6), "URL234");
    EXPECT_NE(utf16.Frames.Slot(FrameTable::FrameIndex("APIC")), nullptr);

    const LoadedTag unicode = Load(ReadTestData("mp3agic/v23unicodetags.mp3"));
    EXPECT_EQ(unicode.Frames.GetID3v2Title(), "??");
    EXPECT_EQ(unicode.Frames.GetID3v2Artist(), "???? ???");

    const LoadedTag itunes = Load(ReadTestData("mp3agic/withitunescomment.mp3"));
    EXPECT_EQ(itunes.Frames.GetID3v2Genre(), "(13)Pop");
    EXPECT_EQ(itunes.Frames.PassThroughFrames().size(), 2u); // the earlier two of three comments
    EXPECT_EQ(itunes.Frames.GetID3v2Comment(), "COMMENT123456789012345678901"); // not "iTunNORM", the last

    const LoadedTag utf8 = Load(ReadTestData("rust-id3/github-issue-73.id3"));
    EXPECT_EQ(utf8.Frames.GetID3v2Title(), "TEST TITLE");
    EXPECT_EQ(utf8.Frames.GetID3v2Year(), "2016");
    EXPECT_EQ(utf8.Frames.GetID3v2Genre(), "TEST GENRE");

    const LoadedTag extended = Load(ReadTestData("rust-id3/id3v24_ext.id3"));
    EXPECT_EQ(extended.Frames.GetID3v2Title(), "Title");
    EXPECT_EQ(extended.Frames.GetID3v2Track(), "02");
}
