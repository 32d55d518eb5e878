#pragma once

#include "commandline.h"
#include "settingsstore.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << '{';
    for (const auto &s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
QT_END_NAMESPACE

namespace qs::test {

// The fresh temporary home the test environment made for the running test.
QString testHome();

// Restores an environment variable a test changed.
class EnvironmentGuard
{
public:
    explicit EnvironmentGuard(const char *name)
        : m_name(name)
        , m_old(qgetenv(name))
    {
    }
    ~EnvironmentGuard() { qputenv(m_name, m_old); }
    EnvironmentGuard(const EnvironmentGuard &) = delete;
    EnvironmentGuard &operator=(const EnvironmentGuard &) = delete;

private:
    const char *m_name;
    QByteArray m_old;
};

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Windows keeps the settings in the registry: a test of the settings files that other systems
// keep does not apply there.
#ifdef Q_OS_WIN
#define QS_SKIP_WITHOUT_SETTINGS_FILES()                                                           \
    GTEST_SKIP() << "Windows keeps the settings in the registry, not in the files this test reads"
#else
#define QS_SKIP_WITHOUT_SETTINGS_FILES() static_cast<void>(0)
#endif
#ifdef Q_OS_WIN
inline constexpr bool SettingsInFiles = false;
#else
inline constexpr bool SettingsInFiles = true;
#endif

// Settings as a user or another program left them: the settings file written by hand, or on
// Windows the same values in the registry, under the application the file is named after.
inline bool writeSettingsFile(const QString &path, const QByteArray &ini)
{
#ifdef Q_OS_WIN
    QList<SettingsWrite> writes;
    QString section;
    for (QByteArray line : ini.split('\n')) {
        line = line.trimmed();
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith('[') && line.endsWith(']'))
            section = QString::fromUtf8(line.mid(1, line.size() - 2));
        else if (equals > 0 && !line.startsWith(';'))
            writes.append({section, QString::fromUtf8(line.left(equals)).trimmed(),
                           QString::fromUtf8(line.mid(equals + 1)).trimmed()});
    }
    const QString application = QFileInfo(path).completeBaseName();
    // The file is written whole: nothing of the application's earlier values stays.
    QSettings(SettingsStore::filePath(application), QSettings::NativeFormat).clear();
    return SettingsStore::setMany(application, writes);
#else
    return writeAll(path, ini);
#endif
}

// The bytes a text is saved as: UTF-8, or on Windows the ANSI code page that the host reads.
// There the tests expect a Western system's Windows-1252, as the Wine runs have.
#ifdef Q_OS_WIN
inline constexpr bool SavesUtf8 = false;
#else
inline constexpr bool SavesUtf8 = true;
#endif

// Characters a save cannot store, and the bytes it writes for them: outside a Western Windows
// system's code page there; UTF-8 lacks only a lone surrogate.
#ifdef Q_OS_WIN
inline const QString Unstorable = QStringLiteral(u"\u65E5\u672C");
inline constexpr char UnstorableSaved[] = "??";
#else
inline const QString Unstorable = QString(QChar(0xD800));
inline constexpr char UnstorableSaved[] = "?";
#endif

// Joins lines with CR LF, each line ended.
inline QByteArray crlf(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

// A stand-in program at folder/name that writes the arguments it gets, one a line, to outFile
// (whole, through a rename, so that a reader never sees half of it).
inline QString makeRecorder(const QString &folder, const QString &name, const QString &outFile)
{
    const QString path = folder + u'/' + name;
    const QByteArray out = outFile.toUtf8();
    const QByteArray script = "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + out + ".tmp' && mv '" + out +
                              ".tmp' '" + out + "'\n";
    EXPECT_TRUE(writeAll(path, script));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Waits for the side effect of a detached program.
inline QByteArray waitForFile(const QString &path)
{
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return readAll(path);
}

// The files a program is given to open when a file manager opens files with its desktop entry:
// the entry's Exec line split at blanks, "%f" standing for the first file and "%F" for all of
// them, read as the program reads its command line.
inline QStringList filesFromDesktopEntry(const QString &desktopFile, const QStringList &files,
                                         const CommandLineSpec &spec)
{
    QString exec;
    for (const QByteArray &line : readAll(desktopFile).split('\n'))
        if (line.startsWith("Exec="))
            exec = QString::fromUtf8(line.mid(5)).trimmed();
    QStringList arguments;
    for (const QString &word : exec.split(u' ', Qt::SkipEmptyParts)) {
        if (word == QLatin1String("%f"))
            arguments << files.mid(0, 1);
        else if (word == QLatin1String("%F"))
            arguments << files;
        else
            arguments << word;
    }
    EXPECT_EQ(arguments.value(0), spec.program);
    QString message;
    const CommandLine line = parseCommandLine(arguments, spec, &message);
    EXPECT_FALSE(line.exitCode) << message.toStdString();
    return line.files;
}

// Every file below the test's home with its bytes, to show that a command wrote nothing.
inline QMap<QString, QByteArray> everyFile()
{
    QMap<QString, QByteArray> files;
    QDirIterator it(testHome(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readAll(path));
    }
    return files;
}

} // namespace qs::test
