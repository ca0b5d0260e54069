#pragma once

#include <string>

// Text operations shared by the naming schemes. Texts are ISO-8859-1 bytes; every comparison is an
// exact byte comparison.

// Every occurrence of from replaced by to; a to of '\0' deletes them.
void ReplaceChar(std::string& text, char from, char to);

// Every occurrence replaced in one pass from left to right; inserted text is never searched again,
// so a replacement that contains the search text cannot loop.
std::string ReplaceAll(const std::string& text, const std::string& search, const std::string& replacement);
void ReplaceAllIn(std::string& text, const std::string& search, const std::string& replacement);

// Upper-cases a Latin-1 letter (a-z and the accented small letters, e.g. 0xE0 to 0xC0); every other
// byte, including the small letters without a capital in Latin-1 (sharp s, y with diaeresis), is returned as it is.
char ToUpperLatin1(char c);

// Upper-cases the first character and every character that follows one of " .(-_\"". Never lower-cases.
void CapitalizeWords(std::string& text);

// Removes a trailing full stop and three characters ("Song.mp3" -> "Song", "Vol.123" -> "Vol").
std::string StripExtension(const std::string& fileName);

// The rename rule: a track text of exactly one character gets a "0" in front.
std::string PadTrackNumber(const std::string& track);
// The editor's rule for a shown track: a single digit from 1 to 9 gets a "0" in front.
std::string PadShownTrack(const std::string& track);
