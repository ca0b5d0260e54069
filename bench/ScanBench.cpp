// How long the file list spends on one file when a directory is loaded: our scan against the bare reads it cannot
// avoid and against TagLib. Run by hand in a Release build; see README.md.

#include "BenchSupport.h"
#include "TMP3File.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <array>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {

using namespace bench;

enum class Kind { NoTag, ID3v1Only, ID3v23, ID3v24Picture, VBR, Count };

const char* KindName(Kind kind)
{
    switch (kind) {
    case Kind::NoTag: return "no tag";
    case Kind::ID3v1Only: return "ID3v1 only";
    case Kind::ID3v23: return "ID3v2.3 (4 text frames, 1 KiB padding)";
    case Kind::ID3v24Picture: return "ID3v2.4 + APIC 4-64 KiB";
    case Kind::VBR: return "VBR: Xing frame + ID3v2.3 + ID3v1";
    default: return "";
    }
}

std::vector<Frame> TextFrames(std::size_t i, std::uint8_t version)
{
    const std::string n = std::to_string(i);
    return {TitleFrame(i, version), TextFrame("TPE1", "Artist " + std::to_string(i % 97)),
            TextFrame("TALB", "Album " + n), TextFrame("TRCK", std::to_string(i % 20 + 1))};
}

// File i: its kind follows from i, its audio is 200-600 KB.
Bytes MakeFile(std::size_t i)
{
    const auto kind = static_cast<Kind>(i % static_cast<std::size_t>(Kind::Count));
    const std::size_t frames = 480 + (i * 7919) % 960;
    Bytes file;
    if (kind == Kind::ID3v23 || kind == Kind::VBR)
        file = ID3v2Record(3, TextFrames(i, 3), 1024);
    if (kind == Kind::ID3v24Picture) {
        std::vector<Frame> all = TextFrames(i, 4);
        all.push_back(PictureFrame(4096 + (i * 1237) % 61440));
        file = ID3v2Record(4, all, 2048);
    }
    Append(file, AudioFrames(frames, kind == Kind::VBR));
    if (kind == Kind::ID3v1Only || kind == Kind::VBR)
        Append(file, ID3v1Record("Title " + std::to_string(i)));
    return file;
}

// What the kernel charges at least for looking at a file's head and tail.
std::size_t IOFloor(const std::string& path)
{
    std::array<char, 4096> head;
    std::array<char, 128> tail;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    ssize_t got = read(fd, head.data(), head.size());
    if (lseek(fd, -static_cast<off_t>(tail.size()), SEEK_END) >= 0)
        got += read(fd, tail.data(), tail.size());
    close(fd);
    return static_cast<std::size_t>(got) + static_cast<unsigned char>(head[0]) + static_cast<unsigned char>(tail[0]);
}

struct Columns {
    std::string Title;
    int Bitrate = 0;
    std::int64_t Size = 0;
    int Seconds = 0;
    std::string Length;
};

// Everything a row of the file list shows, read as the loader reads it.
Columns EngineColumns(const std::string& path)
{
    TMP3File file;
    file.SetFileName(path);
    file.ReadTags();
    file.ReadMPEGHeader();
    Columns row;
    const bool v1 = file.HasID3v1();
    const bool v2 = file.HasID3v2();
    row.Title = v2 ? file.GetID3v2Title() : v1 ? file.GetID3v1Title() : std::string();
    row.Bitrate = file.GetBitrate();
    row.Size = file.GetFileSize();
    row.Length = file.GetLengthText();
    row.Seconds = file.GetMinutes() * 60 + file.GetSeconds();
    file.Close();
    return row;
}

std::size_t EngineScan(const std::string& path)
{
    const Columns row = EngineColumns(path);
    return row.Title.size() + row.Length.size() + static_cast<std::size_t>(row.Bitrate + row.Size);
}

Columns TagLibColumns(const std::string& path)
{
    TagLib::FileRef ref(path.c_str(), true, TagLib::AudioProperties::Fast);
    Columns row;
    if (ref.isNull())
        return row;
    if (ref.tag())
        row.Title = ref.tag()->title().to8Bit(true);
    if (const TagLib::AudioProperties* audio = ref.audioProperties()) {
        row.Bitrate = audio->bitrate();
        row.Seconds = audio->lengthInSeconds();
    }
    return row;
}

std::size_t TagLibScan(const std::string& path)
{
    const Columns row = TagLibColumns(path);
    return row.Title.size() + static_cast<std::size_t>(row.Bitrate + row.Seconds);
}

// Reads every file once in full, so that every measurement finds them in the page cache.
double WarmUp(const std::vector<std::string>& paths)
{
    const Clock::time_point start = Clock::now();
    std::vector<char> buffer(1 << 20);
    for (const std::string& path : paths) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        while (fd >= 0 && read(fd, buffer.data(), buffer.size()) > 0) {
        }
        if (fd >= 0)
            close(fd);
    }
    return SecondsSince(start);
}

// Both readers should see the same rows; a fast scan that shows wrong columns would prove nothing.
void CompareReaders(const std::vector<std::string>& paths)
{
    std::size_t titles = 0, bitrates = 0, lengths = 0;
    for (const std::string& path : paths) {
        const Columns ours = EngineColumns(path);
        const Columns theirs = TagLibColumns(path);
        titles += ours.Title != theirs.Title;
        bitrates += ours.Bitrate != theirs.Bitrate;
        // Ours counts whole frames and rounds the time up; TagLib divides the stream by the nominal bitrate and
        // rounds down: with 417-byte frames at 128 kbit/s the two differ by up to 2 s.
        lengths += std::abs(ours.Seconds - theirs.Seconds) > 2;
    }
    std::printf("Cross-check against TagLib: %zu title, %zu bitrate, %zu length (> 2 s) disagreements in %zu files\n",
                titles, bitrates, lengths, paths.size());
}

