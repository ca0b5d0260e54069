#pragma once

#include <QtCore/QStringList>

// The ready-made entries of the editor's year and genre boxes.

// "1950" to "2004", then the decade patterns such as "19__" and "199x": suggestions only, any text
// up to four characters may be typed.
QStringList YearSuggestions();
// An empty entry (no genre), then the genre names sorted the way people look them up: letter case,
// hyphens and dots do not count, so "Eurodance" comes before "Euro-House".
QStringList GenreEntries();
