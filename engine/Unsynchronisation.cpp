#include "Unsynchronisation.h"

std::vector<std::uint8_t> RemoveUnsynchronisation(const std::uint8_t* bytes, std::size_t count)
{
    std::vector<std::uint8_t> plain;
    plain.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        plain.push_back(bytes[i]);
        if (bytes[i] == 0xFF && i + 1 < count && bytes[i + 1] == 0)
            ++i;
    }
    return plain;
}
