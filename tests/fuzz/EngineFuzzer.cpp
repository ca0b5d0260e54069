// Feeds arbitrary bytes as an MP3 file through the engine's read, write and removal paths; any broken promise to
// the user's file ends the run with a trap, so that libFuzzer keeps the input.
#include "EngineRoundTrip.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path WorkDirectory;

void RemoveWorkDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(WorkDirectory, ignored);
}

// One private directory for the whole run: the engine's temporary files land beside the input.
const std::string& InputPath()
{
    static const std::string path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "vellum-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        WorkDirectory = pattern;
        std::atexit(RemoveWorkDirectory);
        return (WorkDirectory / "input.mp3").string();
    }();
    return path;
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::perror("writing the input file");
        std::abort();
    }
}

volatile std::uint64_t ReadSink;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = InputPath();
    WriteInput(path, data, size);
    ReadSink = ReadEverything(path);
    const std::string broken = CheckEngineRoundTrip(path);
    if (!broken.empty()) {
        std::fprintf(stderr, "EngineFuzzer: %s\n", broken.c_str());
        __builtin_trap();
    }
    return 0;
}
