#include "SchemeMacro.h"

using F = EditorFields;

const std::array<SchemeMacro, 12> SchemeMacros = {{
    {"$TITLE", &F::Title, &F::TitleV2, true},
    {"$ARTIST", &F::Artist, &F::ArtistV2, true},
    {"$ALBUM", &F::Album, &F::AlbumV2, true},
    {"$COMMENT", &F::Comment, &F::CommentV2, true},
    {"$YEAR", &F::Year, &F::YearV2, true},
    {"$GENRE", &F::Genre, &F::GenreV2, false},
    {"$TRACK", &F::Track, &F::TrackV2, true},
    {"$COMPOSER", nullptr, &F::ComposerV2, false},
    {"$ORIGARTIST", nullptr, &F::OrgArtistV2, false},
    {"$COPYRIGHT", nullptr, &F::CopyrightV2, false},
    {"$URL", nullptr, &F::URLV2, false},
    {"$ENCODEDBY", nullptr, &F::EncodedByV2, false},
}};

const std::array<std::string_view, 10> DefaultSchemes = {
    "$TITLE",
    "$ARTIST-$TITLE",
    "$ALBUM-$TITLE",
    "$ALBUM-$TRACK-$TITLE",
    "$ALBUM-$TRACK-$ARTIST-$TITLE",
    "$ARTIST-$TRACK-$TITLE",
    "$ARTIST-$ALBUM-$TRACK-$TITLE",
    "$TRACK-$TITLE",
    "$TRACK-$ALBUM-$TITLE",
    "$TRACK-$ARTIST-$TITLE",
};

const SchemeMacro* MacroAt(const std::string& scheme, std::size_t pos)
{
    if (pos >= scheme.size())
        return nullptr;
    for (const SchemeMacro& macro : SchemeMacros)
        if (scheme.compare(pos, macro.Name.size(), macro.Name) == 0)
            return &macro;
    return nullptr;
}

std::size_t FindSchemeMacro(const std::string& scheme, std::size_t start)
{
    for (std::size_t pos = scheme.find('$', start); pos != std::string::npos; pos = scheme.find('$', pos + 1))
        if (MacroAt(scheme, pos))
            return pos;
    return std::string::npos;
}
