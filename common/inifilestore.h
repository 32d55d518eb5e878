#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace qs::detail {

class IniCopy;

// An INI file in QSettings' format, read once from disk as it is now. Every reader makes its
// own, so another program's change since the last one is never missed.
class IniFile
{
public:
    explicit IniFile(const QString &file);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    // key uses '/' between groups; nullopt when the file or the key is missing.
    std::optional<QString> value(const QString &key) const;
    // The keys directly in group (a '/'-separated path).
    QStringList childKeys(const QString &group) const;

private:
    std::unique_ptr<IniCopy> m_copy;
    std::unique_ptr<QSettings> m_settings;
};

std::optional<QString> readIniValue(const QString &file, const QString &key);

// Sets the (key, value) pairs in order, taking the file's lock once and replacing the file
// atomically once, so that another program sees all of them or none and keeps what it wrote
// meanwhile. Returns false when the file could not be written, and then reason (if given)
// says why; the file is then as it was.
bool writeIniValues(const QString &file, const QList<std::pair<QString, QString>> &values,
                    QString *reason = nullptr);
bool writeIniValue(const QString &file, const QString &key, const QString &value,
                   QString *reason = nullptr);

// QSettings reads every backslash as the start of an escape, so a hand-written "C:\Host"
// would read "C:ost". A value holding a backslash that starts none of the escapes QSettings
// writes cannot have come from QSettings: its backslashes are doubled here, so it reads as
// written. Values QSettings wrote are left alone.
QByteArray withLiteralBackslashes(const QByteArray &content);

} // namespace qs::detail
