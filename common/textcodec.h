#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace qs {

bool isValidUtf8(QByteArrayView bytes);
// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise, so files made on Windows open.
QString decodeText(QByteArrayView bytes);
QString decodeWindows1252(QByteArrayView bytes);
// nullopt when a character has no Windows-1252 byte.
std::optional<QByteArray> encodeWindows1252(QStringView text);
// The ANSI code page on Windows, UTF-8 elsewhere.
QByteArray encodeText(QStringView text);

// Text files are written with CR LF line ends.
inline constexpr char CrLf[] = "\r\n";

} // namespace qs
