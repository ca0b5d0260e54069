// The piece of a file read ahead for the reads that follow: the bytes it answers with must be the file's, and a
// read that may not reuse it (the writes') must see the file as it is now.
#include "ReadAheadBuffer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

Bytes Pattern(std::size_t size, std::uint8_t seed)
{
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<std::uint8_t>(i * 131 + seed + i / 251);
    return data;
}

struct ReadAhead : ::testing::Test {
    TempDir dir;
    std::filesystem::path path = dir.file("data.bin");
    Bytes content;
    int fd = -1;
    ReadAheadBuffer buffer;

    void Open(const Bytes& data)
    {
        content = data;
        writeFile(path, content);
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
    }
    ~ReadAhead() override
    {
        if (fd >= 0)
            close(fd);
    }

    Bytes Read(std::int64_t offset, std::size_t count, std::size_t ahead, bool reuse = true)
    {
        const auto bytes = buffer.Read(fd, offset, count, ahead, reuse);
        EXPECT_TRUE(bytes.has_value());
        return bytes ? Bytes(bytes->begin(), bytes->end()) : Bytes{};
    }
};

TEST_F(ReadAhead, PieceGrownByAReadStartingInsideItKeepsTheBytesItHeld)
{
    Open(Pattern(20000, 7));
    EXPECT_EQ(Read(0, 10, 4086), Slice(content, 0, 10));
    EXPECT_EQ(buffer.Held(0), 4096u);
    // Starts inside the piece and ends past it: only the missing bytes are read, the rest must stay in place.
    EXPECT_EQ(Read(3000, 6000, 1000), Slice(content, 3000, 6000));
    EXPECT_EQ(buffer.Held(0), 10000u);
    EXPECT_EQ(Read(0, 10000, 0), Slice(content, 0, 10000));
    EXPECT_EQ(Read(9999, 1, 0), Slice(content, 9999, 1));
    // A read elsewhere replaces the piece.
    EXPECT_EQ(Read(15000, 100, 0), Slice(content, 15000, 100));
    EXPECT_EQ(buffer.Held(0), 0u);
    EXPECT_EQ(Read(0, 50, 0), Slice(content, 0, 50));
}

TEST_F(ReadAhead, ReadThatMayNotReuseSeesTheFileAsItIsNow)
{
    Open(Pattern(8000, 1));
    const Bytes before = Slice(content, 100, 200);
    EXPECT_EQ(Read(0, 10, 4086), Slice(content, 0, 10));
    writeFile(path, Pattern(8000, 99)); // the same file, rewritten in place under the open descriptor
    EXPECT_EQ(Read(100, 200, 0), before) << "bytes inside the piece come from it";
    EXPECT_EQ(Read(100, 200, 0, false), Slice(Pattern(8000, 99), 100, 200));
    EXPECT_EQ(buffer.Held(0), 0u) << "what was read afresh is not kept for reuse";
    EXPECT_EQ(Read(100, 200, 0), Slice(Pattern(8000, 99), 100, 200));
}

TEST_F(ReadAhead, ReadsAtTheEndAreCutToTheFile)
{
    Open(Pattern(5000, 3));
    EXPECT_EQ(Read(4000, 2000, 4096), Slice(content, 4000));
    // The piece reached the end, so nothing lies behind it and a longer request is answered from it.
    EXPECT_EQ(Read(4500, 10000, 0), Slice(content, 4500));
    EXPECT_EQ(buffer.Held(4500), 500u);
    EXPECT_TRUE(Read(6000, 10, 0).empty());
    EXPECT_TRUE(Read(5000, 0, 0).empty());
    EXPECT_FALSE(buffer.Read(fd, -1, 10, 0, true).has_value());
    EXPECT_EQ(Read(4500, 10, 0), Slice(content, 4500, 10));
    EXPECT_FALSE(buffer.Read(-1, 0, 10, 0, true).has_value());
    EXPECT_EQ(buffer.Held(4500), 0u) << "a failed read leaves nothing to reuse";
    EXPECT_EQ(Read(0, 5000, 0), content);
    buffer.Clear();
    EXPECT_EQ(buffer.Held(0), 0u);
}

} // namespace
