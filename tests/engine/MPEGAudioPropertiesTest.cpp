#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <taglib/mpegfile.h>

#include "MPEGAudioProperties.h"
#include "MPEGFrames.h"

using namespace MPEGFrames;

namespace {

// Audio whose first frames lie in the window, with audioBytes of audio from the start.
MPEGAudioProperties CBRAudio(const HeaderBytes& header, std::int64_t audioStart, std::int64_t audioBytes)
{
    return MPEGAudioProperties::Analyse(BuildFrames(header, 3), audioStart, audioStart + audioBytes);
}

TEST(MPEGAudioProperties, NoAudioGivesTheEmptyValues)
{
    const MPEGAudioProperties none = MPEGAudioProperties::Analyse(Bytes(5000, 0), 0, 5000);
    for (const MPEGAudioProperties& audio : {none, MPEGAudioProperties()}) {
        EXPECT_FALSE(audio.Found());
        EXPECT_EQ(audio.SyncOffset(), -1);
        EXPECT_EQ(audio.VersionText(), "");
        EXPECT_EQ(audio.Bitrate(), 0);
        EXPECT_EQ(audio.SampleRate(), 0);
        EXPECT_EQ(audio.FrameLength(), 1);
        EXPECT_EQ(audio.FrameCount(), 0);
        EXPECT_EQ(audio.LengthMilliseconds(), 0);
        EXPECT_EQ(audio.LengthText(), "0:00");
    }
}

TEST(MPEGAudioProperties, FindsTheFirstFrameBehindTheTag)
{
    const MPEGAudioProperties audio = CBRAudio(MPEG1Layer3At128, 1344, 417 * 100);
    EXPECT_EQ(audio.SyncOffset(), 1344);
    EXPECT_EQ(audio.VersionText(), "MPEG-1 Layer III");
    EXPECT_EQ(audio.Header().VersionName(), "MPEG-1");
    EXPECT_EQ(audio.Header().LayerName(), "Layer III");
    EXPECT_EQ(audio.Bitrate(), 128);
    EXPECT_EQ(audio.SampleRate(), 44100);
    EXPECT_EQ(audio.FrameLength(), 417);
}

struct CBRCase {
    std::string Name;
    HeaderBytes Header;
    std::int64_t AudioBytes;
    int FrameLength;
    int FrameCount;
    std::string LengthText;
};

// A flat 26 ms per frame, or MPEG-2 frames halved in every layer, would miss all but the first.
TEST(MPEGAudioProperties, ConstantBitrateLengthUsesSamplesPerFrameAndSampleRate)
{
    const std::vector<CBRCase> cases = {
        {"MPEG-1 L III 44100", MPEG1Layer3At128, 3000000, 417, 7194, "3:08"},
        {"MPEG-1 L III 48000", {0xFF, 0xFB, 0x94, 0x64}, 3000000, 384, 7812, "3:08"},
        {"MPEG-1 L III 32000", {0xFF, 0xFB, 0x98, 0x64}, 3000000, 576, 5208, "3:08"},
        {"MPEG-1 L I 448", {0xFF, 0xFF, 0xE8, 0x00}, 3000000, 672, 4464, "0:54"},
        {"MPEG-2 L II 160", {0xFF, 0xF5, 0xE8, 0x00}, 3000000, 1440, 2083, "2:30"},
        {"MPEG-2.5 L III 32", {0xFF, 0xE3, 0x40, 0x40}, 1000000, 208, 4807, "4:12"},
    };
    for (const CBRCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const MPEGAudioProperties audio = CBRAudio(c.Header, 0, c.AudioBytes);
        EXPECT_EQ(audio.FrameLength(), c.FrameLength);
        EXPECT_EQ(audio.FrameCount(), c.FrameCount);
        EXPECT_EQ(audio.LengthText(), c.LengthText);
    }
}

TEST(MPEGAudioProperties, AudioBytesRunFromTheFirstFrameToTheAudioEnd)
{
    Bytes window(100, 0);
    Append(window, BuildFrames(MPEG1Layer3At128, 3));
    // 100 bytes of padding behind a 1000-byte tag, then 20 whole frames less 50 bytes before the ID3v1 tag.
    const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 1000, 1000 + 100 + 417 * 20 - 50);
    EXPECT_EQ(audio.SyncOffset(), 1100);
    EXPECT_EQ(audio.FrameCount(), 19);
}

TEST(MPEGAudioProperties, SizesThatDoNotFitGiveNoNegativeCount)
{
    // An audio end before the first frame (a tag size past the file's end, say).
    const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(BuildFrames(MPEG1Layer3At128, 2), 5000, 100);
    EXPECT_EQ(audio.FrameCount(), 0);
    EXPECT_EQ(audio.LengthMilliseconds(), 0);
    EXPECT_EQ(audio.LengthText(), "0:00");
    const MPEGAudioProperties tiny = MPEGAudioProperties::Analyse(Bytes(50, 0), 0, 50);
    EXPECT_EQ(tiny.FrameCount(), 0);
    EXPECT_EQ(tiny.LengthText(), "0:00");
}

