#pragma once

#include "ID3v1Tag.h"

#include <array>
#include <cstdint>

// Size fields of ID3v2 tags and frames, and the size of the area a tag is written into.
namespace ID3v2Size {

using SizeBytes = std::array<std::uint8_t, 4>;

constexpr std::uint32_t HeaderSize = 10;
constexpr std::uint32_t FooterSize = 10;
constexpr std::uint32_t FrameHeaderSize = 10;
// The largest value 28 synchsafe bits hold: the limit of a tag's size field.
constexpr std::uint32_t MaxSynchsafeSize = 0x0FFFFFFF;
// Tags are sized so that the file, counted with an ID3v1 tag, is a multiple of this.
constexpr std::uint64_t Alignment = 2048;
constexpr std::uint64_t ID3v1Size = ID3v1Tag::Size;

// Seven bits per byte, most significant first; the value must not exceed MaxSynchsafeSize.
SizeBytes PackSynchsafeSize(std::uint32_t value);
// Big-endian 32 bits.
SizeBytes PackPlainSize(std::uint32_t value);
// Synchsafe for version 4, plain for every other version.
SizeBytes PackFrameSize(std::uint32_t value, std::uint8_t version);

std::uint32_t UnpackSynchsafeSize(const std::uint8_t* bytes);
std::uint32_t UnpackPlainSize(const std::uint8_t* bytes);

// Header + frames (+ footer) of a tag without padding. Extended headers are never written.
std::uint64_t RequiredID3v2Size(std::uint64_t framesSize, bool hasFooter);
// The tag size that makes the file (with a 128-byte ID3v1 tag counted whether or not it has one) a multiple of
// 2048: between 1 and 2048. fileSize includes the current tag of tagSize bytes (tagSize <= fileSize).
std::uint64_t AlignedTagSize(std::uint64_t fileSize, std::uint64_t tagSize, bool hasID3v1);
// The size of the area a tag of `required` bytes is written into: the aligned size, grown in 2048-byte steps
// until the tag fits, and never smaller than the current tag area, so that no old tag bytes are left in front
// of the audio.
std::uint64_t TagAreaSize(std::uint64_t required, std::uint64_t fileSize, std::uint64_t tagSize, bool hasID3v1);

} // namespace ID3v2Size
