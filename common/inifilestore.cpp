#include "inifilestore.h"
#include "translation.h"

#include "textcodec.h"
#include "writerqueue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

namespace qs::detail {

namespace {

std::optional<QByteArray> fileContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString textOf(const QVariant &value)
{
    // An unquoted comma makes QSettings read a list, but the store only holds plain text. A
    // part holding control characters comes back from QSettings' own writing as a variant.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (value.typeId() == QMetaType::QVariantList) {
        QStringList parts;
        for (const QVariant &part : value.toList())
            parts << part.toString();
        return parts.join(QStringLiteral(", "));
    }
    return value.toString();
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether a value's text (all after the '=') is made only of escapes QSettings writes. It never
// writes a backslash at the end of a line, which it would read as a line continuation.
bool isQSettingsEscaped(QByteArrayView value)
{
    static constexpr QByteArrayView Escapes("\\\"0abfnrtv");
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != '\\')
            continue;
        if (++i == value.size())
            return false;
        const char c = value[i];
        if (c == 'x' ? i + 1 == value.size() || !isHexDigit(value[i + 1]) : !Escapes.contains(c))
            return false;
    }
    return true;
}

bool isKeyLine(QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return i < line.size() && line[i] != '[' && line[i] != ';';
}

// QSettings reports no error when its write stops short (a full disk), so what it wrote is
// checked before it replaces anything: one line per key, each ended. A cut can only drop the
// end of the text, which loses whole keys or the last line's end.
bool isWholeIniText(QByteArrayView text, qsizetype keys)
{
    if (text.isEmpty())
        return keys == 0;
    if (!text.endsWith('\n'))
        return false;
    qsizetype keyLines = 0;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = text.sliced(pos, end - pos).trimmed();
        if (!line.isEmpty() && !line.startsWith('['))
            ++keyLines;
        pos = end + 1;
    }
    return keyLines == keys;
}

// QLockFile::lock() sleeps ever longer between tries while others hold the lock, so one writer
// among many could wait seconds. Writers of this store first wait for their turn in arrival
// order, then take the lock with short tries: it is held only for one read-modify-replace.
// A lock that stays taken beyond the bound belongs to a program that hangs, and the write
// fails instead.
bool lockWithinBound(QLockFile &lock, WriterQueue &queue)
{
    using namespace std::chrono;
    constexpr auto Bound = seconds(2);
    const auto start = steady_clock::now();
    queue.waitForTurn(milliseconds(1000));
    while (!lock.tryLock(milliseconds(0))) {
        if (lock.error() != QLockFile::LockFailedError || steady_clock::now() - start > Bound)
            return false;
        std::this_thread::sleep_for(microseconds(200));
    }
    return true;
}

// QSettings drops a U+FEFF that starts a run of plain text in a value (after '=' or after an
// escape it wrote itself), taking it for a byte-order mark. As an escape it is read as meant;
// hex digits right after it are escaped too, as QSettings does, so that none joins an escape.
QByteArray withEscapedByteOrderMarks(const QByteArray &text)
{
    static constexpr QByteArrayView Mark("\xEF\xBB\xBF");
    if (!text.contains(Mark))
        return text;
    QByteArray out;
    out.reserve(text.size() + 16);
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        end = end < 0 ? text.size() : end + 1;
        const QByteArrayView line(text.constData() + pos, end - pos);
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || !isKeyLine(line) || !line.sliced(equals).contains(Mark)) {
            out += line;
        } else {
            out += line.first(equals + 1);
            for (qsizetype i = equals + 1; i < line.size(); ++i) {
                if (line.sliced(i).startsWith(Mark)) {
                    out += "\\xfeff";
                    i += Mark.size() - 1;
                    while (i + 1 < line.size() && isHexDigit(line[i + 1]))
                        out += "\\x" + QByteArray::number(uchar(line[++i]), 16);
                } else {
                    out += line[i];
                }
            }
        }
        pos = end;
    }
    return out;
}

