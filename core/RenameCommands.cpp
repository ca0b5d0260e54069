#include "RenameCommands.h"

#include "RenameScheme.h"
#include "ShownText.h"
#include "StringOps.h"
#include "TextTrim.h"

namespace {

MacroTexts HalfTexts(const FileTags& tags, TagVersion version, bool padTrack)
{
    MacroTexts texts {};
    for (const FieldInfo& info : Fields(version))
        texts[static_cast<std::size_t>(*info.SchemeMacro)] = Trimmed(ShownText(tags, info.Id, padTrack));
    return texts;
}

} // namespace

FileTags TagsForRename(const std::string& path, const std::string& nameText, bool ignoreTags,
                       const std::optional<ImportSettings>& import, TagVersions versions)
{
    FileTags tags = ignoreTags ? FileTags() : FileTags(path);
    if (!tags.Readable() || !import)
        return tags;
    for (const auto& [version, enabled] : {std::pair {TagVersion::ID3v1, versions.ID3v1}, {TagVersion::ID3v2, versions.ID3v2}})
        if ((ignoreTags && enabled) || !tags.Has(version)) {
            tags.Clear(version);
            ImportHalfFromName(tags, version, nameText, *import);
        }
    return tags;
}

void TrimForRename(FileTags& tags, bool padTrack)
{
    for (const TagVersion version : {TagVersion::ID3v1, TagVersion::ID3v2})
        tags.TrimEdits(version);
    for (const Field track : {Field::Track, Field::TrackV2})
        if (padTrack && tags.Edited(track))
            tags.Edit(track, PadTrackNumber(tags.Text(track)));
}

std::string RenameStem(const FileTags& tags, const RenameSettings& settings)
{
    const RenameTexts texts {HalfTexts(tags, TagVersion::ID3v1, settings.PadTrack),
                             HalfTexts(tags, TagVersion::ID3v2, settings.PadTrack), settings.Versions.ID3v1,
                             settings.Versions.ID3v2};
    return RenameStem(settings.Scheme, texts, settings.Filters);
}

RenameResult RenameFile(const std::string& directory, const std::string& oldName, const std::string& newName)
{
    if (newName == oldName)
        return RenameResult::Renamed;
    return RenameWithoutReplacing(directory + oldName, directory + newName);
}
