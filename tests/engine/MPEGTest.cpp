#include "ID3v2Bytes.h"
#include "MPEGAudioProperties.h"
#include "Mp3Fixture.h"
#include "TMP3File.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <tuple>

using namespace Mp3Fixture;

namespace {

const std::filesystem::path Data = VELLUM_TEST_DATA_DIR "/mpeg";

template <typename Part = HeaderBytes>
Bytes With(Bytes bytes, std::size_t offset, const Part& part)
{
    std::copy(part.begin(), part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    return bytes;
}

// As the VBR headers store their fields.
Bytes BigEndian(std::uint32_t value)
{
    return {std::uint8_t(value >> 24), std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value)};
}

// Every version and layer, with the frame lengths of ISO/IEC 11172-3 and 13818-3. Reserved and unusable values
// make a header invalid and give a frame length of zero rather than a division by zero.
TEST(MPEGHeader, FrameLengthsAndPlayingTimesFollowTheStandardAndReservedValuesGiveZero)
{
    // Version and layer, kbit/s, Hz, frame bytes, samples per frame, channels, emphasis: frames, length.
    const std::vector<std::pair<HeaderBytes, std::string>> cases = {
        {{0xFF, 0xFB, 0x90, 0x64}, "MPEG-1 Layer III, 128, 44100, 417, 1152, Joint Stereo, None: 7194, 3:08"},
        {{0xFF, 0xFA, 0x93, 0xBD}, "MPEG-1 Layer III, 128, 44100, 418, 1152, Dual Channel, 50/15 ms: 7177, 3:08"},
        {{0xFF, 0xFB, 0x94, 0x03}, "MPEG-1 Layer III, 128, 48000, 384, 1152, Stereo, CCITT j.17: 7812, 3:08"},
        {{0xFF, 0xFB, 0xEA, 0xC0}, "MPEG-1 Layer III, 320, 32000, 1441, 1152, Mono, None: 2081, 1:15"},
        {{0xFF, 0xFD, 0x84, 0x80}, "MPEG-1 Layer II, 128, 48000, 384, 1152, Dual Channel, None: 7812, 3:08"},
        {{0xFF, 0xFF, 0xEA, 0x00}, "MPEG-1 Layer I, 448, 32000, 676, 384, Stereo, None: 4437, 0:54"},
        {{0xFF, 0xF3, 0x80, 0xC4}, "MPEG-2 Layer III, 64, 22050, 208, 576, Mono, None: 14423, 6:17"},
        {{0xFF, 0xF5, 0xE8, 0x00}, "MPEG-2 Layer II, 160, 16000, 1440, 1152, Stereo, None: 2083, 2:30"},
        {{0xFF, 0xF7, 0xE4, 0x00}, "MPEG-2 Layer I, 256, 24000, 512, 384, Stereo, None: 5859, 1:34"},
        {{0xFF, 0xE3, 0x40, 0x40}, "MPEG-2.5 Layer III, 32, 11025, 208, 576, Joint Stereo, None: 14423, 12:34"},
        {{0xFF, 0xE3, 0x18, 0xC0}, "MPEG-2.5 Layer III, 8, 8000, 72, 576, Mono, None: 41666, 50:00"},
        {{0xFF, 0xE5, 0xEA, 0x00}, "MPEG-2.5 Layer II, 160, 8000, 2881, 1152, Stereo, None: 1041, 2:30"},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_TRUE(IsValidMPEGHeader(bytes, 0)) << expected;
        const MPEGHeader h = MPEGHeaderAt(bytes, 0);
        // What 3,000,000 bytes of such frames count and play.
        const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(Frames(3, bytes), 0, 3000000);
        EXPECT_EQ(h.VersionText() + ", " + std::to_string(h.Bitrate()) + ", " + std::to_string(h.SampleRate()) + ", "
                      + std::to_string(h.FrameLength()) + ", " + std::to_string(h.SamplesPerFrame()) + ", "
                      + h.ChannelModeName() + ", " + h.EmphasisName() + ": " + std::to_string(audio.FrameCount())
                      + ", " + audio.LengthText(),
                  expected);
    }
    // No sync (twice), reserved version, reserved layer, bitrate 15, free format, reserved sample rate and emphasis.
    for (const auto& [bytes, frameLength] : std::vector<std::pair<HeaderBytes, int>>{
             {{0xFF, 0xDB, 0x90, 0x64}, 417}, {{0xFE, 0xFB, 0x90, 0x64}, 417}, {{0xFF, 0xEB, 0x90, 0x64}, 0},
             {{0xFF, 0xF9, 0x90, 0x64}, 0}, {{0xFF, 0xFB, 0xF0, 0x64}, 0}, {{0xFF, 0xFB, 0x00, 0x64}, 0},
             {{0xFF, 0xFB, 0x9C, 0x64}, 0}, {{0xFF, 0xFB, 0x90, 0x66}, 417}}) {
        EXPECT_FALSE(IsValidMPEGHeader(bytes, 0)) << testing::PrintToString(bytes);
        EXPECT_EQ(MPEGHeaderAt(bytes, 0).FrameLength(), frameLength) << testing::PrintToString(bytes);
    }
}

// The first frame is the first header the next frame confirms, or the last one before the audio ends, found
// within the search limit. Its VBR header gives the frame count and the average bitrate; without it a VBR file's
// length would come from its first frame's bitrate: plainly wrong. Cut windows and headers are read within them.
TEST(MPEGAudioProperties, FirstConfirmedFrameAndItsVBRHeaderGiveFrameCountAndAverageBitrate)
{
    using K = MPEGVBRHeader::Kind;
    struct Case {
        std::string Name;
        Bytes Window;
        std::int64_t Offset;     // of the first frame; -1 for none
        std::optional<K> Type {}; // not asked when none
        int Frames = -1;          // the count and what follows it are not asked when -1
        std::int64_t Milliseconds = 0;
        int Bitrate = 0;
        std::int64_t End = 1'000'000, Start = 0;
    };
    // A "Xing" or "Info" header at the offset in the first of three frames; the fields follow the flags.
    const auto xing = [](const HeaderBytes& header, std::size_t offset, std::uint32_t flags, std::uint32_t frames,
                         std::uint32_t bytes, const char* id = "Xing") {
        const Bytes fields = Concat({ID3v2Bytes::Text(id), BigEndian(flags), flags & 1 ? BigEndian(frames) : Bytes(),
                                     flags & 2 ? BigEndian(bytes) : Bytes()});
        return Concat({With(Frame(header), offset, fields), Frames(2, header)});
    };
    // A version 1 "VBRI" header of 300000 bytes at its fixed place, 36 bytes into the frame.
    const auto vbri = [](std::uint32_t frames) {
        return With(Frame(), 36, Concat({ID3v2Bytes::Text("VBRI"), Bytes{0, 1, 0, 0, 0, 0}, BigEndian(300000),
                                         BigEndian(frames)}));
    };
    std::vector<Case> cases = {
        {"audio from the start", Frames(3), 0},
        {"stray syncs", Concat({With(With(With(Bytes(1000, 0), 100, MPEG1Layer3At128), 600, {0xFF, 0xEA, 0x90, 0x64}),
                                     700, {0xFF, 0xFB, 0xF0, 0x64}), Frames(2)}), 1000},
        {"followed by another sample rate", Concat({Frame(), Frames(2, {0xFF, 0xFB, 0x94, 0x64})}), 417},
        {"lone frame at the end", Concat({Bytes(4094, 0), Frame()}), 4094},
        {"no bytes", {}, -1},
        {"all bits set", Bytes(MPEGSearchWindow, 0xFF), -1},
        {"zeros", Bytes(MPEGSearchWindow, 0), -1},
        {"first frame just within the search limit",
         Slice(Concat({Bytes(MPEGSearchLimit - 1, 0), Frames(8)}), 0, MPEGSearchWindow), MPEGSearchLimit - 1},
        {"first frame at the search limit", Concat({Bytes(MPEGSearchLimit, 0), Frames(8)}), -1},
        {"MPEG-1 stereo", xing(MPEG1Layer3At128, 36, 15, 1000, 417000), 0, K::Xing, 1000, 26122, 128},
        {"MPEG-1 mono", xing({0xFF, 0xFB, 0x90, 0xC4}, 21, 15, 1000, 300000), 0, K::Xing, 1000, 26122, 92},
        {"MPEG-2 stereo", xing({0xFF, 0xF3, 0x80, 0x64}, 21, 15, 2000, 250000), 0, K::Xing, 2000, 52244, 38},
        {"MPEG-2 mono", xing({0xFF, 0xF3, 0x80, 0xC4}, 13, 15, 2000, 150000), 0, K::Xing, 2000, 52244, 23},
        {"MPEG-2.5 mono", xing({0xFF, 0xE3, 0x40, 0xC0}, 13, 15, 3000, 200000), 0, K::Xing, 3000, 156734, 10},
        {"Info keeps the constant bitrate", xing(MPEG1Layer3At128, 36, 3, 1000, 300000, "Info"), 0, K::Info, 1000,
         26122, 128},
        {"VBRI", Concat({vbri(500), Frames(2)}), 0, K::VBRI, 500, 13061, 184},
        {"Xing without a count: the estimate", xing(MPEG1Layer3At128, 36, 2, 0, 41700), 0, K::Xing, 100, 2612, 128,
         41700},
        {"huge counts do not overflow", xing(MPEG1Layer3At128, 36, 3, 0xFFFFFFFF, 0xFFFFFFFF), 0, K::Xing, INT_MAX,
         112195064032, 0, 4170},
        // A tag size past the file's end, say.
        {"audio end before the audio", Frames(2), 5000, K::None, 0, 0, 128, 100, 5000},
    };
    for (const std::size_t size : {3u, 4u, 20u, 40u, 416u, 418u, 420u})
        cases.push_back({"cut to " + std::to_string(size), Slice(Frames(2), 0, size), size < 4 ? -1 : 0});
    // Cut before the frame count is complete, so the estimate stands: 4170 / 417 frames.
    for (const auto& [frame, sizes] : {std::pair(xing(MPEG1Layer3At128, 36, 3, 1000, 300000),
                                                 std::vector<std::size_t>{38, 40, 43, 44, 47}),
                                       std::pair(vbri(1000), std::vector<std::size_t>{38, 40, 46, 50, 53})})
        for (const std::size_t size : sizes)
            cases.push_back({"cut VBR header", Slice(frame, 0, size), 0, std::nullopt, 10, 261, 128, 4170});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(c.Window, c.Start, c.End);
        EXPECT_EQ(audio.SyncOffset(), c.Offset);
        EXPECT_EQ(audio.VBRHeader().Type, c.Type.value_or(audio.VBRHeader().Type));
        if (c.Frames >= 0) {
            EXPECT_EQ(audio.FrameCount(), c.Frames);
            EXPECT_EQ(audio.LengthMilliseconds(), c.Milliseconds);
            EXPECT_EQ(audio.Bitrate(), c.Bitrate);
            EXPECT_EQ(audio.LengthText() == "0:00", c.Frames == 0);
        }
    }
}

