#pragma once

#include "TMP3File.h"

#include <string>
#include <vector>

// The twelve ID3v2 fields the tag editor shows, with the engine's getter and setter for each, so that a test can
// do what the editor does on saving: store every field back, the edited ones with their new texts.
namespace ID3v2EditorFields {

using Setter = void (TMP3File::*)(const std::string&);
using Getter = std::string (TMP3File::*)() const;

struct Field {
    const char* Name;
    Setter Set;
    Getter Get;
    // The frame it is stored in, as mutagen keys it (without translation to version 2.4), for versions 3 and 4.
    const char* KeyV3;
    const char* KeyV4;
};

extern const std::vector<Field> Fields;
// Index of the comment field in Fields and in Values.
constexpr std::size_t Comment = 10;

using Values = std::vector<std::string>;

Values ValuesOf(const TMP3File& engine);
void StoreAll(TMP3File& engine, const Values& values);

} // namespace ID3v2EditorFields
