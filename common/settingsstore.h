#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

namespace qs {

struct SettingsWrite
{
    QString section, key, value;
    // Removes the key instead, or with an empty key the whole section and what is below it.
    bool remove = false;
};

// Why a write to the store did not happen: the file (or registry key) and the reason, for the
// message the user is shown.
struct StoreFailure
{
    QString file;
    QString reason;
};

// A store that exists but cannot be read: never taken for an empty one, so that a program does
// not act on defaults (no host, no profiles) while the user's values are still there.
class StoreReadError : public std::runtime_error
{
public:
    explicit StoreReadError(StoreFailure failure)
        : std::runtime_error((failure.file + QStringLiteral(": ") + failure.reason).toStdString())
        , failure(std::move(failure))
    {
    }
    StoreFailure failure;
};

// What the user is told when the store cannot be read.
QString storeReadMessage(const StoreReadError &error);

// The per-user settings store, addressed by application, section and key. Every read goes
// to the backing store, so it sees what another program wrote a moment ago. A section holding
// '\' names nested groups, as registry keys do. Reads throw StoreReadError when the store
// exists but cannot be read.
class SettingsSnapshot;

// What a change writes, computed from the store as it is now; nullopt refuses the change, and
// reason (if given) then says why.
using SettingsChange = std::function<std::optional<QList<SettingsWrite>>(
    const SettingsSnapshot &current, QString *reason)>;

class SettingsStore
{
public:
    static QString get(const QString &application, const QString &section, const QString &key,
                       const QString &defaultValue = {});
    // Creates what is missing. Returns false when the store could not be written; failure
    // (if given) then says where and why, and the store is as it was.
    static bool set(const QString &application, const QString &section, const QString &key,
                    const QString &value, StoreFailure *failure = nullptr);
    // The writes in order, as one change: one lock and one replace of the backing file.
    static bool setMany(const QString &application, const QList<SettingsWrite> &writes,
                        StoreFailure *failure = nullptr);
    // One read-modify-write: no other writer of the store comes between the read that change
    // is given and its writes. False when change refused or the store could not be written;
    // failure (if given) then says where and why, and the store is as it was.
    static bool change(const QString &application, const SettingsChange &change,
                       StoreFailure *failure = nullptr);
    // Where an application's values live off Windows (an INI file).
    static QString filePath(const QString &application);
};

// The store of one application as read once, for the many reads of one command: each get()
// answers as SettingsStore::get would have at the moment the snapshot was taken.
class SettingsSnapshot
{
public:
    explicit SettingsSnapshot(const QString &application);
    ~SettingsSnapshot();
    SettingsSnapshot(const SettingsSnapshot &) = delete;
    SettingsSnapshot &operator=(const SettingsSnapshot &) = delete;

    QString get(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // The keys of a section as stored, so that a caller need not probe a count it was given.
    QStringList keys(const QString &section) const;

private:
    friend class SettingsStore;
    struct Data;
    explicit SettingsSnapshot(std::unique_ptr<Data> data);
    std::unique_ptr<Data> m_data;
};

} // namespace qs
