#include "profilecommands.h"

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

void applyHostSettings(const Profile &fields)
{
    ProfMod::SaveHostSetting(host::SettingsApp, host::CollabSection, host::UserIdKey, fields.user);
    ProfMod::SaveHostSetting(host::SettingsApp, host::CollabSection, host::EmailKey, fields.email);
    ProfMod::SaveHostSetting(host::SettingsApp, host::CollabLanSection, host::ServerKey,
                             fields.server);
}

} // namespace qs::profiles
