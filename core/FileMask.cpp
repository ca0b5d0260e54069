#include "FileMask.h"

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool MatchesExtension(std::string_view extension, std::string_view pattern)
{
    if (extension.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (pattern[i] != '?' && Upper(extension[i]) != Upper(pattern[i]))
            return false;
    return true;
}

} // namespace

bool MatchesFileMask(const std::string& name, std::string_view mask)
{
    if (mask == "*.*")
        return true;
    const std::string_view pattern = mask.substr(1); // ".MP?"
    if (name.size() < pattern.size())
        return false;
    const std::string_view extension = std::string_view(name).substr(name.size() - pattern.size());
    if (!MatchesExtension(extension, pattern))
        return false;
    return mask != MP3Mask || extension.back() != '4';
}
