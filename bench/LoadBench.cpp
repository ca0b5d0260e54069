// Loading files into the window as a user does, offscreen: Add Directory's loading dialog (walk, duplicate test,
// engine read, rows, gauge) against the bare engine reading the same files; how that grows from N to 10 N files and
// what a row costs in memory; sorting the large list by each column; how long a click takes to show a file whose
// tag holds a 1 MB picture; and how often the gauge repaints. Run by hand in a Release build; see README.md.

#include "DirectoryScan.h"
#include "Forms.h"
#include "MP3ListModel.h"
#include "MP3ListView.h"
#include "TLoadingForm.h"
#include "TMP3File.h"
#include "TMainForm.h"
#include "WindowBenchSupport.h"

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>

#include <malloc.h>

namespace {

using namespace bench;

constexpr std::size_t FilesPerFolder = 500;

// Four kinds of small file in turn: no tag, ID3v1 only, ID3v2.3, ID3v2.4 and ID3v1; a third of the ID3v2 titles
// beyond ISO-8859-1.
Bytes SmallFile(std::size_t i)
{
    const std::string title = "Title " + std::to_string(i);
    Bytes file;
    if (i % 4 == 2)
        file = ID3v2Record(3, {TitleFrame(i / 2, 3), TextFrame("TPE1", "Artist")}, 256);
    if (i % 4 == 3)
        file = ID3v2Record(4, {TitleFrame(i / 2, 4), TextFrame("TALB", "Album")}, 256);
    Append(file, AudioFrames(3, false));
    if (i % 4 == 1 || i % 4 == 3)
        Append(file, ID3v1Record(title));
    return file;
}

// count files in folders of FilesPerFolder; their (directory, name) pairs in the order the walk finds them.
std::vector<std::pair<std::string, std::string>> MakeTree(const std::filesystem::path& root, std::size_t count)
{
    std::vector<std::pair<std::string, std::string>> files;
    for (std::size_t i = 0; i < count; ++i) {
        char folder[32], name[40];
        std::snprintf(folder, sizeof folder, "d%05zu", i / FilesPerFolder);
        std::snprintf(name, sizeof name, "song %07zu.mp3", i);
        std::filesystem::create_directories(root / folder);
        WriteFile(root / folder / name, SmallFile(i));
        files.emplace_back((root / folder).string() + "/", name);
    }
    return files;
}

// What the list needs of one file, read by the engine alone; something of it is summed so nothing is left out.
std::size_t ReadForList(const std::string& path)
{
    TMP3File file;
    file.SetFileName(path);
    if (!file.ReadTags() || !file.ReadMPEGHeader())
        return 0;
    return static_cast<std::size_t>(file.GetBitrate()) + file.GetLengthText().size() + file.GetID3v2Title().size();
}

double EngineScanSeconds(const std::vector<std::pair<std::string, std::string>>& files)
{
    const auto start = Clock::now();
    std::size_t seen = 0;
    for (const auto& [directory, name] : files)
        seen += ReadForList(directory + name);
    if (seen == 0)
        std::puts("(no file read)");
    return SecondsSince(start);
}

// The same, finding the files by walking the tree as Add Directory does.
double WalkAndEngineSeconds(const std::filesystem::path& root)
{
    const auto start = Clock::now();
    std::size_t seen = 0;
    ScanDirectory(root.string() + "/", [&seen](const std::string& directory, const std::string& name) {
        seen += ReadForList(directory + name);
    });
    if (seen == 0)
        std::puts("(no file read)");
    return SecondsSince(start);
}

// Counts the gauge's paints and the longest time between two of them.
class PaintCounter : public QObject {
public:
    int Paints = 0;
    qint64 LongestGapMs = 0;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (Paints++)
                LongestGapMs = std::max(LongestGapMs, Since.restart());
            else
                Since.start();
        }
        return false;
    }

private:
    QElapsedTimer Since;
};

struct Load {
    double Seconds = 0;
    int Rows = 0;
    int Paints = 0;
    qint64 LongestGapMs = 0;
    double BytesPerRow = 0;
};

