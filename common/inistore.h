#pragma once

#include "settingsstore.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

class QLockFile;

namespace qs::detail {

// (path, value) pairs, the path with '/' between groups. No value removes: a key's lines for a
// key's path, or a whole section, its header and every line in it, for a group's path ending
// in '/'. Removals apply to the file as read.
using IniValues = QList<std::pair<QString, std::optional<QString>>>;

// The text of one settings file as it was read, every byte kept. Keys are found by their path
// ('/' between groups), spelled as in files that QSettings writes (percent escapes in names,
// backslash escapes and quotes in values) or as people write them by hand.
class IniText
{
public:
    explicit IniText(QByteArray content = {});

    // The value the last line of that path holds; nullopt when there is none.
    std::optional<QString> value(const QString &path) const;
    // The keys directly in group ('/'-separated, empty for the keys outside any section).
    QStringList childKeys(const QString &group) const;
    // The bytes with each value set in order. Only the lines of keys whose value changes are
    // touched; a new key goes at the end of its section, a new section at the end. A file in
    // Windows-1252 stays so while every character fits, and otherwise becomes UTF-8 as a whole.
    QByteArray withValues(const IniValues &values) const;
    const QByteArray &content() const { return m_content; }

private:
    enum class Kind { Other, Header, Key };
    struct Line
    {
        qsizetype start = 0;
        qsizetype length = 0; // without the line end
        qsizetype end = 0;    // past the line end
        Kind kind = Kind::Other;
        qsizetype equals = -1; // of a key line
        QString path;          // a key's path, or the group a header opens
    };
    QString decode(QByteArrayView bytes) const;
    // The lines the removals among values take out.
    QSet<qsizetype> linesRemoved(const IniValues &values) const;
    QString valueOf(const Line &line) const;
    QByteArrayView bytes(const Line &line) const;

    QByteArray m_content;
    qsizetype m_bodyStart = 0; // past a byte-order mark
    bool m_utf8 = true;
    QByteArray m_lineEnd = "\n";
    QList<Line> m_lines;
    QHash<QString, qsizetype> m_keys;       // path -> last line holding it
    QHash<QString, qsizetype> m_sectionEnd; // group -> last non-blank line of its last section
};

// Takes lock, waiting while it changes hands; false only when one holder keeps it past boundMs
// or the lock file cannot be made.
bool lockTakingTurns(QLockFile &lock, int boundMs);

// The file as it is on disk now; a missing file is empty. Throws StoreReadError when it exists
// but cannot be read.
IniText readIniFile(const QString &file);

// What a change sets, computed from the file as it is on disk under its lock; nullopt refuses
// the change (reason, if given, then says why) and nothing is written.
using IniChange = std::function<std::optional<IniValues>(const IniText &current, QString *reason)>;

// One read-modify-write under the file's lock, replacing the file atomically. False when the
// change was refused or the file could not be written; reason then says why, and the file is as
// it was.
bool changeIniFile(const QString &file, const IniChange &change, QString *reason = nullptr);

} // namespace qs::detail
