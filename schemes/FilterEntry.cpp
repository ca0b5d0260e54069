#include "FilterEntry.h"

#include "Characters.h"
#include "StringOps.h"

#include <string_view>

namespace {
constexpr std::string_view Arrow = " -> ";
} // namespace

std::optional<FilterEntry> FilterEntry::Parse(const std::string& line)
{
    const std::size_t from = CharacterLength(line, 0);
    if (from == 0 || SingleCharacterLength(std::string_view(line).substr(0, from)) != from
        || line.compare(from, Arrow.size(), Arrow) != 0)
        return std::nullopt;
    const std::string to = line.substr(from + Arrow.size());
    if (!to.empty() && SingleCharacterLength(to) != to.size())
        return std::nullopt;
    return FilterEntry{line.substr(0, from), to};
}

std::string FilterEntry::Text() const
{
    return From + std::string(Arrow) + To;
}

void FilterEntry::ApplyTo(std::string& text) const
{
    ReplaceAllIn(text, From, To);
}

std::string ApplyFilters(const FilterList& filters, const std::string& text)
{
    std::string result = text;
    for (const std::string& line : filters)
        if (const auto entry = FilterEntry::Parse(line))
            entry->ApplyTo(result);
    return result;
}
