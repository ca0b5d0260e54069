#include "RenameScheme.h"

#include "NewFileName.h"
#include "StringOps.h"

namespace {

// Whether a text of the half behind a macro that the scheme names is not empty.
bool NamesFilledText(const std::string& scheme, const MacroTexts& half)
{
    for (std::size_t m = 0; m < MacroCount; ++m)
        if (half[m] && !half[m]->empty() && scheme.find(MacroNames[m]) != std::string::npos)
            return true;
    return false;
}

} // namespace

std::string ExpandRenameScheme(const std::string& scheme, const MacroTexts& half)
{
    std::string text = scheme;
    for (std::size_t m = 0; m < MacroCount; ++m)
        if (half[m])
            ReplaceAllIn(text, std::string(MacroNames[m]), *half[m]);
    return text;
}

std::string ExpandRenameScheme(const std::string& scheme, const RenameTexts& texts)
{
    if (!texts.ID3v2Enabled)
        return ExpandRenameScheme(scheme, texts.ID3v1);
    const bool onlyV1HasText = !NamesFilledText(scheme, texts.ID3v2) && NamesFilledText(scheme, texts.ID3v1);
    if (texts.ID3v1Enabled && onlyV1HasText)
        return ExpandRenameScheme(scheme, texts.ID3v1);
    return ExpandRenameScheme(scheme, texts.ID3v2);
}

std::string RenameStem(const std::string& scheme, const RenameTexts& texts, const FilterList& renameFilters)
{
    return ReplaceUnsafeNameChars(ApplyFilters(renameFilters, ExpandRenameScheme(scheme, texts)));
}
