#pragma once

#include <cstddef>
#include <string>

// The longest file name, in bytes on disk, that Linux file systems take.
inline constexpr std::size_t MaxFileNameBytes = 255;

// What a file name can never hold, "/" (which would make a path) and control characters (NUL, line
// breaks of a multi-line comment), each replaced by "_". The rename filters run first, so a user's
// filter for "/" wins over this default.
std::string ReplaceUnsafeNameChars(const std::string& text);

// The name a rename gives a file now called oldName: the stem without a three-character extension,
// then ".mp" and the last character of the old name. The result is always one usable name in the
// same directory: no "/" or control characters, never empty or a bare extension (an empty stem keeps
// the old stem, or becomes "_" when that is empty too), and at most MaxFileNameBytes once written as UTF-8, the stem being cut at a
// character boundary so that the extension is kept.
std::string NewFileName(const std::string& stem, const std::string& oldName);
