// A save that must rewrite a large file, killed with SIGKILL at random moments as a power cut or `kill -9` would:
// how often is the file left broken, and how many temporary files stay behind in its folder? Run by hand; see
// README.md.

#include "BenchSupport.h"
#include "FileReplaceStep.h"
#include "TMP3File.h"

#include <cerrno>
#include <csignal>
#include <iterator>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace bench;

constexpr std::size_t MB = 1000 * 1000;

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A title too long for the tag's area, so that the save rewrites the whole file.
bool SaveLongTitle(const std::string& path)
{
    TMP3File file;
    file.SetFileName(path);
    const bool read = file.ReadTags();
    file.SetID3v2Title(std::string(3000, 'N'));
    return read && file.WriteID3v2Tag();
}

struct Outcome {
    int Old = 0;
    int New = 0;
    int Broken = 0;
    int TemporariesLeft = 0;
    std::uintmax_t LargestTemporary = 0;
};

// Removes and counts everything in folder but the song.
void SweepTemporaries(const std::filesystem::path& folder, const std::filesystem::path& song, Outcome& outcome)
{
    std::vector<std::filesystem::path> others;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path() != song)
            others.push_back(entry.path());
    for (const auto& other : others) {
        ++outcome.TemporariesLeft;
        outcome.LargestTemporary = std::max(outcome.LargestTemporary, std::filesystem::file_size(other));
        std::filesystem::remove(other);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const long kills = NumberOption(argc, argv, "--kills", 60);
    const long megabytes = NumberOption(argc, argv, "--mb", 30);
    const unsigned seed = static_cast<unsigned>(NumberOption(argc, argv, "--seed", 1));
    // "named" takes the road of a file system without unnamed files: the new version is named from the start.
    const bool named = Option(argc, argv, "--temporary", "unnamed") == "named";
    if (named)
        FileReplaceStep::OpenUnnamed = [](const char*, mode_t) { return errno = EOPNOTSUPP, -1; };
    const ScratchDirectory scratch(Option(argc, argv, "--dir", std::filesystem::temp_directory_path().string()));
    const std::filesystem::path song = scratch.Get() / "song.mp3";

    Bytes before = ID3v2Record(3, {TextFrame("TIT2", "Old title")}, 0);
    Append(before, AudioFrames(static_cast<std::size_t>(megabytes) * MB / FrameLength, false));
    WriteFile(song, before);
    const Clock::time_point start = Clock::now();
    if (!SaveLongTitle(song.string())) {
        std::fprintf(stderr, "the uninterrupted save failed\n");
        return 1;
    }
    const double seconds = SecondsSince(start);
    const Bytes after = ReadFile(song);
    std::printf("one rewrite of %ld MB through %s temporary file: %.3f s; %ld kills at random moments within it\n",
                megabytes, named ? "a named" : "an unnamed", seconds, kills);

    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, static_cast<long>(seconds * 1e6));
    Outcome outcome;
    for (long round = 0; round < kills; ++round) {
        WriteFile(song, before);
        const pid_t child = fork();
        if (child == 0)
            _exit(SaveLongTitle(song.string()) ? 0 : 1);
        usleep(static_cast<useconds_t>(delay(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const Bytes now = ReadFile(song);
        (now == before ? outcome.Old : now == after ? outcome.New : outcome.Broken)++;
        SweepTemporaries(scratch.Get(), song, outcome);
    }
    std::printf("file as before: %d, as saved: %d, broken: %d\n", outcome.Old, outcome.New, outcome.Broken);
    std::printf("temporary files left: %d (largest %.1f MB)\n", outcome.TemporariesLeft,
                static_cast<double>(outcome.LargestTemporary) / MB);
    return outcome.Broken == 0 ? 0 : 1;
}
