#include "ID3v2Bytes.h"
#include "ID3v2Frames.h"

#include <gtest/gtest.h>

#include <map>

using namespace ID3v2Bytes;

namespace {

ID3v2Frames LoadArea(const Bytes& area, std::uint8_t version)
{
    ID3v2Frames frames;
    frames.Load(area.data(), area.size(), version, 0);
    return frames;
}

ID3v2Frames Reread(const ID3v2Frames& frames)
{
    return LoadArea(frames.Render(), frames.WriteVersion());
}

// The IDs of the pass-through frames after a write and a re-read, in order.
std::vector<std::string> IDs(const ID3v2Frames& frames)
{
    std::vector<std::string> ids;
    const ID3v2Frames reread = Reread(frames);
    for (const RawFrame& frame : reread.PassThroughFrames())
        ids.emplace_back(frame.ID());
    return ids;
}

std::size_t Count(const Bytes& data, const Bytes& part)
{
    std::size_t count = 0;
    for (std::size_t at = Find(data, part); at != std::string::npos; at = Find(data, part, at + 1))
        ++count;
    return count;
}

Bytes CommentBody(std::string_view description, std::string_view text)
{
    return Concat({Text(std::string_view("\0eng", 4)), Text(description), Bytes{0}, Text(text)});
}

// What the editor does on Save: every field goes back through its setter, one of them changed.
void StoreAllFields(ID3v2Frames& frames, const std::map<std::string, std::string>& changed)
{
    const auto value = [&](const std::string& field, const std::string& shown) {
        const auto found = changed.find(field);
        return found == changed.end() ? shown : found->second;
    };
    frames.SetID3v2Title(value("title", frames.GetID3v2Title()));
    frames.SetID3v2Artist(value("artist", frames.GetID3v2Artist()));
    frames.SetID3v2Album(value("album", frames.GetID3v2Album()));
    frames.SetID3v2Comment(value("comment", frames.GetID3v2Comment()));
    frames.SetID3v2Track(value("track", frames.GetID3v2Track()));
    frames.SetID3v2Year(value("year", frames.GetID3v2Year()));
    frames.SetID3v2Genre(value("genre", frames.GetID3v2Genre()));
    frames.SetID3v2Composer(value("composer", frames.GetID3v2Composer()));
    frames.SetID3v2OrigArtist(value("origartist", frames.GetID3v2OrigArtist()));
    frames.SetID3v2Copyright(value("copyright", frames.GetID3v2Copyright()));
    frames.SetID3v2EncodedBy(value("encodedby", frames.GetID3v2EncodedBy()));
    frames.SetID3v2URL(value("url", frames.GetID3v2URL()));
}

} // namespace

TEST(ID3v2FramesWrite, FramesTheSlotsDoNotHoldSurviveByteIdenticalAndSlotFramesStayLast)
{
    const Bytes picture1 = Frame("APIC", Concat({Bytes{0}, Text("image/png"), Bytes{0, 3, 0, 0x89, 'P', 'N', 'G'}}));
    const Bytes picture2 = Frame("APIC", Concat({Bytes{0}, Text("image/jpeg"), Bytes{0, 4, 'b', 0, 0xFF, 0xD8}}));
    const Bytes unknown = Frame("XYZ1", Text("opaque"), 3, 0x0040);
    const Bytes comment1 = Frame("COMM", CommentBody("other", "first"));
    const Bytes comment2 = Frame("COMM", CommentBody("", "second"));
    ID3v2Frames frames = LoadArea(
        Concat({picture1, unknown, Frame("TIT2", TextBody("Old")), picture2, comment1, comment2}), 3);

    frames.SetID3v2Title("New");
    const Bytes out = frames.Render();
    for (const Bytes& kept : {picture1, picture2, unknown, comment1, comment2})
        EXPECT_EQ(Count(out, kept), 1u);
    EXPECT_LT(Find(out, picture1), Find(out, picture2)); // the slot's picture is still the last one
    EXPECT_LT(Find(out, comment1), Find(out, comment2));
    EXPECT_EQ(frames.FramesSize(), out.size());

    const ID3v2Frames reread = Reread(frames);
    EXPECT_EQ(reread.GetID3v2Title(), "New");
    EXPECT_EQ(reread.GetID3v2Comment(), "second");
    EXPECT_EQ(reread.Slot(FrameTable::FrameIndex("APIC"))->Body, frames.Slot(FrameTable::FrameIndex("APIC"))->Body);
    EXPECT_EQ(IDs(frames), (std::vector<std::string>{"APIC", "XYZ1", "COMM"}));
}

