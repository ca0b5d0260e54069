#include "EditorLists.h"

#include "GenreTable.h"

#include <algorithm>

QStringList YearSuggestions()
{
    QStringList years;
    for (int year = 1950; year <= 2004; ++year)
        years << QString::number(year);
    years << QStringLiteral("19__") << QStringLiteral("195_") << QStringLiteral("196_") << QStringLiteral("197_")
          << QStringLiteral("198_") << QStringLiteral("199_") << QStringLiteral("200_") << QStringLiteral("19xx")
          << QStringLiteral("195x") << QStringLiteral("196x") << QStringLiteral("197x") << QStringLiteral("198x")
          << QStringLiteral("199x") << QStringLiteral("200x");
    return years;
}

namespace {

QString SortKey(QString name)
{
    name.remove(QLatin1Char('-'));
    name.remove(QLatin1Char('.'));
    return name;
}

bool ComesBefore(const QString& a, const QString& b)
{
    const int order = SortKey(a).compare(SortKey(b), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

} // namespace

QStringList GenreEntries()
{
    QStringList names;
    for (int index = 0; index < GenreTable::Count; ++index)
        names << QString::fromLatin1(GenreTable::Name(static_cast<std::uint8_t>(index)));
    std::sort(names.begin(), names.end(), ComesBefore);
    names.prepend(QString());
    return names;
}
