#pragma once

#include "Field.h"

#include <string>

class FileTags;

// What the editor shows of a field, before a control cuts it to what it shows: a text as read without blanks around
// it when it is an ID3v1 text, a track as read with a leading zero when padTrack asks, the genre's name for an ID3v1
// genre byte and for an ID3v2 genre reference such as "(17)". An edited text is shown as it was typed, an ID3v1 genre
// by its name. Renames and the copies between the tag versions take these texts, as a user sees them.
std::string ShownText(const FileTags& tags, Field field, bool padTrack);
