#include "FilterEntry.h"

#include "StringOps.h"

namespace {
constexpr char Arrow[] = " -> ";
constexpr std::size_t ArrowLength = sizeof Arrow - 1;
constexpr std::size_t DeletingLength = 1 + ArrowLength;
} // namespace

std::optional<FilterEntry> FilterEntry::Parse(const std::string& line)
{
    const bool fits = line.size() == DeletingLength || line.size() == DeletingLength + 1;
    if (!fits || line.compare(1, ArrowLength, Arrow) != 0)
        return std::nullopt;
    return FilterEntry{line[0], line.size() > DeletingLength ? line[DeletingLength] : '\0'};
}

std::string FilterEntry::Text() const
{
    std::string line = From + std::string(Arrow);
    if (To != '\0')
        line += To;
    return line;
}

void FilterEntry::ApplyTo(std::string& text) const
{
    ReplaceChar(text, From, To);
}

std::string ApplyFilters(const FilterList& filters, const std::string& text)
{
    std::string result = text;
    for (const std::string& line : filters)
        if (const auto entry = FilterEntry::Parse(line))
            entry->ApplyTo(result);
    return result;
}
