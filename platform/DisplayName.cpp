#include "DisplayName.h"

#include <QtCore/QStringDecoder>

QString DisplayName(const std::string& name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
    return utf8.hasError() ? QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) : decoded;
}
