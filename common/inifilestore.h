#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace qs::detail {

class IniCopy;

// (key, value) pairs, key with '/' between groups.
using IniValues = QList<std::pair<QString, QString>>;

// An INI file in QSettings' format, read once from disk as it is now. Every reader makes its
// own, so another program's change since the last one is never missed.
class IniFile
{
public:
    explicit IniFile(const QString &file);
    // The text a file held, read by the caller.
    struct FromContent
    {
    };
    IniFile(const QByteArray &content, FromContent);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    // key uses '/' between groups; nullopt when the file or the key is missing.
    std::optional<QString> value(const QString &key) const;
    // The keys directly in group (a '/'-separated path).
    QStringList childKeys(const QString &group) const;

    // Whether QSettings read every line of the text it was given.
    bool isWhole() const;
    // The file's text with values set, as it would be written; nullopt (and reason) when the
    // text could not be made whole.
    std::optional<QByteArray> withValues(const IniValues &values, QString *reason);

private:
    void open(const QByteArray &content);

    std::unique_ptr<IniCopy> m_copy;
    std::unique_ptr<QSettings> m_settings;
};

std::optional<QString> readIniValue(const QString &file, const QString &key);

// What a change sets, computed from the file as it is on disk under its lock; nullopt refuses
// the change (reason, if given, then says why) and nothing is written.
using IniChange = std::function<std::optional<IniValues>(const IniFile &current, QString *reason)>;

// One read-modify-write of the file: takes its lock, reads what is on disk now, sets what change
// computes from it and replaces the file atomically, so another program sees all of the values
// or none and keeps what it wrote meanwhile. Returns false when the change was refused or the
// file could not be written, and then reason (if given) says why; the file is then as it was.
bool changeIniFile(const QString &file, const IniChange &change, QString *reason = nullptr);

// Sets the (key, value) pairs in order as one change.
bool writeIniValues(const QString &file, const IniValues &values, QString *reason = nullptr);
bool writeIniValue(const QString &file, const QString &key, const QString &value,
                   QString *reason = nullptr);

// QSettings reads every backslash as the start of an escape, so a hand-written "C:\Host"
// would read "C:ost". A value holding a backslash that starts none of the escapes QSettings
// writes cannot have come from QSettings: its backslashes are doubled here, so it reads as
// written. Values QSettings wrote are left alone.
QByteArray withLiteralBackslashes(const QByteArray &content);

// The text QSettings is given for a store file's content: without a byte-order mark, in UTF-8
// (a file that is not is read as Windows-1252), without lines that are neither headers, pairs
// nor comments, and with hand-written backslashes kept literal.
QByteArray storeText(const QByteArray &content);

// The number (from 1) of the first line of a store file's content that keeps QSettings from
// reading it whole, even as storeText() gives it; nullopt when there is none.
std::optional<qsizetype> unreadableLine(const QByteArray &content);

} // namespace qs::detail
