// The read, write and removal sequence of the engine fuzzer, run over the inputs it once broke and over the test
// files it starts from, so that the normal suite guards them too.
#include "EngineRoundTrip.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path FoundInputs = fs::path(VELLUM_TEST_DATA_DIR) / "fuzz";

std::vector<fs::path> FoundInputFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(FoundInputs))
        if (entry.path().extension() == ".mp3")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The fuzzer's seeds: every MP3 and tag file among the test data, the inputs it found aside.
std::vector<fs::path> SeedFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(VELLUM_TEST_DATA_DIR)) {
        const fs::path extension = entry.path().extension();
        if (entry.path().parent_path() != FoundInputs && (extension == ".mp3" || extension == ".id3"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

void ExpectRoundTripHolds(const std::vector<fs::path>& files)
{
    for (const fs::path& source : files) {
        SCOPED_TRACE(source.string());
        TempDir dir;
        const fs::path copy = dir.file("input.mp3");
        writeFile(copy, readFile(source));
        EXPECT_EQ(ReadEverything(copy.string()), ReadEverything(copy.string()));
        EXPECT_EQ(CheckEngineRoundTrip(copy.string()), "");
    }
}

} // namespace

TEST(FuzzRegression, InputsOnceFoundKeepTheFileSafe)
{
    const std::vector<fs::path> files = FoundInputFiles();
    ASSERT_FALSE(files.empty());
    ExpectRoundTripHolds(files);
}

TEST(FuzzRegression, SeedFilesKeepTheFileSafe)
{
    const std::vector<fs::path> files = SeedFiles();
    ASSERT_FALSE(files.empty());
    ExpectRoundTripHolds(files);
}
