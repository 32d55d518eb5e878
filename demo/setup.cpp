// Points the settings at a demo host install: its install folder and its test-run command.
#include "hostinterface.h"
#include "registry.h"
#include "settingsstore.h"
#include "testrunserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: quillsite-demo-setup HOST_FOLDER TEST_RUN_COMMAND\n";
        return 2;
    }
    // As the host's own setup writes them: with the system's separators.
    const QString host = QDir::toNativeSeparators(QDir(args[1]).absolutePath());
    if (!qs::SettingsStore::set(qs::host::SettingsApp, qs::host::GeneralSection,
                                qs::host::InstallFolderKey, host)) {
        err << "could not write the host install folder setting\n";
        return 1;
    }
    if (const QString error = qs::demo::registerTestRunServer(args[2]); !error.isEmpty()) {
        err << error << '\n';
        return 1;
    }

    // Two sample profiles for the profile switcher, unless it has some of its own already.
    const QString profiles = QStringLiteral("TandemPadChooser");
    const QString program = QStringLiteral("_Program");
    QString count;
    try {
        count = qs::SettingsStore::get(profiles, program, QStringLiteral("NumProfs"),
                                       QStringLiteral("0"));
    } catch (const qs::StoreReadError &error) {
        err << error.what() << '\n';
        return 1;
    }
    if (count == QLatin1String("0")) {
        QList<qs::SettingsWrite> writes;
        const QStringList samples[] = {
            {"Office LAN", "pat", "pat@office.example", host + "/tandem/office"},
            {"Home", "pat.home", "pat@home.example", host + "/tandem/home"}};
        int slot = 0;
        for (const QStringList &p : samples) {
            writes.append({p[0], "Name", p[0]});
            writes.append({p[0], "User", p[1]});
            writes.append({p[0], "Email", p[2]});
            writes.append({p[0], "Server", p[3]});
            writes.append({program, "Prof" + QString::number(++slot), p[0]});
        }
        writes.append({program, "NumProfs", QString::number(slot)});
        if (!qs::SettingsStore::setMany(profiles, writes)) {
            err << "could not write the sample profiles\n";
            return 1;
        }
    }
    return 0;
}
