// Files whose tags are odd or broken, each read, saved with an edit and saved again grown: what the window
// shows, whether the save is written or refused, and that a refused save leaves the file byte-identical and a
// written one keeps every audio byte and the other frames as TagLib reads them. Then the inputs the fuzzer once
// broke and the test files it starts from, through the fuzzer's own sequence.
#include "EngineFile.h"
#include "EngineRoundTrip.h"
#include "ID3v2Bytes.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;
using namespace ID3v2Bytes;
using Mp3Fixture::ID3v2Header;

struct Case {
    const char* Name;
    Bytes Tag;          // what comes before the audio
    std::string Title;  // the ID3v2 title shown after the read
    bool Written;       // whether saving an edited album succeeds
    Bytes ChangedTo {}; // another program's rewrite between the read and the save
    Bytes Audio = Concat({Mp3Fixture::Frames(6), Mp3Fixture::ID3v1Record({.Title = "One"})});
};

// Version 3 or 4 tag with the extended header `ext` before a title frame "Ext".
Bytes WithExtendedHeader(std::uint8_t version, const Bytes& ext)
{
    const Bytes frames = Concat({Frame("TIT2", TextBody("Ext"), version), Bytes(100, 0)});
    return Concat({ID3v2Header(version, 0x40, static_cast<std::uint32_t>(ext.size() + frames.size())), ext, frames});
}

// A tag whose second frame, "kept" before it, claims `size` bytes that the area does not hold.
Bytes WithOversizedFrame(std::uint8_t version, const char* id, const Bytes& size, std::size_t held = 1)
{
    return Tag(version,
               Concat({Frame("TIT2", TextBody("kept"), version), Text(id), size, Bytes{0, 0}, Bytes(held, 1)}));
}

Bytes PictureThenTitle(std::uint8_t version, std::string_view title)
{
    return Tag(version, Concat({Frame("APIC", Bytes(30000, 0x5A), version), Frame("TIT2", TextBody(title), version)}),
               100);
}

using MalformedInput = EngineFile;