TEST(ID3v2FramesWrite, SavingOneFieldLeavesUntouchedUnicodeFieldsAsRead)
{
    const LoadedTag tag = Load(ReadTestData("mp3agic/v23unicodetags.mp3"));
    ID3v2Frames frames = tag.Frames;
    const Bytes title = frames.Slot(FrameTable::FrameIndex("TIT2"))->Body;
    ASSERT_EQ(frames.GetID3v2Title(), "??");
    StoreAllFields(frames, {{"year", "2024"}});
    const ID3v2Frames reread = Reread(frames);
    EXPECT_EQ(reread.Slot(FrameTable::FrameIndex("TIT2"))->Body, title); // still 中文, not "??"
    EXPECT_EQ(reread.GetID3v2Year(), "2024");

    // UTF-8 of version 2.4 likewise.
    ID3v2Frames utf8 = LoadArea(Frame("TIT2", Bytes{3, 'c', 'a', 'f', 0xC3, 0xA9}, 4), 4);
    StoreAllFields(utf8, {{"artist", "Someone"}});
    EXPECT_EQ(Reread(utf8).Slot(FrameTable::FrameIndex("TIT2"))->Body, (Bytes{3, 'c', 'a', 'f', 0xC3, 0xA9}));
}

TEST(ID3v2FramesWrite, ChangedFieldIsWrittenAsLatin1WithEmptyDescription)
{
    ID3v2Frames frames;
    frames.SetID3v2Comment("Nice");
    frames.SetID3v2URL("http://x");
    frames.SetID3v2TrackNumber(7);
    EXPECT_EQ(frames.Render(), Concat({Frame("COMM", CommentBody("", "Nice")), Frame("TRCK", TextBody("7")),
                                       Frame("WXXX", Concat({Bytes{0, 0}, Text("http://x")}))}));
}

TEST(ID3v2FramesWrite, EmptyTextRemovesTheFrameAndItsDuplicates)
{
    ID3v2Frames frames = LoadArea(Concat({Frame("TIT2", TextBody("a")), Frame("TIT2", TextBody("b")),
                                          Frame("TPE1", TextBody("x"))}),
                                  3);
    frames.SetID3v2Title("");
    EXPECT_EQ(frames.Render(), Frame("TPE1", TextBody("x")));
    EXPECT_EQ(Reread(frames).GetID3v2Title(), "");
}

TEST(ID3v2FramesWrite, NewTextFrameReplacesEveryFrameOfItsID)
{
    ID3v2Frames frames = LoadArea(Concat({Frame("TPE1", TextBody("a")), Frame("TPE1", TextBody("b")),
                                          Frame("TXXX", Bytes{0, 'k', 0, 'v'}), Frame("TXXX", Bytes{0, 'l', 0, 'w'})}),
                                  3);
    frames.SetID3v2Artist("c");
    const Bytes out = frames.Render();
    EXPECT_EQ(Count(out, Text("TPE1")), 1u);
    EXPECT_EQ(Count(out, Text("TXXX")), 2u); // user texts with other descriptions are other frames
    EXPECT_EQ(Reread(frames).GetID3v2Artist(), "c");
}

TEST(ID3v2FramesWrite, CommentReplacesOnlyTheCommentOfSameLanguageAndDescription)
{
    const Bytes itunes = Frame("COMM", CommentBody("iTunNORM", " 0A 0B"));
    const Bytes other = Frame("COMM", CommentBody("note", "kept"));
    ID3v2Frames frames = LoadArea(Concat({Frame("COMM", CommentBody("", "old")), other, itunes}), 3);
    ASSERT_EQ(frames.GetID3v2Comment(), "old");
    frames.SetID3v2Comment("new");
    Bytes out = frames.Render();
    EXPECT_EQ(Count(out, Text("COMM")), 3u);
    EXPECT_EQ(Count(out, itunes), 1u);
    EXPECT_EQ(Reread(frames).GetID3v2Comment(), "new");

    // Cleared, the comment is gone; the other programs' comments stay.
    frames.SetID3v2Comment("");
    out = frames.Render();
    EXPECT_EQ(Count(out, Text("COMM")), 2u);
    EXPECT_EQ(Count(out, other), 1u);
}

TEST(ID3v2FramesWrite, CommentTypedOverAnotherProgramsCommentKeepsIt)
{
    const Bytes itunes = Frame("COMM", CommentBody("iTunNORM", " 0A 0B"));
    ID3v2Frames frames = LoadArea(itunes, 3);
    ASSERT_EQ(frames.GetID3v2Comment(), " 0A 0B"); // shown, as there is nothing else
    frames.SetID3v2Comment("mine");
    EXPECT_EQ(frames.Render(), Concat({itunes, Frame("COMM", CommentBody("", "mine"))}));
    EXPECT_EQ(Reread(frames).GetID3v2Comment(), "mine");
}

