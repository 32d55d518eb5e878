// Template editor timings: opening, saving and inserting large templates through the windows,
// the memory a large document holds, and starting the frame.
#include "benchdialogs.h"
#include "editdlg.h"
#include "frmmain.h"
#include "hostinterface.h"
#include "processmemory.h"
#include "settingsstore.h"
#include "templatedocument.h"
#include "templatefile.h"
#include "templatemodel.h"
#include "templatepages.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <QUndoStack>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace qs;
using namespace qs::stencil;
using qs::bench::BenchDialogs;

namespace {

// A template of n items of every kind, about 40 bytes an item.
std::vector<TemplateItem> generateItems(int n)
{
    std::vector<TemplateItem> items;
    items.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        switch (i % 4) {
        case 0:
            items.push_back({kind::Text, QStringLiteral("<p>Paragraph %1</p>").arg(i), {}});
            break;
        case 1:
            items.push_back({kind::CarriageReturn, CarriageReturnText, {}});
            break;
        case 2:
            items.push_back({kind::InputDialog,
                             QStringLiteral("Name %1?").arg(i),
                             {QStringLiteral("<b>"), QStringLiteral("</b>"), {}}});
            break;
        default:
            items.push_back({kind::OpenDialog,
                             QStringLiteral("Picture %1").arg(i),
                             {QStringLiteral("Pictures|*.gif|"), QStringLiteral("<img src=\""),
                              QStringLiteral("\">")}});
        }
    }
    return items;
}

struct TemplateOnDisk
{
    QTemporaryDir dir;
    QString path;
    explicit TemplateOnDisk(int items, const char *name = "bench.htp")
        : path(dir.filePath(QLatin1String(name)))
    {
        write(templateText(generateItems(items)));
    }
    void write(const QByteArray &bytes) const
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
};

