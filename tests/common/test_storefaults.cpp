#include "faultinjection.h"
#include "stressrun.h"
#include "testsupport.h"

#include "registry.h"
#include "settingsstore.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSysInfo>

using namespace qs;

namespace {

const QString App = QStringLiteral("Faults");
const QString KeyPath = QStringLiteral("Software\\Faults\\Key");

QString settingsFile()
{
    return SettingsStore::filePath(App);
}

// One place the store writes: its file and a write of value to it.
struct Target
{
    const char *name;
    QString (*file)();
    bool (*write)(const QString &value, StoreFailure *failure);
};

const Target Targets[] = {
    {"settings file", settingsFile,
     [](const QString &value, StoreFailure *failure) {
         return SettingsStore::set(App, QStringLiteral("Sec"), QStringLiteral("Key"), value,
                                   failure);
     }},
    {"registry file", RegistryKey::hiveFilePath,
     [](const QString &value, StoreFailure *failure) {
         return RegistryKey::create(KeyPath)->setString(QStringLiteral("Name"), value, failure);
     }},
};

// The entries of the file's folder: a failed write leaves no temporary file or lock behind.
QStringList folderEntries(const QString &file)
{
    return QDir(QFileInfo(file).absolutePath()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

// Runs a failing write in a child made ready by prepare and returns "ok", or the failure's
// file and reason joined by '|'.
QByteArray failingWrite(const Target &target, const QString &value,
                        const std::function<bool()> &prepare)
{
    return test::inChild([&]() -> QByteArray {
               if (!prepare())
                   return "unprepared";
               StoreFailure failure;
               if (target.write(value, &failure))
                   return "ok";
               return (failure.file + u'|' + failure.reason).toUtf8();
           })
        .value_or("child died");
}

void expectRefused(const Target &target, const QByteArray &answer, const QByteArray &before)
{
    SCOPED_TRACE(target.name);
    EXPECT_EQ(test::readAll(target.file()), before);
    ASSERT_NE(answer, "ok");
    ASSERT_NE(answer, "unprepared");
    const QList<QByteArray> parts = answer.split('|');
    ASSERT_EQ(parts.size(), 2) << answer.toStdString();
    EXPECT_EQ(QString::fromUtf8(parts[0]), target.file());
    EXPECT_FALSE(parts[1].trimmed().isEmpty());
    EXPECT_EQ(test::readAll(target.file()), before);
    EXPECT_EQ(folderEntries(target.file()), QStringList{QFileInfo(target.file()).fileName()});
}

// Each writer's keys hold the value of the last round that wrote them, and the file holds no
// other key but "Other/Kept" (when kept is given, with that value).
void expectEveryLastWrite(const QString &file, const QString &prefix, int writers, int rounds,
                          int keys, const char *kept)
{
    SCOPED_TRACE(file.toStdString());
#ifdef Q_OS_WIN
    // There the settings are below their application's key, the hive's keys below
    // HKEY_CURRENT_USER itself, next to the settings: only the writers' own keys count.
    const QString application = QFileInfo(file).completeBaseName();
    QSettings ini(application == "HKEY_CURRENT_USER" ? application
                                                     : SettingsStore::filePath(application),
                  QSettings::NativeFormat);
#else
    QSettings ini(file, QSettings::IniFormat);
#endif
    QStringList expectedKeys;
    if (kept) {
        EXPECT_EQ(ini.value("Other/Kept").toString(), kept);
        expectedKeys << "Other/Kept";
    }
    for (int w = 1; w <= writers; ++w) {
        for (int k = 0; k < keys; ++k) {
            const int last = rounds - ((rounds - k) % keys + keys) % keys;
            const QString key = prefix + QStringLiteral("Writer%1/Key%2").arg(w).arg(k);
            expectedKeys << key;
            EXPECT_EQ(ini.value(key).toString(), QStringLiteral("w%1-r%2").arg(w).arg(last))
                << key.toStdString();
        }
    }
    QStringList found = ini.allKeys();
    if (!test::SettingsInFiles && !prefix.isEmpty())
        found = found.filter(
            QRegularExpression("^(" + QRegularExpression::escape(prefix) + "|Other/)"));
    found.sort();
    expectedKeys.sort();
    EXPECT_EQ(found, expectedKeys);
}

} // namespace

TEST(StoreFaultTest, FullDiskKeepsEveryByteOfThePreviousFile)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    for (const Target &target : Targets) {
        SCOPED_TRACE(target.name);
        ASSERT_TRUE(target.write(QStringLiteral("before"), nullptr));
        const QByteArray before = test::readAll(target.file());
        const QString big(8192, u'x');
        const QByteArray answer = failingWrite(target, big, [&] {
            return test::limitFileSize(static_cast<rlim_t>(before.size() + 100));
        });
        expectRefused(target, answer, before);

        // This process never had the limit: the same write goes through.
        EXPECT_TRUE(target.write(big, nullptr));
        EXPECT_GT(test::readAll(target.file()).size(), 8192);
    }
    EXPECT_EQ(SettingsStore::get(App, "Sec", "Key"), QString(8192, u'x'));
}

TEST(StoreFaultTest, ReadOnlyFileAndFolderAreReported)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    if (!test::readOnlyMountsAllowed(test::testHome()))
        GTEST_SKIP() << "no mount namespace here: read-only files cannot be made for root";
    for (const Target &target : Targets) {
        SCOPED_TRACE(target.name);
        ASSERT_TRUE(target.write(QStringLiteral("before"), nullptr));
        const QByteArray before = test::readAll(target.file());
        expectRefused(
            target,
            failingWrite(target, "after", [&] { return test::makeReadOnly(target.file()); }),
            before);
        expectRefused(
            target,
            failingWrite(
                target, "after",
                [&] { return test::makeReadOnly(QFileInfo(target.file()).absolutePath()); }),
            before);
    }
}