TEST(ID3v2FramesWrite, YearGoesWhereTheVersionKeepsIt)
{
    ID3v2Frames v4 = LoadArea(Frame("TDRC", TextBody("2004-05-12"), 4), 4);
    ASSERT_EQ(v4.GetID3v2Year(), "2004");
    v4.SetID3v2Year("2010");
    EXPECT_EQ(v4.Render(), Frame("TDRC", TextBody("2010-05-12"), 4));
    EXPECT_EQ(Reread(v4).GetID3v2Year(), "2010");

    ID3v2Frames fresh;
    fresh.SetID3v2Year("1999");
    EXPECT_EQ(fresh.Render(), Frame("TYER", TextBody("1999")));

    // A version 2.3 tag that carries both keeps them in agreement.
    ID3v2Frames both = LoadArea(Concat({Frame("TDRC", TextBody("2001")), Frame("TYER", TextBody("2001"))}), 3);
    both.SetID3v2Year("2002");
    EXPECT_EQ(both.Render(), Concat({Frame("TDRC", TextBody("2002")), Frame("TYER", TextBody("2002"))}));
    both.SetID3v2Year("");
    EXPECT_TRUE(both.IsEmpty());
}

TEST(ID3v2FramesWrite, TrackNumberKeepsATrackThatAlreadyHasIt)
{
    ID3v2Frames frames = LoadArea(Frame("TRCK", TextBody("05/12")), 3);
    frames.SetID3v2TrackNumber(5);
    EXPECT_EQ(frames.GetID3v2Track(), "05/12");
    frames.SetID3v2TrackNumber(6);
    EXPECT_EQ(frames.GetID3v2Track(), "6");
    frames.SetID3v2TrackNumber(0);
    EXPECT_EQ(frames.GetID3v2Track(), "0");
    frames.SetID3v2TrackNumber(255);
    EXPECT_EQ(frames.GetID3v2Track(), "255");
}

TEST(ID3v2FramesWrite, Version4FramesKeepSynchsafeSizes)
{
    // 200-byte bodies: synchsafe 00 00 01 48, plain 00 00 00 C8.
    const Bytes lyrics = Frame("USLT", Concat({Text(std::string_view("\0eng\0", 5)), Text(std::string(195, 'l'))}), 4);
    ID3v2Frames frames = LoadArea(Concat({lyrics, Frame("TIT2", TextBody(std::string(199, 't')), 4)}), 4);
    frames.SetID3v2Artist(std::string(199, 'a'));
    const Bytes out = frames.Render();
    EXPECT_NE(Find(out, lyrics), std::string::npos);
    EXPECT_NE(Find(out, Frame("TPE1", TextBody(std::string(199, 'a')), 4)), std::string::npos);
    EXPECT_NE(Find(out, Bytes{'T', 'P', 'E', '1', 0, 0, 1, 0x48}), std::string::npos);
}

TEST(ID3v2FramesWrite, CutOffFrameIsNotCarriedBehindTheNewFrames)
{
    // A frame whose size runs past the tag ends the walk. Written back behind the new frames, in a larger padded
    // tag, it would parse as a frame again and hide what was saved.
    const Bytes broken = Concat({Text("TIT2"), Bytes{0, 0, 0x40, 0, 0, 0}, TextBody("Old")});
    ID3v2Frames frames = LoadArea(Concat({Frame("TPE1", TextBody("A")), broken, Bytes(50, 0)}), 3);
    EXPECT_EQ(frames.GetID3v2Title(), "");
    frames.SetID3v2Title("New");
    const Bytes out = frames.Render();
    EXPECT_EQ(out, Concat({Frame("TIT2", TextBody("New")), Frame("TPE1", TextBody("A"))}));
    EXPECT_EQ(Reread(frames).GetID3v2Title(), "New");
}

TEST(ID3v2FramesWrite, BytesBehindThePaddingAreNotCarriedForward)
{
    const Bytes title = Frame("TIT2", TextBody("T"));
    const ID3v2Frames frames = LoadArea(Concat({title, Bytes(20, 0), Text("old tag rest")}), 3);
    EXPECT_EQ(frames.Render(), title);
}

TEST(ID3v2FramesWrite, Version22FramesAreWrittenAsVersion23Frames)
{
    const LoadedTag tag = Load(ReadTestData("mp3agic/obsolete-noimage.mp3"));
    ID3v2Frames frames = tag.Frames;
    const std::string comment = frames.GetID3v2Comment();
    frames.SetID3v2Title("Retitled");
    const ID3v2Frames reread = Reread(frames);
    EXPECT_EQ(reread.GetID3v2Title(), "Retitled");
    EXPECT_EQ(reread.GetID3v2Comment(), comment);
    EXPECT_EQ(reread.GetID3v2Album(), tag.Frames.GetID3v2Album());
    EXPECT_EQ(reread.GetID3v2Genre(), "(20)");
    EXPECT_EQ(reread.FramesSize(), frames.FramesSize());
}
