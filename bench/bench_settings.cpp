#include "settingsstore.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using qs::SettingsSnapshot;
using qs::SettingsStore;
using qs::SettingsWrite;

namespace {

constexpr int Profiles = 1000;
const QString App = QStringLiteral("TandemPadChooser");

QString profileName(int i)
{
    return QStringLiteral("Profile %1").arg(i);
}

// A profile store of the given size in a folder of its own, made once per run.
class ProfileStore
{
public:
    ProfileStore()
    {
        qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
        QList<SettingsWrite> writes;
        for (int i = 1; i <= Profiles; ++i) {
            const QString name = profileName(i);
            writes.append({name, QStringLiteral("Name"), name});
            writes.append({name, QStringLiteral("User"), QStringLiteral("user%1").arg(i)});
            writes.append(
                {name, QStringLiteral("Email"), QStringLiteral("u%1@example.com").arg(i)});
            writes.append({name, QStringLiteral("Server"), QStringLiteral("\\\\srv%1\\tp").arg(i)});
            writes.append({QStringLiteral("_Program"), QStringLiteral("Prof%1").arg(i), name});
        }
        writes.append(
            {QStringLiteral("_Program"), QStringLiteral("NumProfs"), QString::number(Profiles)});
        m_ready = m_home.isValid() && SettingsStore::setMany(App, writes);
    }

    bool isReady() const { return m_ready; }
    qint64 fileSize() const { return QFile(SettingsStore::filePath(App)).size(); }

private:
    QTemporaryDir m_home;
    bool m_ready = false;
};

ProfileStore &store()
{
    static ProfileStore instance;
    return instance;
}

// What rebuilding the profile list reads: four values of every profile, from one parse.
void settingsSnapshotGet(benchmark::State &state)
{
    if (!store().isReady()) {
        state.SkipWithError("could not make the profile store");
        return;
    }
    const QString keys[] = {QStringLiteral("Name"), QStringLiteral("User"), QStringLiteral("Email"),
                            QStringLiteral("Server")};
    QStringList sections;
    for (int i = 1; i <= Profiles; ++i)
        sections << profileName(i);
    for (auto _ : state) {
        const SettingsSnapshot snapshot(App);
        qsizetype total = 0;
        for (const QString &section : sections) {
            for (const QString &key : keys)
                total += snapshot.get(section, key).size();
        }
        if (total == 0)
            state.SkipWithError("no values read");
        benchmark::DoNotOptimize(total);
    }
    state.counters["values"] = double(Profiles * 4);
    state.counters["file_bytes"] = double(store().fileSize());
}

// One value read afresh, as SettingsStore::get does for every call.
void settingsStoreGet(benchmark::State &state)
{
    if (!store().isReady()) {
        state.SkipWithError("could not make the profile store");
        return;
    }
    for (auto _ : state) {
        const QString value =
            SettingsStore::get(App, profileName(Profiles), QStringLiteral("Email"));
        benchmark::DoNotOptimize(value.size());
    }
}

// Saving a new profile: its four values, the count and the slot, as one change.
void settingsSetMany(benchmark::State &state)
{
    if (!store().isReady()) {
        state.SkipWithError("could not make the profile store");
        return;
    }
    const QString name = QStringLiteral("Lab");
    const QList<SettingsWrite> writes = {
        {name, QStringLiteral("Name"), name},
        {name, QStringLiteral("User"), QStringLiteral("lab")},
        {name, QStringLiteral("Email"), QStringLiteral("lab@example.com")},
        {name, QStringLiteral("Server"), QStringLiteral("\\\\lab\\tp")},
        {QStringLiteral("_Program"), QStringLiteral("NumProfs"), QString::number(Profiles + 1)},
        {QStringLiteral("_Program"), QStringLiteral("Prof%1").arg(Profiles + 1), name},
    };
    for (auto _ : state) {
        if (!SettingsStore::setMany(App, writes))
            state.SkipWithError("write failed");
    }
    state.counters["writes"] = double(writes.size());
}

BENCHMARK(settingsSnapshotGet)
    ->Name("BM_SettingsSnapshotGet/1000profiles")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(settingsStoreGet)
    ->Name("BM_SettingsStoreGet/1000profiles")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(settingsSetMany)->Name("BM_SettingsSetMany/1000profiles")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