TEST_F(MalformedInput, ReadAsWhatItHoldsAndWrittenOrRefusedWhole)
{
    // 00 00 14 00 is 5120 bytes plain, 2560 synchsafe; other writers put plain sizes in version 2.4 tags.
    const Bytes plainSizedPicture = Tag(4, Concat({Text("APIC"), Bytes{0, 0, 0x14, 0, 0, 0}, Bytes(5120, 0xA5),
                                                   Frame("TIT2", TextBody("After"), 4)}), 64);
    const Bytes v22 = Concat({Text("TT2"), Bytes{0, 0, 4, 0}, Text("Two"), Text("TP1"), Bytes{0, 0, 60, 0}, Text("x")});
    const std::vector<Case> cases = {
        {"title behind a picture far past the first read", PictureThenTitle(4, "Behind"), "Behind", true},
        {"title running past the first read", Tag(3, Frame("TIT2", TextBody(std::string(6000, 'a')))),
         std::string(6000, 'a'), true},
        {"picture with a plain size in version 2.4", plainSizedPicture, "After", true},
        {"unsynchronised version 2.3 tag",
         Tag(3, Unsynchronised(Frame("TIT2", TextBody(std::string(254, 'u')))), 9, 0x80), std::string(254, 'u'), true},
        {"picture changed on disk since the read", PictureThenTitle(3, "Read"), "Read", false,
         Concat({PictureThenTitle(3, "Read more"), Mp3Fixture::Frames(6)})},
        {"version 2.3 footer flag takes no audio byte", Tag(3, Frame("TIT2", TextBody("t")), 90, 0x10), "t", true},
        {"size past the end of the file", ID3v2Header(3, 0, 0x0FFFFFFF), "", false},
        {"header cut short", {}, "", true, {}, Bytes{'I', 'D', '3', 2, 0}},
        {"misspelled identifier", {}, "", true, {},
         Concat({Text("ID4"), Bytes{3, 0, 0, 0, 0, 10}, Bytes(10, 0), Mp3Fixture::Frames(6)})},
        {"version 2.3 extended header", WithExtendedHeader(3, {0, 0, 0, 6, 0, 0, 0, 0, 0, 0}), "Ext", true},
        {"version 2.4 extended header", WithExtendedHeader(4, {0, 0, 0, 6, 1, 0}), "Ext", true},
        {"extended header of length 0", WithExtendedHeader(3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "", false},
        {"extended header whose length wraps", WithExtendedHeader(3, {0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0}), "",
         false},
        {"extended header longer than the tag", WithExtendedHeader(3, {0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0}), "", false},
        {"extended header cut short by the end of the file", Concat({ID3v2Header(3, 0x40, 100), Bytes{0, 0}}), "",
         false, {}, {}},
        {"version 2.3 frame size past the tag", WithOversizedFrame(3, "TPE1", {0x7F, 0xFF, 0xFF, 0xF0}), "kept", true},
        {"version 2.4 frame size past the tag", WithOversizedFrame(4, "TPE1", {0xFF, 0xFF, 0xFF, 0xFF}), "kept", true},
        {"large picture size past the tag", WithOversizedFrame(3, "APIC", {0, 0, 0x13, 0x88}, 100), "kept", true},
        {"version 2.2 frame size past the tag",
         Concat({ID3v2Header(2, 0, static_cast<std::uint32_t>(v22.size())), v22}), "Two", false},
        {"compressed version 2.2 tag", Tag(2, Bytes{'T', 'T', '2', 0, 0, 2, 0, 'x'}, 0, 0x40), "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Put(Concat({c.Tag, c.Audio}));
        ASSERT_TRUE(engine.ReadTags());
        EXPECT_EQ(engine.GetID3v2Title(), c.Title);
        if (c.Written && !c.Audio.empty() && c.Audio[0] == 0xFF) {
            EXPECT_EQ(engine.GetSyncOffset(), static_cast<std::int64_t>(c.Tag.size()));
        }
        if (!c.ChangedTo.empty()) {
            writeFile(path, c.ChangedTo);
            original = c.ChangedTo;
        }
        // The other frames as TagLib reads them; the title is compared on its own, as TagLib misplaces the
        // frames behind a version 2.3 extended header.
        auto before = IndependentReaders::TagLibID3v2(path).value_or(IndependentReaders::TagLibTag {});
        before.Frames = before.FramesWith("TIT2");
        engine.SetID3v2Album("Edited");
        EXPECT_EQ(engine.WriteID3v2Tag(), c.Written);
        if (!c.Written) {
            ExpectUntouched();
            continue;
        }
        // Saved once, then grown past the area: the audio follows the tag unchanged, no audio byte went into it.
        for (const std::string& composer : {std::string(), std::string(9000, 'C')}) {
            if (!composer.empty()) {
                engine.SetID3v2Composer(composer);
                ASSERT_TRUE(engine.WriteID3v2Tag());
            }
            const Bytes content = Content();
            const std::size_t area = Mp3Fixture::TagAreaOf(content);
            EXPECT_EQ(Slice(content, area), c.Audio);
            EXPECT_EQ(Find(Slice(content, 0, area), Slice(c.Audio, 0, 32)), std::string::npos);
            auto after = IndependentReaders::TagLibID3v2(path);
            ASSERT_TRUE(after);
            EXPECT_EQ(after->Title, c.Title);
            after->Frames = after->FramesWith("TIT2");
            EXPECT_EQ(after->FramesWith("TCOM"), before.FramesWith("TALB", "Edited"));
        }
    }
}

// Another program rewrote the file in place under the open descriptor: the next read takes it afresh.
TEST_F(MalformedInput, FileChangedWhileOpenIsReadAfresh)
{
    const auto song = [](const std::string& title, std::size_t padding, std::size_t frames) {
        return Concat({Tag(3, Frame("TIT2", TextBody(title)), padding), Mp3Fixture::Frames(frames),
                       Mp3Fixture::ID3v1Record({.Title = title})});
    };
    Put(song("First", 100, 40));
    ASSERT_TRUE(engine.ReadTags());
    ASSERT_TRUE(engine.ReadMPEGHeader());
    writeFile(path, song("Second", 6000, 10));
    ASSERT_TRUE(engine.ReadTags());
    EXPECT_EQ(engine.GetID3v2Title(), "Second");
    EXPECT_EQ(engine.GetID3v1Title(), "Second");
    EXPECT_EQ(engine.GetID3v2Size(), 6000 + 10 + 17);
}

std::vector<fs::path> Inputs(bool found)
{
    const fs::path foundInputs = fs::path(VELLUM_TEST_DATA_DIR) / "fuzz";
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(VELLUM_TEST_DATA_DIR)) {
        const fs::path extension = entry.path().extension();
        if ((entry.path().parent_path() == foundInputs) == found && (extension == ".mp3" || extension == ".id3"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(FuzzRegression, InputsOnceFoundAndSeedFilesKeepTheFileSafe)
{
    for (const bool found : {true, false}) {
        const std::vector<fs::path> files = Inputs(found);
        ASSERT_FALSE(files.empty());
        for (const fs::path& source : files) {
            SCOPED_TRACE(source.string());
            TempDir dir;
            const fs::path copy = dir.file("input.mp3");
            writeFile(copy, readFile(source));
            EXPECT_EQ(ReadEverything(copy.string()), ReadEverything(copy.string()));
            EXPECT_EQ(CheckEngineRoundTrip(copy.string()), "");
        }
    }
}

} // namespace
