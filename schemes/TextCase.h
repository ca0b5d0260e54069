#pragma once

#include <string>

// Upper-cases the first character and every character that follows one of " .(-_\"", by Unicode's title-case
// mapping of a lower-case letter (the same whatever the user's locale): "élan" gives "Élan", "ǆ" "ǅ"; letters
// of scripts without case stay as they are. Never lower-cases.
void CapitalizeWords(std::string& text);