TEST(StoreFaultTest, FoldersAreMadeOrTheirObstacleNamed)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // A missing folder is made.
    test::EnvironmentGuard guard("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (test::testHome() + "/not/yet/there").toUtf8());
    for (const Target &target : Targets)
        EXPECT_TRUE(target.write("made", nullptr)) << target.name;
    EXPECT_EQ(SettingsStore::get(App, "Sec", "Key"), "made");

    // A file where a folder should be cannot be got past.
    ASSERT_TRUE(test::writeAll(test::testHome() + "/plain", "a file\n"));
    qputenv("XDG_CONFIG_HOME", (test::testHome() + "/plain/config").toUtf8());
    for (const Target &target : Targets) {
        SCOPED_TRACE(target.name);
        StoreFailure failure;
        EXPECT_FALSE(target.write("lost", &failure));
        EXPECT_EQ(failure.file, target.file());
        EXPECT_TRUE(failure.reason.contains(QFileInfo(target.file()).absolutePath()))
            << failure.reason.toStdString();
    }
    EXPECT_EQ(test::readAll(test::testHome() + "/plain"), "a file\n");
}

TEST(StoreFaultTest, AFolderInPlaceOfTheFileIsLeftAlone)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    for (const Target &target : Targets) {
        SCOPED_TRACE(target.name);
        ASSERT_TRUE(QDir().mkpath(target.file() + "/inside"));
        StoreFailure failure;
        EXPECT_FALSE(target.write("lost", &failure));
        EXPECT_EQ(failure.file, target.file());
        EXPECT_FALSE(failure.reason.isEmpty());
        EXPECT_TRUE(QFileInfo(target.file() + "/inside").isDir());
        EXPECT_FALSE(QFileInfo::exists(target.file() + ".lock"));
    }
}

TEST(StoreStressTest, ManyWritersAndReadersLoseNothingAndSeeNoHalfFile)
{
    // Its readers look for half-written settings files, which Windows does not have.
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    constexpr int Writers = 8;
    constexpr int Rounds = 40;
    constexpr int Keys = 10;
    const QString home = test::testHome() + "/.config";
    const QString settings = home + "/VB and VBA Program Settings/StoreStress.ini";
    const QString hive = home + "/Registry/HKEY_CURRENT_USER.ini";
    // What no writer touches must stay as it is.
    ASSERT_TRUE(test::writeSettingsFile(settings, "[Other]\nKept=hand written\n"));
    if (test::SettingsInFiles) {
        ASSERT_TRUE(test::writeAll(hive, "[Other]\nKept=also hand written\n"));
    } else {
        ASSERT_TRUE(RegistryKey::create("Other")->setString("Kept", "also hand written"));
    }

    const test::StressTotals totals =
        test::runStoreStress(QS_STORESTRESS, home, Writers, 3, Rounds, Keys);
    EXPECT_EQ(totals.crashed, 0);
    EXPECT_EQ(totals.writes, Writers * Rounds * 2);
    EXPECT_EQ(totals.writeFailures, 0);
    EXPECT_GT(totals.reads, 0);
    EXPECT_EQ(totals.torn, 0);
    EXPECT_EQ(totals.regressions, 0);

    expectEveryLastWrite(settings, {}, Writers, Rounds, Keys, "hand written");
    expectEveryLastWrite(hive, QStringLiteral("Software/Stress/"), Writers, Rounds, Keys,
                         "also hand written");
}

