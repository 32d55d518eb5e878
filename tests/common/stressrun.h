#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>

#include <memory>
#include <vector>

namespace qs::test {

// What the processes of one stress run reported, summed (the stalls as their largest).
struct StressTotals
{
    int writes = 0;
    int writeFailures = 0;
    long long maxWriteMicros = 0;
    long long totalWriteMicros = 0;
    int reads = 0;
    int torn = 0;
    int regressions = 0;
    int crashed = 0; // processes that did not end normally or printed nothing readable
    double seconds = 0;
};

// Starts writers and readers of the helper at once against the settings of configHome and
// waits for all of them. Each writer sets rounds values over keys keys of its own.
inline StressTotals runStoreStress(const QString &helper, const QString &configHome, int writers,
                                   int readers, int rounds, int keys)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    const auto start = [&](const QStringList &args) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->start(helper, args);
        process->waitForStarted();
        return process;
    };
    std::vector<std::unique_ptr<QProcess>> writing, reading;
    for (int i = 1; i <= writers; ++i)
        writing.push_back(start({QStringLiteral("write"), QString::number(i),
                                 QString::number(rounds), QString::number(keys), configHome}));
    for (int i = 1; i <= readers; ++i)
        reading.push_back(start({QStringLiteral("read"), QString::number(i), configHome}));

    StressTotals totals;
    const auto number = [](const QString &text, const QString &name) {
        const QRegularExpression re(name + QStringLiteral("=(\\d+)"));
        const QRegularExpressionMatch m = re.match(text);
        return m.hasMatch() ? m.captured(1).toLongLong() : -1;
    };
    const auto finished = [&](QProcess &p) {
        const bool ended = p.waitForFinished(600'000) && p.exitStatus() == QProcess::NormalExit &&
                           p.exitCode() == 0;
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        if (!ended)
            ++totals.crashed;
        return out;
    };

    QElapsedTimer clock;
    clock.start();
    QFile(configHome + QStringLiteral("/go")).open(QIODevice::WriteOnly);
    for (auto &p : writing) {
        const QString out = finished(*p);
        const long long writes = number(out, QStringLiteral("writes"));
        if (writes < 0) {
            ++totals.crashed;
            continue;
        }
        totals.writes += writes;
        totals.writeFailures += number(out, QStringLiteral("failures"));
        totals.maxWriteMicros =
            std::max(totals.maxWriteMicros, number(out, QStringLiteral("max_us")));
        totals.totalWriteMicros += number(out, QStringLiteral("total_us"));
    }
    totals.seconds = clock.nsecsElapsed() / 1e9;
    QFile(configHome + QStringLiteral("/stop")).open(QIODevice::WriteOnly);
    for (auto &p : reading) {
        const QString out = finished(*p);
        const long long reads = number(out, QStringLiteral("reads"));
        if (reads < 0) {
            ++totals.crashed;
            continue;
        }
        totals.reads += reads;
        totals.torn += number(out, QStringLiteral("torn"));
        totals.regressions += number(out, QStringLiteral("regressions"));
    }
    return totals;
}

} // namespace qs::test
