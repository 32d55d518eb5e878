#include "writerqueue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>
#endif

#include <thread>

namespace qs::detail {

#ifdef Q_OS_UNIX

namespace {

// The queue's state, kept in a small file of the temporary folder named for the written file.
struct Turns
{
    unsigned long long next = 0;    // the ticket the next writer draws
    unsigned long long serving = 0; // the ticket whose turn it is
    long long servingSinceMs = 0;   // when that turn began, on the monotonic clock
};

long long nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000LL + t.tv_nsec / 1'000'000;
}

QString queuePath(const QString &file)
{
    const QByteArray key = QCryptographicHash::hash(QFileInfo(file).absoluteFilePath().toUtf8(),
                                                    QCryptographicHash::Sha1)
                               .toHex()
                               .left(16);
    return QDir::tempPath() + QStringLiteral("/qs-writers-") + QString::fromLatin1(key);
}

// Runs change on the state while holding the queue file's lock, which is held for
// microseconds only; false when the file cannot be used.
template <typename Change> bool withTurns(int fd, Change change)
{
    if (flock(fd, LOCK_EX) != 0)
        return false;
    Turns turns;
    const ssize_t got = pread(fd, &turns, sizeof turns, 0);
    if (got != static_cast<ssize_t>(sizeof turns))
        turns = Turns{};
    const bool write = change(turns);
    bool ok = true;
    if (write)
        ok = pwrite(fd, &turns, sizeof turns, 0) == static_cast<ssize_t>(sizeof turns);
    flock(fd, LOCK_UN);
    return ok;
}

} // namespace

WriterQueue::WriterQueue(const QString &file)
{
    m_fd =
        ::open(QFile::encodeName(queuePath(file)).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd < 0)
        return;
    const bool drawn = withTurns(m_fd, [this](Turns &turns) {
        if (turns.next == turns.serving)
            turns.servingSinceMs = nowMs(); // nobody waits: the turn is ours now
        m_ticket = turns.next++;
        return true;
    });
    if (!drawn) {
        ::close(m_fd);
        m_fd = -1;
    }
}

WriterQueue::~WriterQueue()
{
    if (m_fd < 0)
        return;
    withTurns(m_fd, [this](Turns &turns) {
        // A turn that was passed over meanwhile is not given back.
        if (turns.serving != m_ticket)
            return false;
        ++turns.serving;
        turns.servingSinceMs = nowMs();
        return true;
    });
    ::close(m_fd);
}

void WriterQueue::waitForTurn(std::chrono::milliseconds turnBound)
{
    if (m_fd < 0)
        return;
    for (;;) {
        bool ours = false;
        const bool ok = withTurns(m_fd, [&](Turns &turns) {
            // Tickets only grow, so an earlier one is behind us when serving has passed it.
            if (turns.serving >= m_ticket || turns.next <= m_ticket) {
                ours = true;
                return false;
            }
            if (nowMs() - turns.servingSinceMs > turnBound.count()) {
                ++turns.serving;
                turns.servingSinceMs = nowMs();
                return true;
            }
            return false;
        });
        if (ours || !ok)
            return;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

#else

WriterQueue::WriterQueue(const QString &) {}
WriterQueue::~WriterQueue() = default;
void WriterQueue::waitForTurn(std::chrono::milliseconds) {}

#endif

} // namespace qs::detail
