// Applying a title to all of 1,000 selected files through the real window, offscreen, against the engine's own
// in-place save of the same files; both must write every tag in place, never rewriting a file. Run by hand in a
// Release build; see README.md.

#include "TMP3File.h"
#include "WindowBenchSupport.h"

#include <sys/stat.h>

namespace {

using namespace bench;

// A few text frames in the tag area the engine itself gives this file (its length with the ID3v1 tag a multiple
// of 2048 bytes), padded, so a changed title fits in place; a smaller area would be grown by the first save.
Bytes RoomyFile(std::size_t i)
{
    const std::string title = "Title " + std::to_string(i);
    const std::vector<Frame> frames = {TextFrame("TIT2", title), TextFrame("TPE1", "Artist"),
                                       TextFrame("TALB", "Album"), TextFrame("TRCK", std::to_string(i % 20 + 1))};
    Bytes rest = AudioFrames(20, false);
    Append(rest, ID3v1Record(title));
    const std::size_t area = 2048 - rest.size() % 2048;
    Bytes file = ID3v2Record(3, frames, area - ID3v2Record(3, frames, 0).size());
    Append(file, rest);
    return file;
}

std::vector<std::string> MakeFiles(const std::filesystem::path& dir, std::size_t count)
{
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "song %05zu.mp3", i);
        paths.push_back((dir / name).string());
        WriteFile(paths.back(), RoomyFile(i));
    }
    return paths;
}

struct Identity {
    ino_t Inode = 0;
    off_t Size = -1;
    bool operator==(const Identity&) const = default;
};

std::vector<Identity> Identities(const std::vector<std::string>& paths)
{
    std::vector<Identity> identities;
    for (const std::string& path : paths) {
        struct stat info {};
        stat(path.c_str(), &info);
        identities.push_back({info.st_ino, info.st_size});
    }
    return identities;
}

std::size_t Rewritten(const std::vector<Identity>& before, const std::vector<Identity>& after)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        count += before[i] == after[i] ? 0 : 1;
    return count;
}

bool EveryTitleIs(const std::vector<std::string>& paths, const std::string& title)
{
    return std::all_of(paths.begin(), paths.end(), [&title](const std::string& path) {
        TMP3File file;
        file.SetFileName(path);
        return file.ReadID3v2() && file.GetID3v2Title() == title;
    });
}

// The engine alone, as the window's save does it: one object reused, the whole tag read, the title set, written.
double EngineSeconds(const std::vector<std::string>& paths, const std::string& title)
{
    TMP3File engine;
    const Clock::time_point start = Clock::now();
    for (const std::string& path : paths) {
        engine.Reset();
        engine.SetFileName(path);
        if (!engine.ReadID3v2())
            throw std::runtime_error("cannot read " + path);
        engine.SetID3v2Title(title);
        if (!engine.WriteID3v2Tag())
            throw std::runtime_error("cannot write " + path);
    }
    return SecondsSince(start);
}

struct WindowTimes {
    double Click = 0; // from the click until the command returns, the two boxes included
    double Loop = 0;  // from the answer to the last box until the command returns
};

WindowTimes WindowSeconds(TMainForm& main, const std::string& title)
{
    main.TitleV2->setText(QString::fromLatin1(title));
    BoxAnswerer answerer(QStringLiteral("Save"));
    const Clock::time_point start = Clock::now();
    main.TitleV2ATA->click();
    const WindowTimes times {SecondsSince(start), SecondsSince(answerer.LastAnswer)};
    if (answerer.Failures > 0)
        throw std::runtime_error("the window reported " + std::to_string(answerer.Failures) + " failures");
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchProcess process(argc, argv);
    const auto files = static_cast<std::size_t>(std::max(2L, NumberOption(argc, argv, "--files", 1000)));
    const auto repeats = static_cast<std::size_t>(std::max(1L, NumberOption(argc, argv, "--repeats", 5)));
    const std::filesystem::path folder = process.Directory() / "files";
    std::filesystem::create_directories(folder);
    const std::vector<std::string> paths = MakeFiles(folder, files);
    sync(); // no write-back of the setup left for the timed writes to wait on

    Forms windows;
    TMainForm& main = windows.MainForm();
    main.show();
    ListFolder(windows, folder, files);
    SelectAll(main);

    std::vector<double> click;
    std::vector<double> loop;
    std::vector<double> engine;
    std::size_t windowRewrites = 0;
    std::size_t engineRewrites = 0;
    // Turn about, each writing a new title, so neither always finds the cache in the state the other left.
    for (std::size_t run = 0; run < repeats; ++run) {
        const std::string windowTitle = "Window title " + std::to_string(run);
        std::vector<Identity> before = Identities(paths);
        const WindowTimes times = WindowSeconds(main, windowTitle);
        click.push_back(times.Click);
        loop.push_back(times.Loop);
        windowRewrites += Rewritten(before, Identities(paths));
        if (!EveryTitleIs(paths, windowTitle))
            throw std::runtime_error("the window did not write every title");

        const std::string engineTitle = "Engine title " + std::to_string(run);
        before = Identities(paths);
        engine.push_back(EngineSeconds(paths, engineTitle));
        engineRewrites += Rewritten(before, Identities(paths));
        if (!EveryTitleIs(paths, engineTitle))
            throw std::runtime_error("the engine did not write every title");
    }

    const double ratio = Median(loop) / Median(engine);
    std::printf("Apply a title to all %zu selected files, median of %zu runs:\n", files, repeats);
    std::printf("  window, click to end (TitleV2ATA, 2 boxes answered) %7.3f s  %6.1f us a file\n", Median(click),
                Median(click) / files * 1e6);
    std::printf("  window, the loop after the last box                 %7.3f s  %6.1f us a file  rewritten: %zu\n",
                Median(loop), Median(loop) / files * 1e6, windowRewrites);
    std::printf("  engine (Reset, ReadID3v2, SetID3v2Title, WriteID3v2Tag) %5.3f s  %6.1f us a file  rewritten: %zu\n",
                Median(engine), Median(engine) / files * 1e6, engineRewrites);
    std::printf("  loop / engine %.2f   target <= 1.50 and no rewrites   %s\n", ratio,
                ratio <= 1.5 && windowRewrites == 0 ? "met" : "MISSED");
    return 0;
}