// Add Directory after the folder browser: the loading dialog scans the tree into a fresh window.
Load LoadThroughWindow(const std::filesystem::path& root, const std::function<void(Forms&)>& after = {})
{
    Forms windows;
    TMainForm& main = windows.MainForm();
    main.show();
    QApplication::processEvents();
    PaintCounter counter;
    windows.LoadingForm().ProgressBar->installEventFilter(&counter);
    main.BrowseDlg.Selection = root.string();
    windows.LoadingForm().LoadMode = TLoadingForm::DirectoryMode;
    const std::size_t heapBefore = mallinfo2().uordblks;
    const auto start = Clock::now();
    windows.LoadingForm().exec();
    Load load {SecondsSince(start), main.ListModel->RowCount(), counter.Paints, counter.LongestGapMs, 0};
    load.BytesPerRow = static_cast<double>(mallinfo2().uordblks - heapBefore) / std::max(1, load.Rows);
    if (after)
        after(windows);
    return load;
}

void PrintLoad(const char* what, const Load& load, double engineSeconds, double walkSeconds)
{
    std::printf("%s %d rows in %.3f s, %.1f us a row; the engine reading the files alone %.3f s (ratio %.2f), "
                "walking the tree and reading %.3f s (ratio %.2f); gauge painted %d times, longest gap %lld ms; "
                "heap %.0f bytes a row\n",
                what, load.Rows, load.Seconds, load.Seconds / load.Rows * 1e6, engineSeconds,
                load.Seconds / engineSeconds, walkSeconds, load.Seconds / walkSeconds, load.Paints,
                static_cast<long long>(load.LongestGapMs), load.BytesPerRow);
}

void SortEachColumn(Forms& windows)
{
    TMainForm& main = windows.MainForm();
    main.Selected3->selectAll();
    for (int column = 0; column < MP3ListModel::ColumnCount; ++column) {
        double ms[2];
        for (double& each : ms) {
            const auto start = Clock::now();
            emit main.Selected3->header()->sectionClicked(column);
            each = SecondsSince(start) * 1000;
        }
        std::printf("  sort by column %d through the header: %6.1f ms ascending, %6.1f ms descending\n", column, ms[0],
                    ms[1]);
    }
}

// A click on one of two rows in turn, each a file with a 1 MB front cover, until the editor shows it.
void ClickPictureFiles(const std::filesystem::path& root)
{
    for (const char* name : {"a.mp3", "b.mp3"}) {
        Bytes file = ID3v2Record(3, {TextFrame("TIT2", name), PictureFrame(1 << 20)}, 1024);
        Append(file, AudioFrames(20, false));
        WriteFile(root / name, file);
    }
    LoadThroughWindow(root, [](Forms& windows) {
        TMainForm& main = windows.MainForm();
        std::vector<double> ms;
        for (int click = 0; click < 60; ++click) {
            const int row = click % 2;
            main.Selected3->selectionModel()->select(main.ListModel->index(row, 0),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            const auto start = Clock::now();
            emit main.Selected3->Clicked();
            ms.push_back(SecondsSince(start) * 1000);
        }
        std::printf("click on a row whose file holds a 1 MB picture: median %.2f ms (title shown: %s)\n", Median(ms),
                    main.TitleV2->text().toLatin1().constData());
    });
}

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchProcess process(argc, argv);
    const std::filesystem::path& scratch = process.Directory();
    const std::size_t files = static_cast<std::size_t>(NumberOption(argc, argv, "--files", 10000));
    const std::size_t scale = static_cast<std::size_t>(NumberOption(argc, argv, "--scale", 10));

    const auto small = MakeTree(scratch / "small", files);
    EngineScanSeconds(small); // the page cache warm for both
    const double engineSmall = EngineScanSeconds(small);
    const double walkSmall = WalkAndEngineSeconds(scratch / "small");
    const Load smallLoad = LoadThroughWindow(scratch / "small");
    PrintLoad("Add Directory, N files:", smallLoad, engineSmall, walkSmall);

    if (scale > 1) {
        const auto large = MakeTree(scratch / "large", files * scale);
        EngineScanSeconds(large);
        const double engineLarge = EngineScanSeconds(large);
        const double walkLarge = WalkAndEngineSeconds(scratch / "large");
        const Load load = LoadThroughWindow(scratch / "large", SortEachColumn);
        PrintLoad("Add Directory, N x scale files:", load, engineLarge, walkLarge);
        std::printf("N x scale files took %.1f times as long as N files\n", load.Seconds / smallLoad.Seconds);
    }
    std::filesystem::create_directories(scratch / "pictures");
    ClickPictureFiles(scratch / "pictures");
    return 0;
}
