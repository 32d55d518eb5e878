#include "profilefile.h"
#include "textcodec.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

qsizetype codePoints(QStringView s)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < s.size(); ++i, ++n) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
    }
    return n;
}

// A slow reader written straight from the rules, line by line on the decoded text, that the
// indexed reader must agree with.
class PlainReader
{
public:
    explicit PlainReader(QByteArray bytes)
    {
        const bool utf8 = qs::isValidUtf8(bytes);
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QString text = utf8 ? decoder.decode(bytes) : qs::decodeWindows1252(bytes);

        qsizetype pos = 0;
        while (pos < text.size()) {
            qsizetype end = pos;
            while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
                ++end;
            addLine(QStringView(text).sliced(pos, end - pos));
            pos = end + 1;
            if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
                ++pos;
        }
    }

    std::optional<QString> find(QStringView section, QStringView key) const
    {
        const QString wantSection = fold(section);
        const QString wantKey = fold(key);
        bool seen = false; // a section of that name was already passed
        bool inside = false;
        for (const Line &line : m_lines) {
            if (line.header) {
                const bool match = line.name == wantSection;
                inside = match && !seen;
                seen = seen || match;
            } else if (inside && line.name == wantKey) {
                return line.value;
            }
        }
        return std::nullopt;
    }

    static QStringView cut(QStringView s)
    {
        qsizetype i = 0;
        for (int n = 0; i < s.size() && n < qs::ProfileFile::MaxValueLength; ++n)
            i += (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
        return s.first(i);
    }

private:
    static bool isBlank(QChar c)
    {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' ||
               c == QChar(0x1A);
    }
    static QStringView trim(QStringView s)
    {
        while (!s.isEmpty() && isBlank(s.front()))
            s = s.sliced(1);
        while (!s.isEmpty() && isBlank(s.back()))
            s.chop(1);
        return s;
    }
    static QStringView untilNul(QStringView s)
    {
        const qsizetype nul = s.indexOf(QChar(0));
        return nul < 0 ? s : s.first(nul);
    }
    static QString fold(QStringView s) { return trim(s).toString().toCaseFolded(); }

    void addLine(QStringView line)
    {
        while (!line.isEmpty() && isBlank(line.front()))
            line = line.sliced(1);
        if (line.startsWith(u';'))
            return;
        const qsizetype close = line.lastIndexOf(u']');
        if (line.startsWith(u'[') && close > 0) {
            m_lines.push_back({true, fold(untilNul(line.sliced(1, close - 1))), {}});
            return;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return;
        QStringView value = trim(untilNul(line.sliced(eq + 1)));
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.sliced(1, value.size() - 2);
        m_lines.push_back({false, fold(untilNul(line.first(eq))), cut(value).toString()});
    }

    struct Line
    {
        bool header;
        QString name; // folded
        QString value;
    };
    std::vector<Line> m_lines;
};

// Aborts when a read breaks a rule or disagrees with the plain reader.
void check(const qs::ProfileFile &file, const PlainReader &plain, QStringView section,
           QStringView key)
{
    const QString value = file.getString(section, key, u"fallback  ");
    if (codePoints(value) > qs::ProfileFile::MaxValueLength)
        std::abort();
    const std::optional<QString> expected = plain.find(section, key);
    if (file.contains(section, key) != expected.has_value())
        std::abort();
    if (value != expected.value_or(u"fallback"_s))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qs::ProfileFile file = qs::ProfileFile::fromBytes(bytes);
    const PlainReader plain(bytes);

    check(file, plain, u"Clipart Gallery", u"Name");
    check(file, plain, u"Clipart Gallery", u"NumFolders");
    check(file, plain, u"Folder1", u"NumItems");
    check(file, plain, u"folder1", u"itemname1");

    // Ask for the names the input itself holds, read both as Latin-1 and as UTF-8.
    QString section;
    int lookups = 0;
    qsizetype start = 0;
    while (start < bytes.size() && lookups < 256) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArray line = bytes.mid(start, end - start);
        const QString text = (lookups % 2) ? QString::fromUtf8(line) : QString::fromLatin1(line);
        const qsizetype open = text.indexOf(u'[');
        const qsizetype close = text.lastIndexOf(u']');
        const qsizetype eq = text.indexOf(u'=');
        if (open >= 0 && close > open) {
            section = text.mid(open + 1, close - open - 1);
            check(file, plain, section, u"Name");
            ++lookups;
        } else if (eq >= 0) {
            check(file, plain, section, QStringView(text).first(eq));
            check(file, plain, section, text);
            lookups += 2;
        }
        start = end + 1;
    }
    return 0;
}
