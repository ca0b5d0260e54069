#pragma once

#include <cstdint>
#include <string>

// The whole life of one file in the program, on a file of any content: every read and getter, a changed title
// written to both tags, a re-read, and the removal of the ID3v2 tag. Checks what a user's file depends on:
// - a failed write leaves the file byte-identical;
// - a successful write keeps the audio (the bytes behind the tag area and before an ID3v1 tag) unchanged, and a
//   re-read finds the title written;
// - removing the ID3v2 tag leaves exactly the bytes behind the old tag area.
// Used by the fuzzer and by the regression test over the inputs it found, so that both run the same sequence.
// The ID3v2 title's length comes from the file's last byte, so that both the write in place and the rewrite of
// a grown tag are reached, and an input found once fails the same way again. The file is changed in place.
// Answers an empty string when everything held, else what broke.
std::string CheckEngineRoundTrip(const std::string& path);

// Everything the read path answers for the file, folded into one number, so that no call can be left out as
// unused. The same file gives the same number.
std::uint64_t ReadEverything(const std::string& path);
