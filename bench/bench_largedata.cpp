// Large data through the real windows: each step is posted to the event loop while a timer
// ticking every 10 ms records the longest gap between its ticks, which is how long the window
// could not paint or take input. Peak memory is the process's (getrusage).
#include "benchdialogs.h"
#include "categorytreemodel.h"
#include "gallerydata.h"
#include "mainwindow.h"
#include "processmemory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>

#include "editdlg.h"
#include "frmmain.h"
#include "hostinterface.h"
#include "settingsstore.h"
#include "templatedocument.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

using namespace qs;
using namespace qs::gallery;
using qs::bench::BenchDialogs;

namespace {

// Runs step as a posted event and returns the longest time in ms between two turns of the
// event loop while it ran, and how long the step took.
struct Gap
{
    double longestMs = 0;
    double stepMs = 0;
};

Gap measure(const std::function<void()> &step)
{
    Gap gap;
    QElapsedTimer sinceTick;
    QElapsedTimer stepClock;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        gap.longestMs = std::max(gap.longestMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    bool done = false;
    ticker.start();
    sinceTick.start();
    QTimer::singleShot(0, &ticker, [&] {
        stepClock.start();
        step();
        gap.stepMs = stepClock.nsecsElapsed() / 1e6;
        done = true;
    });
    // A few more ticks after the step, so that what it left queued is counted too.
    while (!done)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QElapsedTimer after;
    after.start();
    while (after.elapsed() < 60)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return gap;
}

double peakRssMb()
{
    return qs::bench::peakResidentMb();
}

// The most memory the steps after it took beyond what the process held when it was made, as a
// multiple of a file's size: what a document costs over the window showing it.
class DocumentMemory
{
public:
    explicit DocumentMemory(qint64 fileBytes)
        : m_fileBytes(fileBytes)
    {
        qs::bench::restartPeak();
        m_before = qs::bench::residentBytes();
    }
    void report(benchmark::State &state, const char *prefix = "doc") const
    {
        const double taken = double(qs::bench::peakResidentBytes() - m_before);
        state.counters[std::string(prefix) + "_peak_mb"] = taken / 1e6;
        state.counters[std::string(prefix) + "_peak_x_file"] = taken / double(m_fileBytes);
    }

private:
    qint64 m_fileBytes;
    long long m_before = 0;
};

// Prints to a PDF file instead of asking for a printer.
class PdfDialogs : public BenchDialogs
{
public:
    using BenchDialogs::BenchDialogs;
    QString pdfPath;
    bool print(QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
};

// The longest event-loop gap of each step, and how long opening and saving took.
void writeOrAbort(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
}

// The template frame starts only where the host is installed: a settings store in dir says so.
void installHostIn(const QTemporaryDir &dir)
{
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey,
                       QStringLiteral("C:\\Quillsite97"));
}

// A command's longest gap and how long it took, as <name>_gap_ms and <name>_ms.
void reportCommand(benchmark::State &state, const std::string &name, const Gap &gap)
{
    state.counters[name + "_gap_ms"] = gap.longestMs;
    state.counters[name + "_ms"] = gap.stepMs;
}

void reportSteps(benchmark::State &state, const Gap &open, const Gap &scroll, const Gap &select,
                 const Gap &edit, const Gap &save)
{
    reportCommand(state, "open", open);
    state.counters["scroll_gap_ms"] = scroll.longestMs;
    state.counters["select_gap_ms"] = select.longestMs;
    state.counters["edit_gap_ms"] = edit.longestMs;
    reportCommand(state, "save", save);
}

// 1,000 categories of 1,000 items: open, scroll to the last category and list it, select its
// last item, retitle it in place, and save.
void largeGallery(benchmark::State &state)
{
    const int folders = static_cast<int>(state.range(0));
    const int items = static_cast<int>(state.range(1));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.gal"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bench::generateGallery(folders, items)) < 0)
            std::abort();
    }
    const double fileMb = QFile(path).size() / 1e6;
    for (auto _ : state) {
        auto *dialogs = new BenchDialogs(QStringLiteral("Pictorium"));
        dialogs->openPath = path;
        frmMain window{std::unique_ptr<Dialogs>(dialogs)};
        window.show();
        auto *tree = window.findChild<QTreeView *>(QStringLiteral("TreeView1"));
        auto *list = window.findChild<QTreeView *>(QStringLiteral("ListView1"));
        QApplication::processEvents();
        const DocumentMemory memory(QFile(path).size());

        const Gap open = measure([&] { window.action(QStringLiteral("file_open"))->trigger(); });
        dialogs->messages = 0; // Open asks first whether to save the untitled gallery
        const Gap scroll = measure([&] {
            tree->expandAll();
            tree->scrollToBottom();
            tree->setCurrentIndex(window.treeModel()->categoryIndex(folders));
        });
        const Gap select = measure([&] {
            list->scrollToBottom();
            list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 0));
        });
        const Gap edit = measure([&] {
            list->model()->setData(list->currentIndex(), QStringLiteral("Renamed last clip"));
        });
        const Gap save = measure([&] { window.action(QStringLiteral("file_save"))->trigger(); });

        const bool saved = dialogs->messages == 0 && list->model()->rowCount() == items &&
                           QFile(path).open(QIODevice::ReadOnly);
        reportSteps(state, open, scroll, select, edit, save);
        memory.report(state);

