#pragma once

#include <QString>

#include <chrono>

namespace qs::detail {

// Writers of one file, in this and other processes, take their turns in the order they came.
// Only the order comes from here: the file's own lock still keeps writers apart, so a queue
// that cannot be used (or a waiter that vanished) costs time, never a value.
class WriterQueue
{
public:
    explicit WriterQueue(const QString &file);
    ~WriterQueue();
    WriterQueue(const WriterQueue &) = delete;
    WriterQueue &operator=(const WriterQueue &) = delete;

    // Waits until every writer that came earlier has had its turn, or until a turn has lasted
    // longer than turnBound (its writer hangs or is gone), whichever comes first.
    void waitForTurn(std::chrono::milliseconds turnBound);

private:
    int m_fd = -1;
    unsigned long long m_ticket = 0;
};

} // namespace qs::detail
