#pragma once

#include <QMutex>
#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace qs {

// What long work beside the event loop tells the user, and whether the user stopped it. Both
// are safe to use from the work's thread.
class WorkProgress
{
public:
    // The indicator's text from now on, as "Printing page 12...".
    void setLabel(const QString &label);
    // Whether the user pressed Cancel; the work then stops as soon as it cleanly can.
    bool cancelled() const { return m_cancelled; }

private:
    friend class ProgressShown;
    mutable QMutex m_mutex;
    QString m_label;
    bool m_changed = false;
    std::atomic<bool> m_cancelled = false;
};

// Runs work on a thread of its own while the event loop goes on turning, so that the windows
// keep painting through a long read. User input waits meanwhile; after half a second a busy
// indicator saying label shows over parent. An exception work throws reaches the caller.
void runBesideEventLoop(QWidget *parent, const QString &label, const std::function<void()> &work);

// The same for work that tells its progress and that the user may stop: the indicator has a
// Cancel button, and takes the user's input while it shows.
void runBesideEventLoop(QWidget *parent, const QString &label,
                        const std::function<void(WorkProgress &)> &work, bool cancellable);

} // namespace qs
