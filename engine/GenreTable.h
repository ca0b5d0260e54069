#pragma once

#include <cstdint>
#include <string>

// The 148 ID3v1 genre names; index 255 means "no genre".
namespace GenreTable {

constexpr std::uint8_t Count = 148;
constexpr std::uint8_t NoGenre = 255;

// The name for a genre byte; empty for 148-255.
std::string Name(std::uint8_t index);
// The first index whose name equals the text ignoring letter case; NoGenre when none does.
std::uint8_t Index(const std::string& name);

} // namespace GenreTable
