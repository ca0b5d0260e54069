#include "RenameScheme.h"

#include "NewFileName.h"
#include "SchemeMacro.h"
#include "StringOps.h"

namespace {

std::string Expand(const std::string& scheme, const EditorFields& fields, SchemeColumn column)
{
    std::string text = scheme;
    for (const SchemeMacro& macro : SchemeMacros)
        if (const auto field = macro.*column)
            ReplaceAllIn(text, std::string(macro.Name), fields.*field);
    return text;
}

// Whether a field of the column behind a macro that the scheme names holds text.
bool NamesFilledField(const std::string& scheme, const EditorFields& fields, SchemeColumn column)
{
    for (const SchemeMacro& macro : SchemeMacros) {
        const auto field = macro.*column;
        if (field && !(fields.*field).empty() && scheme.find(macro.Name) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

std::string ExpandRenameSchemeID3v1(const std::string& scheme, const EditorFields& fields)
{
    return Expand(scheme, fields, &SchemeMacro::ID3v1Field);
}

std::string ExpandRenameSchemeID3v2(const std::string& scheme, const EditorFields& fields)
{
    return Expand(scheme, fields, &SchemeMacro::ID3v2Field);
}

std::string ExpandRenameScheme(const std::string& scheme, const EditorFields& fields)
{
    if (!fields.ID3v2CB)
        return ExpandRenameSchemeID3v1(scheme, fields);
    const bool onlyV1HasText = !NamesFilledField(scheme, fields, &SchemeMacro::ID3v2Field)
        && NamesFilledField(scheme, fields, &SchemeMacro::ID3v1Field);
    if (fields.ID3v1CB && onlyV1HasText)
        return ExpandRenameSchemeID3v1(scheme, fields);
    return ExpandRenameSchemeID3v2(scheme, fields);
}

std::string RenameStem(const std::string& scheme, const EditorFields& fields, const FilterList& renameFilters)
{
    return ReplaceUnsafeNameChars(ApplyFilters(renameFilters, ExpandRenameScheme(scheme, fields)));
}

void PadTrackFields(EditorFields& fields)
{
    if (!fields.PadTrack)
        return;
    fields.Track = PadTrackNumber(fields.Track);
    fields.TrackV2 = PadTrackNumber(fields.TrackV2);
}
