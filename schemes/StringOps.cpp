#include "StringOps.h"

#include "Characters.h"

std::string ReplaceAll(const std::string& text, const std::string& search, const std::string& replacement)
{
    if (search.empty())
        return text;
    std::string result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t at = text.find(search); at != std::string::npos; at = text.find(search, done)) {
        result.append(text, done, at - done);
        result += replacement;
        done = at + search.size();
    }
    result.append(text, done);
    return result;
}

void ReplaceAllIn(std::string& text, const std::string& search, const std::string& replacement)
{
    text = ReplaceAll(text, search, replacement);
}

std::string StripExtension(const std::string& fileName)
{
    const std::size_t dot = LastCharactersStart(fileName, 4);
    if (dot != std::string::npos && fileName[dot] == '.')
        return fileName.substr(0, dot);
    return fileName;
}

std::string PadTrackNumber(const std::string& track)
{
    return CharacterCount(track) == 1 ? "0" + track : track;
}

std::string PadShownTrack(const std::string& track)
{
    const bool singleDigit = track.size() == 1 && track[0] >= '1' && track[0] <= '9';
    return singleDigit ? "0" + track : track;
}
