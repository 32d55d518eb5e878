#include "registry.h"
#include "translation.h"

#include "inistore.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <algorithm>
#include <string>
#else
#include <QStandardPaths>
#endif

namespace qs {

#ifdef Q_OS_WIN

namespace {

// Registry functions refuse a sub key that starts with '\'; a trailing one adds nothing. The
// wide-character calls keep every character; the ANSI ones would turn those outside the code
// page into question marks.
std::wstring subKey(const QString &path)
{
    QString key = path;
    while (key.startsWith(u'\\'))
        key.remove(0, 1);
    while (key.endsWith(u'\\'))
        key.chop(1);
    return key.toStdWString();
}

bool openOrCreate(const QString &path, REGSAM access, HKEY *key)
{
    return RegCreateKeyExW(HKEY_CURRENT_USER, subKey(path).c_str(), 0, nullptr,
                           REG_OPTION_NON_VOLATILE, access, nullptr, key, nullptr) == ERROR_SUCCESS;
}

} // namespace

std::optional<RegistryKey> RegistryKey::create(const QString &keyPath)
{
    HKEY key = nullptr;
    if (!openOrCreate(keyPath, KEY_WRITE, &key))
        return std::nullopt;
    RegCloseKey(key);
    return RegistryKey(keyPath);
}

bool RegistryKey::setString(const QString &valueName, const QString &value, StoreFailure *failure)
{
    const auto fail = [&](const QString &reason) {
        if (failure)
            *failure = {QStringLiteral("HKEY_CURRENT_USER\\") + m_path, reason};
        return false;
    };
    if (!m_open)
        return fail(translate("common", "the key is closed."));
    HKEY key = nullptr;
    if (!openOrCreate(m_path, KEY_SET_VALUE, &key))
        return fail(translate("common", "the key could not be opened."));
    const std::wstring name = valueName.toStdWString();
    const std::wstring data = value.toStdWString();
    // REG_SZ data is counted in bytes, its terminating null included.
    const LONG rc =
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS || fail(translate("common", "the value could not be set."));
}

std::optional<QString> readRegistryString(const QString &keyPath, const QString &valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey(keyPath).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring name = valueName.toStdWString();
    std::optional<QString> result;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        // Room for an odd byte count and a null: stored strings need not end with one.
        std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
        DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE *>(data.data()), &got) == ERROR_SUCCESS) {
            data.resize(std::min<size_t>(got / sizeof(wchar_t), data.size()));
            // The value ends at its first null, as the ANSI read ended it. Copied as it is:
            // a leading U+FEFF is part of the value, not a byte-order mark.
            const std::wstring value = data.substr(0, data.find(L'\0'));
            result = QString(reinterpret_cast<const QChar *>(value.data()),
                             static_cast<qsizetype>(value.size()));
        }
    }
    RegCloseKey(key);
    return result;
}

std::optional<QString> RegistryKey::string(const QString &valueName) const
{
    if (!m_open)
        return std::nullopt;
    return readRegistryString(m_path, valueName);
}

QString RegistryKey::hiveFilePath()
{
    // The real hive is not a file.
    return {};
}

#else

namespace {

QString iniKey(const QString &keyPath, const QString &valueName)
{
    QString key = keyPath;
    key.replace(u'\\', u'/');
    // The name QSettings uses for a key's default value in the real registry.
    return key + u'/' + (valueName.isEmpty() ? QStringLiteral("Default") : valueName);
}

} // namespace

std::optional<RegistryKey> RegistryKey::create(const QString &keyPath)
{
    // An INI file holds no empty groups: the key appears with its first value.
    return RegistryKey(keyPath);
}

bool RegistryKey::setString(const QString &valueName, const QString &value, StoreFailure *failure)
{
    const QString file = hiveFilePath();
    QString reason = translate("common", "the key is closed.");
    const detail::IniValues values{{iniKey(m_path, valueName), value}};
    if (m_open &&
        detail::changeIniFile(
            file, [&values](const detail::IniText &, QString *) { return values; }, &reason))
        return true;
    if (failure)
        *failure = {file, reason};
    return false;
}

std::optional<QString> RegistryKey::string(const QString &valueName) const
{
    if (!m_open)
        return std::nullopt;
    return detail::readIniFile(hiveFilePath()).value(iniKey(m_path, valueName));
}

QString RegistryKey::hiveFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Registry/HKEY_CURRENT_USER.ini");
}

#endif

void RegistryKey::close()
{
    m_open = false;
}

} // namespace qs
