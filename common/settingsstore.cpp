#include "settingsstore.h"
#include "paths.h"
#include "translation.h"

#ifdef Q_OS_WIN
#include "inistore.h"
#include "registry.h"

#include <QDir>
#include <QLockFile>
#include <QSettings>
#else
#include "inistore.h"

#include <QStandardPaths>
#endif

namespace qs {

namespace {

const QString StoreName = QStringLiteral("VB and VBA Program Settings");

// Sections use '\' between levels, as registry keys do; QSettings nests groups with '/'.
QString settingsKey(const QString &section, const QString &key)
{
    QString path = section;
    path.replace(u'\\', u'/');
    return path + u'/' + key;
}

} // namespace

#ifdef Q_OS_WIN

namespace {

QString storeKey(const QString &application)
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + StoreName + u'\\' + application;
}

} // namespace

// The registry is read afresh on every value() call, so the snapshot only saves the opening.
struct SettingsSnapshot::Data
{
    explicit Data(const QString &application)
        : store(storeKey(application), QSettings::NativeFormat)
        , keyPath(QStringLiteral("Software\\") + StoreName + u'\\' + application)
    {
    }
    mutable QSettings store; // groups are entered and left to list keys
    QString keyPath;
};

QString SettingsSnapshot::get(const QString &section, const QString &key,
                              const QString &defaultValue) const
{
    // QSettings decodes a string as UTF-16 that may start with a byte-order mark, and so
    // drops a leading U+FEFF from the value: strings are read as stored, but for those
    // beginning with '@', which QSettings escapes when it writes them.
    const std::optional<QString> stored =
        readRegistryString(m_data->keyPath + u'\\' + section, key);
    if (stored && !stored->startsWith(u'@'))
        return *stored;
    const QVariant value = m_data->store.value(settingsKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

QStringList SettingsSnapshot::keys(const QString &section) const
{
    QString group = section;
    group.replace(u'\\', u'/');
    m_data->store.beginGroup(group);
    QStringList keys = m_data->store.childKeys();
    m_data->store.endGroup();
    return keys;
}

bool SettingsStore::setMany(const QString &application, const QList<SettingsWrite> &writes,
                            StoreFailure *failure)
{
    QSettings store(storeKey(application), QSettings::NativeFormat);
    for (const SettingsWrite &write : writes) {
        if (write.remove)
            store.remove(settingsKey(write.section, write.key));
        else
            store.setValue(settingsKey(write.section, write.key), write.value);
    }
    store.sync();
    if (store.status() == QSettings::NoError)
        return true;
    if (failure)
        *failure = {storeKey(application),
                    translate("common", "access to the registry was denied.")};
    return false;
}

bool SettingsStore::change(const QString &application, const SettingsChange &change,
                           StoreFailure *failure)
{
    // The registry has no lock of its own: writers of one application take turns here.
    QLockFile lock(QDir::tempPath() + QStringLiteral("/qs-store-") + application +
                   QStringLiteral(".lock"));
    if (!detail::lockTakingTurns(lock, 5000)) {
        if (failure)
            *failure = {storeKey(application),
                        translate("common", "another program kept the settings locked.")};
        return false;
    }
    QString reason;
    const std::optional<QList<SettingsWrite>> writes =
        change(SettingsSnapshot(application), &reason);
    if (!writes) {
        if (failure)
            *failure = {storeKey(application), reason};
        return false;
    }
    return setMany(application, *writes, failure);
}

QString SettingsStore::filePath(const QString &application)
{
    return storeKey(application);
}

#else

namespace {

// QSettings writes the group "General" as "[%General]" and reads a "[General]" section, as
// people write it by hand, as the keys outside any group. So a key of the General section, or
// below it, is also looked for there.
std::optional<QString> handWrittenGeneralKey(const QString &section, const QString &key)
{
    static const QString General = QStringLiteral("General");
    if (!section.startsWith(General, Qt::CaseInsensitive))
        return std::nullopt;
    if (section.size() == General.size())
        return key;
    if (section[General.size()] != u'\\')
        return std::nullopt;
    return settingsKey(section.mid(General.size() + 1), key);
}

} // namespace

struct SettingsSnapshot::Data
{
    explicit Data(const QString &application)
        : owned(detail::readIniFile(SettingsStore::filePath(application)))
        , file(*owned)
    {
    }
    // A view of a file read under its lock, for the length of one change.
    explicit Data(const detail::IniText &current)
        : file(current)
    {
    }
    std::optional<detail::IniText> owned;
    const detail::IniText &file;
};

QString SettingsSnapshot::get(const QString &section, const QString &key,
                              const QString &defaultValue) const
{
    if (std::optional<QString> value = m_data->file.value(settingsKey(section, key)))
        return *value;
    if (const std::optional<QString> general = handWrittenGeneralKey(section, key)) {
        if (std::optional<QString> value = m_data->file.value(*general))
            return *value;
    }
    return defaultValue;
}

QStringList SettingsSnapshot::keys(const QString &section) const
{
    QString group = section;
    group.replace(u'\\', u'/');
    return m_data->file.childKeys(group);
}

bool SettingsStore::setMany(const QString &application, const QList<SettingsWrite> &writes,
                            StoreFailure *failure)
{
    return change(
        application,
        [&writes](const SettingsSnapshot &, QString *) { return std::optional(writes); }, failure);
}

bool SettingsStore::change(const QString &application, const SettingsChange &change,
                           StoreFailure *failure)
{
    const QString file = filePath(application);
    QString reason;
    const auto onDisk = [&change](const detail::IniText &current,
                                  QString *why) -> std::optional<detail::IniValues> {
        const std::optional<QList<SettingsWrite>> writes =
            change(SettingsSnapshot(std::make_unique<SettingsSnapshot::Data>(current)), why);
        if (!writes)
            return std::nullopt;
        detail::IniValues values;
        values.reserve(writes->size());
        for (const SettingsWrite &write : *writes) {
            // A key read from a hand-written "[General]" is changed where it stands.
            const QString path = settingsKey(write.section, write.key);
            const std::optional<QString> general = handWrittenGeneralKey(write.section, write.key);
            values.emplace_back(
                general && !current.value(path) && current.value(*general) ? *general : path,
                write.remove ? std::nullopt : std::optional(write.value));
        }
        return values;
    };
    if (detail::changeIniFile(file, onDisk, &reason))
        return true;
    if (failure)
        *failure = {file, reason};
    return false;
}

QString SettingsStore::filePath(const QString &application)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           StoreName + u'/' + application + QStringLiteral(".ini");
}

#endif

QString storeReadMessage(const StoreReadError &error)
{
    return translate("common", "The settings could not be read.\r\n\r\nFile: %1\r\nReason: %2")
        .arg(shownPath(error.failure.file), error.failure.reason);
}

SettingsSnapshot::SettingsSnapshot(const QString &application)
    : m_data(std::make_unique<Data>(application))
{
}

SettingsSnapshot::SettingsSnapshot(std::unique_ptr<Data> data)
    : m_data(std::move(data))
{
}

SettingsSnapshot::~SettingsSnapshot() = default;

QString SettingsStore::get(const QString &application, const QString &section, const QString &key,
                           const QString &defaultValue)
{
    return SettingsSnapshot(application).get(section, key, defaultValue);
}

bool SettingsStore::set(const QString &application, const QString &section, const QString &key,
                        const QString &value, StoreFailure *failure)
{
    return setMany(application, {SettingsWrite{section, key, value}}, failure);
}

} // namespace qs