// QSettings refuses to write a file it could not parse whole. A line that is neither a
// section header, a key=value pair nor a comment carries no value, so it is left out of the
// text QSettings sees; the values around it are kept. QSettings ends a line early at a ';'
// outside quotes, runs it on past the line end inside quotes or after a backslash, and sees
// no '=' or ']' that a backslash escapes or quotes hide.
bool isUnderstoodLine(QByteArrayView line)
{
    const QByteArrayView text = line.trimmed();
    if (text.isEmpty() || text.startsWith(';'))
        return true;
    const bool header = text.startsWith('[');
    bool quoted = false;
    bool found = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            if (++i == text.size())
                return found && !header; // a value's last backslash is kept literal
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ';') {
            break;
        } else if (!quoted && c == (header ? ']' : '=')) {
            found = true;
        }
    }
    return found && !quoted;
}

} // namespace

// QSettings keeps every INI file it has parsed in a per-process cache and trusts it while the
// file's size and modification time look unchanged, so a same-sized edit by another program
// within one timestamp tick goes unseen. Parsing a private copy under a name never used before
// sidesteps that cache while keeping QSettings' own INI syntax.
class IniCopy
{
public:
    explicit IniCopy(const QByteArray &content)
    {
        static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/qs-settings-XXXXXX"));
        static std::atomic<quint64> counter = 0;
        if (!folder.isValid())
            return;
        const QString path = folder.filePath(QString::number(++counter) + QStringLiteral(".ini"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size())
            m_path = path;
    }
    ~IniCopy()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    IniCopy(const IniCopy &) = delete;
    IniCopy &operator=(const IniCopy &) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

QByteArray storeText(const QByteArray &content)
{
    QByteArray text = content;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    // Files written by hand on Windows are in its ANSI code page; QSettings reads UTF-8 only.
    if (!isValidUtf8(text))
        text = decodeWindows1252(text).toUtf8();
    QByteArray out;
    out.reserve(text.size());
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        while (end < text.size() && (text[end] == '\n' || text[end] == '\r'))
            ++end;
        const QByteArrayView line(text.constData() + pos, end - pos);
        if (isUnderstoodLine(line))
            out += line;
        pos = end;
    }
    return withEscapedByteOrderMarks(withLiteralBackslashes(out));
}

namespace {

// Whether QSettings reads every line of text.
bool parsesWhole(const QByteArray &text)
{
    const IniCopy copy(text);
    if (!copy.isValid())
        return true;
    QSettings ini(copy.path(), QSettings::IniFormat);
    ini.allKeys(); // sections are parsed on first use
    return ini.status() == QSettings::NoError;
}

} // namespace

std::optional<qsizetype> unreadableLine(const QByteArray &content)
{
    const QList<QByteArray> lines = content.split('\n');
    const auto prefix = [&lines](qsizetype count) {
        QByteArray text;
        for (qsizetype i = 0; i < count; ++i)
            text += lines[i] + '\n';
        return storeText(text);
    };
    if (parsesWhole(prefix(lines.size())))
        return std::nullopt;
    // Once a line QSettings cannot read is in, every longer prefix fails too.
    qsizetype good = 0;
    qsizetype bad = lines.size();
    while (bad - good > 1) {
        const qsizetype middle = good + (bad - good) / 2;
        (parsesWhole(prefix(middle)) ? good : bad) = middle;
    }
    return bad;
}

QByteArray withLiteralBackslashes(const QByteArray &content)
{
    if (!content.contains('\\'))
        return content;
    QByteArray out;
    out.reserve(content.size() + content.size() / 16);
    qsizetype pos = 0;
    while (pos < content.size()) {
        qsizetype end = pos;
        while (end < content.size() && content[end] != '\n' && content[end] != '\r')
            ++end;
        const QByteArrayView line(content.constData() + pos, end - pos);
        const qsizetype equals = line.indexOf('=');
        if (equals >= 0 && isKeyLine(line) && !isQSettingsEscaped(line.sliced(equals + 1))) {
            out += line.first(equals + 1);
            for (const char c : line.sliced(equals + 1)) {
                out += c;
                if (c == '\\')
                    out += '\\';
            }
        } else {
            out += line;
        }
        if (end < content.size())
            out += content[end++];
        pos = end;
    }
    return out;
}

IniFile::IniFile(const QString &file)
{
    if (const std::optional<QByteArray> content = fileContent(file))
        open(*content);
}

IniFile::IniFile(const QByteArray &content, FromContent)
{
    open(content);
}

void IniFile::open(const QByteArray &content)
{
    m_copy = std::make_unique<IniCopy>(storeText(content));
    if (m_copy->isValid())
        m_settings = std::make_unique<QSettings>(m_copy->path(), QSettings::IniFormat);
}

IniFile::~IniFile() = default;

std::optional<QString> IniFile::value(const QString &key) const
{
    if (!m_settings)
        return std::nullopt;
    const QVariant value = m_settings->value(key);
    if (!value.isValid())
        return std::nullopt;
    return textOf(value);
}

QStringList IniFile::childKeys(const QString &group) const
{
    if (!m_settings)
        return {};
    m_settings->beginGroup(group);
    QStringList keys = m_settings->childKeys();
    m_settings->endGroup();
    return keys;
}

bool IniFile::isWhole() const
{
    if (!m_settings)
        return true;
    m_settings->allKeys(); // sections are parsed on first use
    return m_settings->status() == QSettings::NoError;
}

std::optional<QByteArray> IniFile::withValues(const IniValues &values, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    if (!m_settings)
        return fail(
            translate("common", "no working copy could be written in %1.").arg(QDir::tempPath()));
    for (const auto &[key, value] : values)
        m_settings->setValue(key, value);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError)
        return fail(translate("common", "the working copy could not be written."));
    const qsizetype keys = m_settings->allKeys().size();
    const std::optional<QByteArray> updated = fileContent(m_copy->path());
    if (!updated || !isWholeIniText(*updated, keys))
        return fail(translate("common", "the working copy in %1 could not be written completely "
                                        "(the disk may be full).")
                        .arg(QDir::tempPath()));
    return updated;
}

