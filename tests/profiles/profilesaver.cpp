// One of several programs saving new profiles into one store at the same moment. Used by the
// profile store's test of saves at once; XDG_CONFIG_HOME names the shared folder.
//
//   qs_profilesaver ID COUNT   saves profiles "IDxN" for N = 1..COUNT, prints "saved=S failed=F"
//
// It waits for $XDG_CONFIG_HOME/go before it starts, so that all savers start together.

#include "profilestore.h"

#include "registrysandbox.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qs::test::enterInheritedRegistrySandbox();
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: qs_profilesaver ID COUNT\n");
        return 2;
    }
    const QString go =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("XDG_CONFIG_HOME")) +
        QStringLiteral("/go");
    while (!QFileInfo::exists(go))
        QThread::usleep(200);
    int saved = 0;
    int failed = 0;
    for (int i = 1; i <= args[2].toInt(); ++i) {
        const QString name = args[1] + u'x' + QString::number(i);
        if (qs::profiles::saveProfile({name, QStringLiteral("u"), QStringLiteral("e"), name}))
            ++saved;
        else
            ++failed;
    }
    std::printf("saved=%d failed=%d\n", saved, failed);
    return 0;
}
