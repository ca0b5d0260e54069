#pragma once

#include <string>
#include <string_view>

// The masks of the file picker and the directory scan. A mask is "*." and an extension in which "?"
// stands for any one character; letter case never matters, as users of these masks expect from the
// desktop's own file dialogs. "*.*" matches every name.
inline constexpr std::string_view MP3Mask = "*.MP?";

// The name of an MPEG audio file under "*.MP?": .mp1, .mp2, .mp3, .mpa and the like, but never .mp4,
// an MP4 container that a tag written in front of it would damage.
bool MatchesFileMask(const std::string& name, std::string_view mask);
