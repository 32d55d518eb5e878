#include "inifilestore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>

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
    // An unquoted comma makes QSettings read a list, but the store only holds plain text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
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

} // namespace

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

IniFile::IniFile(const QString &file)
{
    const std::optional<QByteArray> content = fileContent(file);
    if (!content)
        return;
    m_copy = std::make_unique<IniCopy>(withLiteralBackslashes(*content));
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

std::optional<QString> readIniValue(const QString &file, const QString &key)
{
    return IniFile(file).value(key);
}

bool writeIniValues(const QString &file, const QList<std::pair<QString, QString>> &values)
{
    if (values.isEmpty())
        return true;
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    if (info.exists() && !info.isWritable())
        return false;

    // The lock QSettings itself takes while writing this file, so other writers take turns with us.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.lock())
        return false;

    QByteArray content;
    if (info.exists()) {
        const std::optional<QByteArray> current = fileContent(file);
        if (!current)
            return false;
        content = *current;
    }
    // QSettings rewrites every value it read: hand-written ones must reach it as meant.
    const IniCopy copy(withLiteralBackslashes(content));
    if (!copy.isValid())
        return false;
    {
        QSettings ini(copy.path(), QSettings::IniFormat);
        for (const auto &[key, value] : values)
            ini.setValue(key, value);
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return false;
    }
    const std::optional<QByteArray> updated = fileContent(copy.path());
    if (!updated)
        return false;

    QSaveFile out(file);
    out.setDirectWriteFallback(true);
    return out.open(QIODevice::WriteOnly) && out.write(*updated) == updated->size() && out.commit();
}

bool writeIniValue(const QString &file, const QString &key, const QString &value)
{
    return writeIniValues(file, {{key, value}});
}

} // namespace qs::detail
