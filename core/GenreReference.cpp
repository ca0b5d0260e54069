#include "GenreReference.h"

#include "GenreTable.h"

#include <algorithm>

namespace {

constexpr std::size_t MaxReferenceLength = 9;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::uint8_t ParseGenreReference(std::string& text)
{
    if (text.empty() || text.front() != '(')
        return GenreTable::NoGenre;
    const std::size_t close = text.find(')', 1);
    if (close == std::string::npos || close == 1 || close - 1 > MaxReferenceLength)
        return GenreTable::NoGenre;
    const std::string digits = text.substr(1, close - 1);
    if (!std::all_of(digits.begin(), digits.end(), IsDigit))
        return GenreTable::NoGenre;
    text.erase(0, close + 1);
    const unsigned long number = std::stoul(digits);
    return number < GenreTable::Count ? static_cast<std::uint8_t>(number) : GenreTable::NoGenre;
}
