#pragma once

#include "settingsstore.h"

#include <QList>
#include <QString>

namespace qs::profiles::ProfMod {

// The registry roots the program writes below.
enum class RegistryRoot { CurrentUser };

// Creates or opens root\subKey and sets valueName to value as a string. An empty value is
// stored as one space, and the caller's value sees the change. False when the key could not
// be created or opened or the value not set.
bool SetKeyValue(RegistryRoot root, QString &subKey, QString &valueName, QString &value,
                 StoreFailure *failure = nullptr);

// Writes one host setting to the host's registry key, then to the per-user settings store,
// where an empty value stays empty. A failed write does not stop the other; what failed is
// returned, so that the user can be told.
QList<StoreFailure> SaveHostSetting(const QString &application, const QString &section,
                                    const QString &key, const QString &value);

} // namespace qs::profiles::ProfMod
