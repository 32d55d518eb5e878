#pragma once

#include <QString>

namespace qs::host {

inline const QString SettingsApp = QStringLiteral("Quillsite97");
inline const QString GeneralSection = QStringLiteral("General");
inline const QString InstallFolderKey = QStringLiteral("QuillsitePath");

inline const QString CollabSection = QStringLiteral("Tandem!Pad");
inline const QString CollabLanSection = QStringLiteral("Tandem!Pad\\LAN");
inline const QString UserIdKey = QStringLiteral("UserID");
inline const QString EmailKey = QStringLiteral("Email");
inline const QString ServerKey = QStringLiteral("Server");

inline const QString RegistryKeyBase =
    QStringLiteral("Software\\Vantrell Software\\Quillsite 97\\CurrentVersion\\");

inline const QString AutomationClassId = QStringLiteral("{F11C4664-D9A3-11D0-B9ED-004005312D1E}");
inline const QString AutomationInterfaceId =
    QStringLiteral("{F11C4663-D9A3-11D0-B9ED-004005312D1E}");
// Per-user registration of the class; its default value is the command line to start.
inline const QString AutomationServerKey = QStringLiteral("Software\\Classes\\CLSID\\") +
                                           AutomationClassId + QStringLiteral("\\LocalServer32");

// The gallery editor's default: absent means empty.
inline const QString GalleryHostDefault = QString();
// The template editor's default.
inline const QString TemplateHostDefault = QStringLiteral("ERR");

// The host install folder as stored (backslashes kept), or defaultValue when missing.
QString installFolder(const QString &defaultValue);
// Absent exactly when the value read equals the caller's default.
bool isPresent(const QString &value, const QString &defaultValue);

// Where galleries are installed: install folder + "\images\".
QString clipartFolder(const QString &installFolder);
// Where preview pictures are resolved: install folder + "\images".
QString clipartRoot(const QString &installFolder);
inline const QString GalleryListName = QStringLiteral("gallery.lst");

} // namespace qs::host
