#pragma once

#include "settingsstore.h"
#include "translation.h"

#include <QList>
#include <QString>

#include <optional>

namespace qs::profiles {

// Where the profiles live in the per-user settings store.
inline const QString StoreApp = QStringLiteral("TandemPadChooser");
inline const QString ProgramSection = QStringLiteral("_Program");
inline const QString NumProfsKey = QStringLiteral("NumProfs");
inline const QString SlotKeyPrefix = QStringLiteral("Prof");
inline const QString NameKey = QStringLiteral("Name");
inline const QString UserKey = QStringLiteral("User");
inline const QString EmailKey = QStringLiteral("Email");
inline const QString ServerKey = QStringLiteral("Server");

// The first list row, standing for the host's current settings; never a stored profile.
inline const QString CurrentName = QStringLiteral("Current");
// What a profile's "Name" reads as while the profile does not exist yet.
inline const QString NewSentinel = QStringLiteral("_new");

struct Profile
{
    QString name;
    QString user;
    QString email;
    QString server;

    bool operator==(const Profile &) const = default;
};

// What the chooser's list shows: the "Current" row, then the profiles in slot order.
struct ProfileList
{
    QList<Profile> rows;
    // The store section of each row; empty for "Current".
    QStringList sections;
    // False when no profile was ever saved: then nothing is selected after a rebuild.
    bool selectFirst = false;
};

// "Prof" followed by the slot number.
QString slotKey(qint64 slot);
// The number of slots handed out; nullopt when the text is not a whole number.
std::optional<qint64> slotCount(const QString &text);

// Reads the host's current settings and every profile, each store parsed once. serverDefault
// is what the "Current" row shows when the host has no server path.
ProfileList readProfileList(const QString &serverDefault);

// Why a new profile cannot be saved when the slot numbers are used up.
inline const char *const NoSlotLeft = QT_TRANSLATE_NOOP(
    "seatpick", "the profile count in section \"_Program\" is at the top of its range, so no "
                "slot is left for a new profile.");

// The slot a new profile takes in a store holding what snapshot read: the one after the highest
// slot in use or counted; nullopt when no number is left.
std::optional<qint64> newProfileSlot(const SettingsSnapshot &snapshot);
// The writes that save profile p into a store holding what snapshot read, in the order they
// are made: its four values, then for a new profile the raised count and its slot. nullopt (and
// reason) when the profile is new and no slot is left.
std::optional<QList<SettingsWrite>> profileWrites(const SettingsSnapshot &snapshot,
                                                  const Profile &p, QString *reason = nullptr);
// Saves p over what is on disk now; false when the store could not be written, and then
// failure (if given) says where and why.
bool saveProfile(const Profile &p, StoreFailure *failure = nullptr);

// The writes that remove the profile stored in section: the section, and every slot that names
// it. The other slots keep their numbers and the count stays, so a reader that walks the slots
// up to the count skips the gap, and a new profile never takes a number a reader still has.
QList<SettingsWrite> removalWrites(const SettingsSnapshot &snapshot, const QString &section);
// Removes the profile stored in section as one change; false (and failure) as saveProfile.
bool removeProfile(const QString &section, StoreFailure *failure = nullptr);

} // namespace qs::profiles
