#include "FilterEntry.h"
#include "RenameScheme.h"
#include "SchemeMacro.h"
#include "StringOps.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Texts = std::map<std::string, std::string>; // macro name, text

// Both halves: an ID3v1 half has a text behind the seven macros of all tags, an ID3v2 half behind all twelve; the
// texts given replace empty ones.
RenameTexts Halves(const Texts& id3v1, const Texts& id3v2, bool id3v1Enabled = true, bool id3v2Enabled = true)
{
    RenameTexts texts {{}, {}, id3v1Enabled, id3v2Enabled};
    for (std::size_t m = 0; m < MacroCount; ++m) {
        const std::string name(MacroNames[m]);
        if (m <= static_cast<std::size_t>(Macro::Track))
            texts.ID3v1[m] = id3v1.contains(name) ? id3v1.at(name) : "";
        texts.ID3v2[m] = id3v2.contains(name) ? id3v2.at(name) : "";
    }
    return texts;
}

// Every text tells which field and which tag it came from.
const Texts DistinctV1 = {{"$TITLE", "t1"}, {"$ARTIST", "a1"}, {"$ALBUM", "l1"}, {"$COMMENT", "c1"},
                          {"$YEAR", "1991"}, {"$GENRE", "Rock"}, {"$TRACK", "01"}};
const Texts DistinctV2 = {{"$TITLE", "t2"}, {"$ARTIST", "a2"}, {"$ALBUM", "l2"}, {"$COMMENT", "c2"},
                          {"$YEAR", "2002"}, {"$GENRE", "Trip-Hop"}, {"$TRACK", "02/12"}, {"$COMPOSER", "comp"},
                          {"$ORIGARTIST", "orig"}, {"$COPYRIGHT", "(c)"}, {"$URL", "http:x"}, {"$ENCODEDBY", "enc"}};

// Each macro gives its own field of the tag the editing boxes choose (the ID3v1 tag has no text for the five
// ID3v2-only macros, which stay literal); an empty ID3v2 field falls back to ID3v1 only when both boxes are on.
// Text around the macros is kept, and a macro's text is not expanded again by that macro.
TEST(ExpandRenameScheme, ChoosesTheTagByTheEditingBoxesAndExpandsEachMacroOnce)
{
    const std::string every = "$TITLE $ARTIST $ALBUM $COMMENT $YEAR $GENRE $TRACK $COMPOSER $ORIGARTIST "
                              "$COPYRIGHT $URL $ENCODEDBY";
    const Texts fooBar = {{"$ARTIST", "Foo"}, {"$TITLE", "Bar"}};
    const Texts cyrillic = {{"$ARTIST", "Кино"}, {"$TITLE", "Звезда"}, {"$TRACK", "02/12"}, {"$YEAR", "2002"}};
    const Texts macroTexts = {{"$TITLE", "$TITLE"}, {"$ARTIST", "$ARTIST$ARTIST"}};
    Texts noArtist = DistinctV2;
    noArtist.erase("$ARTIST");
    const std::vector<std::tuple<const char*, RenameTexts, std::string, std::string>> cases = {
        {"both boxes", Halves(DistinctV1, DistinctV2), every,
         "t2 a2 l2 c2 2002 Trip-Hop 02/12 comp orig (c) http:x enc"},
        {"ID3v2 box", Halves(DistinctV1, DistinctV2, false), "$ARTIST-$TITLE", "a2-t2"},
        {"ID3v1 box", Halves(DistinctV1, DistinctV2, true, false), every,
         "t1 a1 l1 c1 1991 Rock 01 $COMPOSER $ORIGARTIST $COPYRIGHT $URL $ENCODEDBY"},
        {"empty ID3v2 tag", Halves(fooBar, {}), "$ARTIST-$TITLE", "Foo-Bar"},
        {"empty ID3v2 tag, ID3v1 box off", Halves(fooBar, {}, false), "$ARTIST-$TITLE", "-"},
        {"one ID3v2 field empty", Halves(DistinctV1, noArtist), "$ARTIST-$TITLE", "-t2"},
        {"empty ID3v1 field", Halves({{"$TITLE", "Song"}}, {}, true, false), "$ARTIST-$TITLE", "-Song"},
        {"line breaks", Halves({}, {{"$TITLE", "x"}, {"$COMMENT", "one\r\ntwo"}}), "$COMMENT", "one\r\ntwo"},
        {"text between", Halves({}, cyrillic), "$ARTIST – $TITLE", "Кино – Звезда"},
        {"text between", Halves({}, cyrillic), "$TRACK. $ARTIST ($YEAR) $TITLE", "02/12. Кино (2002) Звезда"},
        {"macro-like text", Halves({}, cyrillic), "$TITLE$TITLE $title $$TITLE$ $TITLES",
         "ЗвездаЗвезда $title $Звезда$ ЗвездаS"},
        {"no scheme", Halves({}, cyrillic), "", ""},
        {"a field holding its macro's name", Halves({}, macroTexts), "$TITLE-$TITLE", "$TITLE-$TITLE"},
        {"a field holding its macro's name", Halves({}, macroTexts), "$ARTIST-$TITLE", "$ARTIST$ARTIST-$TITLE"},
        {"a field holding its macro's name", Halves({}, {{"$TITLE", "x$TITLEy"}}), "$TITLE$TITLE", "x$TITLEyx$TITLEy"},
        {"later macros expand what earlier ones inserted", Halves({}, {{"$TITLE", "by $ARTIST"}, {"$ARTIST", "Foo"}}),
         "$TITLE", "by Foo"},
        {"later macros expand what earlier ones inserted", Halves({}, {{"$TITLE", "Bar"}, {"$ARTIST", "see $TITLE"}}),
         "$ARTIST-$TITLE", "see $TITLE-Bar"},
    };
    for (const auto& [name, texts, scheme, expected] : cases)
        EXPECT_EQ(ExpandRenameScheme(scheme, texts), expected) << name;
    for (const std::string_view macro : MacroNames)
        EXPECT_NE(MacroHelpText.find(macro), std::string_view::npos) << macro;
}

