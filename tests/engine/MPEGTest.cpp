#include "MPEGAudioProperties.h"
#include "Mp3Fixture.h"
#include "TMP3File.h"

#include <gtest/gtest.h>

#include <climits>

#include <taglib/mpegfile.h>

using namespace Mp3Fixture;

namespace {

MPEGHeader Decoded(const HeaderBytes& bytes)
{
    MPEGHeader header;
    header.Bytes = bytes;
    DecodeMPEGHeader(header);
    return header;
}

// Never 0xFF, so it holds no sync of its own.
Bytes Junk(std::size_t size)
{
    Bytes junk(size);
    for (std::size_t i = 0; i < size; ++i)
        junk[i] = static_cast<std::uint8_t>(i * 7 % 0xF0);
    return junk;
}

Bytes With(Bytes bytes, std::size_t offset, const HeaderBytes& header)
{
    std::copy(header.begin(), header.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

// Every version and layer, with the frame lengths of ISO/IEC 11172-3 and 13818-3; the last two columns are what
// 3,000,000 bytes of such frames count and play.
TEST(MPEGHeader, FrameLengthsAndPlayingTimesFollowTheStandardForEveryVersionAndLayer)
{
    struct Case {
        HeaderBytes Bytes;
        std::string VersionText;
        int Bitrate, SampleRate, FrameLength, SamplesPerFrame;
        std::string ChannelMode, Emphasis;
        int FrameCount;
        std::string LengthText;
    };
    const std::vector<Case> cases = {
        {{0xFF, 0xFB, 0x90, 0x64}, "MPEG-1 Layer III", 128, 44100, 417, 1152, "Joint Stereo", "None", 7194, "3:08"},
        {{0xFF, 0xFA, 0x93, 0xBD}, "MPEG-1 Layer III", 128, 44100, 418, 1152, "Dual Channel", "50/15 ms", 7177, "3:08"},
        {{0xFF, 0xFB, 0x94, 0x03}, "MPEG-1 Layer III", 128, 48000, 384, 1152, "Stereo", "CCITT j.17", 7812, "3:08"},
        {{0xFF, 0xFB, 0xEA, 0xC0}, "MPEG-1 Layer III", 320, 32000, 1441, 1152, "Mono", "None", 2081, "1:15"},
        {{0xFF, 0xFD, 0x84, 0x80}, "MPEG-1 Layer II", 128, 48000, 384, 1152, "Dual Channel", "None", 7812, "3:08"},
        {{0xFF, 0xFF, 0xEA, 0x00}, "MPEG-1 Layer I", 448, 32000, 676, 384, "Stereo", "None", 4437, "0:54"},
        {{0xFF, 0xF3, 0x80, 0xC4}, "MPEG-2 Layer III", 64, 22050, 208, 576, "Mono", "None", 14423, "6:17"},
        {{0xFF, 0xF5, 0xE8, 0x00}, "MPEG-2 Layer II", 160, 16000, 1440, 1152, "Stereo", "None", 2083, "2:30"},
        {{0xFF, 0xF7, 0xE4, 0x00}, "MPEG-2 Layer I", 256, 24000, 512, 384, "Stereo", "None", 5859, "1:34"},
        {{0xFF, 0xE3, 0x40, 0x40}, "MPEG-2.5 Layer III", 32, 11025, 208, 576, "Joint Stereo", "None", 14423, "12:34"},
        {{0xFF, 0xE3, 0x18, 0xC0}, "MPEG-2.5 Layer III", 8, 8000, 72, 576, "Mono", "None", 41666, "50:00"},
        {{0xFF, 0xE5, 0xEA, 0x00}, "MPEG-2.5 Layer II", 160, 8000, 2881, 1152, "Stereo", "None", 1041, "2:30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.VersionText + " " + std::to_string(c.Bitrate) + " kbit/s " + std::to_string(c.SampleRate));
        ASSERT_TRUE(IsValidMPEGHeader(Bytes(c.Bytes.begin(), c.Bytes.end()), 0));
        const MPEGHeader header = Decoded(c.Bytes);
        EXPECT_EQ(header.VersionText(), c.VersionText);
        EXPECT_EQ(header.Bitrate(), c.Bitrate);
        EXPECT_EQ(header.SampleRate(), c.SampleRate);
        EXPECT_EQ(header.FrameLength(), c.FrameLength);
        EXPECT_EQ(header.SamplesPerFrame(), c.SamplesPerFrame);
        EXPECT_EQ(header.ChannelModeName(), c.ChannelMode);
        EXPECT_EQ(header.EmphasisName(), c.Emphasis);
        const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(Frames(3, c.Bytes), 0, 3000000);
        EXPECT_EQ(audio.FrameCount(), c.FrameCount);
        EXPECT_EQ(audio.LengthText(), c.LengthText);
    }
}

TEST(MPEGHeader, ReservedAndUnusableValuesAreInvalidAndGiveZeroNotADivisionByZero)
{
    const std::vector<std::tuple<std::string, HeaderBytes, int>> cases = {
        {"no sync", {0xFF, 0xDB, 0x90, 0x64}, 417},
        {"no sync in the first byte", {0xFE, 0xFB, 0x90, 0x64}, 417},
        {"reserved version", {0xFF, 0xEB, 0x90, 0x64}, 0},
        {"reserved layer", {0xFF, 0xF9, 0x90, 0x64}, 0},
        {"bad bitrate 15", {0xFF, 0xFB, 0xF0, 0x64}, 0},
        {"free format", {0xFF, 0xFB, 0x00, 0x64}, 0},
        {"reserved sample rate", {0xFF, 0xFB, 0x9C, 0x64}, 0},
        {"reserved emphasis", {0xFF, 0xFB, 0x90, 0x66}, 417},
    };
    for (const auto& [name, bytes, frameLength] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(IsValidMPEGHeader(Bytes(bytes.begin(), bytes.end()), 0));
        EXPECT_EQ(Decoded(bytes).FrameLength(), frameLength);
    }

    const Bytes bytes = {0x00, 0xFF, 0xFB, 0x90, 0x64};
    EXPECT_TRUE(IsValidMPEGHeader(bytes, 1));
    for (const std::size_t position : {std::size_t{2}, std::size_t{5}, static_cast<std::size_t>(-1)})
        EXPECT_FALSE(IsValidMPEGHeader(bytes, position)) << position;
    EXPECT_FALSE(IsValidMPEGHeader(std::span(bytes).first(4), 1));
    EXPECT_FALSE(IsValidMPEGHeader(Bytes{}, 0));
}

// A header counts only when the next frame starts with a header of the same stream, or the audio ends first.
TEST(MPEGFrameFinder, FirstFrameIsTheFirstHeaderTheNextFrameConfirms)
{
    const Bytes frames = Frames(2);
    std::vector<std::pair<std::string, Bytes>> cuts;
    for (const std::size_t size : {3u, 4u, 20u, 40u, 416u, 418u, 420u})
        cuts.emplace_back("cut to " + std::to_string(size), Slice(frames, 0, size));
    struct Case {
        std::string Name;
        Bytes Window;
        std::optional<std::size_t> Offset;
    };
    std::vector<Case> cases = {
        {"audio from the start", Frames(3), 0},
        {"stray syncs in junk", Concat({With(With(With(Junk(1000), 100, MPEG1Layer3At128), 600,
                                                  {0xFF, 0xEA, 0x90, 0x64}), 700, {0xFF, 0xFB, 0xF0, 0x64}),
                                        Frames(2)}), 1000},
        {"followed by another sample rate", Concat({Frame(), Frames(2, {0xFF, 0xFB, 0x94, 0x64})}), 417},
        {"lone frame at the end", Concat({Junk(4094), Frame()}), 4094},
        {"no bytes", {}, std::nullopt},
        {"zeros", Bytes(MPEGSearchWindow, 0), std::nullopt},
        {"all bits set", Bytes(MPEGSearchWindow, 0xFF), std::nullopt},
        {"junk", Junk(MPEGSearchWindow), std::nullopt},
        {"first frame just within the search limit",
         Slice(Concat({Junk(MPEGSearchLimit - 1), Frames(8)}), 0, MPEGSearchWindow), MPEGSearchLimit - 1},
        {"first frame at the search limit", Concat({Junk(MPEGSearchLimit), Frames(8)}), std::nullopt},
    };
    for (const auto& [name, window] : cuts)
        cases.push_back({name, window, window.size() < 4 ? std::nullopt : std::optional<std::size_t>(0)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<MPEGFrame> frame = FindFirstMPEGFrame(c.Window);
        EXPECT_EQ(frame ? std::optional(frame->Offset) : std::nullopt, c.Offset);
    }
}

// Without the VBR header's count a VBR file's length is taken from its first frame's bitrate: plainly wrong.
TEST(MPEGAudioProperties, VBRHeaderGivesFrameCountAndAverageBitrate)
{
    struct Case {
        const char* Name;
        Bytes Window;
        std::int64_t Start, End;
        std::optional<MPEGVBRHeader::Kind> Type; // not asked of a cut header
        int Frames;
        std::int64_t Milliseconds;
        int Bitrate;
    };
    using K = MPEGVBRHeader::Kind;
    const auto xing = [](const HeaderBytes& header, std::size_t offset, const char* id, std::uint32_t flags,
                         std::uint32_t frames, std::uint32_t bytes) {
        Bytes first = Frame(header);
        PutXingHeader(first, offset, id, flags, frames, bytes);
        return Concat({first, Frames(2, header)});
    };
    Bytes vbri = Frame();
    PutVBRIHeader(vbri, 500, 300000);
    std::vector<Case> cases = {
        {"MPEG-1 stereo", xing(MPEG1Layer3At128, 36, "Xing", 15, 1000, 417000), 0, 40000, K::Xing, 1000, 26122, 128},
        {"MPEG-1 mono", xing({0xFF, 0xFB, 0x90, 0xC4}, 21, "Xing", 15, 1000, 300000), 0, 40000, K::Xing, 1000,
         26122, 92},
        {"MPEG-2 stereo", xing({0xFF, 0xF3, 0x80, 0x64}, 21, "Xing", 15, 2000, 250000), 0, 40000, K::Xing, 2000,
         52244, 38},
        {"MPEG-2 mono", xing({0xFF, 0xF3, 0x80, 0xC4}, 13, "Xing", 15, 2000, 150000), 0, 40000, K::Xing, 2000,
         52244, 23},
        {"MPEG-2.5 mono", xing({0xFF, 0xE3, 0x40, 0xC0}, 13, "Xing", 15, 3000, 200000), 0, 40000, K::Xing, 3000,
         156734, 10},
        {"Info keeps the constant bitrate", xing(MPEG1Layer3At128, 36, "Info", 3, 1000, 300000), 0, 40000, K::Info,
         1000, 26122, 128},
        {"VBRI", Concat({vbri, Frames(2)}), 0, 40000, K::VBRI, 500, 13061, 184},
        {"Xing without a count: the estimate", xing(MPEG1Layer3At128, 36, "Xing", 2, 0, 41700), 0, 41700, K::Xing,
         100, 2612, 128},
        {"huge counts do not overflow", xing(MPEG1Layer3At128, 36, "Xing", 3, 0xFFFFFFFF, 0xFFFFFFFF), 0, 4170,
         K::Xing, INT_MAX, 112195064032, 0},
        // A tag size past the file's end, say.
        {"audio end before the audio", Frames(2), 5000, 100, K::None, 0, 0, 128},
    };
    // Cut before the frame count is complete, so the estimate stands: 4170 / 417 frames.
    Bytes cutVBRI = Frame();
    PutVBRIHeader(cutVBRI, 1000, 300000);
    for (const auto& [frame, sizes] : {std::pair(xing(MPEG1Layer3At128, 36, "Xing", 3, 1000, 300000),
                                                 std::vector<std::size_t>{38, 40, 43, 44, 47}),
                                       std::pair(cutVBRI, std::vector<std::size_t>{38, 40, 46, 50, 53})})
        for (const std::size_t size : sizes)
            cases.push_back({"cut", Slice(frame, 0, size), 0, 4170, std::nullopt, 10, 261, 128});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(c.Window, c.Start, c.End);
        EXPECT_EQ(audio.VBRHeader().Type, c.Type.value_or(audio.VBRHeader().Type));
        EXPECT_EQ(audio.FrameCount(), c.Frames);
        EXPECT_EQ(audio.LengthMilliseconds(), c.Milliseconds);
        EXPECT_EQ(audio.Bitrate(), c.Bitrate);
        EXPECT_EQ(audio.LengthText() == "0:00", c.Frames == 0);
    }
}

// What the file object reports for whole files: the audio lies between the ID3v2 tag and the ID3v1 tag, and is
// found however far into the file it starts.
TEST(TMP3FileMPEG, AudioIsTheBytesBetweenTheTags)
{
    struct Case {
        const char* Name;
        Bytes Content;
        std::int64_t SyncOffset;
        std::string VersionText;
        int Bitrate, FrameCount;
        std::string LengthText;
    };
    // 100 bytes of padding behind a 1000-byte tag, then 20 frames less 50 bytes: 19 whole frames, 20 if the
    // ID3v1 tag were taken for audio.
    const Bytes cutAudio = Concat({PaddedID3v2Tag(1000), Bytes(100, 0), Slice(Frames(20), 0, 417 * 20 - 50)});
    const Bytes strayJunk(16384 - 100, 0x00);
    const std::vector<Case> cases = {
        // 100 x 1152 / 44100 = 2.6 s, rounded up
        {"frames behind the tag", Mp3(100, 1344), 1344, "MPEG-1 Layer III", 128, 100, "0:03"},
        {"cut audio", cutAudio, 1100, "MPEG-1 Layer III", 128, 19, "0:01"},
        {"cut audio and an ID3v1 tag", Concat({cutAudio, ID3v1Record({.Title = "x"})}), 1100, "MPEG-1 Layer III",
         128, 19, "0:01"},
        // The small first read ends inside the junk; the frame further on must still be found.
        {"audio behind long junk", Concat({Bytes(40000, 0x00), Frames(20)}), 40000, "MPEG-1 Layer III", 128, 20,
         "0:01"},
        // A lone sync near the end of the first read cannot be checked against its next frame there.
        {"stray sync at the end of the first read",
         Concat({strayJunk, Slice(Frame({0xFF, 0xFB, 0x50, 0x64}), 0, 4), Bytes(3000, 0x00), Frames(20)}),
         static_cast<std::int64_t>(strayJunk.size() + 4 + 3000), "MPEG-1 Layer III", 128, 20, "0:01"},
        {"no audio", Bytes(5000, 0x00), -1, "", 0, 0, "0:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        writeFile(dir.file("a.mp3"), c.Content);
        TMP3File engine;
        engine.SetFileName(dir.file("a.mp3").string());
        engine.ReadTags();
        EXPECT_EQ(engine.ReadMPEGHeader(), c.SyncOffset >= 0);
        EXPECT_EQ(engine.GetSyncOffset(), c.SyncOffset);
        EXPECT_EQ(engine.GetMPEGVersionText(), c.VersionText);
        EXPECT_EQ(engine.GetBitrate(), c.Bitrate);
        EXPECT_EQ(engine.GetSampleRate(), c.SyncOffset >= 0 ? 44100 : 0);
        EXPECT_EQ(engine.GetFrameLength(), c.SyncOffset >= 0 ? 417 : 1);
        EXPECT_EQ(engine.GetFrameCount(), c.FrameCount);
        EXPECT_EQ(engine.GetLengthText(), c.LengthText);
    }
}

TEST(TMP3FileMPEG, NothingIsKeptFromAPreviousOrMissingFile)
{
    TempDir dir;
    writeFile(dir.file("a.mp3"), Mp3(10));
    writeFile(dir.file("b.mp3"), Bytes(3000, 0x00));
    TMP3File engine;
    engine.SetFileName(dir.file("a.mp3").string());
    EXPECT_EQ(engine.GetBitrate(), 128);
    engine.Reset();
    engine.SetFileName(dir.file("b.mp3").string());
    EXPECT_EQ(engine.GetBitrate(), 0);
    engine.Reset();
    engine.SetFileName(dir.file("none.mp3").string());
    EXPECT_EQ(engine.GetSyncOffset(), -1);
    EXPECT_EQ(engine.GetFrameCount(), 0);
}

// Files made by an encoder, read by the file object, against TagLib.
TEST(TMP3FileMPEG, LengthBitrateAndVBRHeaderOfEncodedFilesAgreeWithTagLib)
{
    for (const std::string name : {"cbr-silence.mp3", "vbr-stereo.mp3", "vbr-xing.mp3"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path path = std::filesystem::path(VELLUM_TEST_DATA_DIR) / "mpeg" / name;
        TMP3File engine;
        engine.SetFileName(path.string());
        engine.ReadTags();
        const MPEGAudioProperties& audio = engine.GetMPEGAudio();
        ASSERT_TRUE(audio.Found());
        EXPECT_EQ(audio.VBRHeader().Type, name.starts_with("vbr") ? MPEGVBRHeader::Kind::Xing
                                                                   : MPEGVBRHeader::Kind::None);
        const std::int64_t frameMilliseconds = audio.Header().SamplesPerFrame() * 1000 / audio.SampleRate();

        TagLib::MPEG::File file(path.c_str());
        const TagLib::MPEG::Properties* properties = file.audioProperties();
        ASSERT_TRUE(file.isValid() && properties);
        EXPECT_EQ(audio.SampleRate(), properties->sampleRate());
        EXPECT_NEAR(audio.LengthMilliseconds(), properties->lengthInMilliseconds(), frameMilliseconds);
        EXPECT_NEAR(audio.Bitrate(), properties->bitrate(), 1);
    }
}

} // namespace
