#include "ImportScheme.h"
#include "NewFileName.h"
#include "RenameScheme.h"
#include "SchemeMacro.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Field = std::string EditorFields::*;
using Expected = std::vector<std::pair<Field, std::string>>;

// More than one character: GCC 12 warns falsely (-Wrestrict) on assigning a one-character literal.
constexpr const char* Untouched = "??";

// A record whose every text shows that no import touched it.
EditorFields MarkedFields(bool capitalize = false)
{
    EditorFields f;
    for (const SchemeMacro& macro : SchemeMacros) {
        if (macro.ID3v1Field)
            f.*macro.ID3v1Field = Untouched;
        f.*macro.ID3v2Field = Untouched;
    }
    f.CapitalizeFirst = capitalize;
    return f;
}

// Compares every text field of the record; fields not listed must still be untouched.
void ExpectFields(const EditorFields& actual, const Expected& changed)
{
    EditorFields expected = MarkedFields();
    for (const auto& [field, text] : changed)
        expected.*field = text;
    for (const SchemeMacro& macro : SchemeMacros) {
        if (macro.ID3v1Field) {
            EXPECT_EQ(actual.*macro.ID3v1Field, expected.*macro.ID3v1Field) << "ID3v1 " << macro.Name;
        }
        EXPECT_EQ(actual.*macro.ID3v2Field, expected.*macro.ID3v2Field) << "ID3v2 " << macro.Name;
    }
}

struct ImportCase {
    std::string scheme, fileName;
    Expected expected;
};

using F = EditorFields;

