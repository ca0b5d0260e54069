#include "NewFileName.h"

#include "Characters.h"
#include "StringOps.h"

#include <algorithm>

namespace {

bool IsUnsafeNameChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || byte < 0x20 || byte == 0x7F;
}

// ".mp" and the last character for an MP3 name, so ".mp2" stays ".mp2" and ".MP3" becomes ".mp3"; any other
// name keeps what follows its last full stop, or nothing.
std::string NewExtension(const std::string& oldName)
{
    const auto dot = oldName.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {};
    std::string extension = oldName.substr(dot);
    const bool isMP3Name = CharacterCount(extension) == 4 && (extension[1] == 'm' || extension[1] == 'M')
        && (extension[2] == 'p' || extension[2] == 'P');
    if (isMP3Name)
        extension.replace(1, 2, "mp");
    return ReplaceUnsafeNameChars(extension);
}

bool MakesNoName(const std::string& base)
{
    return base.find_first_not_of(" .") == std::string::npos;
}

} // namespace

std::string ReplaceUnsafeNameChars(const std::string& text)
{
    std::string safe = text;
    for (char& c : safe)
        if (IsUnsafeNameChar(c))
            c = '_';
    return safe;
}

std::optional<std::string> NewFileName(const std::string& stem, const std::string& oldName)
{
    const std::string extension = NewExtension(oldName);
    if (extension.size() >= MaxFileNameBytes)
        return std::nullopt;
    std::string base = StripExtension(ReplaceUnsafeNameChars(stem));
    if (MakesNoName(base))
        return std::nullopt;
    std::replace(base.begin(), base.begin() + static_cast<std::ptrdiff_t>(base.find_first_not_of('.')), '.', '_');
    return base.substr(0, FittingLength(base, MaxFileNameBytes - extension.size())) + extension;
}

std::string RefusedFileName(const std::string& stem, const std::string& oldName)
{
    return StripExtension(stem) + NewExtension(oldName);
}
