#pragma once

#include <QString>

namespace qs {

// The per-user settings store, addressed by application, section and key. Every read goes
// to the backing store, so it sees what another program wrote a moment ago.
class SettingsStore
{
public:
    static QString get(const QString &application, const QString &section, const QString &key,
                       const QString &defaultValue = {});
    // Creates what is missing. Returns false when the store could not be written.
    static bool set(const QString &application, const QString &section, const QString &key,
                    const QString &value);
    // Where an application's values live off Windows (an INI file).
    static QString filePath(const QString &application);
};

} // namespace qs
