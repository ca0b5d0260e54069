#include "TagCommands.h"

#include "Characters.h"
#include "GenreTable.h"
#include "ID3v1FromID3v2.h"
#include "ImportScheme.h"
#include "KeptModificationTime.h"
#include "ShownText.h"
#include "TMP3File.h"
#include "TextTrim.h"

namespace {

using enum TagVersion;

WriteResult Unreadable(TagVersions versions)
{
    return {.Readable = false, .ID3v1Failed = versions.ID3v1, .ID3v2Failed = versions.ID3v2};
}

// The edited fields over the record the engine read; a field never edited keeps its bytes, and a tag in which
// nothing changes is not written at all.
bool WriteID3v1(TMP3File& engine, const FileTags& tags)
{
    const ID3v1Values read = ReadID3v1Values(engine);
    ID3v1Values values = read;
    for (const FieldInfo& info : Fields(ID3v1))
        if (tags.Edited(info.Id))
            values.*info.ID3v1Slot = Trimmed(tags.Text(info.Id));
    if (engine.HasID3v1() && values == read)
        return true;
    StoreID3v1Values(engine, values);
    return engine.WriteID3v1Tag();
}

// The edited fields over the whole tag the engine read, so that every frame the editor does not show is kept.
bool WriteID3v2(TMP3File& engine, const FileTags& tags)
{
    bool changed = false;
    for (const FieldInfo& info : Fields(ID3v2))
        if (tags.Edited(info.Id) && tags.Text(info.Id) != (engine.*info.Get)()) {
            (engine.*info.Set)(tags.Text(info.Id));
            changed = true;
        }
    // Nothing changed, or empty fields in a file without a tag: nothing to write, and no rewrite of the file.
    if (engine.HasID3v2() ? !changed : engine.GetID3v2Frames().IsEmpty())
        return true;
    return engine.WriteID3v2Tag();
}

// One version written; the row is taken after each write that succeeded, while the engine holds what the file holds.
bool Write(TMP3File& engine, const FileTags& tags, TagVersion version, WriteResult& result)
{
    const bool written = version == ID3v1 ? WriteID3v1(engine, tags) : WriteID3v2(engine, tags);
    (version == ID3v1 ? result.ID3v1Failed : result.ID3v2Failed) = !written;
    if (written)
        result.Row = TagStateOf(engine);
    return written;
}

bool HasTag(TMP3File& engine, TagVersion version)
{
    return version == ID3v1 ? engine.HasID3v1() : engine.HasID3v2();
}

std::vector<TagVersion> Enabled(TagVersions versions)
{
    std::vector<TagVersion> enabled;
    if (versions.ID3v1)
        enabled.push_back(ID3v1);
    if (versions.ID3v2)
        enabled.push_back(ID3v2);
    return enabled;
}

// The engine's empty ID3v1 record filled from the ID3v2 tag it read; the setters cut each text to its field.
void TakeID3v1FromID3v2(TMP3File& engine)
{
    engine.SetID3v1Title(engine.GetID3v2Title());
    engine.SetID3v1Artist(engine.GetID3v2Artist());
    engine.SetID3v1Album(engine.GetID3v2Album());
    engine.SetID3v1Year(engine.GetID3v2Year());
    engine.SetID3v1Track(ID3v1TrackFromID3v2(engine.GetID3v2Track()));
    engine.SetID3v1Genre(ID3v1GenreFromID3v2(engine.GetID3v2Genre()));
    // After the track, which takes the comment's last two bytes.
    engine.SetID3v1Comment(OneLineComment(engine.GetID3v2Comment()));
}

// Frames from the engine's ID3v1 record; an empty text, and genre 255, make no frame.
void TakeID3v2FromID3v1(TMP3File& engine)
{
    engine.SetID3v2Title(engine.GetID3v1Title());
    engine.SetID3v2Artist(engine.GetID3v1Artist());
    engine.SetID3v2Album(engine.GetID3v1Album());
    engine.SetID3v2Year(engine.GetID3v1Year());
    if (const std::uint8_t track = engine.GetID3v1Track())
        engine.SetID3v2TrackNumber(track);
    engine.SetID3v2Genre(engine.GenreName());
    engine.SetID3v2Comment(engine.GetID3v1Comment());
}

// The field of the other tag version behind the same macro.
const FieldInfo& Twin(const FieldInfo& field)
{
    const TagVersion other = field.Version == ID3v1 ? ID3v2 : ID3v1;
    for (const FieldInfo& info : Fields(other))
        if (info.SchemeMacro == field.SchemeMacro)
            return info;
    return field;
}

// An ID3v2 text as the ID3v1 field takes it: a track's leading number, a genre's number by its name, a comment on
// one line, each cut to the field's width.
std::string ID3v1Text(Field field, const std::string& text)
{
    std::string converted = text;
    if (field == Field::Track) {
        const std::uint8_t track = ID3v1TrackFromID3v2(text);
        converted = track ? std::to_string(track) : std::string();
    } else if (field == Field::Genre) {
        converted = std::to_string(GenreTable::Index(text));
    } else if (field == Field::Comment) {
        converted = OneLineComment(text);
    }
    if (field == Field::Genre)
        return converted;
    return converted.substr(0, FirstCharactersLength(converted, static_cast<std::size_t>(Info(field).TypingLimit)));
}

} // namespace

