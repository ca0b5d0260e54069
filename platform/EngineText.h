#pragma once

#include <QtCore/QString>

#include <string>
#include <string_view>

// Text as the engine, the schemes and the core hold it (UTF-8), to and from what a control shows: the one
// conversion between the two, for every tag text, scheme and filter.
std::string ToEngineText(const QString& text);
QString FromEngineText(std::string_view text);
