#include "DesktopOpen.h"

#include <QtGui/QDesktopServices>

void OpenWithDesktop(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

QUrl FileUrl(const std::string& path)
{
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}
