#pragma once

#include <string>

// What the naming schemes read and write of the tag editor: the text of both tag halves and the
// check boxes and quick options they consult. The window copies its controls in and back out; the
// member names are the names of those controls. Texts are ISO-8859-1 bytes.
struct EditorFields {
    // ID3v1 half. Genre is the text of the selected entry of the genre list (empty for the blank
    // entry or none), which is the genre table's name of the selected genre byte.
    std::string Title, Artist, Album, Year, Comment, Track, Genre;

    // ID3v2 half. CommentV2 is the memo's whole text, line breaks included.
    std::string TitleV2, ArtistV2, AlbumV2, YearV2, CommentV2, TrackV2, GenreV2;
    std::string ComposerV2, OrgArtistV2, CopyrightV2, URLV2, EncodedByV2;

    bool ID3v1CB = true;         // ID3v1 editing enabled
    bool ID3v2CB = true;         // ID3v2 editing enabled
    bool CapitalizeFirst = true; // "On import, capitalize first letter(s)"
    bool PadTrack = true;        // "On load, pad track number with zeros"
};
