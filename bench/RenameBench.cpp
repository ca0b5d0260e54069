// Renaming every selected file from its title through the real window, offscreen, and undoing it, against the
// kernel's own renames of the same files; for N and 10·N files, so a cost that grows with the list shows. Run by
// hand in a Release build; see README.md.

#include "WindowBenchSupport.h"

#include <cstdio>

namespace {

using namespace bench;

std::vector<std::string> MakeFiles(const std::filesystem::path& dir, std::size_t count)
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "song %06zu.mp3", i);
        names.emplace_back(name);
        Bytes file = ID3v2Record(3, {TextFrame("TIT2", "Title " + std::to_string(i))}, 256);
        Append(file, AudioFrames(4, false));
        WriteFile(dir / name, file);
    }
    return names;
}

// Microseconds per file of one command over every row, the boxes answered.
double CommandMicroseconds(TMainForm& main, const std::function<void()>& command)
{
    SelectAll(main);
    BoxAnswerer answerer(QStringLiteral("Notice"));
    const Clock::time_point start = Clock::now();
    command();
    const double seconds = SecondsSince(start);
    if (answerer.Failures > 0)
        throw std::runtime_error("the window reported " + std::to_string(answerer.Failures) + " failures");
    return seconds * 1e6 / main.ListModel->RowCount();
}

bool EveryNameStartsWith(const TMainForm& main, const std::string& prefix)
{
    for (int i = 0; i < main.ListModel->RowCount(); ++i)
        if (!main.ListModel->Row(i).Caption.starts_with(prefix)
            || !std::filesystem::exists(main.ListModel->Row(i).Path()))
            return false;
    return true;
}

// The kernel alone: every file renamed and back, per file and direction.
double KernelMicroseconds(const std::filesystem::path& dir, const std::vector<std::string>& names)
{
    const Clock::time_point start = Clock::now();
    for (const std::string& name : names)
        std::filesystem::rename(dir / name, dir / ("k" + name));
    for (const std::string& name : names)
        std::filesystem::rename(dir / ("k" + name), dir / name);
    return SecondsSince(start) * 1e6 / static_cast<double>(2 * names.size());
}

void Measure(const std::filesystem::path& dir, std::size_t count)
{
    std::filesystem::create_directories(dir);
    const std::vector<std::string> names = MakeFiles(dir, count);
    const double kernel = KernelMicroseconds(dir, names);

    Forms windows;
    TMainForm& main = windows.MainForm();
    main.show();
    main.SaveOnRen->setChecked(false);
    main.RenScheme->setEditText(QStringLiteral("$TITLE renamed"));
    ListFolder(windows, dir, count);

    const double rename = CommandMicroseconds(main, [&main] { main.RenameBtn->click(); });
    if (!EveryNameStartsWith(main, "Title "))
        throw std::runtime_error("the window did not rename every file");
    const double undo = CommandMicroseconds(main, [&main] { main.UndoRenameMI->trigger(); });
    if (!EveryNameStartsWith(main, "song "))
        throw std::runtime_error("the window did not undo every rename");
    std::printf("%8zu files: rename %7.1f us/file, undo %7.1f us/file, kernel rename %6.1f us/file; "
                "rename/kernel %5.1f, undo/kernel %5.1f\n",
                count, rename, undo, kernel, rename / kernel, undo / kernel);
}

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchProcess process(argc, argv);
    const auto files = static_cast<std::size_t>(std::max(2L, NumberOption(argc, argv, "--files", 2000)));
    for (const std::size_t count : {files, 10 * files})
        Measure(process.Directory() / std::to_string(count), count);
    return 0;
}
