#include "FilterEntry.h"
#include "RenameScheme.h"
#include "SchemeMacro.h"
#include "StringOps.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Every field holds a text that tells which field and which tag it came from.
EditorFields DistinctFields()
{
    EditorFields f;
    f.Title = "t1"; f.Artist = "a1"; f.Album = "l1"; f.Comment = "c1"; f.Year = "1991"; f.Genre = "Rock"; f.Track = "01";
    f.TitleV2 = "t2"; f.ArtistV2 = "a2"; f.AlbumV2 = "l2"; f.CommentV2 = "c2"; f.YearV2 = "2002";
    f.GenreV2 = "Trip-Hop"; f.TrackV2 = "02/12"; f.ComposerV2 = "comp"; f.OrgArtistV2 = "orig";
    f.CopyrightV2 = "(c)"; f.URLV2 = "http:x"; f.EncodedByV2 = "enc";
    return f;
}

EditorFields With(EditorFields f, const std::function<void(EditorFields&)>& change)
{
    change(f);
    return f;
}

TEST(ExpandRenameScheme, EachMacroGivesItsFieldOfTheTagOnceOrStaysLiteralInID3v1)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> alone = {
        {"$TITLE", "t1", "t2"},         {"$ARTIST", "a1", "a2"},       {"$ALBUM", "l1", "l2"},
        {"$COMMENT", "c1", "c2"},       {"$YEAR", "1991", "2002"},      {"$GENRE", "Rock", "Trip-Hop"},
        {"$TRACK", "01", "02/12"},      {"$COMPOSER", "$COMPOSER", "comp"}, {"$ORIGARTIST", "$ORIGARTIST", "orig"},
        {"$COPYRIGHT", "$COPYRIGHT", "(c)"}, {"$URL", "$URL", "http:x"}, {"$ENCODEDBY", "$ENCODEDBY", "enc"},
    };
    for (const auto& [scheme, v1, v2] : alone) {
        EXPECT_EQ(ExpandRenameSchemeID3v1(scheme, DistinctFields()), v1);
        EXPECT_EQ(ExpandRenameSchemeID3v2(scheme, DistinctFields()), v2);
    }

    const EditorFields fooBar = With(DistinctFields(), [](EditorFields& f) { f.ArtistV2 = "Foo"; f.TitleV2 = "Bar"; });
    const EditorFields macroTexts = With({}, [](EditorFields& f) { f.TitleV2 = "$TITLE"; f.ArtistV2 = "$ARTIST$ARTIST"; });
    const EditorFields byArtist = With({}, [](EditorFields& f) { f.TitleV2 = "by $ARTIST"; f.ArtistV2 = "Foo"; });
    const EditorFields seeTitle = With({}, [](EditorFields& f) { f.TitleV2 = "Bar"; f.ArtistV2 = "see $TITLE"; });
    const std::vector<std::tuple<EditorFields, std::string, std::string>> mixed = {
        {fooBar, "$ARTIST - $TITLE", "Foo - Bar"},
        {fooBar, "$TRACK. $ARTIST ($YEAR) $TITLE", "02/12. Foo (2002) Bar"},
        {fooBar, "$TITLE$TITLE $title $$TITLE$ $TITLES", "BarBar $title $Bar$ BarS"},
        {fooBar, "", ""},
        // a field holding a macro's name is not expanded again by that macro
        {macroTexts, "$TITLE-$TITLE", "$TITLE-$TITLE"},
        {macroTexts, "$ARTIST-$TITLE", "$ARTIST$ARTIST-$TITLE"},
        {With({}, [](EditorFields& f) { f.TitleV2 = "x$TITLEy"; }), "$TITLE$TITLE", "x$TITLEyx$TITLEy"},
        // later macros expand what earlier ones inserted
        {byArtist, "$TITLE", "by Foo"},
        {seeTitle, "$ARTIST-$TITLE", "see $TITLE-Bar"},
    };
    for (const auto& [fields, scheme, expected] : mixed)
        EXPECT_EQ(ExpandRenameSchemeID3v2(scheme, fields), expected) << scheme;
    for (const auto& [scheme, v1, v2] : alone)
        EXPECT_NE(MacroHelpText.find(scheme), std::string_view::npos) << scheme;
}

