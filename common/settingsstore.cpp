#include "settingsstore.h"

#include "inifilestore.h"

#include <QSettings>

#ifndef Q_OS_WIN
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <optional>
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

QString SettingsStore::get(const QString &application, const QString &section, const QString &key,
                           const QString &defaultValue)
{
    // The registry is read afresh on every value() call.
    const QSettings store(storeKey(application), QSettings::NativeFormat);
    const QVariant value = store.value(settingsKey(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

bool SettingsStore::set(const QString &application, const QString &section, const QString &key,
                        const QString &value)
{
    QSettings store(storeKey(application), QSettings::NativeFormat);
    store.setValue(settingsKey(section, key), value);
    store.sync();
    return store.status() == QSettings::NoError;
}

QString SettingsStore::filePath(const QString &application)
{
    return storeKey(application);
}

#else

namespace {

// QSettings keeps every INI file it has parsed in a per-process cache and trusts it while the
// file's size and modification time look unchanged, so a same-sized edit by another program
// within one timestamp tick goes unseen. Parsing a private copy under a name never used before
// sidesteps that cache while keeping QSettings' own INI syntax.
class IniSnapshot
{
public:
    explicit IniSnapshot(const QByteArray &content)
    {
        static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/qs-settings-XXXXXX"));
        static std::atomic<quint64> counter = 0;
        if (!folder.isValid())
            return;
        const QString path = folder.filePath(QString::number(++counter) + QStringLiteral(".ini"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size())
            m_path = path;
    }
    ~IniSnapshot()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    IniSnapshot(const IniSnapshot &) = delete;
    IniSnapshot &operator=(const IniSnapshot &) = delete;

    bool isValid() const { return !m_path.isEmpty(); }
    const QString &path() const { return m_path; }

private:
    QString m_path;
};

std::optional<QByteArray> fileContent(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString textOf(const QVariant &value)
{
    // An unquoted comma makes QSettings read a list, but the store only holds plain text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

namespace detail {

std::optional<QString> readIniValue(const QString &file, const QString &key)
{
    const std::optional<QByteArray> content = fileContent(file);
    if (!content)
        return std::nullopt;
    const IniSnapshot snapshot(*content);
    if (!snapshot.isValid())
        return std::nullopt;
    const QSettings ini(snapshot.path(), QSettings::IniFormat);
    const QVariant value = ini.value(key);
    if (!value.isValid())
        return std::nullopt;
    return textOf(value);
}

bool writeIniValue(const QString &file, const QString &key, const QString &value)
{
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    if (info.exists() && !info.isWritable())
        return false;

    // The lock QSettings itself takes while writing this file, so other writers take turns with us.
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.lock())
        return false;

    QByteArray content;
    if (info.exists()) {
        const std::optional<QByteArray> current = fileContent(file);
        if (!current)
            return false;
        content = *current;
    }
    const IniSnapshot snapshot(content);
    if (!snapshot.isValid())
        return false;
    {
        QSettings ini(snapshot.path(), QSettings::IniFormat);
        ini.setValue(key, value);
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return false;
    }
    const std::optional<QByteArray> updated = fileContent(snapshot.path());
    if (!updated)
        return false;

    QSaveFile out(file);
    out.setDirectWriteFallback(true);
    return out.open(QIODevice::WriteOnly) && out.write(*updated) == updated->size() && out.commit();
}

} // namespace detail

QString SettingsStore::get(const QString &application, const QString &section, const QString &key,
                           const QString &defaultValue)
{
    return detail::readIniValue(filePath(application), settingsKey(section, key))
        .value_or(defaultValue);
}

bool SettingsStore::set(const QString &application, const QString &section, const QString &key,
                        const QString &value)
{
    return detail::writeIniValue(filePath(application), settingsKey(section, key), value);
}

QString SettingsStore::filePath(const QString &application)
{
    // Looked up at every call: QSettings caches its user-scope folder once per process.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           StoreName + u'/' + application + QStringLiteral(".ini");
}

#endif

} // namespace qs
