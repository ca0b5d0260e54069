#include "IndependentReaders.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace IndependentReaders {
namespace {

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The ID3v2 tag alone (mutagen would otherwise fill frames missing from it with the ID3v1 fields). Prints the
// major version, then per frame "K", the key, the repr and the text, and per unknown frame "U" and its raw
// bytes; each field hex-encoded so that no text can break a line.
const char* const MutagenID3v2Script = R"(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError
try:
    tag = ID3(sys.argv[1], translate=False, load_v1=False)
except ID3NoHeaderError:
    sys.exit(3)
hx = lambda s: s.encode('utf-8', 'surrogateescape').hex()
print(tag.version[1])
for key in tag.keys():
    print('K', hx(key), hx(repr(tag[key])), hx(str(tag[key])) or '-')
for raw in tag.unknown_frames:
    print('U', raw.hex())
)";

} // namespace

std::optional<ID3v1Fields> TagLibID3v1(const std::filesystem::path& file)
{
    TagLib::MPEG::File mp3(file.c_str(), false);
    if (!mp3.isValid() || !mp3.hasID3v1Tag())
        return std::nullopt;
    const TagLib::ID3v1::Tag* tag = mp3.ID3v1Tag();
    return ID3v1Fields {tag->title().to8Bit(true), tag->artist().to8Bit(true), tag->album().to8Bit(true),
                        tag->year() != 0 ? std::to_string(tag->year()) : std::string(),
                        tag->comment().to8Bit(true), tag->track(), tag->genreNumber()};
}

std::optional<TagLibTag> TagLibID3v2(const std::filesystem::path& file)
{
    TagLib::MPEG::File mp3(file.c_str(), false);
    if (!mp3.isValid() || !mp3.hasID3v2Tag())
        return std::nullopt;
    TagLib::ID3v2::Tag* tag = mp3.ID3v2Tag();
    TagLibTag view {tag->title().to8Bit(true), tag->artist().to8Bit(true), tag->album().to8Bit(true)};
    for (TagLib::ID3v2::Frame* frame : tag->frameList()) {
        const TagLib::ByteVector id = frame->frameID();
        std::string line = std::string(id.data(), id.size()) + ":" + frame->toString().to8Bit(true);
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
    const std::string command =
        "/usr/bin/python3 -c " + ShellQuoted(MutagenID3v2Script) + " " + ShellQuoted(file.string());
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    if (const int status = pclose(pipe); status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    std::istringstream lines(output);
    MutagenTag view;
    lines >> view.Version;
    std::string kind, key, value, text;
    while (lines >> kind) {
        if (kind == "K" && lines >> key >> value >> text) {
            view.Frames[FromHex(key)] = FromHex(value);
            view.Texts[FromHex(key)] = FromHex(text);
        } else if (kind == "U" && lines >> value)
            view.UnknownFrames.push_back(value);
    }
    std::sort(view.UnknownFrames.begin(), view.UnknownFrames.end());
    return view;
}

std::vector<std::string> ChangedFrames(const MutagenTag& before, const MutagenTag& after)
{
    std::vector<std::pair<std::string, std::string>> differing;
    std::ranges::set_symmetric_difference(before.Frames, after.Frames, std::back_inserter(differing));
    std::vector<std::string> changed;
    for (const auto& [key, value] : differing)
        if (changed.empty() || changed.back() != key)
            changed.push_back(key);
    return changed;
}

} // namespace IndependentReaders
