#pragma once

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

// Faults are made in a forked child, with the limits and mount namespaces only Linux has. On
// other systems each helper reports that it could not make its fault, and a test that needs
// one skips, saying so: those systems meet the same faults only in the tests that make them
// without a child (a folder in the way of a file, a missing folder).
#define QS_SKIP_WITHOUT_CHILD_FAULTS()                                                             \
    if (!qs::test::ChildFaults)                                                                    \
    GTEST_SKIP() << "faults are made in a forked child, which only Linux gives the tests"

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qs::test {

inline constexpr bool ChildFaults = true;

// Runs body in a forked child and returns the text it returned. Limits and mounts made for
// a fault stay in the child, so the test runner keeps its own; nullopt when the child died.
inline std::optional<QByteArray> inChild(const std::function<QByteArray()> &body)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return std::nullopt;
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        const QByteArray out = body();
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = ::write(pipeEnds[1], out.constData() + done, out.size() - done);
            if (n <= 0)
                break;
            done += n;
        }
        _exit(done == out.size() ? 0 : 1);
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        return std::nullopt;
    }
    QByteArray out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return out;
}

// In a child: no file may grow beyond bytes, and a write past that fails instead of killing
// the process, as on a disk that has filled up.
inline bool limitFileSize(rlim_t bytes)
{
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// In a child: path (a file or a folder) becomes read-only for this process alone, by a
// read-only bind mount in a mount namespace of its own. Root ignores file modes, so this is
// how a read-only file or folder is made for it. False where mounting is not allowed.
inline bool makeReadOnly(const QString &path)
{
    const QByteArray native = path.toLocal8Bit();
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(native.constData(), native.constData(), nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, native.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
}

// Whether makeReadOnly works on this machine, tried in a child.
inline bool readOnlyMountsAllowed(const QString &probeFolder)
{
    const auto answer =
        inChild([&] { return makeReadOnly(probeFolder) ? QByteArray("yes") : QByteArray("no"); });
    return answer && *answer == "yes";
}

} // namespace qs::test

#else

using rlim_t = unsigned long long; // a file size limit, as Linux names it

namespace qs::test {

inline constexpr bool ChildFaults = false;
inline std::optional<QByteArray> inChild(const std::function<QByteArray()> &)
{
    return std::nullopt;
}
inline bool limitFileSize(rlim_t)
{
    return false;
}
inline bool makeReadOnly(const QString &)
{
    return false;
}
inline bool readOnlyMountsAllowed(const QString &)
{
    return false;
}

} // namespace qs::test

#endif