std::optional<QString> readIniValue(const QString &file, const QString &key)
{
    return IniFile(file).value(key);
}

bool changeIniFile(const QString &file, const IniChange &change, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(
            translate("common", "the folder %1 could not be created.").arg(info.absolutePath()));
    if (info.isDir())
        return fail(translate("common", "a folder of that name is in the way."));
    if (info.exists() && !info.isWritable())
        return fail(translate("common", "the file is read-only."));
    const QString lockPath = file + QStringLiteral(".lock");
    if (QFileInfo(lockPath).isDir())
        return fail(
            translate("common", "a folder is in the way of its lock file %1.").arg(lockPath));

    // The lock QSettings itself takes while writing this file, so other writers take turns with
    // us. The turn is given on only after the lock is released.
    WriterQueue queue(file);
    QLockFile lock(lockPath);
    if (!lockWithinBound(lock, queue))
        return fail(
            lock.error() == QLockFile::LockFailedError
                ? translate("common", "another program kept the file locked.")
                : translate("common", "its lock file %1 could not be made.").arg(lock.fileName()));

    // Whether the file exists is asked only now, under the lock: a writer that found no file
    // before another created it would otherwise replace that writer's values with its own.
    QByteArray content;
    {
        QFile current(file);
        if (current.open(QIODevice::ReadOnly))
            content = current.readAll();
        else if (current.exists())
            return fail(current.errorString());
    }
    // QSettings rewrites every value it read: hand-written ones must reach it as meant.
    IniFile ini(content, IniFile::FromContent{});
    if (!ini.isWhole()) {
        const std::optional<qsizetype> line = unreadableLine(content);
        return fail(line ? translate("common",
                                     "line %1 of the file cannot be read as a section header "
                                     "or a key=value pair.")
                               .arg(*line)
                         : translate("common", "the file could not be read as settings."));
    }
    const std::optional<IniValues> values = change(ini, reason);
    if (!values)
        return false;
    if (values->isEmpty())
        return true;
    const std::optional<QByteArray> updated = ini.withValues(*values, reason);
    if (!updated)
        return false;

    // No direct-write fallback: writing over the file in place could leave it half written.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    // commit() flushes too, but would replace the file even when that last flush falls short.
    if (out.write(*updated) != updated->size() || !out.flush()) {
        const QString why = out.errorString();
        out.cancelWriting();
        return fail(why);
    }
    return out.commit() || fail(out.errorString());
}

bool writeIniValues(const QString &file, const IniValues &values, QString *reason)
{
    if (values.isEmpty())
        return true;
    return changeIniFile(
        file, [&values](const IniFile &, QString *) { return std::optional(values); }, reason);
}

bool writeIniValue(const QString &file, const QString &key, const QString &value, QString *reason)
{
    return writeIniValues(file, {{key, value}}, reason);
}

} // namespace qs::detail