struct VBRCase {
    std::string Name;
    HeaderBytes Header;
    std::size_t XingOffset;
    std::uint32_t FrameCount;
    std::uint32_t ByteCount;
    std::int64_t Milliseconds;
    std::string LengthText;
    int Bitrate;
};

// Without the header's count a VBR file's length is taken from its first frame's bitrate: plainly wrong.
TEST(MPEGAudioProperties, XingHeaderGivesFrameCountAndAverageBitrate)
{
    const std::vector<VBRCase> cases = {
        {"MPEG-1 stereo", MPEG1Layer3At128, 36, 1000, 417000, 26122, "0:27", 128},
        {"MPEG-1 mono", {0xFF, 0xFB, 0x90, 0xC4}, 21, 1000, 300000, 26122, "0:27", 92},
        {"MPEG-2 stereo", {0xFF, 0xF3, 0x80, 0x64}, 21, 2000, 250000, 52244, "0:53", 38},
        {"MPEG-2 mono", {0xFF, 0xF3, 0x80, 0xC4}, 13, 2000, 150000, 52244, "0:53", 23},
        {"MPEG-2.5 mono", {0xFF, 0xE3, 0x40, 0xC0}, 13, 3000, 200000, 156734, "2:37", 10},
    };
    for (const VBRCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Bytes window = BuildFrame(c.Header);
        PutXingHeader(window, c.XingOffset, "Xing", 0x0F, c.FrameCount, c.ByteCount);
        Append(window, BuildFrames(c.Header, 2));
        const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 0, 40000);
        EXPECT_EQ(audio.VBRHeader().Type, MPEGVBRHeader::Kind::Xing);
        EXPECT_EQ(audio.FrameCount(), static_cast<int>(c.FrameCount));
        EXPECT_EQ(audio.LengthMilliseconds(), c.Milliseconds);
        EXPECT_EQ(audio.LengthText(), c.LengthText);
        EXPECT_EQ(audio.Bitrate(), c.Bitrate);
    }
}

TEST(MPEGAudioProperties, InfoHeaderGivesFrameCountAndKeepsTheConstantBitrate)
{
    Bytes window = BuildFrame(MPEG1Layer3At128);
    PutXingHeader(window, 36, "Info", 0x03, 1000, 300000);
    Append(window, BuildFrames(MPEG1Layer3At128, 2));
    const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 0, 40000);
    EXPECT_EQ(audio.VBRHeader().Type, MPEGVBRHeader::Kind::Info);
    EXPECT_EQ(audio.FrameCount(), 1000);
    EXPECT_EQ(audio.Bitrate(), 128);
}

TEST(MPEGAudioProperties, VBRIHeaderGivesFrameCountAndAverageBitrate)
{
    Bytes window = BuildFrame(MPEG1Layer3At128);
    PutVBRIHeader(window, 500, 300000);
    Append(window, BuildFrames(MPEG1Layer3At128, 2));
    const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 0, 40000);
    EXPECT_EQ(audio.VBRHeader().Type, MPEGVBRHeader::Kind::VBRI);
    EXPECT_EQ(audio.FrameCount(), 500);
    EXPECT_EQ(audio.LengthMilliseconds(), 13061);
    EXPECT_EQ(audio.LengthText(), "0:14");
    EXPECT_EQ(audio.Bitrate(), 184);
}

TEST(MPEGAudioProperties, XingHeaderWithoutFrameCountFallsBackToTheEstimate)
{
    Bytes window = BuildFrame(MPEG1Layer3At128);
    PutXingHeader(window, 36, "Xing", 0x02, 0, 41700);
    Append(window, BuildFrames(MPEG1Layer3At128, 2));
    const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 0, 41700);
    EXPECT_EQ(audio.FrameCount(), 100);
    EXPECT_EQ(audio.LengthMilliseconds(), 2612);
}

TEST(MPEGAudioProperties, CutOffVBRHeaderIsReadNoFurtherThanTheWindow)
{
    Bytes xing = BuildFrame(MPEG1Layer3At128);
    PutXingHeader(xing, 36, "Xing", 0x03, 1000, 300000);
    Bytes vbri = BuildFrame(MPEG1Layer3At128);
    PutVBRIHeader(vbri, 1000, 300000);
    // Each window ends before the frame count is complete, so the estimate stands: 4170 / 417 frames.
    const std::vector<std::pair<const Bytes*, std::vector<std::size_t>>> cuts = {
        {&xing, {38, 40, 43, 44, 47}},
        {&vbri, {38, 40, 46, 50, 53}},
    };
    for (const auto& [frame, sizes] : cuts)
        for (std::size_t size : sizes) {
            SCOPED_TRACE(size);
            const Bytes window(frame->begin(), frame->begin() + static_cast<std::ptrdiff_t>(size));
            const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 0, 4170);
            ASSERT_TRUE(audio.Found());
            EXPECT_EQ(audio.FrameCount(), 10);
        }
}

