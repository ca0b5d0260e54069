#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Writers insert a zero after every FF byte of an unsynchronised tag or frame, so that no false MPEG sync
// appears inside it; reading takes those zeros out again.
std::vector<std::uint8_t> RemoveUnsynchronisation(const std::uint8_t* bytes, std::size_t count);
