// Opening the file information through the real window, offscreen, against the engine's reads alone and against
// TagLib reading the same file's tags and audio properties; for a plain song and for one whose first audio frame
// lies behind a 2 MB picture. Run by hand in a Release build; see README.md.

#include "TFileInfoForm.h"
#include "TMP3File.h"
#include "WindowBenchSupport.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>

#include <cstdio>

namespace {

using namespace bench;

// Microseconds per run of the action, over count runs.
double Microseconds(int count, const std::function<void()>& action)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i)
        action();
    return SecondsSince(start) * 1e6 / count;
}

void Measure(const std::filesystem::path& dir, const std::string& name, std::size_t pictureSize, int runs)
{
    const std::filesystem::path path = dir / name;
    Bytes file = ID3v2Record(3, {TextFrame("TIT2", name), PictureFrame(pictureSize)}, 1024);
    Append(file, AudioFrames(8000, false)); // about three and a half minutes
    Append(file, ID3v1Record(name));
    WriteFile(path, file);

    Forms windows;
    TMainForm& main = windows.MainForm();
    main.show();
    if (!main.AddListItem(dir.string() + "/", name))
        throw std::runtime_error("the file could not be listed");
    SelectAll(main);
    QTimer closer;
    int shown = 0;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (windows.FileInfoForm().isVisible())
            ++shown, windows.FileInfoForm().accept();
    });
    closer.start(0);
    const double window = Microseconds(runs, [&main] { main.FileInfoMI->trigger(); });
    if (shown != runs || windows.FileInfoForm().Type->text() != QStringLiteral("MPEG-1 Layer III"))
        throw std::runtime_error("the dialog did not show the file's audio each time");

    TMP3File engine;
    const double alone = Microseconds(runs, [&] {
        engine.Reset();
        engine.SetFileName(path.string());
        engine.ReadID3v1();
        engine.ReadID3v2Header();
        if (!engine.GetMPEGAudio().Found())
            throw std::runtime_error("the engine found no audio");
        engine.Reset();
    });
    const double taglib = Microseconds(runs, [&path] {
        const TagLib::FileRef ref(path.c_str(), true, TagLib::AudioProperties::Average);
        if (!ref.audioProperties() || ref.audioProperties()->bitrate() == 0)
            throw std::runtime_error("TagLib found no audio");
    });
    std::printf("%-14s %9zu bytes: window %8.1f us, engine alone %7.1f us, TagLib %7.1f us; window/engine %5.1f\n",
                name.c_str(), file.size(), window, alone, taglib, window / alone);
}

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchProcess process(argc, argv);
    const auto runs = static_cast<int>(std::max(1L, NumberOption(argc, argv, "--runs", 200)));
    Measure(process.Directory(), "song.mp3", 0, runs);
    Measure(process.Directory(), "picture.mp3", 2 << 20, runs);
    return 0;
}
