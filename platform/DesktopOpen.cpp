#include "DesktopOpen.h"

#include <QtGui/QDesktopServices>

bool OpenWithDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

QUrl FileUrl(const std::string& path)
{
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

std::string FilePath(const QUrl& url)
{
    // QUrl keeps a percent-encoded byte that is not UTF-8 encoded, where toLocalFile would replace it.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}
