#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The longest file name, in bytes on disk, that Linux file systems take.
inline constexpr std::size_t MaxFileNameBytes = 255;

// What a file name can never hold, "/" (which would make a path) and control characters (NUL, line
// breaks of a multi-line comment), each replaced by "_". The rename filters run first, so a user's
// filter for "/" wins over this default.
std::string ReplaceUnsafeNameChars(const std::string& text);

// The name a rename gives a file now called oldName: the stem without a three-character extension, then the
// extension. An MP3 name (".mp" and one character, in any case) gets ".mp" and that last character; any other
// name keeps its own extension, so "x.wav" stays a ".wav". The result is one usable name in the same
// directory: no "/" or control characters, at most MaxFileNameBytes bytes of UTF-8 (the stem cut between two
// characters, the extension kept), never beginning with a full stop (a hidden file, which no file list shows): each
// leading one becomes "_". None when the stem holds nothing but blanks and full stops, which would make no name
// or a bare extension.
std::optional<std::string> NewFileName(const std::string& stem, const std::string& oldName);
// What a refused name would have been: the stem without its extension, then the extension NewFileName gives.
std::string RefusedFileName(const std::string& stem, const std::string& oldName);
