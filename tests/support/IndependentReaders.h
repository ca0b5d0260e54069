#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What other tag readers (TagLib, mutagen) see in a file, to check the engine's writes against programs that share
// no code with it.
namespace IndependentReaders {

// ID3v1 fields as a reader reports them: texts as UTF-8, track 0 for none, genre 255 for none.
// TagLib strips surrounding white space from the texts.
struct ID3v1Fields {
    std::string Title {}, Artist {}, Album {}, Year {}, Comment {};
    unsigned Track = 0;
    unsigned Genre = 255;
    bool operator==(const ID3v1Fields&) const = default;
};

// TagLib's view (TagLib::MPEG::File); nullopt when it finds no ID3v1 tag.
std::optional<ID3v1Fields> TagLibID3v1(const std::filesystem::path& file);

// TagLib's view of the ID3v2 tag. Texts are UTF-8.
struct TagLibTag {
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
    std::map<std::string, std::string> Texts {}; // str() of each frame, UTF-8
    std::vector<std::string> UnknownFrames {};
};
// nullopt when mutagen finds no ID3v2 tag or cannot read the file.
std::optional<MutagenTag> MutagenID3v2(const std::filesystem::path& file);

// The keys whose frames differ between two views (missing from one, or different), sorted.
std::vector<std::string> ChangedFrames(const MutagenTag& before, const MutagenTag& after);

} // namespace IndependentReaders
