#include "RenameScheme.h"
#include "SchemeMacro.h"

#include <gtest/gtest.h>

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

struct ExpandCase {
    std::string scheme, expected;
};

void ExpectExpansions(std::string (*expand)(const std::string&, const EditorFields&), const EditorFields& fields,
                      const std::vector<ExpandCase>& cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scheme);
        EXPECT_EQ(expand(c.scheme, fields), c.expected);
    }
}

TEST(ExpandRenameScheme, EachMacroAloneGivesItsFieldOfTheTagOrStaysLiteralInID3v1)
{
    ExpectExpansions(ExpandRenameSchemeID3v1, DistinctFields(), {
        {"$TITLE", "t1"}, {"$ARTIST", "a1"}, {"$ALBUM", "l1"}, {"$COMMENT", "c1"}, {"$YEAR", "1991"},
        {"$GENRE", "Rock"}, {"$TRACK", "01"},
        {"$COMPOSER", "$COMPOSER"}, {"$ORIGARTIST", "$ORIGARTIST"}, {"$COPYRIGHT", "$COPYRIGHT"},
        {"$URL", "$URL"}, {"$ENCODEDBY", "$ENCODEDBY"},
    });
    ExpectExpansions(ExpandRenameSchemeID3v2, DistinctFields(), {
        {"$TITLE", "t2"}, {"$ARTIST", "a2"}, {"$ALBUM", "l2"}, {"$COMMENT", "c2"}, {"$YEAR", "2002"},
        {"$GENRE", "Trip-Hop"}, {"$TRACK", "02/12"}, {"$COMPOSER", "comp"}, {"$ORIGARTIST", "orig"},
        {"$COPYRIGHT", "(c)"}, {"$URL", "http:x"}, {"$ENCODEDBY", "enc"},
    });
}

TEST(ExpandRenameScheme, MixedMacrosAndLiteralText)
{
    EditorFields f = DistinctFields();
    f.ArtistV2 = "Foo";
    f.TitleV2 = "Bar";
    ExpectExpansions(ExpandRenameSchemeID3v2, f, {
        {"$ARTIST - $TITLE", "Foo - Bar"},
        {"$TRACK. $ARTIST ($YEAR) $TITLE", "02/12. Foo (2002) Bar"},
        {"fixed name", "fixed name"},
        {"$TITLE$TITLE", "BarBar"},
        {"$Title", "$Title"},
        {"$title-$TITLE", "$title-Bar"},
        {"$$TITLE$", "$Bar$"},
        {"$TITLES", "BarS"},
        {"$ORIGARTIST/$ARTIST", "orig/Foo"},
        {"", ""},
    });
    ExpectExpansions(ExpandRenameSchemeID3v1, f, {{"$COMPOSER-$TITLE", "$COMPOSER-t1"}});
}

TEST(ExpandRenameScheme, FieldsHoldingMacroNamesEndAfterOnePass)
{
    EditorFields f;
    f.ID3v1CB = false;
    f.TitleV2 = "$TITLE";
    f.ArtistV2 = "$ARTIST$ARTIST";
    ExpectExpansions(ExpandRenameSchemeID3v2, f, {
        {"$TITLE", "$TITLE"},
        {"$TITLE-$TITLE", "$TITLE-$TITLE"},
        {"$ARTIST-$TITLE", "$ARTIST$ARTIST-$TITLE"},
    });
    f.TitleV2 = "x$TITLEy";
    EXPECT_EQ(ExpandRenameSchemeID3v2("$TITLE$TITLE", f), "x$TITLEyx$TITLEy");
}

TEST(ExpandRenameScheme, LaterMacrosExpandWhatEarlierOnesInserted)
{
    EditorFields f;
    f.TitleV2 = "by $ARTIST";
    f.ArtistV2 = "Foo";
    EXPECT_EQ(ExpandRenameSchemeID3v2("$TITLE", f), "by Foo");
    f.TitleV2 = "Bar";
    f.ArtistV2 = "see $TITLE";
    EXPECT_EQ(ExpandRenameSchemeID3v2("$ARTIST-$TITLE", f), "see $TITLE-Bar");
}

