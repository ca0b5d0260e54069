// What the window shows of stored frames, and which unread frames are kept to be written back: hand-built frame
// areas for each reading rule, and the tags other writers put in the test files.
#include "ID3v2Bytes.h"
#include "ID3v2Frames.h"
#include "TMP3File.h"

#include <gtest/gtest.h>

#include <optional>

using namespace ID3v2Bytes;

namespace {

Bytes Comment(std::string_view description, std::string_view text)
{
    return Frame("COMM", CommentBody(description, text));
}

using Getter = std::string (ID3v2Frames::*)() const;

struct Case {
    const char* Name;
    Bytes Area;
    std::uint8_t Version;
    Getter Get;
    std::string Shown;
    std::uint8_t TagFlags = 0;
    // The IDs of the frames kept unread for writing back, when the row is about them.
    std::optional<std::vector<std::string>> Kept = {};
    const char* File = nullptr; // a test file read through the engine instead of the area
};

std::vector<std::string> KeptIDs(const ID3v2Frames& frames)
{
    std::vector<std::string> ids;
    for (const RawFrame& frame : frames.PassThroughFrames())
        ids.emplace_back(frame.ID());
    return ids;
}

} // namespace

TEST(ID3v2FramesRead, FieldsShowWhatTheStoredBytesSay)
{
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
    const Getter comment = &ID3v2Frames::GetID3v2Comment, title = &ID3v2Frames::GetID3v2Title;
    const std::vector<Case> cases = {
        {"second of two comments", Concat({Comment("", "first"), Comment("", "second")}), 3, comment, "second", 0,
         std::vector<std::string>{"COMM"}},
        {"comment without description before other programs' data",
         Concat({Comment("", "mine"), Comment("iTunNORM", " 0A")}), 3, comment, "mine"},
        {"only another program's comment", Comment("iTunNORM", " 0A"), 3, comment, " 0A"},
        {"comment with description", Comment("d", "Hello"), 3, comment, "Hello"},
        {"comment ending inside its description", Frame("COMM", Text(std::string_view("\0engdesc", 8))), 3, comment,
         ""},
        {"16-bit comment", Frame("COMM", Bytes{1, 'e', 'n', 'g', 0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 'H', 0, 'i', 0}), 3,
         comment, "Hi"},
        // The description's last character, U+0141, has a non-zero high byte; it still ends at its terminator.
        {"16-bit description ending in a wide character",
         Frame("COMM", Bytes{1, 'e', 'n', 'g', 0xFF, 0xFE, 0x41, 0x01, 0, 0, 0xFF, 0xFE, 'H', 0, 'i', 0}), 3, comment,
         "Hi"},
        // The link behind a 16-bit description is ISO-8859-1 whatever the encoding byte says.
        {"link behind a 16-bit description", Frame("WXXX", Bytes{2, 0, 'd', 0, 0, 'w', 'w', 'w'}), 3,
         &ID3v2Frames::GetID3v2URL, "www"},
        {"link behind an empty 16-bit description", Frame("WXXX", Bytes{1, 0xFF, 0xFE, 0, 0, 'h', 't', 't', 'p'}), 3,
         &ID3v2Frames::GetID3v2URL, "http"},
        {"big-endian title", Frame("TIT2", Bytes{2, 0, 'H', 0, 'i'}, 4), 4, title, "Hi"},
        {"byte-order mark cut short", Frame("TIT2", Bytes{1, 0xFF}), 3, title, ""},
        {"genre number kept as stored", Frame("TCON", TextBody("(13)")), 3, &ID3v2Frames::GetID3v2Genre, "(13)"},
        {"year from TDRC", Frame("TDRC", TextBody("2004-05-12"), 4), 4, &ID3v2Frames::GetID3v2Year, "2004"},
        {"year from TYER before TDRC", Concat({Frame("TDRC", TextBody("2004"), 4), Frame("TYER", TextBody("1999"), 4)}),
         4, &ID3v2Frames::GetID3v2Year, "1999"},
        // Group byte, data length indicator, unsynchronised body (FF 00 -> FF).
        {"grouped, length-indicated, unsynchronised frame",
         Frame("TIT2", Concat({Bytes{0x07}, Bytes{0, 0, 0, 4}, Bytes{0, 'a', 0xFF, 0x00, 'b'}}), 4, 0x0043), 4, title,
         "a\xFF" "b"},
        {"tag-wide unsynchronisation in version 2.4", Frame("TIT2", Bytes{0, 'a', 0xFF, 0x00, 'b'}, 4), 4, title,
         "a\xFF" "b", 0x80},
        {"compressed version 2.4 frame", Frame("TIT2", TextBody("zlib?"), 4, 0x0009), 4, title, ""},
        {"compressed version 2.3 frame", Frame("TIT2", TextBody("zlib?"), 3, 0x0080), 3, title, ""},
        {"grouped version 2.3 frame", Frame("TIT2", Concat({Bytes{0x07}, TextBody("g")}), 3, 0x0020), 3, title, "g"},
        {"synchsafe size in version 2.4", sizes, 4, title, std::string(199, 'a')},
        {"frame behind a synchsafe size", sizes, 4, &ID3v2Frames::GetID3v2Artist, std::string(117, 'p')},
        {"plain size in version 2.3", sizes, 3, title, std::string(199, 'a') + "TPE1"},
        {"plain size with bit 7 in version 2.4", plain, 4, title, std::string(199, 't')},
        {"plain size that looks synchsafe in version 2.4", plain, 4, &ID3v2Frames::GetID3v2Artist,
         std::string(255, 'a')},
        {"frame behind plain sizes in version 2.4", plain, 4, &ID3v2Frames::GetID3v2Album, "x"},
        {"unsynchronised version 2.3 tag", stuffed, 3, title, std::string(252, 'x') + "\xFFy", 0x80},
        {"frame behind an unsynchronised size", stuffed, 3, &ID3v2Frames::GetID3v2Artist, "A", 0x80},
        {"zero-sized frames are dropped", Concat({Frame("TIT2", {}), Frame("ZZZZ", {}), Frame("TPE1", TextBody("A"))}),
         3, &ID3v2Frames::GetID3v2Artist, "A", 0, std::vector<std::string>{}},
        {"unknown frame marked discard-on-alter", Concat({Frame("XDIS", Text("gone"), 3, 0x8000),
                                                          Frame("XKEP", Text("kept"), 3, 0x4000)}),
         3, title, "", 0, std::vector<std::string>{"XKEP"}},
        {"version 2.2 picture", Text(std::string_view("PIC\0\0\7\0PNG\3\0\x89", 13)), 2, title, "", 0,
         std::vector<std::string>{}},
        {"version 2.2 comment", {}, 0, comment, "COMMENTSNAMEABCDEFGHIJKLMNOPQRSTUVWXYZ", 0,
         std::vector<std::string>{"COMM"}, "mp3agic/obsolete-noimage.mp3"},
        {"characters outside Latin-1", {}, 0, &ID3v2Frames::GetID3v2Artist, "???? ???", 0, {},
         "mp3agic/v23unicodetags.mp3"},
        {"the comment, not the last of three", {}, 0, comment, "COMMENT123456789012345678901", 0,
         std::vector<std::string>{"COMM", "COMM"}, "mp3agic/withitunescomment.mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        TMP3File engine;
        ID3v2Frames loaded;
        if (c.File) {
            writeFile(dir.file("a.mp3"), ReadTestData(c.File));
            engine.SetFileName(dir.file("a.mp3").string());
            ASSERT_TRUE(engine.ReadTags());
        } else {
            loaded.Load(c.Area.data(), c.Area.size(), c.Version, c.TagFlags);
        }
        const ID3v2Frames& frames = c.File ? engine.GetID3v2Frames() : loaded;
        EXPECT_EQ((frames.*c.Get)(), c.Shown);
        if (c.Kept) {
            EXPECT_EQ(KeptIDs(frames), *c.Kept);
        }
        EXPECT_TRUE(frames.IsWritable());
    }
}

TEST(ID3v2FramesRead, WhatIsNotReadWithoutLossMakesTheTagUnwritable)
{
    const std::vector<std::pair<Bytes, std::uint8_t>> cases = {
        {Bytes{'C', 'R', 'M', 0, 0, 1, 'x'}, 0}, // an ID without a version 2.3 form
        {Frame("TIT2", TextBody("x")), 0x40},     // a compressed version 2.2 tag
    };
    for (const auto& [area, flags] : cases) {
        ID3v2Frames frames;
        frames.Load(area.data(), area.size(), 2, flags);
        EXPECT_FALSE(frames.IsWritable());
    }
}

// Exactly as long as its content, so that the sanitizers see any read past an area.
TEST(ID3v2FramesRead, AreasCutShortOrClaimingTooMuchAreReadWithinThem)
{
    const Bytes whole = Concat({Frame("TIT2", TextBody("Title")), Comment("d", "c")});
    std::vector<Bytes> areas;
    for (std::size_t length = 0; length <= whole.size(); ++length)
        areas.push_back(Slice(whole, 0, length));
    for (const Bytes& size : {Bytes{0x7F, 0xFF, 0xFF, 0xF0}, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, Bytes{0, 0, 0x08, 0}})
        areas.push_back(Concat({Frame("TIT2", TextBody("kept")), Text("TPE1"), size, Bytes{0, 0}, TextBody("x")}));
    for (const Bytes& area : areas) {
        for (std::uint8_t version : {2, 3, 4, 7}) {
            ID3v2Frames frames;
            frames.Load(area.data(), area.size(), version, 0);
            frames.GetID3v2Comment();
            EXPECT_EQ(frames.GetID3v2Artist(), "");
            EXPECT_LE(frames.FramesSize(), area.size());
        }
    }
}
