#include "FileTags.h"

#include "TMP3File.h"
#include "TextTrim.h"

FileTags::FileTags(const std::string& path)
{
    TMP3File engine(path);
    IsReadable = engine.ReadTags();
    if (IsReadable)
        *this = FileTags(engine);
}

FileTags::FileTags(TMP3File& engine)
    : HasID3v1(engine.HasID3v1())
    , HasID3v2(engine.HasID3v2())
    , Version(HasID3v2 ? engine.GetID3v2Version() : 0)
{
    if (HasID3v1) {
        const ID3v1Values values = ReadID3v1Values(engine);
        for (const FieldInfo& info : Fields(TagVersion::ID3v1))
            ReadTexts[Index(info.Id)] = values.*info.ID3v1Slot;
    }
    if (HasID3v2)
        for (const FieldInfo& info : Fields(TagVersion::ID3v2))
            ReadTexts[Index(info.Id)] = (engine.*info.Get)();
}

const std::string& FileTags::Text(Field field) const
{
    const std::optional<std::string>& edited = EditedTexts[Index(field)];
    return edited ? *edited : ReadTexts[Index(field)];
}

void FileTags::Edit(Field field, std::string text)
{
    EditedTexts[Index(field)] = std::move(text);
}

void FileTags::Clear(TagVersion version)
{
    for (const FieldInfo& info : Fields(version))
        Edit(info.Id, info.Id == Field::Genre ? "255" : "");
}

void FileTags::TrimEdits(TagVersion version)
{
    for (const FieldInfo& info : Fields(version))
        if (std::optional<std::string>& edited = EditedTexts[Index(info.Id)])
            edited = Trimmed(*edited);
}
