#pragma once

#include "profilestore.h"
#include "translation.h"

#include <QString>
#include <QStringList>

namespace qs::profiles {

inline const QString AppTitle = QStringLiteral("Tandem!Pad Pickwell");
inline const char *const UnderscoreMessage = QT_TRANSLATE_NOOP(
    "seatpick", "The underscore character is not allowed as the first character of a name.");
inline const char *const MissingFieldMessage =
    QT_TRANSLATE_NOOP("seatpick", "One or more required fields is missing.");
inline const char *const ConfirmMessage = QT_TRANSLATE_NOOP(
    "seatpick", "This will update the current settings as used by Quillsite.  Are you sure you "
                "want to do this?");
inline const char *const ConfirmCaption = QT_TRANSLATE_NOOP("seatpick", "Update");

// Update is offered only while every field holds text; spaces count as text.
bool allFieldsFilled(const Profile &fields);

// What Update does with the fields, decided in the order the checks are made.
enum class UpdateStep {
    RefuseUnderscore, // the name starts with "_": show UnderscoreMessage
    RefuseMissing,    // a field is empty: show MissingFieldMessage
    ConfirmCurrent,   // the name is "Current": ask ConfirmMessage, then apply the fields
    SaveProfile,      // save the fields as the profile of that name
};
UpdateStep updateStep(const Profile &fields);

// Writes the user name, e-mail address and server path as the host's current settings,
// in that order; the name is not looked at. Returns the writes that failed.
QList<StoreFailure> applyHostSettings(const Profile &fields);

// What the user is told when writes failed: each file once, with its first reason.
QString failureMessage(const QList<StoreFailure> &failures);

} // namespace qs::profiles
