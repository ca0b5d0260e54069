#pragma once

#include <QtCore/QString>

#include <string>
#include <string_view>

// Text as the engine, the schemes and the core hold it, to and from what a control shows: the one conversion
// between the two, for every tag text, scheme and filter (ISO-8859-1 bytes; a character beyond becomes "?").
std::string ToEngineText(const QString& text);
QString FromEngineText(std::string_view text);
