#pragma once

#include <optional>
#include <string>
#include <vector>

// One character filter, written as the filter lists show and store it: "x -> y" replaces every x by
// y, "x -> " (nothing after the arrow) deletes every x. x and y are one character each, of any script
// ("ё -> е", "’ -> '"); a blank is an ordinary character on both sides.
struct FilterEntry {
    std::string From; // one character, UTF-8
    std::string To;   // one character, or empty: delete From

    // The entry a list line stands for; none for a line of another shape, which must have no effect.
    static std::optional<FilterEntry> Parse(const std::string& line);
    // The line for this entry: the arrow " -> " between the two characters.
    std::string Text() const;
    void ApplyTo(std::string& text) const;
};

// The lines of a filter list box, in the order of application.
using FilterList = std::vector<std::string>;

// Applies every well-formed entry, first to last, each to the result of the one before.
// Pass an empty list when the list's switch is off.
std::string ApplyFilters(const FilterList& filters, const std::string& text);
