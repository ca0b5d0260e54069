#pragma once

// What both benchmark programs share: MP3 files built in memory, a scratch directory, a clock and the median.

#include <taglib/tstring.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace bench {

using Bytes = std::vector<std::uint8_t>;

// MPEG-1 Layer III, 128 kbit/s, 44100 Hz, no padding, no CRC, stereo: 417 bytes a frame, 1152 samples.
constexpr std::uint8_t FrameHeader[4] = {0xFF, 0xFB, 0x90, 0x64};
constexpr std::size_t FrameLength = 417;
// Behind the header and the 32 bytes of stereo side information, where a Xing header sits.
constexpr std::size_t XingOffset = 4 + 32;

inline void Append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

inline void PutBigEndian32(Bytes& to, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        to.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void PutSynchsafe32(Bytes& to, std::uint32_t value)
{
    for (int shift = 21; shift >= 0; shift -= 7)
        to.push_back(static_cast<std::uint8_t>((value >> shift) & 0x7F));
}

// count frames of silence; with xing, the first frame carries a Xing header counting frames and bytes.
inline Bytes AudioFrames(std::size_t count, bool xing)
{
    Bytes audio(count * FrameLength, 0);
    for (std::size_t i = 0; i < count; ++i)
        std::memcpy(audio.data() + i * FrameLength, FrameHeader, sizeof FrameHeader);
    if (xing) {
        Bytes header = {'X', 'i', 'n', 'g'};
        PutBigEndian32(header, 0x03);
        PutBigEndian32(header, static_cast<std::uint32_t>(count));
        PutBigEndian32(header, static_cast<std::uint32_t>(audio.size()));
        std::copy(header.begin(), header.end(), audio.begin() + XingOffset);
    }
    return audio;
}

struct Frame {
    std::string ID;
    Bytes Body;
};

inline Frame TextFrame(const std::string& id, const std::string& text)
{
    Frame frame {id, {}};
    frame.Body.reserve(1 + text.size());
    frame.Body.push_back(0); // ISO-8859-1
    for (const char c : text)
        frame.Body.push_back(static_cast<std::uint8_t>(c));
    return frame;
}

// Every third title is beyond ISO-8859-1, stored as taggers store it: UTF-16 in version 2.3, UTF-8 in 2.4.
inline Frame TitleFrame(std::size_t i, std::uint8_t version)
{
    const std::string n = std::to_string(i);
    if (i % 3 != 0)
        return TextFrame("TIT2", "Title " + n);
    const std::array<const char*, 5> scripts = {"Группа крови ", "夜に駆ける ", "Ελληνικά ", "أغنية ", "Rocket 🚀 "};
    const TagLib::String title(scripts[i / 3 % scripts.size()] + n, TagLib::String::UTF8);
    const TagLib::ByteVector bytes = title.data(version == 4 ? TagLib::String::UTF8 : TagLib::String::UTF16);
    Frame frame {"TIT2", {version == 4 ? std::uint8_t{3} : std::uint8_t{1}}};
    frame.Body.insert(frame.Body.end(), bytes.begin(), bytes.end());
    return frame;
}

// An attached front cover of size bytes of made-up image data.
inline Frame PictureFrame(std::size_t size)
{
    const std::string mime = "image/jpeg";
    // Encoding 0, the MIME type and its terminator, picture type 3 (front cover), an empty description.
    Frame frame {"APIC", Bytes(1 + mime.size() + 3 + size, 0)};
    std::copy(mime.begin(), mime.end(), frame.Body.begin() + 1);
    frame.Body[mime.size() + 2] = 3;
    for (std::size_t i = 0; i < size; ++i)
        frame.Body[mime.size() + 4 + i] = static_cast<std::uint8_t>(i * 37 + 11);
    return frame;
}

// A version 3 or 4 tag holding the frames, followed by padding zeros.
inline Bytes ID3v2Record(std::uint8_t version, const std::vector<Frame>& frames, std::size_t padding)
{
    Bytes body;
    for (const Frame& frame : frames) {
        body.insert(body.end(), frame.ID.begin(), frame.ID.end());
        const auto size = static_cast<std::uint32_t>(frame.Body.size());
        version == 4 ? PutSynchsafe32(body, size) : PutBigEndian32(body, size);
        body.push_back(0);
        body.push_back(0);
        Append(body, frame.Body);
    }
    body.resize(body.size() + padding, 0);
    Bytes tag = {'I', 'D', '3', version, 0, 0};
    PutSynchsafe32(tag, static_cast<std::uint32_t>(body.size()));
    Append(tag, body);
    return tag;
}

inline Bytes ID3v1Record(const std::string& title)
{
    Bytes tag(128, 0);
    std::memcpy(tag.data(), "TAG", 3);
    std::memcpy(tag.data() + 3, title.data(), std::min<std::size_t>(title.size(), 30));
    tag[127] = 12; // Other
    return tag;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

// A directory of its own under base, removed with its contents at the end.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::filesystem::path& base)
    {
        std::string pattern = (base / "vellum-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a directory in " + base.string());
        Path = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Get() const { return Path; }

private:
    std::filesystem::path Path;
};

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// "--name value" from the command line, or the fallback.
inline std::string Option(int argc, char** argv, const std::string& name, const std::string& fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (argv[i] == name)
            return argv[i + 1];
    return fallback;
}

inline long NumberOption(int argc, char** argv, const std::string& name, long fallback)
{
    const std::string text = Option(argc, argv, name, "");
    return text.empty() ? fallback : std::strtol(text.c_str(), nullptr, 10);
}

} // namespace bench
