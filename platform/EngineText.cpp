#include "EngineText.h"

std::string ToEngineText(const QString& text)
{
    return text.toStdString();
}

QString FromEngineText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
