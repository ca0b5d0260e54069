#include "StringOps.h"

#include <algorithm>
#include <string_view>

void ReplaceChar(std::string& text, char from, char to)
{
    if (to == '\0')
        std::erase(text, from);
    else
        std::replace(text.begin(), text.end(), from, to);
}

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

char ToUpperLatin1(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    const bool asciiSmall = byte >= 'a' && byte <= 'z';
    const bool accentedSmall = byte >= 0xE0 && byte <= 0xFE && byte != 0xF7; // 0xF7 is the division sign
    return asciiSmall || accentedSmall ? static_cast<char>(byte - 0x20) : c;
}

void CapitalizeWords(std::string& text)
{
    constexpr std::string_view wordStarts = " .(-_\"";
    if (text.empty())
        return;
    text[0] = ToUpperLatin1(text[0]);
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (wordStarts.find(text[i]) != std::string_view::npos)
            text[i + 1] = ToUpperLatin1(text[i + 1]);
}

std::string StripExtension(const std::string& fileName)
{
    const std::size_t n = fileName.size();
    if (n >= 4 && fileName[n - 4] == '.')
        return fileName.substr(0, n - 4);
    return fileName;
}

std::string PadTrackNumber(const std::string& track)
{
    return track.size() == 1 ? "0" + track : track;
}

std::string PadShownTrack(const std::string& track)
{
    const bool singleDigit = track.size() == 1 && track[0] >= '1' && track[0] <= '9';
    return singleDigit ? "0" + track : track;
}
