#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qs {

// Runs work on a thread of its own while the event loop goes on turning, so that the windows
// keep painting through a long read. User input waits meanwhile; after half a second a busy
// indicator saying label shows over parent. An exception work throws reaches the caller.
void runBesideEventLoop(QWidget *parent, const QString &label, const std::function<void()> &work);

} // namespace qs