struct Frame
{
    BenchDialogs *dialogs = new BenchDialogs(QStringLiteral("tagloom32"));
    frmMain frame{std::unique_ptr<Dialogs>(dialogs)};
    Frame()
    {
        frame.show();
        QApplication::processEvents();
    }
    editDlg *open(const QString &path)
    {
        dialogs->openPath = path;
        frame.OpenDocument();
        QApplication::processEvents(); // the list lays out and paints
        return frame.activeDocument();
    }
    void closeAll()
    {
        for (editDlg *d : frame.documents())
            d->parentWidget()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

using qs::bench::residentBytes;

void openTemplate(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    TemplateOnDisk file(items);
    Frame f;
    for (auto _ : state) {
        editDlg *d = f.open(file.path);
        state.PauseTiming();
        if (d->model()->rowCount() != items)
            state.SkipWithError("not every item was read");
        f.closeAll();
        state.ResumeTiming();
    }
}

void saveTemplate(benchmark::State &state)
{
    TemplateOnDisk file(static_cast<int>(state.range(0)));
    TemplateDocument doc;
    doc.OpenDocument(file.path);
    for (auto _ : state)
        if (doc.SaveDocument().status != FileResult::Done)
            state.SkipWithError("save failed");
}

void insertFile(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    TemplateOnDisk file(items);
    Frame f;
    for (auto _ : state) {
        state.PauseTiming();
        editDlg *d = f.open(file.path);
        state.ResumeTiming();
        d->insertFile();
        QApplication::processEvents();
        state.PauseTiming();
        if (d->document().count() != 2 * items)
            state.SkipWithError("not every item was inserted");
        f.closeAll();
        state.ResumeTiming();
    }
}

void documentMemory(benchmark::State &state)
{
    TemplateOnDisk file(static_cast<int>(state.range(0)));
    Frame f;
    for (auto _ : state) {
        f.open(file.path + QStringLiteral(".none"));
        const long long before = residentBytes();
        f.open(file.path);
        state.counters["MB_above_empty"] = double(residentBytes() - before) / (1024.0 * 1024.0);
        f.closeAll();
    }
}

// The heap in use: exact where the C library tells it, the resident set elsewhere.
long long heapBytes()
{
#ifdef __GLIBC__
    // Large blocks are mapped on their own and counted apart.
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#else
    return residentBytes();
#endif
}

// What the undo stack of a large template holds, measured as the memory freed by clearing it:
// an edit of one item (the mean of a thousand, since the C library keeps a few small blocks
// back), Insert File of the whole template once more as one step while done, and the same step
// undone, when it holds every item it took out.
void undoStackMemory(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    TemplateOnDisk file(items);
    const auto stackCost = [](TemplateDocument &doc) {
        const long long before = heapBytes();
        doc.undoStack()->clear();
        return double(before - heapBytes());
    };
    for (auto _ : state) {
        TemplateDocument doc;
        doc.OpenDocument(file.path);
        constexpr int Edits = 1000;
        for (int k = 0; k < Edits; ++k)
            doc.replace(k, {kind::Text, QStringLiteral("<p>edited %1</p>").arg(k), {}});
        state.counters["edit_step_B"] = stackCost(doc) / Edits;

        doc.InsertTemplateFile(file.path);
        state.counters["insert_done_B"] = stackCost(doc);
        doc.InsertTemplateFile(file.path);
        doc.undoStack()->undo();
        if (doc.count() != 2 * items)
            state.SkipWithError("undo did not give the rows back");
        state.counters["insert_undone_MB"] = stackCost(doc) / (1024.0 * 1024.0);
    }
}

void openHugeLine(benchmark::State &state)
{
    TemplateOnDisk file(0, "huge.htp");
    QByteArray line("{{");
    line += QByteArray(state.range(0) * 1024 * 1024, 'x');
    file.write(line);
    Frame f;
    for (auto _ : state) {
        f.open(file.path);
        state.PauseTiming();
        f.closeAll();
        state.ResumeTiming();
    }
}

// Find through the window: the last row's text, searched from the first row, selects every
// fourth row of the list (all the carriage returns).
void findItem(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    TemplateOnDisk file(items);
    Frame f;
    editDlg *d = f.open(file.path);
    f.dialogs->inputText = CarriageReturnText;
    for (auto _ : state) {
        state.PauseTiming();
        d->listView()->setCurrentIndex(d->model()->index(0, 0));
        state.ResumeTiming();
        d->findItem();
        QApplication::processEvents();
        state.PauseTiming();
        // One range a row; counting the selected rows themselves would cost more than find.
        if (d->listView()->selectionModel()->selection().size() != items / 4)
            state.SkipWithError("find did not select every match");
        state.ResumeTiming();
    }
}

void removeMiddleRow(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    TemplateOnDisk file(items);
    Frame f;
    editDlg *d = f.open(file.path);
    f.dialogs->answer = mb::Yes;
    for (auto _ : state) {
        state.PauseTiming();
        d->listView()->setCurrentIndex(d->model()->index(d->document().count() / 2, 0));
        QApplication::processEvents();
        state.ResumeTiming();
        d->removeItem();
        QApplication::processEvents();
    }
    if (d->document().count() != items - static_cast<int>(state.iterations()))
        state.SkipWithError("rows were not removed");
}

// Paginating a file of n lines; the memory a run adds must not grow with n.
void paginate(benchmark::State &state)
{
    const int lines = static_cast<int>(state.range(0));
    TemplateOnDisk file(0, "lines.htp");
    QByteArray bytes;
    bytes.reserve(lines * 24);
    for (int k = 0; k < lines; ++k)
        bytes += "{{Printed line " + QByteArray::number(k) + "\r\n";
    file.write(bytes);
    bytes = QByteArray();
    long long grown = 0;
    for (auto _ : state) {
        const long long before = residentBytes();
        QFile in(file.path);
        if (!in.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot open");
        TemplatePages pages(in, file.path);
        int count = 0;
        while (const std::optional<QStringList> page = pages.nextPage())
            count += static_cast<int>(page->size());
        grown = std::max(grown, residentBytes() - before);
        if (count < lines)
            state.SkipWithError("lines missing");
    }
    state.counters["MB_added"] = double(grown) / (1024.0 * 1024.0);
}

void frameStartup(benchmark::State &state)
{
    for (auto _ : state) {
        frmMain frame(std::make_unique<BenchDialogs>(QStringLiteral("tagloom32")));
        frame.show();
        QApplication::processEvents();
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey,
                       QStringLiteral("C:\\Quillsite97"));

    benchmark::RegisterBenchmark("BM_OpenTemplate", openTemplate)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_SaveTemplate", saveTemplate)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_InsertFileOnTop", insertFile)
        ->Arg(10000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_DocumentMemory", documentMemory)
        ->Arg(100000)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_UndoStackMemory", undoStackMemory)
        ->Arg(1000000)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_OpenSingleLineMB", openHugeLine)
        ->Arg(100)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FindItem", findItem)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RemoveMiddleRow", removeMiddleRow)
        ->Arg(100000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Paginate", paginate)
        ->Arg(100000)
        ->Arg(1000000)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_FrameStartup", frameStartup)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
