#pragma once

#include "hostinterface.h"
#include "profchooser.h"
#include "profilestore.h"
#include "registry.h"
#include "scripteddialogs.h"
#include "settingsstore.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace qs::test {

inline QString profileStoreFile()
{
    return testHome() + "/.config/VB and VBA Program Settings/TandemPadChooser.ini";
}
// Where a failure to write the profile store says the store is.
inline QString profileStoreName()
{
    return SettingsInFiles ? profileStoreFile()
                           : "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\"
                             "TandemPadChooser";
}
inline QString hostStoreFile()
{
    return testHome() + "/.config/VB and VBA Program Settings/Quillsite97.ini";
}
inline QString hiveFile()
{
    return testHome() + "/.config/Registry/HKEY_CURRENT_USER.ini";
}

// Lines as the settings files hold them off Windows, each ended by LF.
inline QByteArray lines(std::initializer_list<const char *> text)
{
    QByteArray out;
    for (const char *line : text) {
        out += line;
        out += '\n';
    }
    return out;
}

// The host's current collaboration settings, as the host itself would have left them.
inline void setHostSettings(const QString &user, const QString &email, const QString &server)
{
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::CollabSection, host::UserIdKey, user));
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::CollabSection, host::EmailKey, email));
    ASSERT_TRUE(
        SettingsStore::set(host::SettingsApp, host::CollabLanSection, host::ServerKey, server));
}

// A profile store written by hand: Home in slot 1, no slot 2, Lab in slot 3.
inline QByteArray gappedStore()
{
    return lines({"[_Program]", "NumProfs=3", "Prof1=Home", "Prof3=Lab", "", "[Home]", "Name=Home",
                  "User=pat", "Email=pat@home.example", "Server=/srv/home", "", "[Lab]",
                  "User=lab.user", "Email=lab@example.com", "Server=/srv/lab", ""});
}

// The gapped store and the host's current settings, both on disk.
struct GappedStore
{
    GappedStore()
    {
        setHostSettings("host.user", "host@example.com", "/srv/host");
        EXPECT_TRUE(writeSettingsFile(profileStoreFile(), gappedStore()));
    }
};

// A chooser on a desktop that has a notification area.
class TrayChooser : public profiles::ProfChooser
{
public:
    using ProfChooser::ProfChooser;
    // The desktop's notification area, which may go away while the program runs.
    bool trayPresent = true;

protected:
    bool hasNotificationArea() const override { return trayPresent; }
};

// The chooser window with scripted dialogs, driven through its controls.
struct ChooserWindow
{
    ScriptedDialogs *dialogs;
    std::unique_ptr<profiles::ProfChooser> window;

    explicit ChooserWindow(bool withTray = false)
    {
        auto scripted = std::make_unique<ScriptedDialogs>("Tandem!Pad Pickwell");
        dialogs = scripted.get();
        if (withTray)
            window = std::make_unique<TrayChooser>(std::move(scripted));
        else
            window = std::make_unique<profiles::ProfChooser>(std::move(scripted));
    }

    template <typename T> T *find(const char *name) const
    {
        T *child = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QComboBox *combo() const { return find<QComboBox>("Combo1"); }
    QLineEdit *edit(const char *name) const { return find<QLineEdit>(name); }
    QPushButton *button(const char *name) const { return find<QPushButton>(name); }

    QStringList entries() const
    {
        QStringList out;
        for (int i = 0; i < combo()->count(); ++i)
            out << combo()->itemText(i);
        return out;
    }
    // The rows behind the list as "name|user|email|server".
    QStringList rows() const
    {
        QStringList out;
        for (const profiles::Profile &row : window->rows().rows)
            out << QStringList{row.name, row.user, row.email, row.server}.join('|');
        return out;
    }
    // The four fields as "name|user|email|server".
    QString fields() const
    {
        return QStringList{edit("txtName")->text(), edit("txtUserName")->text(),
                           edit("txtEmail")->text(), edit("txtServer")->text()}
            .join('|');
    }
    void setFields(const QString &name, const QString &user, const QString &email,
                   const QString &server)
    {
        edit("txtName")->setText(name);
        edit("txtUserName")->setText(user);
        edit("txtEmail")->setText(email);
        edit("txtServer")->setText(server);
    }
    // A pick from the drop-down, as the list reports it.
    void pick(int index)
    {
        combo()->setCurrentIndex(index);
        emit combo()->activated(index);
    }
    void click(const char *name) { button(name)->click(); }
};

} // namespace qs::test
