// One of many processes sharing a settings file and the registry file: a writer sets its own
// keys round after round, a reader checks every state of both files it sees. Used by the
// store's stress test and contention benchmark; XDG_CONFIG_HOME names the shared folder.
//
//   qs_storestress write ID ROUNDS KEYS FOLDER   prints "writes=W failures=F max_us=M total_us=T"
//   qs_storestress read ID FOLDER               prints "reads=R torn=T regressions=G"
//
// Both wait for FOLDER/go before they start; a reader stops when FOLDER/stop appears.

#include "registry.h"
#include "settingsstore.h"

#include "registrysandbox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QThread>

#include <chrono>
#include <cstdio>

using namespace qs;

namespace {

const QString App = QStringLiteral("StoreStress");

QString registryKey(int writer)
{
    return QStringLiteral("Software\\Stress\\Writer%1").arg(writer);
}

void waitFor(const QString &path)
{
    while (!QFileInfo::exists(path))
        QThread::usleep(200);
}

int write(int id, int rounds, int keys, const QString &folder)
{
    waitFor(folder + QStringLiteral("/go"));
    std::optional<RegistryKey> key = RegistryKey::create(registryKey(id));
    int writes = 0;
    int failures = 0;
    long long maxMicros = 0;
    long long totalMicros = 0;
    const auto timed = [&](auto &&write) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = write();
        const long long micros = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count();
        ++writes;
        failures += ok ? 0 : 1;
        maxMicros = std::max(maxMicros, micros);
        totalMicros += micros;
    };
    for (int round = 1; round <= rounds; ++round) {
        const QString name = QStringLiteral("Key%1").arg(round % keys);
        const QString value = QStringLiteral("w%1-r%2").arg(id).arg(round);
        timed([&] {
            return SettingsStore::set(App, QStringLiteral("Writer%1").arg(id), name, value);
        });
        timed([&] { return key->setString(name, value); });
    }
    std::printf("writes=%d failures=%d max_us=%lld total_us=%lld\n", writes, failures, maxMicros,
                totalMicros);
    return 0;
}

// A whole file ends with a line end, and each line is a group, a blank line or a key; every
// value a writer wrote has its form, and a key's round never goes back.
struct FileCheck
{
    QHash<QString, int> rounds;
    int torn = 0;
    int regressions = 0;

    void check(const QByteArray &content)
    {
        if (content.isEmpty())
            return;
        if (!content.endsWith('\n')) {
            ++torn;
            return;
        }
        static const QRegularExpression keyLine(QStringLiteral("^(\\S+)=w(\\d+)-r(\\d+)$"));
        static const QRegularExpression other(QStringLiteral("^(\\[.*\\]|Kept=.*|)$"));
        QString group;
        for (const QByteArray &raw : content.split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(u'['))
                group = line;
            const QRegularExpressionMatch m = keyLine.match(line);
            if (!m.hasMatch()) {
                torn += other.match(line).hasMatch() ? 0 : 1;
                continue;
            }
            const QString id = group + m.captured(1);
            const int round = m.captured(3).toInt();
            if (round < rounds.value(id, 0))
                ++regressions;
            rounds[id] = round;
        }
    }
};

int read(const QString &folder)
{
    waitFor(folder + QStringLiteral("/go"));
    const QString files[] = {SettingsStore::filePath(App), RegistryKey::hiveFilePath()};
    FileCheck checks[2];
    int reads = 0;
    while (!QFileInfo::exists(folder + QStringLiteral("/stop"))) {
        for (int i = 0; i < 2; ++i) {
            QFile file(files[i]);
            if (file.open(QIODevice::ReadOnly))
                checks[i].check(file.readAll());
        }
        // The store's own reader must see whole files too.
        SettingsStore::get(App, QStringLiteral("Writer1"), QStringLiteral("Key1"));
        ++reads;
        // A window reads now and then, not in a busy loop that would starve the writers.
        QThread::usleep(1000);
    }
    std::printf("reads=%d torn=%d regressions=%d\n", reads, checks[0].torn + checks[1].torn,
                checks[0].regressions + checks[1].regressions);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qs::test::enterInheritedRegistrySandbox();
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == QLatin1String("write"))
        return write(args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5]);
    if (args.size() == 4 && args[1] == QLatin1String("read"))
        return read(args[3]);
    std::fprintf(stderr, "usage: qs_storestress write ID ROUNDS KEYS FOLDER | read ID FOLDER\n");
    return 2;
}
