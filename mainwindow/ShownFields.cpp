#include "ShownFields.h"

void ShownFields::Begin(const std::string& path)
{
    Path = path;
    Controls.clear();
}

void ShownFields::Record(const QWidget& control, const QString& shown, std::string engineText)
{
    Controls[&control] = {shown, std::move(engineText)};
}

void ShownFields::Renamed(const std::string& from, const std::string& to)
{
    if (Path == from)
        Path = to;
}

void ShownFields::Forget(const QWidget& control)
{
    Controls.erase(&control);
}

std::optional<std::string> ShownFields::Untouched(const QWidget& control, const QString& current,
                                                  const std::string& path) const
{
    const auto found = Controls.find(&control);
    if (path != Path || found == Controls.end() || found->second.Text != current)
        return std::nullopt;
    return found->second.EngineText;
}
