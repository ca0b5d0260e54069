#include "EngineText.h"

std::string ToEngineText(const QString& text)
{
    return text.toLatin1().toStdString();
}

QString FromEngineText(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
