#include "gallerydata.h"
#include "profilefile.h"

#include <benchmark/benchmark.h>
#include <ini.h>

#include <QString>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Size
{
    int folders;
    int items;
};
constexpr Size Sizes[] = {{10, 100}, {100, 1000}};

std::string sizeName(const char *name, Size s)
{
    return std::string(name) + '/' + std::to_string(s.folders) + 'x' + std::to_string(s.items);
}

// Every (section, key) a gallery reader asks for, built once outside the timed loop.
std::vector<std::pair<QString, QString>> galleryKeys(Size s)
{
    std::vector<std::pair<QString, QString>> keys;
    keys.reserve(2 + size_t(s.folders) * (3 + 2 * size_t(s.items)));
    const QString top = QStringLiteral("Clipart Gallery");
    keys.emplace_back(top, QStringLiteral("Name"));
    keys.emplace_back(top, QStringLiteral("NumFolders"));
    for (int f = 1; f <= s.folders; ++f) {
        const QString section = QStringLiteral("Folder%1").arg(f);
        keys.emplace_back(section, QStringLiteral("Name"));
        keys.emplace_back(section, QStringLiteral("Folder"));
        keys.emplace_back(section, QStringLiteral("NumItems"));
        for (int i = 1; i <= s.items; ++i) {
            keys.emplace_back(section, QStringLiteral("ItemName%1").arg(i));
            keys.emplace_back(section, QStringLiteral("ItemSrc%1").arg(i));
        }
    }
    return keys;
}

// Parses, then reads every key in the order given; reports the time per key.
void timeReads(benchmark::State &state, const QByteArray &bytes,
               const std::vector<std::pair<QString, QString>> &keys)
{
    for (auto _ : state) {
        const qs::ProfileFile file = qs::ProfileFile::fromBytes(bytes);
        qsizetype total = 0;
        for (const auto &[section, key] : keys)
            total += file.getString(section, key, u"").size();
        benchmark::DoNotOptimize(total);
    }
    state.counters["keys"] = double(keys.size());
    state.counters["per_key"] =
        benchmark::Counter(double(keys.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                    benchmark::Counter::kInvert);
}

void profileParse(benchmark::State &state, Size s)
{
    const QByteArray bytes = qs::bench::generateGallery(s.folders, s.items);
    for (auto _ : state) {
        qs::ProfileFile file = qs::ProfileFile::fromBytes(bytes);
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void profileReadAllKeys(benchmark::State &state, Size s)
{
    const QByteArray bytes = qs::bench::generateGallery(s.folders, s.items);
    const auto keys = galleryKeys(s);
    {
        // Every key must be found, or the loop would time the default path.
        const qs::ProfileFile file = qs::ProfileFile::fromBytes(bytes);
        for (const auto &[section, key] : keys) {
            if (!file.contains(section, key)) {
                state.SkipWithError("gallery key missing");
                return;
            }
        }
    }
    timeReads(state, bytes, keys);
}

// The same keys in a fixed shuffled order: every lookup goes through the hash tables.
void profileReadShuffledKeys(benchmark::State &state, Size s)
{
    const QByteArray bytes = qs::bench::generateGallery(s.folders, s.items);
    auto keys = galleryKeys(s);
    std::mt19937 random(42);
    std::shuffle(keys.begin(), keys.end(), random);
    timeReads(state, bytes, keys);
}

struct IniEntry
{
    std::string section;
    std::string name;
    std::string value;
};

int storeEntry(void *user, const char *section, const char *name, const char *value)
{
    static_cast<std::vector<IniEntry> *>(user)->push_back(IniEntry{section, name, value});
    return 1;
}

void inihParse(benchmark::State &state, Size s)
{
    const QByteArray bytes = qs::bench::generateGallery(s.folders, s.items);
    const std::string text(bytes.constData(), size_t(bytes.size())); // NUL-terminated copy
    std::vector<IniEntry> sink;
    for (auto _ : state) {
        sink.clear();
        ini_parse_string(text.c_str(), storeEntry, &sink);
        benchmark::DoNotOptimize(sink.data());
    }
    state.counters["keys"] = double(sink.size());
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

const bool registered = [] {
    const std::pair<const char *, void (*)(benchmark::State &, Size)> benches[] = {
        {"BM_ProfileParse", profileParse},
        {"BM_ProfileReadAllKeys", profileReadAllKeys},
        {"BM_ProfileReadShuffledKeys", profileReadShuffledKeys},
        {"BM_Inih", inihParse},
    };
    for (const auto &[name, fn] : benches) {
        for (Size s : Sizes)
            benchmark::RegisterBenchmark(sizeName(name, s).c_str(), fn, s)
                ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
