// The MP3 list at the size users reach: sorting 100,000 rows by each column, the memory a row costs, and whether
// walking a folder tree and the duplicate test grow linearly with the number of files. Run by hand in a Release
// build; see README.md.

#include "BenchSupport.h"
#include "DirectoryScan.h"
#include "ListedFiles.h"
#include "MP3ListModel.h"

#include <QtCore/QItemSelectionModel>

#include <malloc.h>
#include <random>

namespace {

using namespace bench;

std::vector<ListRow> SyntheticRows(std::size_t count)
{
    std::mt19937 random(7);
    const int bitrates[] = {96, 128, 160, 192, 256, 320};
    std::vector<ListRow> rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string artist = (random() % 2 ? "artist " : "Artist ") + std::to_string(random() % 2000);
        const std::string title = "Title " + std::to_string(random() % 100000);
        ListRow& row = rows[i];
        row.Directory = "/home/user/Music/" + artist + "/Album " + std::to_string(random() % 20) + "/";
        row.Caption = row.OriginalName = artist + " - " + title + ".mp3";
        row.Title = title;
        row.Length = std::to_string(random() % 12) + ":" + std::to_string(10 + random() % 50);
        row.Size = 1'000'000 + static_cast<std::int64_t>(random() % 19'000'000);
        row.Bitrate = bitrates[random() % 6];
        row.HasID3v1 = random() % 2;
        row.HasID3v2 = random() % 3 != 0;
    }
    return rows;
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// Milliseconds of one header click on rows in their loaded order, with every tenth row selected as a view would
// hold them, so the persistent indexes are moved too.
double SortMilliseconds(const std::vector<ListRow>& rows, int column, bool descending)
{
    MP3ListModel model({});
    model.Append(rows);
    QItemSelection rowsSelected;
    for (int row = 0; row < model.RowCount(); row += 10)
        rowsSelected.select(model.index(row, 0), model.index(row, MP3ListModel::ColumnCount - 1));
    QItemSelectionModel selection(&model);
    selection.select(rowsSelected, QItemSelectionModel::Select);
    const auto start = Clock::now();
    model.SortBy(column, descending);
    return SecondsSince(start) * 1000;
}

void ReportSorting(std::size_t count)
{
    const std::vector<ListRow> rows = SyntheticRows(count);
    std::printf("Sorting %zu rows (ms, median of 3; every tenth row selected):\n", count);
    for (int column = 0; column < MP3ListModel::ColumnCount; ++column) {
        double ms[2];
        for (const bool descending : {false, true})
            ms[descending] = Median({SortMilliseconds(rows, column, descending),
                                     SortMilliseconds(rows, column, descending),
                                     SortMilliseconds(rows, column, descending)});
        const QString caption = MP3ListModel({}).headerData(column, Qt::Horizontal).toString();
        std::printf("  %-8s ascending %7.1f   descending %7.1f\n", caption.toLatin1().constData(), ms[0], ms[1]);
    }
}

void ReportMemory(std::size_t count)
{
    const std::size_t before = HeapInUse();
    MP3ListModel model({});
    model.Append(SyntheticRows(count));
    const std::size_t afterModel = HeapInUse();
    ListedFiles listed;
    for (int i = 0; i < model.RowCount(); ++i)
        listed.Insert(listed.Key(model.Row(i).Directory, model.Row(i).Caption));
    const std::size_t afterListed = HeapInUse();
    std::printf("Memory per row: model %.0f bytes (the row record alone %zu), duplicate test %.0f bytes\n",
                static_cast<double>(afterModel - before) / static_cast<double>(count), sizeof(ListRow),
                static_cast<double>(afterListed - afterModel) / static_cast<double>(count));
}

// count empty MP3 files, 100 to a folder, each beside a file the scan passes over.
void MakeTree(const std::filesystem::path& base, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::filesystem::path folder = base / ("folder " + std::to_string(i / 100));
        if (i % 100 == 0)
            std::filesystem::create_directories(folder);
        WriteFile(folder / ("song " + std::to_string(i) + ".mp3"), {});
        WriteFile(folder / ("cover " + std::to_string(i) + ".jpg"), {});
    }
}

// Microseconds per file of the walk alone, of the walk with the duplicate test of a first load, and of adding the
// same tree again, where every file is a duplicate.
std::array<double, 3> ScanMicroseconds(const std::string& root, std::size_t count)
{
    ListedFiles listed;
    std::array<double, 3> seconds {};
    auto start = Clock::now();
    ScanDirectory(root, [](const std::string&, const std::string&) {});
    seconds[0] = SecondsSince(start);
    for (std::size_t pass = 1; pass <= 2; ++pass) {
        start = Clock::now();
        ScanDirectory(root, [&](const std::string& directory, const std::string& name) {
            if (std::string key = listed.Key(directory, name); !listed.Contains(key))
                listed.Insert(std::move(key));
        });
        seconds[pass] = SecondsSince(start);
    }
    for (double& value : seconds)
        value = value * 1e6 / static_cast<double>(count);
    return seconds;
}

void ReportScan(const std::filesystem::path& base, std::size_t files)
{
    std::printf("Walk and duplicate test (us per file: walk alone, walk + first insert, walk + all duplicates):\n");
    for (const std::size_t count : {files, 10 * files}) {
        const ScratchDirectory scratch(base);
        MakeTree(scratch.Get(), count);
        const std::string root = scratch.Get().string() + "/";
        ScanMicroseconds(root, count); // warms the directory cache
        const std::array<double, 3> us = ScanMicroseconds(root, count);
        std::printf("  %7zu files   %6.2f   %6.2f   %6.2f\n", count, us[0], us[1], us[2]);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto rows = static_cast<std::size_t>(NumberOption(argc, argv, "--rows", 100'000));
    const auto files = static_cast<std::size_t>(NumberOption(argc, argv, "--files", 10'000));
    const std::filesystem::path base = Option(argc, argv, "--dir", std::filesystem::temp_directory_path().string());
    ReportSorting(rows);
    ReportMemory(rows);
    ReportScan(base, files);
}
