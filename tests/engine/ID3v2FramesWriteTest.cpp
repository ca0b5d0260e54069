#include "ID3v2Bytes.h"
#include "ID3v2Frames.h"

#include <gtest/gtest.h>

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

TEST(ID3v2FramesWrite, NewTextFrameReplacesEveryFrameOfItsIDAndEmptyTextRemovesThem)
{
    ID3v2Frames frames = LoadArea(Concat({Frame("TPE1", TextBody("a")), Frame("TPE1", TextBody("b")),
                                          Frame("TXXX", Bytes{0, 'k', 0, 'v'}), Frame("TXXX", Bytes{0, 'l', 0, 'w'})}),
                                  3);
    frames.SetID3v2Artist("c");
    EXPECT_EQ(Count(frames.Render(), Text("TPE1")), 1u);
    EXPECT_EQ(Count(frames.Render(), Text("TXXX")), 2u); // user texts with other descriptions are other frames
    EXPECT_EQ(Reread(frames).GetID3v2Artist(), "c");
    frames.SetID3v2Artist("");
    EXPECT_EQ(Count(frames.Render(), Text("TPE1")), 0u);

    ID3v2Frames twice = LoadArea(Concat({Frame("TIT2", TextBody("a")), Frame("TIT2", TextBody("b"))}), 3);
    twice.SetID3v2Title("");
    EXPECT_TRUE(twice.IsEmpty());
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
    for (const auto& [number, shown] : {std::pair{5, "05/12"}, {6, "6"}, {0, "0"}, {255, "255"}}) {
        frames.SetID3v2TrackNumber(static_cast<std::uint8_t>(number));
        EXPECT_EQ(frames.GetID3v2Track(), shown) << number;
    }
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
