#pragma once

#include "settingsstore.h"

#include <QString>

#include <optional>

namespace qs {

// Writes below HKEY_CURRENT_USER; off Windows, an INI file stands in for the hive.
#ifdef Q_OS_WIN
// The string value valueName of the user's key keyPath, as stored; nullopt when there is none.
std::optional<QString> readRegistryString(const QString &keyPath, const QString &valueName);
#endif

class RegistryKey
{
public:
    // Opens key (path with '\' separators), creating it when missing.
    static std::optional<RegistryKey> create(const QString &keyPath);

    // An empty name stands for the key's default value. On a failure, failure (if given) says
    // where and why, and the value is as it was.
    bool setString(const QString &valueName, const QString &value, StoreFailure *failure = nullptr);
    // Throws StoreReadError when the hive exists but cannot be read.
    std::optional<QString> string(const QString &valueName) const;
    void close();

    const QString &path() const { return m_path; }
    static QString hiveFilePath();

private:
    explicit RegistryKey(QString path)
        : m_path(std::move(path))
    {
    }
    QString m_path;
    bool m_open = true;
};

} // namespace qs
