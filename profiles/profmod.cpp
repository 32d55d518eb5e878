#include "profmod.h"

#include "hostinterface.h"
#include "registry.h"
#include "settingsstore.h"

namespace qs::profiles::ProfMod {

bool SetKeyValue(RegistryRoot root, QString &subKey, QString &valueName, QString &value,
                 StoreFailure *failure)
{
    // The registry layer writes below the current user's hive, the only root this program uses.
    if (root != RegistryRoot::CurrentUser)
        return false;
    std::optional<RegistryKey> key = RegistryKey::create(subKey);
    if (!key)
        return false;
    // The host's key never holds an empty string: an empty value goes in as one space.
    if (value.isEmpty())
        value = QStringLiteral(" ");
    const bool set = key->setString(valueName, value, failure);
    key->close();
    return set;
}

QList<StoreFailure> SaveHostSetting(const QString &application, const QString &section,
                                    const QString &key, const QString &value)
{
    QList<StoreFailure> failures;
    QString subKey = host::RegistryKeyBase + section;
    QString valueName = key;
    QString registryValue = value;
    StoreFailure failure;
    if (!SetKeyValue(RegistryRoot::CurrentUser, subKey, valueName, registryValue, &failure))
        failures.append(failure);
    if (!SettingsStore::set(application, section, key, value, &failure))
        failures.append(failure);
    return failures;
}

} // namespace qs::profiles::ProfMod
