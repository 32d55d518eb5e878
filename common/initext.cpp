#include "inistore.h"

#include "textcodec.h"

#include <QSet>

namespace qs::detail {

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

int hexValue(char16_t c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Paths as QSettings reads them: no empty group, no '/' at either end.
QString normalizedPath(QString path)
{
    if (!path.contains(QStringLiteral("//")) && !path.startsWith(u'/') && !path.endsWith(u'/'))
        return path;
    return path.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

// Names in files QSettings writes: '\' between groups, other characters as %XX or %UXXXX.
QString unescapedName(const QString &name)
{
    if (!name.contains(u'%') && !name.contains(u'\\'))
        return name;
    QString out;
    out.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c == u'\\') {
            out += u'/';
            continue;
        }
        const qsizetype digits = i + 1 < name.size() && name[i + 1] == u'U' ? 4 : 2;
        const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = false;
        const ushort code = c == u'%' && first + digits <= name.size()
                                ? QStringView(name).sliced(first, digits).toUShort(&ok, 16)
                                : 0;
        if (ok) {
            out += QChar(code);
            i = first + digits - 1;
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray escapedName(QStringView name)
{
    QByteArray out;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u == '/')
            out += '\\';
        else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                 u == '_' || u == '-' || u == '.')
            out += char(u);
        else if (u <= 0xFF)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

// How QSettings names a group in a header: "[General]" holds the keys outside any group.
QString headerName(const QString &group)
{
    const QString name = QString::fromLatin1(escapedName(group));
    if (group.isEmpty())
        return QStringLiteral("General");
    return group.compare(u"general", Qt::CaseInsensitive) == 0 ? u'%' + name : name;
}

// A value whose backslashes all start escapes QSettings writes came from a tool; any other
// backslash (C:\Host, one at the end) was written by hand and means itself.
bool hasOnlyToolEscapes(QByteArrayView value)
{
    static constexpr QByteArrayView Escapes("\\\"0abfnrtv");
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != '\\')
            continue;
        if (++i == value.size())
            return false;
        const char c = value[i];
        if (c == 'x' ? i + 1 == value.size() || hexValue(uchar(value[i + 1])) < 0
                     : !Escapes.contains(c))
            return false;
    }
    return true;
}

// Characters a value escapes by name, and their names.
constexpr QStringView Named(u"\a\b\f\n\r\t\v\"\\");
constexpr QByteArrayView Names("abfnrtv\"\\");

// The text a value's escaped form stands for, as QSettings writes it.
QString escapedValue(QString value)
{
    if (value.startsWith(u'@'))
        value.prepend(u'@'); // QSettings reads a leading '@' as a type tag
    QString out;
    out.reserve(value.size() + 8);
    bool needsQuotes = false;
    bool escapeHexDigit = false;
    for (const QChar c : std::as_const(value)) {
        const char16_t u = c.unicode();
        needsQuotes = needsQuotes || u == ';' || u == ',' || u == '=';
        if (escapeHexDigit && hexValue(u) >= 0) {
            out += QStringLiteral("\\x") + QString::number(u, 16);
            continue;
        }
        escapeHexDigit = false;
        if (const qsizetype name = Named.indexOf(c); name >= 0) {
            out += u'\\';
            out += QLatin1Char(Names[name]);
        } else if (u == 0) {
            out += QStringLiteral("\\0");
            escapeHexDigit = true;
        } else if (u < 0x20 || u == 0xFEFF) {
            out += QStringLiteral("\\x") + QString::number(u, 16);
            escapeHexDigit = true;
        } else {
            out += c;
        }
    }
    if (needsQuotes || out.startsWith(u' ') || out.endsWith(u' '))
        return u'"' + out + u'"';
    return out;
}

} // namespace

