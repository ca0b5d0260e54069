#pragma once

// Small MP3 files of given tags, and what another reader sees in them.
#include "ID3v2Bytes.h"
#include "IndependentReaders.h"
#include "Mp3Fixture.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// An MP3 file of twenty frames with the tags given; ID3v2 frames are text frames of encoding 0.
struct TestSong {
    std::optional<Mp3Fixture::ID3v1Fields> V1 {};
    std::vector<std::pair<std::string, std::string>> V2 {};
    std::uint8_t Version = 3;

    Bytes Content() const
    {
        Bytes frames;
        for (const auto& [id, text] : V2)
            frames = Concat({frames, ID3v2Bytes::Frame(id, ID3v2Bytes::TextBody(text), Version)});
        return Concat({V2.empty() ? Bytes() : ID3v2Bytes::Tag(Version, frames, 64), Mp3Fixture::Frames(20),
                       V1 ? Mp3Fixture::ID3v1Record(*V1) : Bytes()});
    }
};

// What TagLib sees: the ID3v1 title/artist/album/comment/track/genre, then the ID3v2 frames.
inline std::string TagsSeen(const std::filesystem::path& path)
{
    if (!std::filesystem::exists(path))
        return "gone";
    std::string seen = "v1:";
    if (const auto v1 = IndependentReaders::TagLibID3v1(path))
        seen += v1->Title + "/" + v1->Artist + "/" + v1->Album + "/" + v1->Comment + "/" + std::to_string(v1->Track)
                + "/" + std::to_string(v1->Genre);
    seen += " v2:";
    if (const auto v2 = IndependentReaders::TagLibID3v2(path))
        for (const std::string& frame : v2->Frames)
            seen += frame + ";";
    return seen;
}

