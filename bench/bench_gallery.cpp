// Gallery editor timings: reading and writing large galleries, listing a large category and
// starting the main window.
#include "benchdialogs.h"
#include "categorytreemodel.h"
#include "gallerydata.h"
#include "galleryfile.h"
#include "itemlistmodel.h"
#include "mainwindow.h"
#include "processmemory.h"
#include "profilefile.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>
#include <ini.h>

#include <chrono>
#include <string>

using namespace qs;
using namespace qs::gallery;
using qs::bench::BenchDialogs;

namespace {

struct GalleryOnDisk
{
    QTemporaryDir dir;
    QString path;
    GalleryOnDisk(int folders, int items)
        : path(dir.filePath(QStringLiteral("bench.gal")))
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            std::abort();
        f.write(bench::generateGallery(folders, items));
    }
};

void setKeys(benchmark::State &state, int folders, int items)
{
    const double keys = 2.0 + folders * (3.0 + 2.0 * items);
    state.counters["keys"] = keys;
    state.counters["ns_per_key"] = benchmark::Counter(
        keys, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void loadGallery(benchmark::State &state, int folders, int items)
{
    GalleryOnDisk file(folders, items);
    for (auto _ : state) {
        Gallery g;
        LoadGallery(file.path, g);
        benchmark::DoNotOptimize(g.Folders.Count());
    }
    setKeys(state, folders, items);
}

int ignoreEntry(void *, const char *, const char *, const char *)
{
    return 1;
}

// The readers against inih's parse of the same bytes with a handler that keeps nothing, in one
// run: the profile reader's parse, and LoadGallery from the file with every object built. The
// counters are each one's time as a multiple of inih's.
void readersAgainstInih(benchmark::State &state, int folders, int items)
{
    GalleryOnDisk file(folders, items);
    const QByteArray bytes = bench::generateGallery(folders, items);
    const std::string text(bytes.constData(), size_t(bytes.size()));
    using Clock = std::chrono::steady_clock;
    Clock::duration inih{}, profile{}, load{};
    for (auto _ : state) {
        auto start = Clock::now();
        ini_parse_string(text.c_str(), ignoreEntry, nullptr);
        inih += Clock::now() - start;
        start = Clock::now();
        {
            const ProfileFile parsed = ProfileFile::fromBytes(bytes);
            benchmark::DoNotOptimize(&parsed);
        }
        profile += Clock::now() - start;
        start = Clock::now();
        {
            Gallery g;
            LoadGallery(file.path, g);
            benchmark::DoNotOptimize(g.Folders.Count());
        }
        load += Clock::now() - start;
    }
    const auto ms = [&](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() / double(state.iterations());
    };
    state.counters["inih_ms"] = ms(inih);
    state.counters["profile_ms"] = ms(profile);
    state.counters["load_ms"] = ms(load);
    state.counters["profile_x_inih"] = ms(profile) / ms(inih);
    state.counters["load_x_inih"] = ms(load) / ms(inih);
    setKeys(state, folders, items);
}

void openGallery(benchmark::State &state, int folders, int items)
{
    GalleryOnDisk file(folders, items);
    auto dialogs = std::make_unique<BenchDialogs>(frmMain::AppTitle);
    dialogs->openPath = file.path;
    frmMain window(std::move(dialogs));
    for (auto _ : state)
        window.action(QStringLiteral("file_open"))->trigger();
    setKeys(state, folders, items);
}

void saveGallery(benchmark::State &state, int folders, int items)
{
    GalleryOnDisk file(folders, items);
    Gallery g;
    LoadGallery(file.path, g);
    for (auto _ : state)
        SaveGallery(file.path, g);
}

void refreshItemList(benchmark::State &state, int items)
{
    GalleryOnDisk file(1, items);
    auto dialogs = std::make_unique<BenchDialogs>(frmMain::AppTitle);
    dialogs->openPath = file.path;
    frmMain window(std::move(dialogs));
    window.action(QStringLiteral("file_open"))->trigger();
    auto *tree = window.findChild<QTreeView *>(QStringLiteral("TreeView1"));
    tree->setCurrentIndex(window.treeModel()->categoryIndex(1));
    for (auto _ : state)
        window.RefreshItemList();
}

// A window with the gallery of file opened and its first category selected.
struct OpenWindow
{
    BenchDialogs *dialogs;
    frmMain window;
    QTreeView *tree;
    QTreeView *list;
    explicit OpenWindow(const QString &file)
        : dialogs(new BenchDialogs(frmMain::AppTitle))
        , window(std::unique_ptr<Dialogs>(dialogs))
        , tree(window.findChild<QTreeView *>(QStringLiteral("TreeView1")))
        , list(window.findChild<QTreeView *>(QStringLiteral("ListView1")))
    {
        dialogs->openPath = file;
        reopen();
    }
    void reopen()
    {
        dialogs->answer = mb::No;
        window.action(QStringLiteral("file_open"))->trigger();
        tree->setCurrentIndex(window.treeModel()->categoryIndex(1));
        dialogs->answer = mb::Yes;
    }
    void run(const char *action) { window.action(QLatin1String(action))->trigger(); }
};

void addMultiple(benchmark::State &state, int files)
{
    GalleryOnDisk file(1, 0);
    OpenWindow w(file.path);
    QString chosen = QStringLiteral("/pictures");
    for (int i = 1; i <= files; ++i)
        chosen += QChar(u'\0') + QStringLiteral("picture_%1.gif").arg(i);
    for (auto _ : state) {
        state.PauseTiming();
        w.reopen();
        w.dialogs->openPath = chosen;
        state.ResumeTiming();
        w.run("add_multiple");
        state.PauseTiming();
        if (w.window.listModel()->rowCount() != files)
            state.SkipWithError("not every file was added");
        w.dialogs->openPath = file.path;
        state.ResumeTiming();
    }
}

void removeCategory(benchmark::State &state, int items)
{
    GalleryOnDisk file(2, items);
    OpenWindow w(file.path);
    for (auto _ : state) {
        state.PauseTiming();
        w.reopen();
        state.ResumeTiming();
        w.run("rem_cat");
    }
}

void removeItemFromMiddle(benchmark::State &state, int items)
{
    GalleryOnDisk file(1, items);
    OpenWindow w(file.path);
    for (auto _ : state) {
        w.list->setCurrentIndex(w.list->model()->index(w.list->model()->rowCount() / 2, 0));
        w.run("item_remove");
    }
}

// A 1 MB file of sections that each claim 999,999 items: the worst a small file can ask for.
void openHostileGallery(benchmark::State &state)
{
    QByteArray bytes = "[Clipart Gallery]\r\nNumFolders=1000000\r\n";
    for (int n = 1; bytes.size() < 1024 * 1024; ++n)
        bytes += "[Folder" + QByteArray::number(n) + "]\r\nNumItems=999999\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.gal"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
    f.close();
    auto dialogs = std::make_unique<BenchDialogs>(frmMain::AppTitle);
    dialogs->openPath = path;
    frmMain window(std::move(dialogs));
    for (auto _ : state)
        window.action(QStringLiteral("file_open"))->trigger();
    state.counters["file_kb"] = double(bytes.size()) / 1024;
    state.counters["items_built"] = window.document().category(1)->Items.Item.Count();
    state.counters["peak_rss_mb"] = qs::bench::peakResidentMb();
}

void startWindow(benchmark::State &state)
{
    for (auto _ : state) {
        frmMain window(std::make_unique<BenchDialogs>(frmMain::AppTitle));
        window.show();
        QApplication::processEvents();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (auto [f, i] : {std::pair{10, 100}, std::pair{100, 1000}}) {
        // Appended piece by piece: GCC 12 warns wrongly about the chain of + at -O3.
        std::string size = "/";
        size += std::to_string(f);
        size += 'x';
        size += std::to_string(i);
        benchmark::RegisterBenchmark(("BM_LoadGallery" + size).c_str(), loadGallery, f, i)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_OpenGallery" + size).c_str(), openGallery, f, i)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("BM_ReadersAgainstInih/100x1000", readersAgainstInih, 100, 1000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SaveGallery/100x1000", saveGallery, 100, 1000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RefreshItemList/10000", refreshItemList, 10000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_AddMultiple/1000", addMultiple, 1000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RemoveCategory/10000", removeCategory, 10000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RemoveItemFromMiddle/10000", removeItemFromMiddle, 10000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1000);
    // Run alone (--benchmark_filter=Hostile) for a peak memory that is its own.
    benchmark::RegisterBenchmark("BM_OpenHostileGallery/1MB", openHostileGallery)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_WindowStartup/empty", startWindow)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