// The tag follows the editing boxes; an empty ID3v2 field falls back to ID3v1 only when both boxes are on.
TEST(ExpandRenameScheme, ChoosesTheTagByTheEditingBoxesAndFallsBackOnlyWhenBothAreOn)
{
    const EditorFields onlyV1 = With({}, [](EditorFields& f) { f.Artist = "Foo"; f.Title = "Bar"; });
    const std::vector<std::tuple<const char*, EditorFields, std::string, std::string>> cases = {
        {"both boxes", DistinctFields(), "$ARTIST-$TITLE", "a2-t2"},
        {"ID3v2 box", With(DistinctFields(), [](EditorFields& f) { f.ID3v1CB = false; }), "$ARTIST-$TITLE", "a2-t2"},
        {"ID3v1 box", With(DistinctFields(), [](EditorFields& f) { f.ID3v2CB = false; }), "$ARTIST-$TITLE", "a1-t1"},
        {"empty ID3v2 tag", onlyV1, "$ARTIST-$TITLE", "Foo-Bar"},
        {"empty ID3v2 tag, ID3v1 box off", With(onlyV1, [](EditorFields& f) { f.ID3v1CB = false; }),
         "$ARTIST-$TITLE", "-"},
        {"one ID3v2 field empty", With(DistinctFields(), [](EditorFields& f) { f.ArtistV2.clear(); }),
         "$ARTIST-$TITLE", "-t2"},
        {"empty ID3v1 field", With({}, [](EditorFields& f) { f.ID3v2CB = false; f.Title = "Song"; }),
         "$ARTIST-$TITLE", "-Song"},
        {"line breaks", With({}, [](EditorFields& f) { f.TitleV2 = "x"; f.CommentV2 = "one\r\ntwo"; }),
         "$COMMENT", "one\r\ntwo"},
    };
    for (const auto& [name, fields, scheme, expected] : cases)
        EXPECT_EQ(ExpandRenameScheme(scheme, fields), expected) << name;
}

// Filter lines are "x -> y" (replace) or "x -> " (delete); any other line has no effect and stops nothing.
TEST(RenameStem, FiltersRunInOrderBeforeTheSafeDefault)
{
    const FilterList malformed = {"", "a", "ab -> c", " -> x", "a->b", "a -> bc", "a - > b", "a ->", "a  -> b",
                                  "a => b", "-> a", "a -> b ", "x -> y -> z"};
    FilterList malformedThenValid = malformed;
    malformedThenValid.push_back("_ ->  ");
    const std::vector<std::tuple<FilterList, std::string, std::string>> cases = {
        {{}, "AC/DC", "AC_DC"},
        {{"/ -> "}, "AC/DC", "ACDC"},
        {{"+ -> /"}, "a+b", "a_b"},
        {{"_ ->  "}, "My_Song", "My Song"},
        {{"a -> b", "b -> a"}, "abba", "aaaa"},
        {{"a -> x", "\xE9 -> e", "> -> -"}, "A a b\xE9>", "A x be-"},
        {malformedThenValid, "ab c_d", "ab c d"},
    };
    for (const auto& [filters, title, expected] : cases) {
        SCOPED_TRACE(title);
        EXPECT_EQ(RenameStem("$TITLE", With({}, [&](EditorFields& f) { f.TitleV2 = title; }), filters), expected);
    }
    for (const std::string line : {"_ -> ", "_ ->  ", "\xE9 -> e", "> -> -"})
        EXPECT_EQ(FilterEntry::Parse(line)->Text(), line);
    for (const std::string& line : malformed)
        EXPECT_FALSE(FilterEntry::Parse(line)) << line;
}

TEST(TrackPadding, PadsOneCharacterTracksForRenameButOnlyDigitsOneToNineWhenShown)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"7", "07", "07"}, {"1", "01", "01"}, {"0", "00", "0"},          {"/", "0/", "/"},
        {"12", "12", "12"}, {"3/12", "3/12", "3/12"}, {"", "", ""},
    };
    for (const auto& [track, forRename, shown] : cases) {
        EditorFields padded, unpadded;
        padded.Track = padded.TrackV2 = unpadded.Track = track;
        unpadded.PadTrack = false;
        PadTrackFields(padded);
        PadTrackFields(unpadded);
        EXPECT_EQ(padded.Track + "|" + padded.TrackV2 + "|" + PadShownTrack(track) + "|" + unpadded.Track,
                  forRename + "|" + forRename + "|" + shown + "|" + track);
    }
}

} // namespace
