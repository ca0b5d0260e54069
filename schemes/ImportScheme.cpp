#include "ImportScheme.h"

#include "Characters.h"
#include "StringOps.h"
#include "TextCase.h"

namespace {

void ApplyImportFilters(MacroTexts& half, const FilterList& filters)
{
    for (std::size_t m = 0; m < MacroCount; ++m)
        if (half[m] && static_cast<Macro>(m) != Macro::Track)
            *half[m] = ApplyFilters(filters, *half[m]);
}

} // namespace

std::string TakeSchemeField(std::string& scheme, std::string& name, std::size_t macroLength,
                            std::size_t macroPos, bool capitalize)
{
    const std::size_t separatorPos = macroPos + macroLength;
    const std::string separator = scheme.substr(separatorPos, CharacterLength(scheme, separatorPos));
    const std::size_t found = separator.empty() ? std::string::npos : name.find(separator);

    std::string field;
    if (found != std::string::npos && found + separator.size() < name.size()) {
        field = name.substr(0, found);
        name.erase(0, found + separator.size());
    } else {
        field = std::move(name);
        name.clear();
    }
    if (capitalize)
        CapitalizeWords(field);
    scheme.erase(0, separator.empty() ? scheme.size() : separatorPos + separator.size());
    return field;
}

void ImportFromName(MacroTexts& half, const std::string& importScheme, const std::string& fileName,
                    const FilterList& importFilters, bool capitalize)
{
    std::string scheme = importScheme;
    std::string name = StripExtension(fileName);
    for (std::size_t pos = FindSchemeMacro(scheme, 0); pos != std::string::npos && !name.empty();
         pos = FindSchemeMacro(scheme, 0)) {
        const Macro macro = *MacroAt(scheme, pos);
        std::optional<std::string>& text = half[static_cast<std::size_t>(macro)];
        if (text)
            text = TakeSchemeField(scheme, name, MacroName(macro).size(), pos, capitalize);
        else
            scheme[pos] = ' '; // leaves the macro's name as plain text that takes nothing from the name
    }
    ApplyImportFilters(half, importFilters);
}
