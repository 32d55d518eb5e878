#include "benchdialogs.h"
#include "profchooser.h"
#include "profilestore.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

using namespace qs;
using namespace qs::profiles;

namespace {

constexpr int Profiles = 1000;

// A profile store of 1,000 profiles in a settings folder of its own, so that no run touches a
// real user's settings.
class LargeStore
{
public:
    LargeStore()
    {
        qputenv("XDG_CONFIG_HOME", m_home.path().toLocal8Bit());
        QList<SettingsWrite> writes;
        for (int i = 1; i <= Profiles; ++i) {
            const QString name = QStringLiteral("Profile %1").arg(i);
            writes.append({name, NameKey, name});
            writes.append({name, UserKey, QStringLiteral("user%1").arg(i)});
            writes.append({name, EmailKey, QStringLiteral("u%1@example.com").arg(i)});
            writes.append({name, ServerKey, QStringLiteral("/srv/pad%1").arg(i)});
            writes.append({ProgramSection, slotKey(i), name});
        }
        writes.append({ProgramSection, NumProfsKey, QString::number(Profiles)});
        m_ready = m_home.isValid() && SettingsStore::setMany(StoreApp, writes);
        QFile file(SettingsStore::filePath(StoreApp));
        if (m_ready && file.open(QIODevice::ReadOnly))
            m_content = file.readAll();
    }

    bool isReady() const { return m_ready && !m_content.isEmpty(); }
    // Puts the store back as it was made.
    bool restore() const
    {
        QFile file(SettingsStore::filePath(StoreApp));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(m_content) == m_content.size();
    }

private:
    QTemporaryDir m_home;
    QByteArray m_content;
    bool m_ready = false;
};

LargeStore &store()
{
    static LargeStore instance;
    return instance;
}

// Reading the list from the stores: the host's three values and four values of every profile.
void readProfileList1000(benchmark::State &state)
{
    if (!store().isReady()) {
        state.SkipWithError("could not make the profile store");
        return;
    }
    for (auto _ : state) {
        const ProfileList list = readProfileList(QStringLiteral("/opt/seatpick"));
        if (list.rows.size() != Profiles + 1)
            state.SkipWithError("profiles missing from the list");
        benchmark::DoNotOptimize(list.rows.data());
    }
}
BENCHMARK(readProfileList1000)->Unit(benchmark::kMillisecond);

// The window's rebuild: the list read, the hidden table and the drop-down filled.
void loadSettings1000(benchmark::State &state)
{
    if (!store().isReady()) {
        state.SkipWithError("could not make the profile store");
        return;
    }
    ProfChooser window(
        std::make_unique<qs::bench::BenchDialogs>(QStringLiteral("Tandem!Pad Pickwell")));
    for (auto _ : state)
        window.LoadSettings();
}
BENCHMARK(loadSettings1000)->Unit(benchmark::kMillisecond);

// Saving a new profile into the store of 1,000, with the rebuild that follows it.
void saveNewProfile1000(benchmark::State &state)
{
    if (!store().isReady()) {
        state.SkipWithError("could not make the profile store");
        return;
    }
    ProfChooser window(
        std::make_unique<qs::bench::BenchDialogs>(QStringLiteral("Tandem!Pad Pickwell")));
    const Profile fresh{QStringLiteral("Fresh"), QStringLiteral("u"), QStringLiteral("e"),
                        QStringLiteral("s")};
    for (auto _ : state) {
        if (!saveProfile(fresh))
            state.SkipWithError("could not save");
        window.LoadSettings();
        state.PauseTiming();
        if (!store().restore())
            state.SkipWithError("could not restore the store");
        state.ResumeTiming();
    }
}
BENCHMARK(saveNewProfile1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
