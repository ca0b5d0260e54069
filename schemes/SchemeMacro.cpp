#include "SchemeMacro.h"

const std::array<std::string_view, 10> DefaultSchemes = {
    "$TITLE",
    "$ARTIST-$TITLE",
    "$ALBUM-$TITLE",
    "$ALBUM-$TRACK-$TITLE",
    "$ALBUM-$TRACK-$ARTIST-$TITLE",
    "$ARTIST-$TRACK-$TITLE",
    "$ARTIST-$ALBUM-$TRACK-$TITLE",
    "$TRACK-$TITLE",
    "$TRACK-$ALBUM-$TITLE",
    "$TRACK-$ARTIST-$TITLE",
};

std::optional<Macro> MacroAt(const std::string& scheme, std::size_t pos)
{
    if (pos >= scheme.size())
        return std::nullopt;
    for (std::size_t m = 0; m < MacroCount; ++m)
        if (scheme.compare(pos, MacroNames[m].size(), MacroNames[m]) == 0)
            return static_cast<Macro>(m);
    return std::nullopt;
}

std::size_t FindSchemeMacro(const std::string& scheme, std::size_t start)
{
    for (std::size_t pos = scheme.find('$', start); pos != std::string::npos; pos = scheme.find('$', pos + 1))
        if (MacroAt(scheme, pos))
            return pos;
    return std::string::npos;
}
