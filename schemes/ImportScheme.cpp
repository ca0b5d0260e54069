#include "ImportScheme.h"

#include "SchemeMacro.h"
#include "StringOps.h"

namespace {

// The field a macro fills in this import; nullptr when it fills none.
std::string EditorFields::*Target(const SchemeMacro& macro, SchemeColumn column)
{
    if (column == &SchemeMacro::ID3v1Field && !macro.ImportsToID3v1)
        return nullptr;
    return macro.*column;
}

void ApplyImportFilters(EditorFields& fields, SchemeColumn column, const FilterList& filters)
{
    for (const SchemeMacro& macro : SchemeMacros) {
        const auto field = Target(macro, column);
        if (field && macro.Name != "$TRACK")
            fields.*field = ApplyFilters(filters, fields.*field);
    }
}

void Import(EditorFields& fields, const std::string& importScheme, const std::string& fileName,
            const FilterList& filters, SchemeColumn column)
{
    std::string scheme = importScheme;
    std::string name = StripExtension(fileName);
    for (std::size_t pos = FindSchemeMacro(scheme, 0); pos != std::string::npos && !name.empty();
         pos = FindSchemeMacro(scheme, 0)) {
        const SchemeMacro& macro = *MacroAt(scheme, pos);
        if (const auto field = Target(macro, column))
            fields.*field = TakeSchemeField(scheme, name, macro.Name.size(), pos, fields.CapitalizeFirst);
        else
            scheme[pos] = ' '; // leaves the macro's name as plain text that takes nothing from the name
    }
    ApplyImportFilters(fields, column, filters);
}

} // namespace

std::string TakeSchemeField(std::string& scheme, std::string& name, std::size_t macroLength,
                            std::size_t macroPos, bool capitalize)
{
    const std::size_t separatorPos = macroPos + macroLength;
    const bool hasSeparator = separatorPos < scheme.size();
    const std::size_t found = hasSeparator ? name.find(scheme[separatorPos]) : std::string::npos;

    std::string field;
    if (found != std::string::npos && found + 1 < name.size()) {
        field = name.substr(0, found);
        name.erase(0, found + 1);
    } else {
        field = std::move(name);
        name.clear();
    }
    if (capitalize)
        CapitalizeWords(field);
    scheme.erase(0, hasSeparator ? separatorPos + 1 : scheme.size());
    return field;
}

void ImportToID3v1Fields(EditorFields& fields, const std::string& scheme, const std::string& fileName,
                         const FilterList& importFilters)
{
    Import(fields, scheme, fileName, importFilters, &SchemeMacro::ID3v1Field);
}

void ImportToID3v2Fields(EditorFields& fields, const std::string& scheme, const std::string& fileName,
                         const FilterList& importFilters)
{
    Import(fields, scheme, fileName, importFilters, &SchemeMacro::ID3v2Field);
}
