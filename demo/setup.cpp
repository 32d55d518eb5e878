// Points the settings at a demo host install: its install folder and its test-run command.
#include "hostinterface.h"
#include "registry.h"
#include "settingsstore.h"

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
    const QString host = QDir(args[1]).absolutePath();
    if (!qs::SettingsStore::set(qs::host::SettingsApp, qs::host::GeneralSection,
                                qs::host::InstallFolderKey, host)) {
        err << "could not write the host install folder setting\n";
        return 1;
    }
    auto key = qs::RegistryKey::create(qs::host::AutomationServerKey);
    if (!key || !key->setString(QString(), QDir(args[2]).absolutePath())) {
        err << "could not register the demo test-run command\n";
        return 1;
    }
    key->close();
    return 0;
}
