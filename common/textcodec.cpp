#include "textcodec.h"
#include "translation.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

#include <algorithm>
#include <iterator>

namespace qs {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unused bytes map to C1 controls.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

bool isValidUtf8(QByteArrayView bytes)
{
    return bytes.isValidUtf8();
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        d[i] = (c >= 0x80 && c < 0xA0) ? QChar(Cp1252High[c - 0x80]) : QChar(c);
    }
    return out;
}

std::optional<QByteArray> encodeWindows1252(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            d[i] = static_cast<char>(c);
            continue;
        }
        const auto *high = std::find(std::begin(Cp1252High), std::end(Cp1252High), c);
        if (high == std::end(Cp1252High))
            return std::nullopt;
        d[i] = static_cast<char>(0x80 + (high - std::begin(Cp1252High)));
    }
    return out;
}

QString decodeText(QByteArrayView bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return decodeWindows1252(bytes);
}

namespace {

// Calls f(c, begin, length) for each character of text; a lone surrogate is a character too.
template <class F> void forEachCharacter(QStringView text, F &&f)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text[i + 1]), i, 2);
            ++i;
        } else {
            f(char32_t(c.unicode()), i, 1);
        }
    }
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

bool isStorable(char32_t c)
{
    if (c < 0x80)
        return true;
    if (c >= 0xD800 && c <= 0xDFFF)
        return false;
#ifdef Q_OS_WIN
    // A character the code page lacks comes back as "?" or as a look-alike. The answer cannot
    // change while the program runs; each thread keeps its own so that none waits.
    thread_local QHash<char32_t, bool> known;
    const auto it = known.constFind(c);
    if (it != known.constEnd())
        return *it;
    const QString one = QString::fromUcs4(&c, 1);
    QStringEncoder encoder(QStringConverter::System);
    QStringDecoder decoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(one);
    const bool storable = !encoder.hasError() && QString(decoder.decode(bytes)) == one;
    known.insert(c, storable);
    return storable;
#else
    return true;
#endif
}

QString fileEncodingName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Windows-%1").arg(GetACP());
#else
    return QStringLiteral("UTF-8");
#endif
}

QByteArray encodeText(QStringView text)
{
    // Written as the save's warning said: "?" for each character the encoding lacks.
    QString replaced;
    if (!isAscii(text)) {
        qsizetype done = 0;
        forEachCharacter(text, [&](char32_t c, qsizetype at, qsizetype length) {
            if (isStorable(c))
                return;
            replaced += text.sliced(done, at - done);
            replaced += QLatin1Char('?');
            done = at + length;
        });
        if (done > 0) {
            replaced += text.sliced(done);
            text = replaced;
        }
    }
#ifdef Q_OS_WIN
    QStringEncoder enc(QStringConverter::System);
    return enc.encode(text);
#else
    return text.toUtf8();
#endif
}

void UnstorableFinder::scan(QStringView text)
{
    if (isAscii(text))
        return;
    forEachCharacter(text, [this](char32_t c, qsizetype, qsizetype) {
        if (!isStorable(c) && !m_seen.contains(c)) {
            m_seen.insert(c);
            m_found.push_back(c);
        }
    });
}

QString unstorableQuestion(const std::vector<char32_t> &characters)
{
    // Each shown with its number too: a character may look like nothing or like another.
    constexpr size_t Shown = 30;
    QStringList names;
    for (size_t k = 0; k < std::min(characters.size(), Shown); ++k) {
        const char32_t c = characters[k];
        const bool printable = !(c >= 0xD800 && c <= 0xDFFF) && QChar::isPrint(c);
        names << (printable ? QString::fromUcs4(&c, 1) + QLatin1Char(' ') : QString()) +
                     QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    }
    QString list = names.join(QStringLiteral(", "));
    if (characters.size() > Shown)
        list += translate("common", ", and %1 more").arg(characters.size() - Shown);
    return translate("common", "This file is written in the %1 encoding, which cannot store these "
                               "characters:\r\n\r\n%2\r\n\r\nIf you save, each of them is "
                               "written as \"?\". Save anyway?")
        .arg(fileEncodingName(), list);
}

} // namespace qs
