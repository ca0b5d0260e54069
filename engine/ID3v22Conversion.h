#pragma once

#include "RawFrame.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Version 2.2 frames carry three-character IDs behind six-byte headers. Tags read as version 2.2 are written as
// version 2.3, so each frame is carried over to its version 2.3 ID, its body unchanged except for pictures,
// whose three-letter image format becomes a MIME type. Empty for an ID that has no version 2.3 counterpart.
std::optional<RawFrame> ConvertID3v22Frame(std::string_view id, const std::uint8_t* body, std::size_t size);
