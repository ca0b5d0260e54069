#pragma once

#include "TMP3File.h"
#include "TempDir.h"

#include <gtest/gtest.h>

// A file in a fresh directory and an engine object pointed at it, as the main window points one at each file.
struct EngineFile : ::testing::Test {
    TempDir dir;
    std::filesystem::path path = dir.file("song.mp3");
    TMP3File engine;
    Bytes original;

    // Writes the file and gives the engine a fresh look at it, with nothing read yet.
    void Put(const Bytes& content)
    {
        original = content;
        writeFile(path, content);
        engine.Reset();
        engine.SetFileName(path.string());
    }

    Bytes Content() const { return readFile(path); }
    // Whether the song is alone in its folder: a failed or killed save leaves no temporary file beside it.
    bool Alone() const { return std::distance(std::filesystem::directory_iterator(dir.path()), {}) == 1; }
};
