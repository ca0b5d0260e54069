// The frame-ID table and the slots it numbers: a frame must land in the slot of its own ID, never in another's,
// and slot frames are written in table order whatever order they were set or removed in.
#include "FrameTable.h"
#include "ID3v2Bytes.h"
#include "ID3v2Frames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ID3v2Bytes;

TEST(FrameTable, EveryIDFindsItsOwnSlotAndNoOtherIDFindsOne)
{
    const std::string characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 a\xFF";
    for (std::uint8_t index = 0; index < FrameTable::Count; ++index) {
        const std::string id(FrameTable::ID(index));
        ASSERT_EQ(id.size(), 4u);
        EXPECT_EQ(FrameTable::FrameIndex(id), index) << id;
        EXPECT_EQ(FrameTable::FrameIndex(id + std::string("\0junk", 5)), index) << id; // the first four count
        EXPECT_EQ(FrameTable::FrameIndex(id.substr(0, 3)), FrameTable::NoFrame) << id;
        for (std::size_t at = 0; at < 4; ++at) {
            std::string ended = id;
            ended[at] = '\0';
            EXPECT_EQ(FrameTable::FrameIndex(ended), FrameTable::NoFrame) << id << " ended at " << at;
            for (const char c : characters) {
                std::string other = id;
                other[at] = c;
                const std::uint8_t found = FrameTable::FrameIndex(other);
                EXPECT_TRUE(found == FrameTable::NoFrame || FrameTable::ID(found) == other) << other;
            }
        }
    }
    EXPECT_EQ(FrameTable::FrameIndex(""), FrameTable::NoFrame);
    EXPECT_EQ(FrameTable::FrameIndex(std::string(4, '\0')), FrameTable::NoFrame);
    EXPECT_EQ(FrameTable::FrameIndex("XXXX"), FrameTable::NoFrame);
    EXPECT_TRUE(FrameTable::ID(FrameTable::Count).empty());
    EXPECT_TRUE(FrameTable::ID(FrameTable::NoFrame).empty());
}

// The IDs of the frames in rendered frame bytes, in order.
std::vector<std::string> IDsOf(const Bytes& frames)
{
    std::vector<std::string> ids;
    for (std::size_t pos = 0; pos + 10 <= frames.size();) {
        ids.emplace_back(frames.begin() + static_cast<std::ptrdiff_t>(pos),
                         frames.begin() + static_cast<std::ptrdiff_t>(pos + 4));
        const std::size_t size = std::size_t{frames[pos + 4]} << 24 | std::size_t{frames[pos + 5]} << 16 |
                                 std::size_t{frames[pos + 6]} << 8 | frames[pos + 7];
        pos += 10 + size;
    }
    return ids;
}

ID3v2Frames Reread(const ID3v2Frames& frames)
{
    const Bytes bytes = frames.Render();
    ID3v2Frames reread;
    reread.Load(bytes.data(), bytes.size(), 3, 0);
    return reread;
}

TEST(ID3v2FramesSlots, SlotFramesAreWrittenInTableOrderWhateverOrderTheyWereSetOrRemoved)
{
    ID3v2Frames frames;
    frames.SetID3v2Composer("Composer");
    frames.SetID3v2Title("Title");
    frames.SetID3v2Album("Album");
    frames.SetID3v2Artist("Artist");
    EXPECT_EQ(IDsOf(frames.Render()), (std::vector<std::string>{"TALB", "TCOM", "TIT2", "TPE1"}));

    frames.SetID3v2Composer(""); // set first, so every frame set after it moves
    frames.SetID3v2Album("Other album");
    EXPECT_EQ(IDsOf(frames.Render()), (std::vector<std::string>{"TALB", "TIT2", "TPE1"}));
    EXPECT_EQ(frames.Slot(FrameTable::FrameIndex("TCOM")), nullptr);
    ID3v2Frames reread = Reread(frames);
    EXPECT_EQ(reread.GetID3v2Title(), "Title");
    EXPECT_EQ(reread.GetID3v2Artist(), "Artist");
    EXPECT_EQ(reread.GetID3v2Album(), "Other album");
    EXPECT_EQ(reread.GetID3v2Composer(), "");

    reread.SetID3v2Artist("");
    reread.SetID3v2Composer("Back");
    EXPECT_EQ(IDsOf(reread.Render()), (std::vector<std::string>{"TALB", "TCOM", "TIT2"}));
    EXPECT_EQ(Reread(reread).GetID3v2Composer(), "Back");
    EXPECT_EQ(Reread(reread).GetID3v2Title(), "Title");

    reread.ClearFrames();
    EXPECT_TRUE(reread.IsEmpty());
    EXPECT_TRUE(reread.Render().empty());
    for (std::uint8_t index = 0; index < FrameTable::Count; ++index)
        EXPECT_EQ(reread.Slot(index), nullptr);
}

TEST(ID3v2FramesSlots, LoadingAnotherTagLeavesNothingOfTheFirstInTheSlots)
{
    const Bytes first = Concat({Frame("TIT2", TextBody("One")), Frame("TPE1", TextBody("Artist")),
                                Frame("APIC", Bytes(3000, 0x5A))});
    const Bytes second = Frame("TALB", TextBody("Album"));
    ID3v2Frames frames;
    frames.Load(first.data(), first.size(), 3, 0);
    ASSERT_NE(frames.Slot(FrameTable::FrameIndex("APIC")), nullptr);
    EXPECT_EQ(frames.Slot(FrameTable::FrameIndex("APIC"))->Body, Bytes(3000, 0x5A));
    frames.Load(second.data(), second.size(), 3, 0);
    EXPECT_EQ(frames.GetID3v2Title(), "");
    EXPECT_EQ(frames.GetID3v2Artist(), "");
    EXPECT_EQ(frames.Slot(FrameTable::FrameIndex("APIC")), nullptr);
    EXPECT_EQ(frames.GetID3v2Album(), "Album");
    EXPECT_EQ(frames.Render(), second);
}

} // namespace
