// Feeds arbitrary bytes as an MP3 file through the engine's read, write and removal paths; any broken promise to
// the user's file ends the run with a trap, so that libFuzzer keeps the input.
#include "EngineRoundTrip.h"
#include "TempDir.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

volatile std::uint64_t ReadSink;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One private directory for the whole run: the engine's temporary files land beside the input.
    static const TempDir dir;
    const std::string path = dir.file("input.mp3").string();
    writeFile(path, Bytes(data, data + size));
    if (std::filesystem::file_size(path) != size) {
        std::perror("writing the input file");
        std::abort();
    }
    ReadSink = ReadEverything(path);
    const std::string broken = CheckEngineRoundTrip(path);
    if (!broken.empty()) {
        std::fprintf(stderr, "EngineFuzzer: %s\n", broken.c_str());
        __builtin_trap();
    }
    return 0;
}