// What the file object reports for whole files, one object for all of them as the window keeps one: the audio
// lies between the ID3v2 tag and the ID3v1 tag, is found however far into the file it starts, and nothing is
// kept from a previous or missing file. TagLib reads the encoded files' bitrates and lengths alike.
TEST(TMP3FileMPEG, AudioIsTheBytesBetweenTheTagsAndNothingIsKeptFromAPreviousFile)
{
    // 100 bytes of padding behind a 1000-byte tag, then 20 frames less 50 bytes: 19 whole frames, 20 if the
    // ID3v1 tag were taken for audio.
    const Bytes cutAudio = Concat({PaddedID3v2Tag(1000), Bytes(100, 0), Slice(Frames(20), 0, 417 * 20 - 50)});
    const Bytes strayJunk(16384 - 100, 0x00);
    // The content (none: no such file), then the first frame's offset, version, bitrate and sample rate, the frame
    // count and the length.
    const std::vector<std::tuple<const char*, std::optional<Bytes>, std::string>> cases = {
        // 100 x 1152 / 44100 = 2.6 s, rounded up
        {"frames behind the tag", Concat({PaddedID3v2Tag(1344), Frames(100)}),
         "1344 MPEG-1 Layer III 128 44100 100 0:03"},
        {"no audio", Bytes(5000, 0x00), "-1  0 0 0 0:00"},
        {"cut audio and an ID3v1 tag", Concat({cutAudio, ID3v1Record({.Title = "x"})}),
         "1100 MPEG-1 Layer III 128 44100 19 0:01"},
        // The small first read ends inside the junk; the frame further on must still be found.
        {"audio behind long junk", Concat({Bytes(40000, 0x00), Frames(20)}),
         "40000 MPEG-1 Layer III 128 44100 20 0:01"},
        // A lone sync near the end of the first read cannot be checked against its next frame there.
        {"stray sync at the end of the first read",
         Concat({strayJunk, Slice(Frame({0xFF, 0xFB, 0x50, 0x64}), 0, 4), Bytes(3000, 0x00), Frames(20)}),
         std::to_string(strayJunk.size() + 4 + 3000) + " MPEG-1 Layer III 128 44100 20 0:01"},
        {"encoded at a constant bitrate", readFile(Data / "cbr-silence.mp3"), "109 MPEG-1 Layer III 32 44100 40 0:02"},
        {"encoded with a Xing header", readFile(Data / "vbr-stereo.mp3"), "0 MPEG-1 Layer III 43 44100 40 0:02"},
        {"MPEG-2 encoded with a Xing header", readFile(Data / "vbr-xing.mp3"), "105 MPEG-2 Layer III 33 22050 79 0:03"},
        {"no such file", std::nullopt, "-1  0 0 0 0:00"},
    };
    TempDir dir;
    TMP3File engine;
    for (const auto& [name, content, expected] : cases) {
        SCOPED_TRACE(name);
        const auto path = dir.file(std::string(name) + ".mp3");
        if (content)
            writeFile(path, *content);
        engine.Reset();
        engine.SetFileName(path.string());
        EXPECT_EQ(engine.ReadTags(), content.has_value());
        EXPECT_EQ(engine.ReadMPEGHeader(), !expected.starts_with("-1"));
        EXPECT_EQ(std::to_string(engine.GetSyncOffset()) + " " + engine.GetMPEGVersionText() + " "
                      + std::to_string(engine.GetBitrate()) + " " + std::to_string(engine.GetSampleRate()) + " "
                      + std::to_string(engine.GetFrameCount()) + " " + engine.GetLengthText(),
                  expected);
    }
}

} // namespace