IniText::IniText(QByteArray content)
    : m_content(std::move(content))
{
    if (QByteArrayView(m_content).startsWith(ByteOrderMark))
        m_bodyStart = ByteOrderMark.size();
    m_utf8 = QByteArrayView(m_content).sliced(m_bodyStart).isValidUtf8();
    QString group;
    QString section;           // of the lines since the last header
    qsizetype sectionEnd = -1; // its last line that is not blank
    qsizetype pos = m_bodyStart;
    const char *data = m_content.constData();
    const qsizetype size = m_content.size();
    m_lines.reserve(m_content.count('\n') + m_content.count('\r') + 1);
    m_keys.reserve(m_lines.capacity());
    while (pos < size) {
        Line line;
        line.start = pos;
        while (pos < size && data[pos] != '\n' && data[pos] != '\r')
            ++pos;
        line.length = pos - line.start;
        if (pos < size && data[pos] == '\r')
            ++pos;
        if (pos < size && data[pos] == '\n')
            ++pos;
        line.end = pos;
        if (m_lines.isEmpty() && line.end > line.start + line.length)
            m_lineEnd =
                m_content.sliced(line.start + line.length, line.end - line.start - line.length);

        const QByteArrayView text = bytes(line).trimmed();
        const qsizetype equals = text.indexOf('=');
        if (text.startsWith('[') && text.indexOf(']') > 0) {
            const QByteArrayView name = text.sliced(1, text.indexOf(']') - 1).trimmed();
            line.kind = Kind::Header;
            // "[General]" holds the keys outside any group; "[%General]" is the group General.
            if (name.isEmpty() || name.compare("general", Qt::CaseInsensitive) == 0)
                group.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                group = decode(name.sliced(1));
            else
                group = normalizedPath(unescapedName(decode(name)));
            line.path = group;
        } else if (equals > 0 && !text.startsWith(';') && !text.first(equals).trimmed().isEmpty()) {
            line.kind = Kind::Key;
            line.equals = bytes(line).indexOf('=');
            const QByteArrayView key = text.first(equals).trimmed();
            line.path.reserve(group.size() + 1 + key.size());
            line.path += group;
            if (!group.isEmpty())
                line.path += u'/';
            // Most keys are plain ASCII names, taken as they are.
            if (std::all_of(key.begin(), key.end(),
                            [](char c) { return c > ' ' && c < 0x7F && c != '%' && c != '\\'; }))
                line.path += QLatin1StringView(key);
            else
                line.path += unescapedName(decode(key));
            line.path = normalizedPath(line.path);
            m_keys.insert(line.path, m_lines.size());
        }
        // A section ends with its last line that is not blank; comments before the first
        // setting belong to none.
        if (line.kind == Kind::Header) {
            if (sectionEnd >= 0)
                m_sectionEnd.insert(section, sectionEnd);
            section = group;
            sectionEnd = m_lines.size();
        } else if (!text.isEmpty() && (sectionEnd >= 0 || line.kind == Kind::Key)) {
            if (sectionEnd < 0)
                section = group;
            sectionEnd = m_lines.size();
        }
        m_lines.append(line);
    }
    if (sectionEnd >= 0)
        m_sectionEnd.insert(section, sectionEnd);
}

QByteArrayView IniText::bytes(const Line &line) const
{
    return QByteArrayView(m_content).sliced(line.start, line.length);
}

QString IniText::decode(QByteArrayView bytes) const
{
    if (!m_utf8)
        return decodeWindows1252(bytes);
    if (!bytes.startsWith(ByteOrderMark))
        return QString::fromUtf8(bytes);
    // fromUtf8() would drop a U+FEFF that starts the text, taking it for a byte-order mark.
    QString out;
    for (; bytes.startsWith(ByteOrderMark); bytes = bytes.sliced(ByteOrderMark.size()))
        out += QChar(0xFEFF);
    return out + QString::fromUtf8(bytes);
}

QString IniText::valueOf(const Line &line) const
{
    const QByteArrayView value = bytes(line).sliced(line.equals + 1);
    const bool escapes = hasOnlyToolEscapes(value);
    QString out;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype keep = 0; // escaped blanks at the end stay
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < value.size() && isBlank(value[i]))
            ++i;
    };
    skipBlanks();
    while (i < value.size()) {
        const char c = value[i];
        if (c == '\\' && escapes) {
            const char code = value[i + 1];
            i += 2;
            if (code == 'x' || code == '0') {
                const int base = code == 'x' ? 16 : 8;
                char16_t u = 0;
                for (int d; i < value.size() && (d = hexValue(uchar(value[i]))) >= 0 && d < base;
                     ++i)
                    u = char16_t(u * base + d);
                out += QChar(u);
            } else {
                const qsizetype name = Names.indexOf(code);
                out += name < 0 ? QChar(uchar(code)) : Named[name];
            }
            keep = out.size();
        } else if (c == '"') {
            inQuotes = !inQuotes;
            quoted = true;
            ++i;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ';' && !inQuotes) {
            break; // a comment ends the line
        } else {
            qsizetype run = i + 1;
            while (run < value.size() && value[run] != '"' && value[run] != ';' &&
                   !(escapes && value[run] == '\\'))
                ++run;
            out += decode(value.sliced(i, run - i));
            i = run;
        }
    }
    if (!quoted) {
        while (out.size() > keep && (out.back() == u' ' || out.back() == u'\t'))
            out.chop(1);
    }
    if (out.startsWith(QStringLiteral("@@")))
        out.remove(0, 1);
    return out;
}

std::optional<QString> IniText::value(const QString &path) const
{
    const auto found = m_keys.constFind(normalizedPath(path));
    if (found == m_keys.cend())
        return std::nullopt;
    return valueOf(m_lines[*found]);
}

QStringList IniText::childKeys(const QString &group) const
{
    const QString prefix = group.isEmpty() ? QString() : normalizedPath(group) + u'/';
    QStringList keys;
    QSet<QString> seen;
    for (const Line &line : m_lines) {
        if (line.kind != Kind::Key || !line.path.startsWith(prefix) ||
            line.path.indexOf(u'/', prefix.size()) >= 0)
            continue;
        const QString key = line.path.sliced(prefix.size());
        if (!seen.contains(key)) {
            seen.insert(key);
            keys << key;
        }
    }
    return keys;
}