        // Install Gallery: yes to the question, a name, and the message that it is done.
        const QString host = dir.filePath(QStringLiteral("host"));
        QDir().mkpath(host + QStringLiteral("/images"));
        SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey, host);
        dialogs->answer = mb::Yes;
        dialogs->inputText = QStringLiteral("large");
        const Gap install =
            measure([&] { window.action(QStringLiteral("install_gallery"))->trigger(); });
        const bool installed =
            QFileInfo(host + QStringLiteral("/images/large.gal")).size() == QFileInfo(path).size();
        if (!saved || !installed)
            state.SkipWithError("a step did not do what it should");
        reportCommand(state, "install", install);
    }
    state.counters["file_mb"] = fileMb;
    state.counters["peak_rss_mb"] = peakRssMb();
}

// A template of a million text items through the frame's commands: open, scroll to the end,
// select the last item, edit it and save; then find an item near the end, insert the file
// again on top, and print the saved file to PDF.
void largeTemplate(benchmark::State &state)
{
    const int items = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.htp"));
    {
        QByteArray bytes;
        bytes.reserve(qsizetype(items) * 20);
        for (int i = 1; i <= items; ++i)
            bytes += "{{<p>item " + QByteArray::number(i) + "</p>\r\n";
        writeOrAbort(path, bytes);
    }
    const double fileMb = QFile(path).size() / 1e6;
    installHostIn(dir);
    for (auto _ : state) {
        auto *dialogs = new PdfDialogs(QStringLiteral("tagloom32"));
        dialogs->openPath = path;
        dialogs->inputText = QStringLiteral("<p>edited</p>");
        dialogs->pdfPath = dir.filePath(QStringLiteral("large.pdf"));
        stencil::frmMain frame{std::unique_ptr<Dialogs>(dialogs)};
        frame.show();
        QApplication::processEvents();
        const auto command = [&](const QString &name) {
            for (QAction *top : frame.menuBar()->actions())
                if (QMenu *menu = top->menu())
                    for (QAction *a : menu->actions())
                        if (a->objectName() == name)
                            return a;
            std::abort();
        };
        const DocumentMemory memory(QFile(path).size());
        const Gap open = measure([&] { command(QStringLiteral("file_open"))->trigger(); });
        stencil::editDlg *doc = frame.activeDocument();
        auto *list = doc->findChild<QTreeView *>(QStringLiteral("ListView1"));
        const Gap scroll = measure([&] { list->scrollToBottom(); });
        const Gap select = measure(
            [&] { list->setCurrentIndex(list->model()->index(list->model()->rowCount() - 1, 0)); });
        const Gap edit = measure([&] { command(QStringLiteral("edit_item"))->trigger(); });
        const Gap save = measure([&] { command(QStringLiteral("file_save"))->trigger(); });
        const bool saved = dialogs->messages == 0 && doc->document().count() == items &&
                           doc->document().item(items - 1).text == dialogs->inputText &&
                           !doc->document().boolDirty();
        reportSteps(state, open, scroll, select, edit, save);
        memory.report(state);

        // Find starts at the selected row and goes round: the item sought is one before it.
        list->setCurrentIndex(list->model()->index(0, 0));
        dialogs->inputText = QStringLiteral("<p>item %1<").arg(items - 1);
        const Gap find = measure([&] { command(QStringLiteral("find_item"))->trigger(); });
        const bool found = list->currentIndex().row() == items - 2;
        const Gap insert = measure([&] { command(QStringLiteral("insert_file"))->trigger(); });
        const bool inserted = doc->document().count() == 2 * items;
        const Gap print = measure([&] { command(QStringLiteral("file_print"))->trigger(); });
        const bool printed = QFileInfo(dialogs->pdfPath).size() > 0 && dialogs->messages == 0;
        if (!saved || !found || !inserted || !printed)
            state.SkipWithError("a step did not do what it should");
        reportCommand(state, "find", find);
        reportCommand(state, "insert", insert);
        reportCommand(state, "print", print);
        // Taken as saved, so that closing the frame does not ask.
        doc->document().undoStack()->setClean();
    }
    state.counters["file_mb"] = fileMb;
    state.counters["peak_rss_mb"] = peakRssMb();
}

// A template of one text item on one line of many megabytes, opened through the frame: the
// longest the windows go without an event-loop turn while it is read.
void hugeTemplateLine(benchmark::State &state)
{
    const qsizetype megabytes = state.range(0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("huge.htp"));
    {
        writeOrAbort(path, "{{" + QByteArray(megabytes * 1'000'000, 'x') + "\r\n");
    }
    installHostIn(dir);
    for (auto _ : state) {
        auto *dialogs = new BenchDialogs(QStringLiteral("tagloom32"));
        dialogs->openPath = path;
        stencil::frmMain frame{std::unique_ptr<Dialogs>(dialogs)};
        frame.show();
        QApplication::processEvents();
        const DocumentMemory memory(QFile(path).size());
        const Gap open = measure([&] { frame.OpenDocument(); });
        memory.report(state); // before the check below decodes the whole line
        const stencil::editDlg *doc = frame.activeDocument();
        if (dialogs->messages != 0 || !doc || doc->document().count() != 1 ||
            doc->document().field(0, 0).size() != megabytes * 1'000'000)
            state.SkipWithError("the template did not open whole");
        reportCommand(state, "open", open);
    }
    state.counters["peak_rss_mb"] = peakRssMb();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Run alone (--benchmark_filter=...) for a peak memory that is its own.
    benchmark::RegisterBenchmark("BM_LargeGalleryWindow", largeGallery)
        ->Args({1000, 1000})
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LargeTemplateWindow", largeTemplate)
        ->Arg(1'000'000)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_HugeTemplateLineWindow", hugeTemplateLine)
        ->Arg(100)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
