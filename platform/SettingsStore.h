#pragma once

#include <QtCore/QSettings>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <optional>

// One key of the per-user settings: the program's main key, or one of its subkeys ("Filters").
// Kept in an INI file in the user's configuration directory. Nothing here is ever reported to the
// user; callers stop at the first failure and keep the state their controls already hold.
//
// Booleans are stored as the integers 0 and 1, and any non-zero integer reads as true, so a file
// written by hand or by an older release stays readable.
class SettingsStore {
public:
    // The main key, or its subkey of the given name.
    explicit SettingsStore(const QString& subkey = QString());
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Whether the key exists, that is whether its file is there and holds values for it.
    bool Exists() const;

    // Empty when the value is missing or is not an integer.
    std::optional<bool> ReadBool(const QString& name) const;
    // A missing value reads as empty text.
    QString ReadString(const QString& name) const;

    // Each write reaches the file before it returns; false when the file could not be written.
    bool WriteBool(const QString& name, bool value);
    bool WriteString(const QString& name, const QString& value);

    // Names of the key's own values (not those of its subkeys).
    QStringList ValueNames() const;
    bool DeleteValue(const QString& name);

private:
    bool Commit();

    mutable QSettings Settings;
};