QSet<qsizetype> IniText::linesRemoved(const IniValues &values) const
{
    QSet<qsizetype> removed;
    for (const auto &[given, value] : values) {
        if (value)
            continue;
        const bool group = given.endsWith(u'/');
        const QString path = normalizedPath(given);
        bool inGroup = false; // within a header of the group being removed
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const Line &line = m_lines[i];
            if (line.kind == Kind::Header)
                inGroup = group && line.path == path;
            if (inGroup || (!group && line.kind == Kind::Key && line.path == path))
                removed.insert(i);
        }
    }
    return removed;
}

QByteArray IniText::withValues(const IniValues &values) const
{
    QHash<qsizetype, QString> replaced;                      // line -> its new text
    QHash<qsizetype, QStringList> added;                     // line -> new key lines after it
    QList<std::pair<QString, QStringList>> tail;             // new sections: header, key lines
    QHash<QString, std::pair<qsizetype, qsizetype>> newKeys; // path -> (line or -1-section, at)
    const QSet<qsizetype> removed = linesRemoved(values);
    for (const auto &[given, wanted] : values) {
        if (!wanted)
            continue;
        const QString &value = *wanted;
        const QString path = normalizedPath(given);
        const QString text = escapedValue(value);
        if (const auto made = newKeys.constFind(path); made != newKeys.cend()) {
            QString &line = made->first >= 0 ? added[made->first][made->second]
                                             : tail[-1 - made->first].second[made->second];
            line = line.first(line.indexOf(u'=') + 1) + text;
        } else if (const auto old = m_keys.constFind(path); old != m_keys.cend()) {
            const Line &line = m_lines[*old];
            if (replaced.contains(*old) || valueOf(line) != value)
                replaced[*old] = decode(bytes(line).first(line.equals + 1)) + text;
        } else {
            const qsizetype slash = path.indexOf(u'/');
            const QString section = slash < 0 ? QString() : path.first(slash);
            const QString keyLine =
                QString::fromLatin1(escapedName(path.sliced(slash + 1))) + u'=' + text;
            if (const auto end = m_sectionEnd.constFind(section); end != m_sectionEnd.cend()) {
                added[*end] << keyLine;
                newKeys.insert(path, {*end, added[*end].size() - 1});
                continue;
            }
            auto newSection = std::find_if(tail.begin(), tail.end(),
                                           [&](const auto &s) { return s.first == section; });
            if (newSection == tail.end())
                newSection = tail.insert(tail.end(), {section, {}});
            newSection->second << keyLine;
            newKeys.insert(path, {-1 - (newSection - tail.begin()), newSection->second.size() - 1});
        }
    }
    if (replaced.isEmpty() && added.isEmpty() && tail.isEmpty() && removed.isEmpty())
        return m_content;

    const auto build = [&](bool utf8) -> std::optional<QByteArray> {
        const auto encode = [utf8](const QString &text) {
            return utf8 ? std::optional(text.toUtf8()) : encodeWindows1252(text);
        };
        QByteArray out = m_content.first(m_bodyStart);
        out.reserve(m_content.size() + 64 * values.size());
        const auto append = [&](const QString &text) {
            const std::optional<QByteArray> bytes = encode(text);
            out += bytes.value_or(QByteArray());
            out += m_lineEnd;
            return bytes.has_value();
        };
        bool fits = true;
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            const Line &line = m_lines[i];
            const QByteArrayView eol = QByteArrayView(m_content).sliced(
                line.start + line.length, line.end - line.start - line.length);
            if (removed.contains(i)) {
                for (const QString &text : added.value(i))
                    fits = append(text) && fits;
                continue;
            }
            if (const auto text = replaced.constFind(i); text != replaced.cend()) {
                const std::optional<QByteArray> bytes = encode(*text);
                fits = fits && bytes;
                out += bytes.value_or(QByteArray());
            } else {
                if (utf8 == m_utf8)
                    out += bytes(line);
                else
                    out += decode(bytes(line)).toUtf8();
            }
            out += added.contains(i) && eol.isEmpty() ? QByteArrayView(m_lineEnd) : eol;
            for (const QString &text : added.value(i))
                fits = append(text) && fits;
        }
        for (const auto &[section, lines] : tail) {
            if (out.size() > m_bodyStart && !out.endsWith('\n') && !out.endsWith('\r'))
                out += m_lineEnd;
            if (out.size() > m_bodyStart && !out.endsWith(m_lineEnd + m_lineEnd))
                out += m_lineEnd;
            append(u'[' + headerName(section) + u']');
            for (const QString &text : lines)
                fits = append(text) && fits;
        }
        return fits ? std::optional(out) : std::nullopt;
    };
    if (!m_utf8) {
        // Kept as Windows-1252 only where the next read will take it for that again.
        const std::optional<QByteArray> out = build(false);
        if (out && !QByteArrayView(*out).sliced(m_bodyStart).isValidUtf8())
            return *out;
    }
    return *build(true);
}

} // namespace qs::detail
