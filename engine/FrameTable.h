#pragma once

#include <cstdint>
#include <string_view>

// The 92 ID3v2 frame IDs the engine keeps one slot each for; a frame's slot is its index here, and slot frames
// are written in this order.
namespace FrameTable {

constexpr std::uint8_t Count = 92;
constexpr std::uint8_t NoFrame = 255;

// The four-character ID of a slot; empty for NoFrame and other indexes past the table.
std::string_view ID(std::uint8_t index);
// The slot of an ID (its first four characters, ending early at a zero byte); NoFrame when none matches.
std::uint8_t FrameIndex(std::string_view id);

} // namespace FrameTable
