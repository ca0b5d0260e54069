#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What TagLib and mutagen see of a file's ID3v2 tag, to check the engine's writes against programs that share no
// code with it.
namespace IndependentID3v2Readers {

// TagLib's view (TagLib::MPEG::File). Texts are UTF-8.
struct TagLibTag {
    unsigned Version = 0;
    std::string Title {}, Artist {}, Album {};
    // One line per frame, sorted: "ID:text", and for pictures ":" and a digest of the image bytes.
    std::vector<std::string> Frames {};
};
// nullopt when TagLib finds no ID3v2 tag.
std::optional<TagLibTag> TagLibID3v2(const std::filesystem::path& file);

// mutagen's view (mutagen.id3.ID3 without translation to version 2.4): the version, each frame's key with its
// repr (which holds every field, picture bytes included), and unknown frames by their raw bytes as hex.
struct MutagenTag {
    unsigned Version = 0;
    std::map<std::string, std::string> Frames {};
    std::vector<std::string> UnknownFrames {};
};
// nullopt when mutagen finds no ID3v2 tag or cannot read the file.
std::optional<MutagenTag> MutagenID3v2(const std::filesystem::path& file);

// The keys whose frames differ between two views (missing from one, or different), sorted.
std::vector<std::string> ChangedFrames(const MutagenTag& before, const MutagenTag& after);

} // namespace IndependentID3v2Readers