WriteResult SaveTags(const std::string& path, const FileTags& tags, TagVersions versions, WriteOptions options)
{
    const KeptModificationTime kept(path, options.KeepModificationTime);
    TMP3File engine(path);
    if (!engine.ReadTags())
        return Unreadable(versions);
    WriteResult result;
    for (const TagVersion version : Enabled(versions))
        Write(engine, tags, version, result);
    return result;
}

WriteResult SaveTagsFromName(const std::string& path, const std::string& nameText, const ImportSettings& import,
                             TagVersions versions, bool ignoreTags, WriteOptions options)
{
    const KeptModificationTime kept(path, options.KeepModificationTime);
    TMP3File engine(path);
    // A file that vanished costs one message, not one per tag.
    if (!engine.ReadTags())
        return {.Readable = false};
    // Only the fields the import gives are written, so the texts the file holds need not be taken.
    FileTags tags;
    WriteResult result;
    for (const TagVersion version : Enabled(versions)) {
        if (HasTag(engine, version) && !ignoreTags)
            continue;
        tags.Clear(version);
        ImportHalfFromName(tags, version, nameText, import);
        if (!Write(engine, tags, version, result))
            break;
    }
    return result;
}

WriteResult DeleteTags(const std::string& path, TagVersions versions, WriteOptions options)
{
    const KeptModificationTime kept(path, options.KeepModificationTime);
    TMP3File engine(path);
    // Read whole, so that the row shows the title of a tag that stays.
    if (!engine.ReadTags())
        return {.Readable = false};
    WriteResult result;
    result.ID3v1Failed = versions.ID3v1 && !engine.DeleteID3v1();
    result.ID3v2Failed = versions.ID3v2 && !engine.DeleteID3v2();
    result.Row = TagStateOf(engine);
    return result;
}

WriteResult ApplyField(const std::string& path, Field field, const std::string& value,
                       const std::optional<ImportSettings>& import, const std::string& nameText,
                       WriteOptions options)
{
    const KeptModificationTime kept(path, options.KeepModificationTime);
    TMP3File engine(path);
    if (!engine.ReadTags())
        return {.Readable = false};
    const TagVersion version = Info(field).Version;
    // The one field is written over what the file holds; a new tag takes the fields of the name besides.
    FileTags tags;
    if (!HasTag(engine, version) && import)
        ImportHalfFromName(tags, version, nameText, *import);
    tags.Edit(field, value);
    WriteResult result;
    Write(engine, tags, version, result);
    return result;
}

WriteResult CreateID3v1FromID3v2(const std::string& path, WriteOptions options)
{
    const KeptModificationTime kept(path, options.KeepModificationTime);
    TMP3File engine(path);
    // Asked of the file itself: the list's flags may be older than the file.
    if (!engine.ReadID3v1() || !engine.ReadID3v2Header())
        return {.Readable = false};
    WriteResult result;
    if (engine.HasID3v1() || !engine.HasID3v2())
        return result;
    if (!engine.ReadID3v2()) {
        result.ID3v1Failed = true;
        return result;
    }
    TakeID3v1FromID3v2(engine);
    result.ID3v1Failed = !engine.WriteID3v1Tag();
    if (!result.ID3v1Failed)
        result.Row = TagStateOf(engine);
    return result;
}

WriteResult CreateID3v2FromID3v1(const std::string& path, WriteOptions options)
{
    const KeptModificationTime kept(path, options.KeepModificationTime);
    TMP3File engine(path);
    if (!engine.ReadID3v1() || !engine.ReadID3v2Header())
        return {.Readable = false};
    WriteResult result;
    if (!engine.HasID3v1() || engine.HasID3v2())
        return result;
    TakeID3v2FromID3v1(engine);
    // An ID3v1 tag of empty fields gives no frame, and an empty tag is not worth rewriting the file for.
    if (engine.GetID3v2Frames().IsEmpty())
        return result;
    result.ID3v2Failed = !engine.WriteID3v2Tag();
    if (!result.ID3v2Failed)
        result.Row = TagStateOf(engine);
    return result;
}

void ImportHalfFromName(FileTags& tags, TagVersion version, const std::string& nameText, const ImportSettings& import)
{
    MacroTexts texts {};
    for (const FieldInfo& info : Fields(version))
        if (info.Imported)
            texts[static_cast<std::size_t>(*info.SchemeMacro)] = tags.Text(info.Id);
    ImportFromName(texts, import.Scheme, nameText, import.Filters, import.Capitalize);
    for (const FieldInfo& info : Fields(version))
        if (const std::optional<std::string>& text = texts[static_cast<std::size_t>(*info.SchemeMacro)];
            info.Imported && *text != tags.Text(info.Id))
            tags.Edit(info.Id, *text);
    tags.TrimEdits(version);
}

void CopyID3v1ToID3v2(FileTags& tags, bool padTrack)
{
    for (const FieldInfo& info : Fields(ID3v1))
        tags.Edit(Twin(info).Id, ShownText(tags, info.Id, padTrack));
}

void CopyID3v2ToID3v1(FileTags& tags, bool padTrack)
{
    for (const FieldInfo& info : Fields(ID3v1))
        tags.Edit(info.Id, ID3v1Text(info.Id, ShownText(tags, Twin(info).Id, padTrack)));
}
