#include "besideeventloop.h"
#include "translation.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <exception>
#include <memory>

namespace qs {

void WorkProgress::setLabel(const QString &label)
{
    const QMutexLocker locker(&m_mutex);
    m_label = label;
    m_changed = true;
}

// The indicator's side of a WorkProgress.
class ProgressShown
{
public:
    static void show(WorkProgress &progress, QProgressDialog &dialog)
    {
        const QMutexLocker locker(&progress.m_mutex);
        if (progress.m_changed)
            dialog.setLabelText(progress.m_label);
        progress.m_changed = false;
    }
    static void cancel(WorkProgress &progress) { progress.m_cancelled = true; }
};

void runBesideEventLoop(QWidget *parent, const QString &label, const std::function<void()> &work)
{
    runBesideEventLoop(
        parent, label, [&work](WorkProgress &) { work(); }, false);
}

void runBesideEventLoop(QWidget *parent, const QString &label,
                        const std::function<void(WorkProgress &)> &work, bool cancellable)
{
    WorkProgress progress;
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(progress);
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    bool finished = false;
    QObject::connect(
        thread.get(), &QThread::finished, qApp, [&finished] { finished = true; },
        Qt::QueuedConnection);

    QProgressDialog dialog(label, cancellable ? QProgressDialog::tr("Cancel") : QString(), 0, 0,
                           parent);
    dialog.setObjectName(QStringLiteral("frmBusy"));
    dialog.setAccessibleName(label);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.hide();
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&progress, &dialog] {
        ProgressShown::cancel(progress);
        dialog.setLabelText(translate("common", "Cancelling..."));
    });
    QTimer showLater;
    showLater.setSingleShot(true);
    QObject::connect(&showLater, &QTimer::timeout, &dialog, &QWidget::show);
    showLater.start(500);
    QTimer relabel;
    QObject::connect(&relabel, &QTimer::timeout, &dialog,
                     [&progress, &dialog] { ProgressShown::show(progress, dialog); });
    relabel.start(100);

    thread->start();
    // Until the indicator shows nothing takes the user's input, so no command runs in between;
    // a shown, modal indicator takes it for its Cancel button alone.
    while (!finished) {
        const bool input = cancellable && dialog.isVisible();
        QCoreApplication::processEvents(
            QEventLoop::WaitForMoreEvents |
            (input ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    }
    thread->wait();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace qs
