// Many programs writing one settings file and the registry file at once: how many writes a
// second they hold together and how long the slowest single write waited.

#include "stressrun.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

// Each writer sets 100 values in the settings file and 100 in the registry file while two
// readers check every state they see.
void storeContention(benchmark::State &state)
{
    const int writers = static_cast<int>(state.range(0));
    constexpr int Rounds = 100;
    qs::test::StressTotals totals;
    for (auto _ : state) {
        QTemporaryDir home;
        totals = qs::test::runStoreStress(QStringLiteral(QS_STORESTRESS), home.path(), writers, 2,
                                          Rounds, 10);
        state.SetIterationTime(totals.seconds);
    }
    if (totals.crashed || totals.writeFailures || totals.torn || totals.regressions)
        state.SkipWithError("a value was lost, a file seen half written or a process failed");
    state.counters["writes_per_s"] = totals.writes / totals.seconds;
    state.counters["max_stall_ms"] = totals.maxWriteMicros / 1000.0;
    state.counters["mean_write_ms"] =
        totals.writes ? totals.totalWriteMicros / 1000.0 / totals.writes : 0;
    state.counters["reads"] = totals.reads;
}

BENCHMARK(storeContention)
    ->Name("BM_StoreContention/writers")
    ->Arg(3)
    ->Arg(8)
    ->Arg(16)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
