#include "IndependentReaders.h"
#include "MPEGAudioProperties.h"
#include "Mp3Fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include <taglib/mpegfile.h>

using namespace Mp3Fixture;

namespace {

TEST(MPEGAudioProperties, NoAudioAndSizesThatDoNotFitGiveTheEmptyValuesNeverANegativeCount)
{
    const std::vector<std::pair<const char*, MPEGAudioProperties>> cases = {
        {"zeros", MPEGAudioProperties::Analyse(Bytes(5000, 0), 0, 5000)},
        {"nothing analysed", MPEGAudioProperties()},
        {"fewer bytes than a header", MPEGAudioProperties::Analyse(Bytes(50, 0), 0, 50)},
        // An audio end before the first frame (a tag size past the file's end, say).
        {"audio end before the audio", MPEGAudioProperties::Analyse(Frames(2), 5000, 100)},
    };
    for (const auto& [name, audio] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(audio.FrameCount(), 0);
        EXPECT_EQ(audio.LengthMilliseconds(), 0);
        EXPECT_EQ(audio.LengthText(), "0:00");
        if (audio.Found())
            continue;
        EXPECT_EQ(audio.SyncOffset(), -1);
        EXPECT_EQ(audio.VersionText(), "");
        EXPECT_EQ(audio.Bitrate(), 0);
        EXPECT_EQ(audio.SampleRate(), 0);
        EXPECT_EQ(audio.FrameLength(), 1);
    }
}

// A flat 26 ms per frame, or MPEG-2 frames halved in every layer, would miss all but the first.
TEST(MPEGAudioProperties, ConstantBitrateLengthUsesSamplesPerFrameAndSampleRate)
{
    struct Case {
        const char* Name;
        HeaderBytes Header;
        std::int64_t AudioBytes;
        int FrameCount;
        const char* LengthText;
    };
    const std::vector<Case> cases = {
        {"MPEG-1 L III 44100", MPEG1Layer3At128, 3000000, 7194, "3:08"},
        {"MPEG-1 L III 48000", {0xFF, 0xFB, 0x94, 0x64}, 3000000, 7812, "3:08"},
        {"MPEG-1 L III 32000", {0xFF, 0xFB, 0x98, 0x64}, 3000000, 5208, "3:08"},
        {"MPEG-1 L I 448", {0xFF, 0xFF, 0xE8, 0x00}, 3000000, 4464, "0:54"},
        {"MPEG-2 L II 160", {0xFF, 0xF5, 0xE8, 0x00}, 3000000, 2083, "2:30"},
        {"MPEG-2.5 L III 32", {0xFF, 0xE3, 0x40, 0x40}, 1000000, 4807, "4:12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(Frames(3, c.Header), 0, c.AudioBytes);
        EXPECT_EQ(audio.FrameCount(), c.FrameCount);
        EXPECT_EQ(audio.LengthText(), c.LengthText);
    }
    // 100 bytes of padding behind a 1000-byte tag, then 20 whole frames less 50 bytes before the ID3v1 tag.
    const MPEGAudioProperties audio =
        MPEGAudioProperties::Analyse(Concat({Bytes(100, 0), Frames(3)}), 1000, 1000 + 100 + 417 * 20 - 50);
    EXPECT_EQ(audio.SyncOffset(), 1100);
    EXPECT_EQ(audio.FrameCount(), 19);
}

// Without the header's count a VBR file's length is taken from its first frame's bitrate: plainly wrong.
TEST(MPEGAudioProperties, VBRHeaderGivesFrameCountAndAverageBitrate)
{
    struct Case {
        const char* Name;
        HeaderBytes Header;
        std::size_t Offset; // 0: a VBRI header
        const char* ID;
        std::uint32_t Flags, FrameCount, ByteCount;
        std::int64_t AudioBytes;
        MPEGVBRHeader::Kind Type;
        int Frames;
        std::int64_t Milliseconds;
        int Bitrate;
    };
    using K = MPEGVBRHeader::Kind;
    const std::vector<Case> cases = {
        {"MPEG-1 stereo", MPEG1Layer3At128, 36, "Xing", 15, 1000, 417000, 40000, K::Xing, 1000, 26122, 128},
        {"MPEG-1 mono", {0xFF, 0xFB, 0x90, 0xC4}, 21, "Xing", 15, 1000, 300000, 40000, K::Xing, 1000, 26122, 92},
        {"MPEG-2 stereo", {0xFF, 0xF3, 0x80, 0x64}, 21, "Xing", 15, 2000, 250000, 40000, K::Xing, 2000, 52244, 38},
        {"MPEG-2 mono", {0xFF, 0xF3, 0x80, 0xC4}, 13, "Xing", 15, 2000, 150000, 40000, K::Xing, 2000, 52244, 23},
        {"MPEG-2.5 mono", {0xFF, 0xE3, 0x40, 0xC0}, 13, "Xing", 15, 3000, 200000, 40000, K::Xing, 3000, 156734, 10},
        {"Info keeps the constant bitrate", MPEG1Layer3At128, 36, "Info", 3, 1000, 300000, 40000, K::Info, 1000,
         26122, 128},
        {"VBRI", MPEG1Layer3At128, 0, "VBRI", 0, 500, 300000, 40000, K::VBRI, 500, 13061, 184},
        {"Xing without a count: the estimate", MPEG1Layer3At128, 36, "Xing", 2, 0, 41700, 41700, K::Xing, 100, 2612,
         128},
        {"huge counts do not overflow", MPEG1Layer3At128, 36, "Xing", 3, 0xFFFFFFFF, 0xFFFFFFFF, 4170, K::Xing,
         INT_MAX, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Bytes window = Frame(c.Header);
        if (c.Offset)
            PutXingHeader(window, c.Offset, c.ID, c.Flags, c.FrameCount, c.ByteCount);
        else
            PutVBRIHeader(window, c.FrameCount, c.ByteCount);
        const MPEGAudioProperties audio =
            MPEGAudioProperties::Analyse(Concat({window, Frames(2, c.Header)}), 0, c.AudioBytes);
        EXPECT_EQ(audio.VBRHeader().Type, c.Type);
        EXPECT_EQ(audio.FrameCount(), c.Frames);
        if (c.Milliseconds >= 0) {
            EXPECT_EQ(audio.LengthMilliseconds(), c.Milliseconds);
        } else {
            EXPECT_GT(audio.LengthMilliseconds(), 0);
            EXPECT_GT(audio.TotalSeconds(), 0);
        }
        EXPECT_EQ(audio.Bitrate(), c.Bitrate);
    }
}

TEST(MPEGAudioProperties, CutOffVBRHeaderIsReadNoFurtherThanTheWindow)
{
    Bytes xing = Frame();
    PutXingHeader(xing, 36, "Xing", 0x03, 1000, 300000);
    Bytes vbri = Frame();
    PutVBRIHeader(vbri, 1000, 300000);
    // Each window ends before the frame count is complete, so the estimate stands: 4170 / 417 frames.
    const std::vector<std::pair<const Bytes*, std::vector<std::size_t>>> cuts = {
        {&xing, {38, 40, 43, 44, 47}},
        {&vbri, {38, 40, 46, 50, 53}},
    };
    for (const auto& [frame, sizes] : cuts)
        for (std::size_t size : sizes) {
            SCOPED_TRACE(size);
            const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(Slice(*frame, 0, size), 0, 4170);
            ASSERT_TRUE(audio.Found());
            EXPECT_EQ(audio.FrameCount(), 10);
        }
}

// Files made by an encoder, read the way the file object reads them, against two independent readers.
class EncodedFile : public testing::TestWithParam<std::string> {
protected:
    std::filesystem::path Path() const { return std::filesystem::path(VELLUM_TEST_DATA_DIR) / "mpeg" / GetParam(); }

    // The audio lies between the ID3v2 tag and the ID3v1 tag.
    MPEGAudioProperties Analyse() const
    {
        const Bytes file = readFile(Path());
        const auto start = static_cast<std::int64_t>(TagAreaOf(file));
        std::int64_t end = static_cast<std::int64_t>(file.size());
        if (file.size() >= 128 && std::string(file.end() - 128, file.end() - 125) == "TAG")
            end -= 128;
        const auto window = Slice(file, static_cast<std::size_t>(start),
                                  static_cast<std::size_t>(std::min<std::int64_t>(end - start, MPEGSearchWindow)));
        return MPEGAudioProperties::Analyse(window, start, end);
    }
};

TEST_P(EncodedFile, LengthBitrateAndVBRHeaderAgreeWithTagLibAndMutagen)
{
    const MPEGAudioProperties audio = Analyse();
    ASSERT_TRUE(audio.Found());
    EXPECT_EQ(audio.VBRHeader().Type, GetParam().starts_with("vbr") ? MPEGVBRHeader::Kind::Xing
                                                                    : MPEGVBRHeader::Kind::None);
    const std::int64_t frameMilliseconds = audio.Header().SamplesPerFrame() * 1000 / audio.SampleRate();

    TagLib::MPEG::File file(Path().c_str());
    ASSERT_TRUE(file.isValid());
    const TagLib::MPEG::Properties* properties = file.audioProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(audio.SampleRate(), properties->sampleRate());
    EXPECT_NEAR(audio.LengthMilliseconds(), properties->lengthInMilliseconds(), frameMilliseconds);
    EXPECT_NEAR(audio.Bitrate(), properties->bitrate(), 1);

    // mutagen leaves the encoder's delay and padding out of the length, up to about three frames.
    const auto output = IndependentReaders::RunPython(
        "import sys, mutagen.mp3; i = mutagen.mp3.MP3(sys.argv[1]).info; "
        "print(round(i.length * 1000), round(i.bitrate / 1000))",
        {Path().string()});
    ASSERT_TRUE(output) << "mutagen could not read " << Path();
    std::int64_t milliseconds = -1;
    int bitrate = -1;
    std::istringstream(*output) >> milliseconds >> bitrate;
    EXPECT_NEAR(audio.LengthMilliseconds(), milliseconds, 3 * frameMilliseconds);
    EXPECT_NEAR(audio.Bitrate(), bitrate, audio.Bitrate() / 10 + 1);
}

INSTANTIATE_TEST_SUITE_P(MPEGAudioProperties, EncodedFile,
                         testing::Values("cbr-silence.mp3", "vbr-stereo.mp3", "vbr-xing.mp3"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