// Filter lines are "x -> y" (replace) or "x -> " (delete); any other line has no effect and stops nothing.
TEST(RenameStem, FiltersRunInOrderBeforeTheSafeDefault)
{
    const FilterList malformed = {"", "a", "ab -> c", " -> x", "a->b", "a -> bc", "a - > b", "a ->", "a  -> b",
                                  "a => b", "-> a", "a -> b ", "x -> y -> z", "ёё -> е", "ё -> ее", "\xE9 -> e"};
    FilterList malformedThenValid = malformed;
    malformedThenValid.push_back("_ ->  ");
    const std::vector<std::tuple<FilterList, std::string, std::string>> cases = {
        {{}, "AC/DC", "AC_DC"},
        {{"/ -> "}, "AC/DC", "ACDC"},
        {{"+ -> /"}, "a+b", "a_b"},
        {{"_ ->  "}, "My_Song", "My Song"},
        {{"a -> b", "b -> a"}, "abba", "aaaa"},
        {{"a -> x", "é -> e", "> -> -"}, "A a bé>", "A x be-"},
        {{"ё -> е", "’ -> '", "🚀 -> "}, "Ёлка ёж’s 🚀x", "Ёлка еж's x"},
        {malformedThenValid, "ab c_d", "ab c d"},
    };
    for (const auto& [filters, title, expected] : cases) {
        SCOPED_TRACE(title);
        EXPECT_EQ(RenameStem("$TITLE", Halves({}, {{"$TITLE", title}}), filters), expected);
    }
    for (const std::string line : {"_ -> ", "_ ->  ", "é -> e", "> -> -", "🚀 -> "})
        EXPECT_EQ(FilterEntry::Parse(line)->Text(), line);
    for (const std::string& line : malformed)
        EXPECT_FALSE(FilterEntry::Parse(line)) << line;
}

TEST(TrackPadding, PadsOneCharacterTracksForRenameButOnlyDigitsOneToNineWhenShown)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"7", "07", "07"}, {"1", "01", "01"}, {"0", "00", "0"},          {"/", "0/", "/"},
        {"12", "12", "12"}, {"3/12", "3/12", "3/12"}, {"", "", ""}, {"٣", "0٣", "٣"},
    };
    for (const auto& [track, forRename, shown] : cases)
        EXPECT_EQ(PadTrackNumber(track) + "|" + PadShownTrack(track), forRename + "|" + shown);
}

} // namespace
