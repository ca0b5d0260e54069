#include "ImportScheme.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using F = EditorFields;
using Field = std::string F::*;

// Each macro's field in the ID3v1 half (none for five) and in the ID3v2 half.
const std::map<std::string, std::pair<Field, Field>> MacroFields = {
    {"$TITLE", {&F::Title, &F::TitleV2}}, {"$ARTIST", {&F::Artist, &F::ArtistV2}},
    {"$ALBUM", {&F::Album, &F::AlbumV2}}, {"$COMMENT", {&F::Comment, &F::CommentV2}},
    {"$YEAR", {&F::Year, &F::YearV2}},    {"$GENRE", {&F::Genre, &F::GenreV2}},
    {"$TRACK", {&F::Track, &F::TrackV2}}, {"$COMPOSER", {nullptr, &F::ComposerV2}},
    {"$ORIGARTIST", {nullptr, &F::OrgArtistV2}}, {"$COPYRIGHT", {nullptr, &F::CopyrightV2}},
    {"$URL", {nullptr, &F::URLV2}},       {"$ENCODEDBY", {nullptr, &F::EncodedByV2}},
};

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
        {Both, "$ARTIST-$TITLE", "Foo-Bar.mp3", {{"$ARTIST", "Foo"}, {"$TITLE", "Bar"}}},
        {Both, "$TRACK-$ARTIST-$TITLE", "01-Foo-Bar-Baz.mp3", {{"$TRACK", "01"}, {"$ARTIST", "Foo"},
                                                               {"$TITLE", "Bar-Baz"}}},
        {Both, "$ALBUM-$YEAR-$TRACK-$COMMENT", "L-1999-07-note.mp3", {{"$ALBUM", "L"}, {"$YEAR", "1999"},
                                                                      {"$TRACK", "07"}, {"$COMMENT", "note"}}},
        {V2, "$COPYRIGHT-$TITLE", "(c) Foo-Song.mp3", {{"$COPYRIGHT", "(c) Foo"}, {"$TITLE", "Song"}}},
        {V2, "$GENRE-$COMPOSER-$ORIGARTIST-$URL-$ENCODEDBY-$COMMENT", "g-c-o-u-e-rest.mp3",
         {{"$GENRE", "g"}, {"$COMPOSER", "c"}, {"$ORIGARTIST", "o"}, {"$URL", "u"}, {"$ENCODEDBY", "e"},
          {"$COMMENT", "rest"}}},
        {V1, "$GENRE-$TITLE", "Rock-Song.mp3", {{"$TITLE", "Rock-Song"}}},
        {V1, "$COMPOSER-$ARTIST-$TITLE", "A-B-C.mp3", {{"$ARTIST", "A"}, {"$TITLE", "B-C"}}},
        {Both, "$title-$ARTIST", "a-b.mp3", {{"$ARTIST", "a-b"}}},
        // names that do not fit leave the rest untouched
        {Both, "$ARTIST-$TITLE", "NoDash.mp3", {{"$ARTIST", "NoDash"}}},
        {Both, "$ARTIST-$TITLE", "Foo-.mp3", {{"$ARTIST", "Foo-"}}}, // the last character is never a separator
        {Both, "$ARTIST-$TITLE", "-Bar.mp3", {{"$ARTIST", ""}, {"$TITLE", "Bar"}}},
        {Both, "$ARTIST-$TITLE", ".mp3", {}},
        // separators inside fields split at the first one
        {Both, "$TRACK.$TITLE", "01.Mr. Jones.mp3", {{"$TRACK", "01"}, {"$TITLE", "Mr. Jones"}}},
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
            // Every text shows whether the import touched it ("??": GCC 12 warns falsely on a one-character one).
            EditorFields f;
            for (const auto& [macro, fields] : MacroFields) {
                if (fields.first)
                    f.*fields.first = "??";
                f.*fields.second = "??";
            }
            f.Album = f.AlbumV2 = f.Genre = f.GenreV2 = "x1y";
            f.CapitalizeFirst = c.Capitalize;
            EditorFields expected = f;
            for (const auto& [macro, text] : c.Expected) {
                const auto& [v1, v2] = MacroFields.at(macro);
                expected.*(half == V1 ? v1 : v2) = text;
            }
            (half == V1 ? ImportToID3v1Fields : ImportToID3v2Fields)(f, c.Scheme, c.FileName, c.Filters);
            for (const auto& [macro, fields] : MacroFields) {
                if (fields.first) {
                    EXPECT_EQ(f.*fields.first, expected.*fields.first) << "ID3v1 " << macro;
                }
                EXPECT_EQ(f.*fields.second, expected.*fields.second) << "ID3v2 " << macro;
            }
        }
}

} // namespace
