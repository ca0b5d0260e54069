#pragma once

#include <cstdint>
#include <string>

// The whole life of one file in the program, shared by the fuzzer and its regression test: every read, a changed
// title written to both tags (its length taken from the file's last byte, so that both the write in place and the
// rewrite are reached), a re-read, and the removal of the ID3v2 tag. A failed write must leave the file
// byte-identical, a written one the audio; removal leaves exactly the bytes behind the old tag area.
// Answers an empty string when everything held, else what broke.
std::string CheckEngineRoundTrip(const std::string& path);

// Everything the read path answers for the file, folded into one number, so that no call can be left out as
// unused. The same file gives the same number.
std::uint64_t ReadEverything(const std::string& path);
