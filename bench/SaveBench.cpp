// How long saving a changed title takes: in place, where the time must not grow with the file, and through a
// rewrite, which must keep up with a plain copy of the file. Run by hand in a Release build; see README.md.

#include "BenchSupport.h"
#include "TMP3File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace bench;

constexpr std::size_t MB = 1000 * 1000;
// Larger than any padding the engine adds for alignment, so a short title always fits.
constexpr std::size_t RoomyTagArea = 4096;

// A file of about megabytes MB: an ID3v2.3 tag of tagArea bytes (0: exactly its frames), then audio.
Bytes MakeFile(std::size_t megabytes, std::size_t tagArea)
{
    const std::vector<Frame> frames = {TextFrame("TIT2", "Old title"), TextFrame("TPE1", "Some artist"),
                                       TextFrame("TALB", "Some album")};
    const std::size_t tight = ID3v2Record(3, frames, 0).size();
    Bytes file = ID3v2Record(3, frames, tagArea > tight ? tagArea - tight : 0);
    Append(file, AudioFrames(megabytes * MB / FrameLength, false));
    return file;
}

ino_t Inode(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

std::int64_t Size(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

// What the editor's Save does with the title: read the tags, change the title, write the ID3v2 tag.
double SaveTitle(const std::string& path, const std::string& title)
{
    const Clock::time_point start = Clock::now();
    TMP3File file;
    file.SetFileName(path);
    bool saved = file.ReadTags();
    file.SetID3v2Title(title);
    saved = saved && file.WriteID3v2Tag();
    const double seconds = SecondsSince(start);
    if (!saved)
        throw std::runtime_error("saving failed: " + path);
    return seconds;
}

// The kernel's part of an in-place save: open the file for writing, write the tag area's bytes over its start, close.
double OverwriteFloor(const std::string& path)
{
    const Bytes area(RoomyTagArea, 0);
    std::vector<std::uint8_t> head(RoomyTagArea);
    const int probe = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool read = probe >= 0 && pread(probe, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size());
    if (probe >= 0)
        close(probe);
    const Clock::time_point start = Clock::now();
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    const bool written = fd >= 0 && pwrite(fd, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size());
    if (fd >= 0)
        close(fd);
    const double seconds = SecondsSince(start);
    if (!read || !written)
        throw std::runtime_error("cannot overwrite " + path);
    return seconds;
}

struct InPlaceTimes {
    double Save = 0;
    double Floor = 0;
};

// Seconds per save of a title that fits the tag area; the file must keep its inode and its size.
InPlaceTimes InPlaceSave(const std::filesystem::path& dir, std::size_t megabytes, std::size_t repeats)
{
    const std::string path = (dir / ("inplace" + std::to_string(megabytes) + ".mp3")).string();
    WriteFile(path, MakeFile(megabytes, RoomyTagArea));
    sync(); // a page still being written back would stall the first write, more so in a larger file
    const ino_t inode = Inode(path);
    const std::int64_t size = Size(path);
    std::vector<double> saves;
    std::vector<double> floors;
    for (std::size_t i = 0; i < repeats; ++i) {
        saves.push_back(SaveTitle(path, i % 2 ? "Changed title A" : "Changed title B"));
        floors.push_back(OverwriteFloor(path));
    }
    if (Inode(path) != inode || Size(path) != size)
        throw std::runtime_error("the in-place save rewrote " + path);
    std::filesystem::remove(path);
    return {Median(saves), Median(floors)};
}

// Seconds for a save whose title outgrows the tag area, starting each time from a fresh file written to disk.
double RewriteSave(const std::string& path, std::size_t megabytes, std::size_t repeats)
{
    std::vector<double> times;
    for (std::size_t i = 0; i < repeats; ++i) {
        WriteFile(path, MakeFile(megabytes, 0));
        sync(); // nothing of the setup is left for the timed fsync to write
        const ino_t inode = Inode(path);
        const std::int64_t size = Size(path);
        times.push_back(SaveTitle(path, std::string(3000, 'T')));
        if (Inode(path) == inode || Size(path) <= size)
            throw std::runtime_error("the growing save did not rewrite " + path);
    }
    return Median(times);
}

// A read/write loop with a 1 MiB buffer and an fsync, as a plain copying program does it.
void CopyLoop(const std::string& from, const std::string& to)
{
    std::vector<char> buffer(1 << 20);
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool good = in >= 0 && out >= 0;
    for (ssize_t got = 0; good && (got = read(in, buffer.data(), buffer.size())) > 0;)
        good = write(out, buffer.data(), static_cast<std::size_t>(got)) == got;
    good = good && fsync(out) == 0;
    if (in >= 0)
        close(in);
    if (out >= 0)
        close(out);
    if (!good)
        throw std::runtime_error("copying failed: " + to);
}

// std::filesystem::copy_file, then an fsync of the copy.
void FilesystemCopy(const std::string& from, const std::string& to)
{
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    const int out = open(to.c_str(), O_WRONLY | O_CLOEXEC);
    const bool good = out >= 0 && fsync(out) == 0;
    if (out >= 0)
        close(out);
    if (!good)
        throw std::runtime_error("copying failed: " + to);
}

template <typename Copy>
double CopySeconds(Copy copy, const std::string& from, const std::string& to, std::size_t repeats)
{
    std::vector<double> times;
    for (std::size_t i = 0; i < repeats; ++i) {
        std::filesystem::remove(to);
        sync();
        const Clock::time_point start = Clock::now();
        copy(from, to);
        times.push_back(SecondsSince(start));
    }
    std::filesystem::remove(to);
    return Median(times);
}

} // namespace

int main(int argc, char** argv)
{
    const auto repeats = static_cast<std::size_t>(std::max(1L, NumberOption(argc, argv, "--repeats", 5)));
    const auto bigMB = static_cast<std::size_t>(std::max(2L, NumberOption(argc, argv, "--big-mb", 100)));
    const std::filesystem::path base = Option(argc, argv, "--dir", std::filesystem::temp_directory_path().string());
    ScratchDirectory dir(base);
    std::printf("Save benchmark in %s\n", dir.Get().c_str());

    // Cheap, so run more often for a steadier median.
    const std::size_t inPlaceRepeats = 10 * repeats + 1;
    const InPlaceTimes small = InPlaceSave(dir.Get(), 1, inPlaceRepeats);
    const InPlaceTimes big = InPlaceSave(dir.Get(), bigMB, inPlaceRepeats);
    std::printf("\nIn-place save (ReadTags, SetID3v2Title, WriteID3v2Tag; %zu-byte tag area with room), median of %zu;\n"
                "floor: open read-write, write %zu bytes at 0, close:\n",
                RoomyTagArea, inPlaceRepeats, RoomyTagArea);
    std::printf("  %4zu MB file   save %8.1f us   floor %6.1f us\n", std::size_t{1}, small.Save * 1e6,
                small.Floor * 1e6);
    std::printf("  %4zu MB file   save %8.1f us   floor %6.1f us\n", bigMB, big.Save * 1e6, big.Floor * 1e6);
    std::printf("  %zu MB / 1 MB: save %.2f, floor %.2f (file %zux larger; inode and size kept: no rewrite)\n", bigMB,
                big.Save / small.Save, big.Floor / small.Floor, bigMB);

    const std::string path = (dir.Get() / "rewrite.mp3").string();
    const double rewrite = RewriteSave(path, bigMB, repeats);
    WriteFile(path, MakeFile(bigMB, 0));
    const double bytes = static_cast<double>(Size(path));
    const std::string copyPath = (dir.Get() / "copy.mp3").string();
    const double loop = CopySeconds(CopyLoop, path, copyPath, repeats);
    const double fsCopy = CopySeconds(FilesystemCopy, path, copyPath, repeats);
    const double fastest = std::min(loop, fsCopy);

    std::printf("\n%.1f MB file, median of %zu, each from a synced page cache, all ending in fsync:\n", bytes / 1e6,
                repeats);
    std::printf("  rewrite save (tag grows past its area)   %7.1f MB/s  (%.3f s)\n", bytes / 1e6 / rewrite, rewrite);
    std::printf("  copy, read/write loop 1 MiB + fsync      %7.1f MB/s  (%.3f s)\n", bytes / 1e6 / loop, loop);
    std::printf("  copy, std::filesystem::copy_file + fsync %7.1f MB/s  (%.3f s)\n", bytes / 1e6 / fsCopy, fsCopy);
    const double share = fastest / rewrite;
    std::printf("  rewrite speed / faster copy speed        %7.2f   target >= 0.50   %s\n", share,
                share >= 0.5 ? "met" : "MISSED");
    return 0;
}
