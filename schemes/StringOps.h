#pragma once

#include <string>

// Text operations shared by the naming schemes. Texts are UTF-8; every comparison is an exact byte
// comparison.

// Every occurrence replaced in one pass from left to right; inserted text is never searched again,
// so a replacement that contains the search text cannot loop.
std::string ReplaceAll(const std::string& text, const std::string& search, const std::string& replacement);
void ReplaceAllIn(std::string& text, const std::string& search, const std::string& replacement);

// Removes a trailing full stop and three characters ("Song.mp3" -> "Song", "Vol.123" -> "Vol", "Ария.мп3" ->
// "Ария").
std::string StripExtension(const std::string& fileName);

// The rename rule: a track text of exactly one character gets a "0" in front.
std::string PadTrackNumber(const std::string& track);
// The editor's rule for a shown track: a single digit from 1 to 9 gets a "0" in front.
std::string PadShownTrack(const std::string& track);
