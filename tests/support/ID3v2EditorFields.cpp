#include "ID3v2EditorFields.h"

namespace ID3v2EditorFields {

const std::vector<Field> Fields = {
    {"Title", &TMP3File::SetID3v2Title, &TMP3File::GetID3v2Title, "TIT2", "TIT2"},
    {"Artist", &TMP3File::SetID3v2Artist, &TMP3File::GetID3v2Artist, "TPE1", "TPE1"},
    {"Album", &TMP3File::SetID3v2Album, &TMP3File::GetID3v2Album, "TALB", "TALB"},
    {"Track", &TMP3File::SetID3v2Track, &TMP3File::GetID3v2Track, "TRCK", "TRCK"},
    {"Year", &TMP3File::SetID3v2Year, &TMP3File::GetID3v2Year, "TYER", "TDRC"},
    {"Genre", &TMP3File::SetID3v2Genre, &TMP3File::GetID3v2Genre, "TCON", "TCON"},
    {"Composer", &TMP3File::SetID3v2Composer, &TMP3File::GetID3v2Composer, "TCOM", "TCOM"},
    {"OrigArtist", &TMP3File::SetID3v2OrigArtist, &TMP3File::GetID3v2OrigArtist, "TOPE", "TOPE"},
    {"Copyright", &TMP3File::SetID3v2Copyright, &TMP3File::GetID3v2Copyright, "TCOP", "TCOP"},
    {"EncodedBy", &TMP3File::SetID3v2EncodedBy, &TMP3File::GetID3v2EncodedBy, "TENC", "TENC"},
    {"Comment", &TMP3File::SetID3v2Comment, &TMP3File::GetID3v2Comment, "COMM::eng", "COMM::eng"},
    {"URL", &TMP3File::SetID3v2URL, &TMP3File::GetID3v2URL, "WXXX:", "WXXX:"},
};

Values ValuesOf(const TMP3File& engine)
{
    Values values;
    for (const Field& field : Fields)
        values.push_back((engine.*field.Get)());
    return values;
}

void StoreAll(TMP3File& engine, const Values& values)
{
    for (std::size_t i = 0; i < Fields.size() && i < values.size(); ++i)
        (engine.*Fields[i].Set)(values[i]);
}

} // namespace ID3v2EditorFields
