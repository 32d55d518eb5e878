#include "profilecommands.h"
#include "paths.h"
#include "translation.h"

#include "hostinterface.h"
#include "profmod.h"

namespace qs::profiles {

bool allFieldsFilled(const Profile &fields)
{
    return !fields.name.isEmpty() && !fields.user.isEmpty() && !fields.email.isEmpty() &&
           !fields.server.isEmpty();
}

UpdateStep updateStep(const Profile &fields)
{
    if (fields.name.startsWith(u'_'))
        return UpdateStep::RefuseUnderscore;
    if (!allFieldsFilled(fields))
        return UpdateStep::RefuseMissing;
    if (fields.name == CurrentName)
        return UpdateStep::ConfirmCurrent;
    return UpdateStep::SaveProfile;
}

QList<StoreFailure> applyHostSettings(const Profile &fields)
{
    QList<StoreFailure> failures;
    failures << ProfMod::SaveHostSetting(host::SettingsApp, host::CollabSection, host::UserIdKey,
                                         fields.user);
    failures << ProfMod::SaveHostSetting(host::SettingsApp, host::CollabSection, host::EmailKey,
                                         fields.email);
    failures << ProfMod::SaveHostSetting(host::SettingsApp, host::CollabLanSection, host::ServerKey,
                                         fields.server);
    return failures;
}

QString failureMessage(const QList<StoreFailure> &failures)
{
    QStringList files;
    QString text = translate("seatpick", "The settings could not be saved.");
    for (const StoreFailure &failure : failures) {
        if (files.contains(failure.file))
            continue;
        files << failure.file;
        text += translate("seatpick", "\r\n\r\nFile: %1\r\nReason: %2")
                    .arg(shownPath(failure.file), failure.reason);
    }
    return text;
}

} // namespace qs::profiles
