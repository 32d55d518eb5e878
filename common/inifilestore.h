#pragma once

#include <QString>

#include <optional>

namespace qs::detail {

// One value of an INI file in QSettings' format, read or written afresh on every call so that
// another program's changes are never missed or undone.
std::optional<QString> readIniValue(const QString &file, const QString &key);
bool writeIniValue(const QString &file, const QString &key, const QString &value);

} // namespace qs::detail
