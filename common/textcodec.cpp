#include "textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

QByteArray encodeText(QStringView text)
{
#ifdef Q_OS_WIN
    QStringEncoder enc(QStringConverter::System);
    return enc.encode(text);
#else
    return text.toUtf8();
#endif
}

} // namespace qs
