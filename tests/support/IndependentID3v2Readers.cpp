#include "IndependentID3v2Readers.h"

#include "IndependentReaders.h"

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace IndependentID3v2Readers {
namespace {

std::string UTF8(const TagLib::String& text)
{
    return text.to8Bit(true);
}

// Prints the major version, then per frame "K", the key and the repr, and per unknown frame "U" and its raw
// bytes; each field hex-encoded so that no text can break a line.
const char* const MutagenScript = R"(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError
try:
    tag = ID3(sys.argv[1], translate=False)
except ID3NoHeaderError:
    sys.exit(3)
hx = lambda s: s.encode('utf-8', 'surrogateescape').hex()
print(tag.version[1])
for key in tag.keys():
    print('K', hx(key), hx(repr(tag[key])))
for raw in tag.unknown_frames:
    print('U', raw.hex())
)";

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

} // namespace

std::optional<TagLibTag> TagLibID3v2(const std::filesystem::path& file)
{
    TagLib::MPEG::File mp3(file.c_str(), false);
    if (!mp3.isValid() || !mp3.hasID3v2Tag())
        return std::nullopt;
    TagLib::ID3v2::Tag* tag = mp3.ID3v2Tag();
    TagLibTag view;
    view.Version = tag->header()->majorVersion();
    view.Title = UTF8(tag->title());
    view.Artist = UTF8(tag->artist());
    view.Album = UTF8(tag->album());
    for (TagLib::ID3v2::Frame* frame : tag->frameList()) {
        const TagLib::ByteVector id = frame->frameID();
        std::string line = std::string(id.data(), id.size()) + ":" + UTF8(frame->toString());
        if (auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame)) {
            const TagLib::ByteVector data = picture->picture();
            line += ":" + std::to_string(std::hash<std::string>{}(std::string(data.data(), data.size())));
        }
        view.Frames.push_back(line);
    }
    std::sort(view.Frames.begin(), view.Frames.end());
    return view;
}

std::optional<MutagenTag> MutagenID3v2(const std::filesystem::path& file)
{
    const std::optional<std::string> output = IndependentReaders::RunPython(MutagenScript, {file.string()});
    if (!output)
        return std::nullopt;
    std::istringstream lines(*output);
    MutagenTag view;
    lines >> view.Version;
    std::string kind, key, value;
    while (lines >> kind) {
        if (kind == "K" && lines >> key >> value)
            view.Frames[FromHex(key)] = FromHex(value);
        else if (kind == "U" && lines >> value)
            view.UnknownFrames.push_back(value);
    }
    std::sort(view.UnknownFrames.begin(), view.UnknownFrames.end());
    return view;
}

std::vector<std::string> ChangedFrames(const MutagenTag& before, const MutagenTag& after)
{
    std::set<std::string> keys;
    for (const auto& [key, value] : before.Frames)
        keys.insert(key);
    for (const auto& [key, value] : after.Frames)
        keys.insert(key);
    std::vector<std::string> changed;
    for (const std::string& key : keys) {
        const auto a = before.Frames.find(key);
        const auto b = after.Frames.find(key);
        if (a == before.Frames.end() || b == after.Frames.end() || a->second != b->second)
            changed.push_back(key);
    }
    return changed;
}

} // namespace IndependentID3v2Readers
