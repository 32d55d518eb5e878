#include "inistore.h"
#include "translation.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>

namespace qs::detail {

bool lockTakingTurns(QLockFile &lock, int boundMs)
{
    QDeadlineTimer bound(boundMs);
    std::pair<qint64, QDateTime> holder;
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError)
            return false;
        // A turn ends when the lock is made anew, by another program or the same one again.
        std::pair<qint64, QDateTime> now{0, QFileInfo(lock.fileName()).lastModified()};
        QString host, application;
        if (lock.getLockInfo(&now.first, &host, &application) && now != holder) {
            holder = now;
            bound.setRemainingTime(boundMs);
        } else if (bound.hasExpired()) {
            return false;
        }
        QThread::usleep(500);
    }
    return true;
}

IniText readIniFile(const QString &file)
{
    QFile in(file);
    if (in.open(QIODevice::ReadOnly)) {
        QByteArray content = in.readAll();
        if (in.error() == QFileDevice::NoError)
            return IniText(std::move(content));
    } else if (!in.exists()) {
        return IniText();
    }
    throw StoreReadError(
        {file,
         QFileInfo(file).isDir()
             ? translate("common", "a folder of that name is in the way.")
             : translate("common", "the file could not be read (%1).").arg(in.errorString())});
}

bool changeIniFile(const QString &file, const IniChange &change, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    const QFileInfo info(file);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(
            translate("common", "the folder %1 could not be created.").arg(info.absolutePath()));
    const QString lockPath = file + QStringLiteral(".lock");
    if (QFileInfo(lockPath).isDir())
        return fail(
            translate("common", "a folder is in the way of its lock file %1.").arg(lockPath));

    // The lock QSettings takes while writing this file, so tools built on it take turns with us.
    QLockFile lock(lockPath);
    if (!lockTakingTurns(lock, 5000))
        return fail(
            lock.error() == QLockFile::LockFailedError
                ? translate("common", "another program kept the file locked.")
                : translate("common", "its lock file %1 could not be made.").arg(lock.fileName()));
    // Read only now, under the lock: what another writer added a moment ago is kept.
    std::optional<IniText> current;
    try {
        current = readIniFile(file);
    } catch (const StoreReadError &error) {
        return fail(error.failure.reason);
    }
    const std::optional<IniValues> values = change(*current, reason);
    if (!values)
        return false;
    const QByteArray updated = current->withValues(*values);
    if (updated == current->content())
        return true;
    if (info.exists() && !info.isWritable())
        return fail(translate("common", "the file is read-only."));

    // No direct-write fallback: writing over the file in place could leave it half written.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    // commit() flushes too, but would replace the file even when that last flush falls short.
    if (out.write(updated) != updated.size() || !out.flush()) {
        const QString why = out.errorString();
        out.cancelWriting();
        return fail(why);
    }
    return out.commit() || fail(out.errorString());
}

} // namespace qs::detail