TEST(StoreStressTest, WritersStartingFromAnEmptyConfigFolderLoseNothing)
{
    // Neither the folder, the files nor their lock files exist when the writers start.
    constexpr int Writers = 8;
    constexpr int Rounds = 10;
    constexpr int Keys = 10;
    for (int run = 1; run <= 20; ++run) {
        SCOPED_TRACE(run);
        const QString home = test::testHome() + QStringLiteral("/empty-%1").arg(run);
        ASSERT_TRUE(QDir().mkpath(home));
        const test::StressTotals totals =
            test::runStoreStress(QS_STORESTRESS, home, Writers, 0, Rounds, Keys);
        EXPECT_EQ(totals.crashed, 0);
        EXPECT_EQ(totals.writes, Writers * Rounds * 2);
        EXPECT_EQ(totals.writeFailures, 0);
        expectEveryLastWrite(home + "/VB and VBA Program Settings/StoreStress.ini", {}, Writers,
                             Rounds, Keys, nullptr);
        expectEveryLastWrite(home + "/Registry/HKEY_CURRENT_USER.ini",
                             QStringLiteral("Software/Stress/"), Writers, Rounds, Keys, nullptr);
        if (HasFailure())
            break;
    }
}

TEST(StoreFaultTest, ALockNeverGivenBackFailsTheWriteInsteadOfHangingIt)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    for (const Target &target : Targets) {
        SCOPED_TRACE(target.name);
        ASSERT_TRUE(target.write("before", nullptr));
        const QByteArray before = test::readAll(target.file());
        // Held as a program that hangs would hold it.
        QLockFile held(target.file() + ".lock");
        ASSERT_TRUE(held.tryLock(0));
        StoreFailure failure;
        EXPECT_FALSE(target.write("after", &failure));
        EXPECT_EQ(failure.file, target.file());
        EXPECT_EQ(failure.reason, "another program kept the file locked.");
        EXPECT_EQ(test::readAll(target.file()), before);
        held.unlock();
        EXPECT_TRUE(target.write("after", nullptr));

        // A lock left by a program that died is taken over.
        QProcess gone;
        gone.start(QS_STORESTRESS, {});
        ASSERT_TRUE(gone.waitForStarted());
        const qint64 pid = gone.processId();
        ASSERT_TRUE(gone.waitForFinished());
        ASSERT_TRUE(test::writeAll(target.file() + ".lock",
                                   QByteArray::number(pid) + "\nqs_storestress\n" +
                                       QSysInfo::machineHostName().toUtf8() + "\n"));
        EXPECT_TRUE(target.write("taken over", &failure)) << failure.reason.toStdString();
        EXPECT_FALSE(QFileInfo::exists(target.file() + ".lock"));
    }
}

TEST(StoreFaultTest, AHandWrittenListKeepsItsControlCharactersThroughAnotherWrite)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // QSettings writes such a part back as a variant, which it then reads as a variant list.
    ASSERT_TRUE(test::writeAll(settingsFile(), QByteArray("[Sec]\nList=a, b\x12\x01 x, c\n")));
    const QString list = SettingsStore::get(App, "Sec", "List");
    EXPECT_EQ(list, QString::fromUtf8("a, b\x12\x01 x, c"));
    ASSERT_TRUE(SettingsStore::set(App, "Sec", "Other", "v"));
    EXPECT_EQ(SettingsStore::get(App, "Sec", "List"), list);
}

// On Windows the writers of one application take turns at a lock in the temp folder: waiting
// behind writers that finish is no failure, but one that never gives the lock back fails the
// change instead of hanging it.
TEST(StoreFaultTest, ARegistryWriterThatHangsFailsTheChangeInsteadOfHangingIt)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "only Windows keeps its settings in the registry";
#endif
    const SettingsChange set = [](const SettingsSnapshot &, QString *) {
        return std::optional<QList<SettingsWrite>>({{"Sec", "Key", "v"}});
    };
    QLockFile held(QDir::tempPath() + "/qs-store-" + App + ".lock");
    ASSERT_TRUE(held.tryLock(0));
    StoreFailure failure;
    EXPECT_FALSE(SettingsStore::change(App, set, &failure));
    EXPECT_EQ(failure.file, SettingsStore::filePath(App));
    EXPECT_EQ(failure.reason, "another program kept the settings locked.");
    EXPECT_EQ(SettingsStore::get(App, "Sec", "Key", "none"), "none");
    held.unlock();
    EXPECT_TRUE(SettingsStore::change(App, set, nullptr));
    EXPECT_EQ(SettingsStore::get(App, "Sec", "Key"), "v");
}
