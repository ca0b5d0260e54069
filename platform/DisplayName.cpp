#include "DisplayName.h"

#include <QtCore/QFile>
#include <QtCore/QStringDecoder>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

QString DisplayName(const std::string& name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(QByteArrayView(name.data(), static_cast<qsizetype>(name.size())));
    return utf8.hasError() ? QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) : decoded;
}

namespace {

bool Exists(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

// The entry of the folder whose name shows as the part; none when there is none.
std::optional<std::string> ListedName(const std::string& folder, const QString& part)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(opendir(folder.empty() ? "/" : folder.c_str()), closedir);
    while (entries) {
        const dirent* entry = readdir(entries.get());
        if (!entry)
            break;
        if (DisplayName(entry->d_name) == part)
            return std::string(entry->d_name);
    }
    return std::nullopt;
}

} // namespace

std::string FileSystemPath(const QString& shown)
{
    const std::string plain = QFile::encodeName(shown).toStdString();
    if (Exists(plain) || !shown.startsWith(QLatin1Char('/')))
        return plain;
    std::string path;
    for (const QString& part : shown.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const std::string encoded = QFile::encodeName(part).toStdString();
        const std::optional<std::string> listed = Exists(path + "/" + encoded) ? std::nullopt : ListedName(path, part);
        path += "/" + listed.value_or(encoded);
    }
    return path;
}