TEST(MPEGAudioProperties, HugeCountsInAVBRHeaderDoNotOverflow)
{
    Bytes window = BuildFrame(MPEG1Layer3At128);
    PutXingHeader(window, 36, "Xing", 0x03, 0xFFFFFFFF, 0xFFFFFFFF);
    Append(window, BuildFrames(MPEG1Layer3At128, 2));
    const MPEGAudioProperties audio = MPEGAudioProperties::Analyse(window, 0, 4170);
    EXPECT_EQ(audio.FrameCount(), INT_MAX);
    EXPECT_GT(audio.LengthMilliseconds(), 0);
    EXPECT_GT(audio.TotalSeconds(), 0);
    EXPECT_EQ(audio.Bitrate(), 0);
}

// Files made by an encoder, read the way the file object reads them, against two independent readers.
class EncodedFile : public testing::TestWithParam<std::string> {
protected:
    std::filesystem::path Path() const { return std::filesystem::path(VELLUM_TEST_DATA_DIR) / "mpeg" / GetParam(); }

    // The audio lies between the ID3v2 tag and the ID3v1 tag.
    MPEGAudioProperties Analyse() const
    {
        const Bytes file = readFile(Path());
        std::int64_t start = 0;
        if (file.size() >= 10 && file[0] == 'I' && file[1] == 'D' && file[2] == '3')
            start = 10 + ((file[6] << 21) | (file[7] << 14) | (file[8] << 7) | file[9]);
        std::int64_t end = static_cast<std::int64_t>(file.size());
        if (file.size() >= 128 && std::string(file.end() - 128, file.end() - 125) == "TAG")
            end -= 128;
        const std::int64_t windowEnd = std::min<std::int64_t>(end, start + MPEGSearchWindow);
        const Bytes window(file.begin() + start, file.begin() + windowEnd);
        return MPEGAudioProperties::Analyse(window, start, end);
    }

    // Length in milliseconds and bitrate in kbit/s as mutagen reports them.
    std::pair<std::int64_t, int> MutagenValues() const
    {
        const std::string command = "/usr/bin/python3 -c 'import sys, mutagen.mp3; i = mutagen.mp3.MP3(sys.argv[1]).info;"
                                    " print(round(i.length * 1000), round(i.bitrate / 1000))' '"
            + Path().string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        long long milliseconds = -1;
        int bitrate = -1;
        if (pipe) {
            if (std::fscanf(pipe, "%lld %d", &milliseconds, &bitrate) != 2)
                milliseconds = -1;
            pclose(pipe);
        }
        return {milliseconds, bitrate};
    }
};

TEST_P(EncodedFile, LengthAndBitrateAgreeWithTagLibAndMutagen)
{
    const MPEGAudioProperties audio = Analyse();
    ASSERT_TRUE(audio.Found());
    const std::int64_t frameMilliseconds = audio.Header().SamplesPerFrame() * 1000 / audio.SampleRate();

    TagLib::MPEG::File file(Path().c_str());
    ASSERT_TRUE(file.isValid());
    const TagLib::MPEG::Properties* properties = file.audioProperties();
    ASSERT_NE(properties, nullptr);
    EXPECT_EQ(audio.SampleRate(), properties->sampleRate());
    EXPECT_NEAR(audio.LengthMilliseconds(), properties->lengthInMilliseconds(), frameMilliseconds);
    EXPECT_NEAR(audio.Bitrate(), properties->bitrate(), 1);

    // mutagen leaves the encoder's delay and padding out of the length, up to about three frames.
    const auto [mutagenMilliseconds, mutagenBitrate] = MutagenValues();
    ASSERT_GE(mutagenMilliseconds, 0) << "mutagen could not read " << Path();
    EXPECT_NEAR(audio.LengthMilliseconds(), mutagenMilliseconds, 3 * frameMilliseconds);
    EXPECT_NEAR(audio.Bitrate(), mutagenBitrate, audio.Bitrate() / 10 + 1);
}

INSTANTIATE_TEST_SUITE_P(MPEGAudioProperties, EncodedFile,
                         testing::Values("cbr-silence.mp3", "vbr-stereo.mp3", "vbr-xing.mp3"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(MPEGAudioProperties, EncodedFilesShowTheirVBRHeaders)
{
    const auto typeOf = [](const std::string& name) {
        const Bytes file = readFile(std::filesystem::path(VELLUM_TEST_DATA_DIR) / "mpeg" / name);
        return FindFirstMPEGFrame(file)->VBRHeader.Type;
    };
    EXPECT_EQ(typeOf("cbr-silence.mp3"), MPEGVBRHeader::Kind::None);
    EXPECT_EQ(typeOf("vbr-stereo.mp3"), MPEGVBRHeader::Kind::Xing);
    EXPECT_EQ(typeOf("vbr-xing.mp3"), MPEGVBRHeader::Kind::Xing);
}

} // namespace
