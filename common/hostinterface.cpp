#include "hostinterface.h"

#include "settingsstore.h"

namespace qs::host {

QString installFolder(const QString &defaultValue)
{
    return SettingsStore::get(SettingsApp, GeneralSection, InstallFolderKey, defaultValue);
}

bool isPresent(const QString &value, const QString &defaultValue)
{
    return value != defaultValue;
}

QString clipartFolder(const QString &installFolder)
{
    return installFolder + QStringLiteral("\\images\\");
}

QString clipartRoot(const QString &installFolder)
{
    return installFolder + QStringLiteral("\\images");
}

} // namespace qs::host
