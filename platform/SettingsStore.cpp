#include "SettingsStore.h"

#include "ApplicationTitle.h"

#include <QtCore/QFileInfo>

SettingsStore::SettingsStore(const QString& subkey)
    : Settings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(OrganisationName),
               QString::fromLatin1(ApplicationTitle))
{
    // Only the user's own settings count; a system-wide file must not fill in missing values.
    Settings.setFallbacksEnabled(false);
    if (!subkey.isEmpty())
        Settings.beginGroup(subkey);
}

bool SettingsStore::Exists() const
{
    return QFileInfo::exists(Settings.fileName()) && !Settings.allKeys().isEmpty();
}

std::optional<bool> SettingsStore::ReadBool(const QString& name) const
{
    const QVariant value = Settings.value(name);
    if (!value.isValid() || value.typeId() == QMetaType::QStringList)
        return std::nullopt;
    bool isInteger = false;
    const qlonglong number = value.toString().toLongLong(&isInteger);
    if (!isInteger)
        return std::nullopt;
    return number != 0;
}

QString SettingsStore::ReadString(const QString& name) const
{
    const QVariant value = Settings.value(name);
    // The INI reader splits an unquoted text at its commas; a value edited by hand comes back whole.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

bool SettingsStore::WriteBool(const QString& name, bool value)
{
    Settings.setValue(name, value ? 1 : 0);
    return Commit();
}

bool SettingsStore::WriteString(const QString& name, const QString& value)
{
    Settings.setValue(name, value);
    return Commit();
}

QStringList SettingsStore::ValueNames() const
{
    return Settings.childKeys();
}

bool SettingsStore::DeleteValue(const QString& name)
{
    Settings.remove(name);
    return Commit();
}

bool SettingsStore::Commit()
{
    Settings.sync();
    return Settings.status() == QSettings::NoError;
}
