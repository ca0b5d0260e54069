#include "IndependentReaders.h"

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include <taglib/id3v1tag.h>
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

std::string Latin1(const TagLib::String& text)
{
    return text.to8Bit(false);
}

// Prints "0" when the file has no tag, else "1" and one hex-encoded Latin-1 line per field. Untranslated, the
// genre stays the number the file holds.
const char* const MutagenID3v1Script = R"(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError
try:
    tag = ID3(sys.argv[1], translate=False)
except ID3NoHeaderError:
    print(0)
    sys.exit(0)
def text(key):
    frames = tag.getall(key)
    return str(frames[0].text[0]) if frames and frames[0].text else ''
print(1)
for key in ('TIT2', 'TPE1', 'TALB', 'TDRC', 'COMM', 'TRCK', 'TCON'):
    print(text(key).encode('latin1').hex())
)";

} // namespace

std::optional<ID3v1Fields> TagLibID3v1(const std::filesystem::path& file)
{
    TagLib::MPEG::File mp3(file.c_str(), false);
    if (!mp3.isValid() || !mp3.hasID3v1Tag())
        return std::nullopt;
    const TagLib::ID3v1::Tag* tag = mp3.ID3v1Tag();
    ID3v1Fields fields;
    fields.Title = Latin1(tag->title());
    fields.Artist = Latin1(tag->artist());
    fields.Album = Latin1(tag->album());
    fields.Year = tag->year() != 0 ? std::to_string(tag->year()) : std::string();
    fields.Comment = Latin1(tag->comment());
    fields.Track = tag->track();
    fields.Genre = tag->genreNumber();
    return fields;
}

std::optional<ID3v1Fields> MutagenID3v1(const std::filesystem::path& file)
{
    const auto output = RunPython(MutagenID3v1Script, {file.string()});
    if (!output)
        return std::nullopt;
    std::istringstream lines(*output);
    std::string present;
    std::getline(lines, present);
    if (present != "1")
        return std::nullopt;
    std::string values[7];
    for (auto& value : values) {
        std::getline(lines, value);
        value = FromHex(value);
    }
    ID3v1Fields fields {values[0], values[1], values[2], values[3], values[4]};
    fields.Track = values[5].empty() ? 0 : static_cast<unsigned>(std::stoul(values[5]));
    fields.Genre = values[6].empty() ? 255 : static_cast<unsigned>(std::stoul(values[6]));
    return fields;
}

std::optional<std::string> RunPython(const std::string& script, const std::vector<std::string>& args)
{
    std::string command = "/usr/bin/python3 -c " + ShellQuoted(script);
    for (const auto& arg : args)
        command += " " + ShellQuoted(arg);
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    const int status = pclose(pipe);
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output;
}

} // namespace IndependentReaders
