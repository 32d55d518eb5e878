#include "profilestore.h"
#include "translation.h"

#include "hostinterface.h"

#include <algorithm>
#include <limits>

namespace qs::profiles {

QString slotKey(qint64 slot)
{
    return SlotKeyPrefix + QString::number(slot);
}

std::optional<qint64> slotCount(const QString &text)
{
    bool ok = false;
    const qint64 count = text.toLongLong(&ok);
    // A count below zero was never written by this program; it is damage, like any other text.
    if (!ok || count < 0)
        return std::nullopt;
    return count;
}

namespace {

// The slot number a key of the "_Program" section names, or nullopt for any other key: only the
// key slotKey() makes counts, "Prof01" is another key.
std::optional<qint64> slotOfKey(const QString &key)
{
    if (!key.startsWith(SlotKeyPrefix))
        return std::nullopt;
    bool ok = false;
    const qint64 slot = key.mid(SlotKeyPrefix.size()).toLongLong(&ok);
    if (!ok || slot < 1 || key != slotKey(slot))
        return std::nullopt;
    return slot;
}

// The slot numbers 1..count that the store has a key for, in increasing order.
QList<qint64> existingSlots(const SettingsSnapshot &store, qint64 count)
{
    QList<qint64> found;
    for (const QString &key : store.keys(ProgramSection)) {
        const std::optional<qint64> slot = slotOfKey(key);
        if (slot && *slot <= count)
            found << *slot;
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

ProfileList readProfileList(const QString &serverDefault)
{
    ProfileList list;
    {
        const SettingsSnapshot host(host::SettingsApp);
        list.rows.append({CurrentName, host.get(host::CollabSection, host::UserIdKey),
                          host.get(host::CollabSection, host::EmailKey),
                          host.get(host::CollabLanSection, host::ServerKey, serverDefault)});
        list.sections.append(QString());
    }

    const SettingsSnapshot store(StoreApp);
    const QString countText = store.get(ProgramSection, NumProfsKey, QStringLiteral("0"));
    const std::optional<qint64> count = slotCount(countText);
    if (countText == QLatin1String("0") || !count)
        return list;
    // The slots that exist, in order: a damaged count must not mean billions of lookups.
    for (const qint64 i : existingSlots(store, *count)) {
        const QString section = store.get(ProgramSection, slotKey(i));
        if (section.isEmpty())
            continue;
        list.rows.append({store.get(section, NameKey, section), store.get(section, UserKey),
                          store.get(section, EmailKey), store.get(section, ServerKey)});
        list.sections.append(section);
    }
    list.selectFirst = true;
    return list;
}

std::optional<qint64> newProfileSlot(const SettingsSnapshot &store)
{
    // Past every slot in use as well as the count, so that a damaged count never hands out a
    // slot that already names a profile; the keys are listed, not probed one number at a time.
    qint64 highest =
        slotCount(store.get(ProgramSection, NumProfsKey, QStringLiteral("0"))).value_or(0);
    for (const QString &key : store.keys(ProgramSection))
        highest = std::max(highest, slotOfKey(key).value_or(0));
    if (highest == std::numeric_limits<qint64>::max())
        return std::nullopt;
    return highest + 1;
}

std::optional<QList<SettingsWrite>> profileWrites(const SettingsSnapshot &snapshot,
                                                  const Profile &p, QString *reason)
{
    const QString existing = snapshot.get(p.name, NameKey, NewSentinel);
    QList<SettingsWrite> writes{{p.name, NameKey, p.name},
                                {p.name, UserKey, p.user},
                                {p.name, EmailKey, p.email},
                                {p.name, ServerKey, p.server}};
    if (existing == NewSentinel) {
        const std::optional<qint64> slot = newProfileSlot(snapshot);
        if (!slot) {
            if (reason)
                *reason = translate("seatpick", NoSlotLeft);
            return std::nullopt;
        }
        writes.append({ProgramSection, NumProfsKey, QString::number(*slot)});
        writes.append({ProgramSection, slotKey(*slot), p.name});
    }
    return writes;
}

bool saveProfile(const Profile &p, StoreFailure *failure)
{
    // The slot is chosen from what is on disk under the store's lock, so two programs saving
    // new profiles at once never claim the same one.
    return SettingsStore::change(
        StoreApp,
        [&p](const SettingsSnapshot &current, QString *reason) {
            return profileWrites(current, p, reason);
        },
        failure);
}

QList<SettingsWrite> removalWrites(const SettingsSnapshot &snapshot, const QString &section)
{
    QList<SettingsWrite> writes;
    for (const QString &key : snapshot.keys(ProgramSection)) {
        if (slotOfKey(key) && snapshot.get(ProgramSection, key) == section)
            writes.append({ProgramSection, key, {}, true});
    }
    // A slot a hand edit pointed at the program's own section loses only the slot.
    if (!section.startsWith(u'_'))
        writes.append({section, {}, {}, true});
    return writes;
}

bool removeProfile(const QString &section, StoreFailure *failure)
{
    return SettingsStore::change(
        StoreApp,
        [&section](const SettingsSnapshot &current, QString *) {
            return std::optional(removalWrites(current, section));
        },
        failure);
}

} // namespace qs::profiles