// The tag follows the editing boxes; an empty ID3v2 field falls back to ID3v1 only when both boxes are on.
TEST(ExpandRenameScheme, ChoosesTheTagByTheEditingBoxesAndFallsBackOnlyWhenBothAreOn)
{
    struct Case {
        const char* Name;
        EditorFields Fields;
        std::string Scheme, Expected;
    };
    const auto with = [](EditorFields f, const auto& change) {
        change(f);
        return f;
    };
    const EditorFields onlyV1 = with(EditorFields(), [](EditorFields& f) { f.Artist = "Foo"; f.Title = "Bar"; });
    const std::vector<Case> cases = {
        {"both boxes", DistinctFields(), "$ARTIST-$TITLE", "a2-t2"},
        {"ID3v2 box", with(DistinctFields(), [](EditorFields& f) { f.ID3v1CB = false; }), "$ARTIST-$TITLE", "a2-t2"},
        {"ID3v1 box", with(DistinctFields(), [](EditorFields& f) { f.ID3v2CB = false; }), "$ARTIST-$TITLE", "a1-t1"},
        {"empty ID3v2 tag", onlyV1, "$ARTIST-$TITLE", "Foo-Bar"},
        {"empty ID3v2 tag, ID3v1 box off", with(onlyV1, [](EditorFields& f) { f.ID3v1CB = false; }),
         "$ARTIST-$TITLE", "-"},
        {"one ID3v2 field empty", with(DistinctFields(), [](EditorFields& f) { f.ArtistV2.clear(); }),
         "$ARTIST-$TITLE", "-t2"},
        {"both tags empty", EditorFields(), "$ARTIST-$TITLE", "-"},
        {"empty ID3v1 field", with(EditorFields(), [](EditorFields& f) { f.ID3v2CB = false; f.Title = "Song"; }),
         "$ARTIST-$TITLE", "-Song"},
        {"empty ID3v1 genre", with(EditorFields(), [](EditorFields& f) { f.ID3v2CB = false; }), "$GENRE", ""},
        {"line breaks", with(EditorFields(), [](EditorFields& f) { f.TitleV2 = "x"; f.CommentV2 = "one\r\ntwo"; }),
         "$COMMENT", "one\r\ntwo"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandRenameScheme(c.Scheme, c.Fields), c.Expected) << c.Name;
}

TEST(ExpandRenameScheme, LongFieldsAndSchemesPassWhole)
{
    EditorFields f;
    f.CommentV2 = std::string(5000, 'c');
    f.TitleV2 = "t";
    EXPECT_EQ(ExpandRenameScheme("$COMMENT", f).size(), 5000u);

    std::string scheme;
    for (int i = 0; i < 10000; ++i)
        scheme += "$TITLE-";
    EXPECT_EQ(ExpandRenameScheme(scheme, f).size(), 20000u);
}

TEST(RenameStem, RenameFiltersRunBeforeTheSafeDefault)
{
    struct Case {
        FilterList filters;
        std::string title, expected;
    };
    const std::vector<Case> cases = {
        {{}, "AC/DC", "AC_DC"},
        {{"/ -> -"}, "AC/DC", "AC-DC"},
        {{"/ -> "}, "AC/DC", "ACDC"},
        {{"+ -> /"}, "a+b", "a_b"},
        {{"  -> _"}, "My Song", "My_Song"},
        {{}, "two\r\nlines", "two__lines"},
        {{"ab -> c"}, "ab", "ab"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EditorFields f;
        f.TitleV2 = c.title;
        EXPECT_EQ(RenameStem("$TITLE", f, c.filters), c.expected);
    }
}

TEST(PadTrackFields, PadsOneCharacterTracksOfBothHalvesWhenSwitchedOn)
{
    struct Case {
        bool pad;
        std::string track, expected;
    };
    const std::vector<Case> cases = {
        {true, "7", "07"}, {true, "12", "12"}, {true, "", ""}, {false, "7", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.track);
        EditorFields f;
        f.PadTrack = c.pad;
        f.Track = f.TrackV2 = c.track;
        PadTrackFields(f);
        EXPECT_EQ(f.Track, c.expected);
        EXPECT_EQ(f.TrackV2, c.expected);
    }
}

TEST(SchemeMacros, HelpTextListsEveryMacroAndDefaultsUseOnlyMacros)
{
    for (const SchemeMacro& macro : SchemeMacros) {
        SCOPED_TRACE(std::string(macro.Name));
        EXPECT_NE(MacroHelpText.find(macro.Name), std::string_view::npos);
    }
    EXPECT_EQ(DefaultSchemes.front(), "$TITLE");
    EXPECT_EQ(DefaultSchemes.back(), "$TRACK-$ARTIST-$TITLE");
    EditorFields empty;
    for (const auto scheme : DefaultSchemes)
        EXPECT_EQ(ExpandRenameSchemeID3v1(std::string(scheme), empty).find('$'), std::string::npos) << scheme;
}

} // namespace