TEST(ImportToID3v2Fields, TakesEachFieldUpToTheFirstCharacterAfterItsMacroAndLeavesTheRestUntouched)
{
    const std::vector<ImportCase> cases = {
        {"$ARTIST-$TITLE", "Foo-Bar.mp3", {{&F::ArtistV2, "Foo"}, {&F::TitleV2, "Bar"}}},
        {"$ARTIST-$TITLE", "Foo - Bar.mp3", {{&F::ArtistV2, "Foo "}, {&F::TitleV2, " Bar"}}},
        {"$ARTIST - $TITLE", "Foo - Bar.mp3", {{&F::ArtistV2, "Foo"}, {&F::TitleV2, "- Bar"}}},
        {"$TRACK-$ARTIST-$TITLE", "01-Foo-Bar-Baz.mp3",
         {{&F::TrackV2, "01"}, {&F::ArtistV2, "Foo"}, {&F::TitleV2, "Bar-Baz"}}},
        {"($TRACK) $TITLE", "(01) Song.mp3", {{&F::TrackV2, "(01"}, {&F::TitleV2, " Song"}}},
        {"$YEAR - $ALBUM", "1999 - Best Of.mp3", {{&F::YearV2, "1999"}, {&F::AlbumV2, "- Best Of"}}},
        {"$COPYRIGHT-$TITLE", "(c) Foo-Song.mp3", {{&F::CopyrightV2, "(c) Foo"}, {&F::TitleV2, "Song"}}},
        {"$GENRE-$COMPOSER-$ORIGARTIST-$URL-$ENCODEDBY-$COMMENT", "g-c-o-u-e-rest.mp3",
         {{&F::GenreV2, "g"}, {&F::ComposerV2, "c"}, {&F::OrgArtistV2, "o"}, {&F::URLV2, "u"},
          {&F::EncodedByV2, "e"}, {&F::CommentV2, "rest"}}},
        {"$TITLE-$TITLE", "A-B.mp3", {{&F::TitleV2, "B"}}},
        {"$title-$ARTIST", "a-b.mp3", {{&F::ArtistV2, "a-b"}}},
        {"$FOO-$TITLE", "a-b.mp3", {{&F::TitleV2, "a-b"}}},
        // names that do not fit leave the rest untouched
        {"$ARTIST-$TITLE", "NoDash.mp3", {{&F::ArtistV2, "NoDash"}}},
        {"$ARTIST-$TITLE", "Foo-.mp3", {{&F::ArtistV2, "Foo-"}}},   // the last character is never a separator
        {"$ARTIST-$TITLE", "-Bar.mp3", {{&F::ArtistV2, ""}, {&F::TitleV2, "Bar"}}},
        {"$ARTIST-$TITLE", "a.mp3", {{&F::ArtistV2, "a"}}},
        {"$ARTIST-$TITLE", "a", {{&F::ArtistV2, "a"}}},
        {"$ARTIST-$TITLE", ".mp3", {}},
        {"$ARTIST-$TITLE", "", {}},
        {"$ARTIST$TITLE", "Foo-Bar.mp3", {{&F::ArtistV2, "Foo-Bar"}}},
        {"$ARTIST$TITLE", "Foo$Bar.mp3", {{&F::ArtistV2, "Foo"}}},
        {"", "Foo-Bar.mp3", {}},
        {"no macros", "Foo-Bar.mp3", {}},
        {"$", "Foo.mp3", {}},
        {"-$TITLE", "x", {{&F::TitleV2, "x"}}},
        // separators inside fields split at the first one
        {"$ARTIST-$TITLE", "AC-DC-Back in Black.mp3", {{&F::ArtistV2, "AC"}, {&F::TitleV2, "DC-Back in Black"}}},
        {"$TITLE-$ARTIST", "Rock-n-Roll-Band.mp3", {{&F::TitleV2, "Rock"}, {&F::ArtistV2, "n-Roll-Band"}}},
        {"$ARTIST - $TITLE", "Jay-Z - Song.mp3", {{&F::ArtistV2, "Jay-Z"}, {&F::TitleV2, "- Song"}}},
        {"$TRACK.$TITLE", "01.Mr. Jones.mp3", {{&F::TrackV2, "01"}, {&F::TitleV2, "Mr. Jones"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scheme + " <- " + c.fileName);
        EditorFields f = MarkedFields();
        ImportToID3v2Fields(f, c.scheme, c.fileName, {});
        ExpectFields(f, c.expected);
    }
}

TEST(ImportToID3v1Fields, FillsOnlyTheSixID3v1MacrosAndSkipsTheRest)
{
    const std::vector<ImportCase> cases = {
        {"$ARTIST-$TITLE", "Foo-Bar.mp3", {{&F::Artist, "Foo"}, {&F::Title, "Bar"}}},
        {"$GENRE-$TITLE", "Rock-Song.mp3", {{&F::Title, "Rock-Song"}}},
        {"$COMPOSER-$ARTIST-$TITLE", "A-B-C.mp3", {{&F::Artist, "A"}, {&F::Title, "B-C"}}},
        {"$ALBUM-$YEAR-$TRACK-$COMMENT", "L-1999-07-note.mp3",
         {{&F::Album, "L"}, {&F::Year, "1999"}, {&F::Track, "07"}, {&F::Comment, "note"}}},
        {"$URL", "x.mp3", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scheme + " <- " + c.fileName);
        EditorFields f = MarkedFields();
        ImportToID3v1Fields(f, c.scheme, c.fileName, {});
        ExpectFields(f, c.expected);
    }
}

TEST(ImportFilters, CapitalisationComesFirstThenFiltersOnEveryListedFieldButTrack)
{
    EditorFields f = MarkedFields(true);
    ImportToID3v2Fields(f, "$TITLE-$COMMENT", "the_end-live.mp3", {});
    EXPECT_EQ(f.TitleV2, "The_End");
    EXPECT_EQ(f.CommentV2, "Live");

    f = MarkedFields(true);
    ImportToID3v1Fields(f, "$TITLE-$COMMENT", "the_end-live.mp3", {"_ ->  "});
    EXPECT_EQ(f.Title, "The End");
    EXPECT_EQ(f.Comment, "Live");

    // a blank made by a filter starts no word, because capitalisation ran before it
    f = MarkedFields(true);
    ImportToID3v2Fields(f, "$TITLE", "a+b.mp3", {"+ ->  "});
    EXPECT_EQ(f.TitleV2, "A b");

    // every listed field is filtered, filled or not; tracks and the ID3v1 genre never are
    f = MarkedFields();
    f.Album = f.AlbumV2 = f.GenreV2 = f.Genre = "x1y";
    ImportToID3v1Fields(f, "$TRACK-$TITLE", "01-T1.mp3", {"1 -> _"});
    EXPECT_EQ(f.Track, "01");
    EXPECT_EQ(f.Title, "T_");
    EXPECT_EQ(f.Album, "x_y");
    EXPECT_EQ(f.Genre, "x1y");
    EXPECT_EQ(f.AlbumV2, "x1y");

    ImportToID3v2Fields(f, "$TRACK-$TITLE", "01-T1.mp3", {"1 -> _"});
    EXPECT_EQ(f.TrackV2, "01");
    EXPECT_EQ(f.TitleV2, "T_");
    EXPECT_EQ(f.AlbumV2, "x_y");
    EXPECT_EQ(f.GenreV2, "x_y");
}

TEST(ImportScheme, LongSchemesAndNamesAreTakenWhole)
{
    EditorFields f = MarkedFields();
    const std::string longTitle(1000, 't');
    ImportToID3v2Fields(f, std::string(300, ' ') + "$ARTIST-$TITLE", "Foo-" + longTitle + ".mp3", {});
    EXPECT_EQ(f.ArtistV2, "Foo");
    EXPECT_EQ(f.TitleV2, longTitle);

    std::string scheme;
    for (int i = 0; i < 1000; ++i)
        scheme += "$ARTIST-$GENRE-";
    f = MarkedFields();
    ImportToID3v1Fields(f, scheme, "a-b-c.mp3", {});
    EXPECT_EQ(f.Artist, "c");
}

// Random schemes of macros and separators against random names: every field taken is a piece of the name.
TEST(ImportScheme, RandomSchemesNeverReadOutsideTheName)
{
    std::mt19937 random(20240611);
    const std::string pieces[] = {"$TITLE", "$ARTIST", "$GENRE", "$URL", "-", " ", "$", ".", "(", ")"};
    const std::string alphabet = "ab- .()$_";
    for (int round = 0; round < 2000; ++round) {
        std::string scheme, name;
        for (int i = static_cast<int>(random() % 8); i > 0; --i)
            scheme += pieces[random() % std::size(pieces)];
        for (int i = static_cast<int>(random() % 12); i > 0; --i)
            name += alphabet[random() % alphabet.size()];
        EditorFields f = MarkedFields();
        ImportToID3v1Fields(f, scheme, name, {});
        ImportToID3v2Fields(f, scheme, name, {});
        for (const Field field : {&F::Title, &F::Artist, &F::TitleV2, &F::ArtistV2, &F::GenreV2, &F::URLV2}) {
            const std::string& text = f.*field;
            EXPECT_TRUE(text == Untouched || name.find(text) != std::string::npos)
                << "scheme '" << scheme << "' name '" << name << "' gave '" << text << "'";
        }
    }
}

// A file renamed by a default scheme imports back into the fields it was named from.
TEST(RenameThenImport, DefaultSchemesGiveTheFieldsBack)
{
    EditorFields source;
    source.TitleV2 = source.Title = "Come Together";
    source.ArtistV2 = source.Artist = "The Beatles";
    source.AlbumV2 = source.Album = "Abbey Road";
    source.TrackV2 = source.Track = "01";
    for (const auto defaultScheme : DefaultSchemes) {
        const std::string scheme(defaultScheme);
        SCOPED_TRACE(scheme);
        for (const bool v2 : {false, true}) {
            EditorFields named = source;
            named.ID3v1CB = !v2;
            named.ID3v2CB = v2;
            const std::string fileName = NewFileName(RenameStem(scheme, named, {"  -> _"}), "track.mp3");

            EditorFields imported = MarkedFields(true);
            if (v2)
                ImportToID3v2Fields(imported, scheme, fileName, {"_ ->  "});
            else
                ImportToID3v1Fields(imported, scheme, fileName, {"_ ->  "});
            for (const SchemeMacro& macro : SchemeMacros) {
                const Field field = v2 ? macro.ID3v2Field : macro.ID3v1Field;
                if (field && scheme.find(macro.Name) != std::string::npos) {
                    EXPECT_EQ(imported.*field, source.*field) << fileName << " " << macro.Name;
                }
            }
        }
    }
}

TEST(RenameThenImport, SlashInATitleComesBackThroughTheImportFilters)
{
    EditorFields named;
    named.ArtistV2 = "AC/DC";
    named.TitleV2 = "T.N.T.";
    const std::string fileName = NewFileName(RenameStem("$ARTIST-$TITLE", named, {}), "x.mp3");
    EXPECT_EQ(fileName, "AC_DC-T.N.T..mp3");

    EditorFields imported = MarkedFields();
    ImportToID3v2Fields(imported, "$ARTIST-$TITLE", fileName, {"_ -> /"});
    EXPECT_EQ(imported.ArtistV2, "AC/DC");
    EXPECT_EQ(imported.TitleV2, "T.N.T.");
}

} // namespace
