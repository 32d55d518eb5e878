#include "testsupport.h"

#include "besideeventloop.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <stdexcept>

using namespace qs;

TEST(BesideEventLoop, WindowsKeepTurningAndALongReadShowsItsProgress)
{
    QWidget window;
    window.show();
    std::atomic<bool> busyShown = false;
    int turns = 0;
    // Each turn of the event loop looks for the busy indicator, as a repaint would run.
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, &window, [&] {
        ++turns;
        auto *busy = window.findChild<QProgressDialog *>("frmBusy");
        if (busy && busy->isVisible() && busy->labelText() == "Opening big.htp...")
            busyShown = true;
    });
    watcher.start(20);
    bool worked = false;
    runBesideEventLoop(&window, "Opening big.htp...", [&] {
        // A read that lasts until the indicator has shown (bounded, should it never show).
        const QDeadlineTimer deadline(20000);
        while (!busyShown && !deadline.hasExpired())
            QThread::msleep(10);
        worked = true;
    });
    EXPECT_TRUE(worked);
    EXPECT_TRUE(busyShown);
    EXPECT_GT(turns, 0);
    // Gone with the work.
    auto *busy = window.findChild<QProgressDialog *>("frmBusy");
    EXPECT_TRUE(busy == nullptr || !busy->isVisible());
}

TEST(BesideEventLoop, AQuickReadShowsNothingAndAFailureReachesTheCaller)
{
    QWidget window;
    bool shown = false;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, &window, [&] {
        if (auto *busy = window.findChild<QProgressDialog *>("frmBusy"))
            shown = shown || busy->isVisible();
    });
    watcher.start(0);
    runBesideEventLoop(&window, "quick", [] {});
    EXPECT_FALSE(shown);
    EXPECT_THROW(runBesideEventLoop(&window, "failing", [] { throw std::runtime_error("no"); }),
                 std::runtime_error);
}

TEST(BesideEventLoop, WorkThatMayBeStoppedShowsItsProgressAndStopsOnCancel)
{
    QWidget window;
    window.show();
    for (const bool cancellable : {true, false}) {
        SCOPED_TRACE(cancellable ? "cancellable" : "not cancellable");
        QString seen;
        bool hasCancel = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, &window, [&] {
            auto *busy = window.findChild<QProgressDialog *>("frmBusy");
            if (!busy || !busy->isVisible() || !busy->labelText().startsWith("Step "))
                return;
            seen = busy->labelText();
            auto *cancel = busy->findChild<QPushButton *>();
            hasCancel = cancel && cancel->isVisible();
            if (hasCancel)
                cancel->click();
        });
        watcher.start(20);
        bool stopped = false;
        runBesideEventLoop(
            &window, "Working...",
            [&](WorkProgress &progress) {
                // Steps until the indicator showed one of them and, where it can, was cancelled.
                const QDeadlineTimer deadline(20000);
                for (int step = 1; !deadline.hasExpired(); ++step) {
                    progress.setLabel(QStringLiteral("Step %1").arg(step));
                    if (progress.cancelled()) {
                        stopped = true;
                        return;
                    }
                    if (!cancellable && !seen.isEmpty())
                        return;
                    QThread::msleep(5);
                }
            },
            cancellable);
        EXPECT_TRUE(seen.startsWith("Step ")) << seen.toStdString();
        EXPECT_EQ(hasCancel, cancellable);
        EXPECT_EQ(stopped, cancellable);
    }
}
