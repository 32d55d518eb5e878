#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <QSet>

#include <optional>
#include <vector>

namespace qs {

bool isValidUtf8(QByteArrayView bytes);
// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise, so files made on Windows open.
QString decodeText(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);
// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> encodeWindows1252(QStringView text);
// The ANSI code page on Windows, UTF-8 elsewhere. A character that encoding cannot store is
// written as "?", never as a look-alike.
QByteArray encodeText(QStringView text);
// Whether encodeText stores c as itself: on Windows what the ANSI code page holds, elsewhere
// every character but a lone surrogate.
bool isStorable(char32_t c);
// The name of the encoding encodeText writes, as "Windows-1252" or "UTF-8".
QString fileEncodingName();

// Collects the characters of texts that encodeText cannot store, each once, in the order met.
class UnstorableFinder
{
public:
    void scan(QStringView text);
    const std::vector<char32_t> &found() const { return m_found; }

private:
    std::vector<char32_t> m_found;
    QSet<char32_t> m_seen;
};

// Before a save that would lose characters: names them, at most a few dozen, and asks whether
// to save anyway with each written as "?".
QString unstorableQuestion(const std::vector<char32_t> &characters);

// Text files are written with CR LF line ends.
inline constexpr char CrLf[] = "\r\n";

} // namespace qs
