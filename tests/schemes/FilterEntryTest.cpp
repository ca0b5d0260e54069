#include "FilterEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FilterEntryParse, TakesFiveAndSixCharacterEntriesWithTheArrow)
{
    struct Case {
        std::string line;
        char from, to;
    };
    const std::vector<Case> cases = {
        {"_ -> ", '_', '\0'},
        {"_ ->  ", '_', ' '},
        {"  -> _", ' ', '_'},
        {"a -> b", 'a', 'b'},
        {"\xE9 -> e", '\xE9', 'e'},
        {"> -> -", '>', '-'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const auto entry = FilterEntry::Parse(c.line);
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->From, c.from);
        EXPECT_EQ(entry->To, c.to);
        EXPECT_EQ(entry->Text(), c.line);
    }
}

TEST(FilterEntryParse, MalformedLinesGiveNoEntry)
{
    const std::vector<std::string> lines = {
        "", "a", "ab -> c", " -> x", "a->b", "a -> bc", "a - > b", "a ->", "a  -> b", "a => b", "-> a",
        "a -> b ", "x -> y -> z",
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line);
        EXPECT_FALSE(FilterEntry::Parse(line));
    }
}

TEST(ApplyFilters, AppliesEntriesInOrderEachToTheResultOfTheLast)
{
    struct Case {
        FilterList filters;
        std::string text, expected;
    };
    const std::vector<Case> cases = {
        {{"  -> _"}, "My Song", "My_Song"},
        {{"_ ->  "}, "My_Song", "My Song"},
        {{"' -> "}, "Don't Stop", "Dont Stop"},
        {{"a -> b", "b -> a"}, "abba", "aaaa"},
        {{"b -> a", "a -> b"}, "abba", "bbbb"},
        {{"a -> b", "b -> c"}, "aab", "ccc"},
        {{"a -> x"}, "A a", "A x"},
        {{}, "un_changed", "un_changed"},
        {{"\xE9 -> e"}, "caf\xE9", "cafe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ApplyFilters(c.filters, c.text), c.expected);
    }
}

TEST(ApplyFilters, MalformedEntriesHaveNoEffect)
{
    const FilterList filters = {"ab -> c", " -> x", "a->b", "", "_ ->  "};
    EXPECT_EQ(ApplyFilters(filters, "ab c_d"), "ab c d");
}

TEST(ApplyFilters, LongTextPassesWhole)
{
    const std::string text = std::string(5000, '_') + "end";
    EXPECT_EQ(ApplyFilters({"_ -> -"}, text), std::string(5000, '-') + "end");
}

} // namespace