struct Measurement {
    const char* Name;
    std::function<std::size_t(const std::string&)> PerFile;
    std::vector<double> MicrosPerFile;
};

void RunOnce(Measurement& m, const std::vector<std::string>& paths, std::size_t& sink)
{
    const Clock::time_point start = Clock::now();
    for (const std::string& path : paths)
        sink += m.PerFile(path);
    m.MicrosPerFile.push_back(SecondsSince(start) * 1e6 / static_cast<double>(paths.size()));
}

void PrintRow(const Measurement& m)
{
    std::printf("  %-44s %8.2f   runs:", m.Name, Median(m.MicrosPerFile));
    for (double run : m.MicrosPerFile)
        std::printf(" %.2f", run);
    std::printf("\n");
}

void PrintRatio(const char* name, double ratio, double target)
{
    std::printf("  %-20s %6.3f   target <= %.3f   %s\n", name, ratio, target, ratio <= target ? "met" : "MISSED");
}

// The floor and our scan over each kind of file alone: where the extra time of the mixed run goes.
void PrintPerKind(const std::vector<std::string>& paths, std::size_t repeats, std::size_t& sink)
{
    std::printf("\nPer kind of file, median of %zu runs (a) / (b) us per file, (b)/(a):\n", repeats);
    const auto kinds = static_cast<std::size_t>(Kind::Count);
    for (std::size_t k = 0; k < kinds; ++k) {
        std::vector<std::string> some;
        for (std::size_t i = k; i < paths.size(); i += kinds)
            some.push_back(paths[i]);
        Measurement floor {"", IOFloor, {}};
        Measurement ours {"", EngineScan, {}};
        for (std::size_t round = 0; round < repeats; ++round) {
            RunOnce(floor, some, sink);
            RunOnce(ours, some, sink);
        }
        const double a = Median(floor.MicrosPerFile);
        const double b = Median(ours.MicrosPerFile);
        std::printf("  %-44s %8.2f %8.2f   %.2f\n", KindName(static_cast<Kind>(k)), a, b, b / a);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto count = static_cast<std::size_t>(std::max(1L, NumberOption(argc, argv, "--files", 5000)));
    const auto repeats = static_cast<std::size_t>(std::max(1L, NumberOption(argc, argv, "--repeats", 5)));
    // "--only b" runs one measurement alone and skips the cross-check, for a profiler.
    const std::string only = Option(argc, argv, "--only", "");
    const std::filesystem::path base = Option(argc, argv, "--dir", std::filesystem::temp_directory_path().string());

    ScratchDirectory dir(base);
    std::vector<std::string> paths;
    std::uint64_t bytes = 0;
    const Clock::time_point made = Clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        const Bytes file = MakeFile(i);
        paths.push_back((dir.Get() / ("track" + std::to_string(i) + ".mp3")).string());
        WriteFile(paths.back(), file);
        bytes += file.size();
    }
    std::printf("Scan benchmark: %zu files, %.1f MB in all (%.0f KB average), in %s; generated in %.1f s\n", count,
                bytes / 1e6, bytes / 1e3 / count, dir.Get().c_str(), SecondsSince(made));
    std::printf("File mix (by index modulo 5):");
    for (int k = 0; k < static_cast<int>(Kind::Count); ++k)
        std::printf("%s %zu x %s", k ? "," : "", count / 5 + (static_cast<std::size_t>(k) < count % 5),
                    KindName(static_cast<Kind>(k)));
    std::printf("\nEvery third ID3v2 title beyond ISO-8859-1 (UTF-16 in v2.3, UTF-8 in v2.4)");
    std::printf("\nAudio: MPEG-1 Layer III 128 kbit/s 44.1 kHz frames (FF FB 90 64), 480-1439 frames a file\n");

    std::printf("Warm-up: every file read once in full in %.2f s, so every run below sees a warm page cache\n",
                WarmUp(paths));
    if (only.empty())
        CompareReaders(paths);

    std::vector<Measurement> measurements = {
        {"(a) I/O floor: open, read 4 KiB + last 128 B", IOFloor, {}},
        {"(b) TMP3File scan (list row columns)", EngineScan, {}},
        {"(c) TagLib FileRef, audio properties Fast", TagLibScan, {}},
    };
    std::size_t sink = 0;
    // The three take turns within each round, so a slow moment of the machine does not hit one of them only.
    for (std::size_t round = 0; round < repeats; ++round)
        for (std::size_t k = 0; k < measurements.size(); ++k) {
            Measurement& m = measurements[(k + round) % measurements.size()];
            if (only.empty() || m.Name[1] == only[0])
                RunOnce(m, paths, sink);
        }

    if (!only.empty()) {
        for (const Measurement& m : measurements)
            if (!m.MicrosPerFile.empty())
                PrintRow(m);
        return 0;
    }
    std::printf("\nMicroseconds per file, median of %zu runs over all %zu files:\n", repeats, count);
    for (const Measurement& m : measurements)
        PrintRow(m);
    const double floor = Median(measurements[0].MicrosPerFile);
    const double ours = Median(measurements[1].MicrosPerFile);
    const double taglib = Median(measurements[2].MicrosPerFile);
    PrintRatio("(b)/(a)", ours / floor, 1.5);
    PrintRatio("(b)/(c)", ours / taglib, 1.0 / 3);
    PrintPerKind(paths, repeats, sink);
    std::printf("(checksum %zu)\n", sink);
    return 0;
}
