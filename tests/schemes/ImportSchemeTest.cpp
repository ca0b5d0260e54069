#include "ImportScheme.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The texts of a half before the import: "??" where it has a field, "x1y" for the album and genre (filters show on
// them); an ID3v1 half has no field the import fills behind the genre and the five ID3v2-only macros.
MacroTexts HalfBefore(bool id3v1)
{
    MacroTexts texts {};
    for (std::size_t m = 0; m < MacroCount; ++m) {
        const auto macro = static_cast<Macro>(m);
        if (!id3v1 || (macro != Macro::Genre && macro <= Macro::Track))
            texts[m] = macro == Macro::Album || macro == Macro::Genre ? "x1y" : "??";
    }
    return texts;
}

enum Halves { V1 = 1, V2 = 2, Both = 3 };

// A scheme that names only the six ID3v1 import macros (title, artist, album, comment, year, track) fills the
// same fields in both halves; the ID3v1 import skips the others, genre included.
TEST(ImportScheme, TakesEachFieldUpToTheFirstCharacterAfterItsMacroAndLeavesTheRestUntouched)
{
    struct Case {
        Halves Into;
        std::string Scheme, FileName;
        std::vector<std::pair<std::string, std::string>> Expected; // macro, text; every other field untouched
        bool Capitalize = false;
        FilterList Filters = {};
    };
    const std::vector<Case> cases = {
        {Both, "$TRACK-$ARTIST-$TITLE", "01-Foo-Bar-Baz.mp3", {{"$TRACK", "01"}, {"$ARTIST", "Foo"},
                                                               {"$TITLE", "Bar-Baz"}}},
        {Both, "$ALBUM-$YEAR-$TRACK-$COMMENT", "L-1999-07-note.mp3", {{"$ALBUM", "L"}, {"$YEAR", "1999"},
                                                                      {"$TRACK", "07"}, {"$COMMENT", "note"}}},
        {V2, "$GENRE-$COMPOSER-$ORIGARTIST-$COPYRIGHT-$URL-$ENCODEDBY-$COMMENT", "g-c-o-(c) x-u-e-rest.mp3",
         {{"$GENRE", "g"}, {"$COMPOSER", "c"}, {"$ORIGARTIST", "o"}, {"$COPYRIGHT", "(c) x"}, {"$URL", "u"},
          {"$ENCODEDBY", "e"}, {"$COMMENT", "rest"}}},
        {V1, "$GENRE-$TITLE", "Rock-Song.mp3", {{"$TITLE", "Rock-Song"}}},
        {V1, "$COMPOSER-$ARTIST-$TITLE", "A-B-C.mp3", {{"$ARTIST", "A"}, {"$TITLE", "B-C"}}},
        {Both, "$title-$ARTIST", "a-b.mp3", {{"$ARTIST", "a-b"}}},
        // names that do not fit leave the rest untouched
        {Both, "$ARTIST-$TITLE", "NoDash.mp3", {{"$ARTIST", "NoDash"}}},
        {Both, "$ARTIST-$TITLE", "-Bar.mp3", {{"$ARTIST", ""}, {"$TITLE", "Bar"}}},
        {Both, "$ARTIST-$TITLE", ".mp3", {}},
        // separators inside fields split at the first one
        {Both, "$TRACK.$TITLE", "01.Mr. Jones.mp3", {{"$TRACK", "01"}, {"$TITLE", "Mr. Jones"}}},
        // text and separators of any script, each separator one character however many bytes it takes
        {Both, "$ARTIST—$TITLE", "Ария—Беспечный ангел.мп3", {{"$ARTIST", "Ария"}, {"$TITLE", "Беспечный Ангел"}}, true},
        {Both, "$ARTIST—$TITLE", "夜に—.mp3", {{"$ARTIST", "夜に—"}}}, // the last character is never a separator
        // capitalisation when switched on, then the filters; a blank a filter makes starts no word
        {Both, "$TITLE-$COMMENT", "the_end-live.mp3", {{"$TITLE", "The_End"}, {"$COMMENT", "Live"}}, true},
        {Both, "$TITLE-$COMMENT", "the_end-live.mp3", {{"$TITLE", "The End"}, {"$COMMENT", "Live"}}, true,
         {"_ ->  "}},
        // filters run over every field the import may fill, filled or not, but never over the track
        {V1, "$TRACK-$TITLE", "01-T1.mp3", {{"$TRACK", "01"}, {"$TITLE", "T_"}, {"$ALBUM", "x_y"}}, false,
         {"1 -> _"}},
        {V2, "$TRACK-$TITLE", "01-T1.mp3", {{"$TRACK", "01"}, {"$TITLE", "T_"}, {"$ALBUM", "x_y"},
                                           {"$GENRE", "x_y"}}, false, {"1 -> _"}},
    };
    for (const Case& c : cases)
        for (const Halves half : {V1, V2}) {
            if (!(c.Into & half))
                continue;
            SCOPED_TRACE(c.Scheme + " <- " + c.FileName + (half == V1 ? " into ID3v1" : " into ID3v2"));
            MacroTexts texts = HalfBefore(half == V1);
            MacroTexts expected = texts;
            for (const auto& [macro, text] : c.Expected)
                expected[static_cast<std::size_t>(*MacroAt(macro, 0))] = text;
            ImportFromName(texts, c.Scheme, c.FileName, c.Filters, c.Capitalize);
            for (std::size_t m = 0; m < MacroCount; ++m)
                EXPECT_EQ(texts[m], expected[m]) << MacroNames[m];
        }
}

} // namespace
