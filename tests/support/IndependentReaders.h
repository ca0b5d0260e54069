#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What other tag readers see in a file, to check the engine's writes against programs that share no code with it.
namespace IndependentReaders {

// ID3v1 fields as a reader reports them: texts as Latin-1 bytes, track 0 for none, genre 255 for none.
// Both readers strip surrounding white space from the texts.
struct ID3v1Fields {
    std::string Title {}, Artist {}, Album {}, Year {}, Comment {};
    unsigned Track = 0;
    unsigned Genre = 255;
    bool operator==(const ID3v1Fields&) const = default;
};

// TagLib's view (TagLib::MPEG::File); nullopt when it finds no ID3v1 tag.
std::optional<ID3v1Fields> TagLibID3v1(const std::filesystem::path& file);
// mutagen's view (mutagen.id3.ID3 reading the ID3v1 tag of a file without ID3v2 tag); nullopt when it finds none.
std::optional<ID3v1Fields> MutagenID3v1(const std::filesystem::path& file);

// Runs /usr/bin/python3 -c script with the arguments; its standard output, nullopt when it did not exit with 0.
std::optional<std::string> RunPython(const std::string& script, const std::vector<std::string>& args);

} // namespace IndependentReaders
