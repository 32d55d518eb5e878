#include "profilestestsupport.h"

#include "paths.h"
#include "profilecommands.h"
#include "profmod.h"

#include <QDir>
#include <QProcess>
#include <QSettings>

#include <memory>
#include <vector>

using namespace qs;
using namespace qs::profiles;
using namespace qs::test;

namespace {

QString dump(const QList<SettingsWrite> &writes)
{
    QStringList out;
    for (const SettingsWrite &w : writes)
        out << w.section + '/' + w.key + '=' + w.value;
    return out.join('\n');
}

} // namespace

TEST(ProfileStore, FirstRunListsOnlyTheHostsCurrentSettings)
{
    const ProfileList list = readProfileList(programDirectory());
    ASSERT_EQ(list.rows.size(), 1);
    EXPECT_EQ(list.rows[0], (Profile{"Current", "", "", programDirectory()}));
    EXPECT_FALSE(list.selectFirst);
    // Reading writes nothing.
    EXPECT_FALSE(QFile::exists(profileStoreFile()));
    EXPECT_FALSE(QFile::exists(hostStoreFile()));

    setHostSettings("pat", "pat@example.com", "");
    EXPECT_EQ(readProfileList("unused").rows[0],
              (Profile{"Current", "pat", "pat@example.com", ""}));
}

TEST(ProfileStore, SlotsAreListedInOrderAndMissingOnesSkipped)
{
    ASSERT_TRUE(writeSettingsFile(profileStoreFile(), gappedStore()));
    setHostSettings("host.user", "host@example.com", "/srv/host");
    const ProfileList list = readProfileList(programDirectory());
    EXPECT_TRUE(list.selectFirst);
    // Lab has no "Name": its section name shows.
    EXPECT_EQ(list.rows, (QList<Profile>{{"Current", "host.user", "host@example.com", "/srv/host"},
                                         {"Home", "pat", "pat@home.example", "/srv/home"},
                                         {"Lab", "lab.user", "lab@example.com", "/srv/lab"}}));
}

TEST(ProfileStore, CountsThatAreNotWholeNumbersReadAsNoProfiles)
{
    for (const char *count : {"0", "three", "", "-2", "2.5"}) {
        ASSERT_TRUE(writeSettingsFile(
            profileStoreFile(), lines({"[_Program]", (std::string("NumProfs=") + count).c_str(),
                                       "Prof1=Home", "", "[Home]", "Name=Home", ""})));
        const ProfileList list = readProfileList({});
        EXPECT_EQ(list.rows.size(), 1) << count;
        EXPECT_FALSE(list.selectFirst) << count;
    }
    EXPECT_EQ(slotCount("12"), 12);
    EXPECT_EQ(slotCount("x"), std::nullopt);
    EXPECT_EQ(slotKey(10), "Prof10");
}

TEST(ProfileStore, AHugeCountListsTheSlotsThatExistWithoutProbingEveryNumber)
{
    ASSERT_TRUE(writeSettingsFile(profileStoreFile(),
                                  lines({"[_Program]", "NumProfs=2000000000", "Prof1999999999=Far",
                                         "Prof2=Home", "Prof02=Twice", "Prof3000000000=Beyond", "",
                                         "[Home]", "Name=Home", "", "[Far]", "Name=Far", ""})));
    const ProfileList list = readProfileList({}); // probing every slot would not end in time
    ASSERT_EQ(list.rows.size(), 3);
    EXPECT_EQ(list.rows[1].name, "Home");
    EXPECT_EQ(list.rows[2].name, "Far");
}

TEST(ProfileStore, NewProfileWritesItsValuesThenTheCountThenItsSlot)
{
    ASSERT_TRUE(writeSettingsFile(
        profileStoreFile(), lines({"[_Program]", "NumProfs=2", "Prof1=Home", "Prof2=Work", ""})));
    const Profile lab{"Lab", "lab.user", "lab@example.com", "/srv/lab"};
    EXPECT_EQ(dump(*profileWrites(SettingsSnapshot(StoreApp), lab)),
              "Lab/Name=Lab\nLab/User=lab.user\nLab/Email=lab@example.com\nLab/Server=/srv/lab\n"
              "_Program/NumProfs=3\n_Program/Prof3=Lab");
    ASSERT_TRUE(saveProfile(lab));
    if (SettingsInFiles) {
        EXPECT_EQ(
            readAll(profileStoreFile()),
            lines({"[_Program]", "NumProfs=3", "Prof1=Home", "Prof2=Work", "Prof3=Lab", "", "[Lab]",
                   "Name=Lab", "User=lab.user", "Email=lab@example.com", "Server=/srv/lab"}));
    }

    // Saved again with other values: the four values change, the index stays.
    const Profile again{"Lab", "other", "other@example.com", "/srv/other"};
    EXPECT_EQ(dump(*profileWrites(SettingsSnapshot(StoreApp), again)),
              "Lab/Name=Lab\nLab/User=other\nLab/Email=other@example.com\nLab/Server=/srv/other");
    ASSERT_TRUE(saveProfile(again));
    if (SettingsInFiles) {
        EXPECT_EQ(
            readAll(profileStoreFile()),
            lines({"[_Program]", "NumProfs=3", "Prof1=Home", "Prof2=Work", "Prof3=Lab", "", "[Lab]",
                   "Name=Lab", "User=other", "Email=other@example.com", "Server=/srv/other"}));
    }
}

TEST(ProfileStore, FirstProfileOfAnEmptyStoreTakesSlotOne)
{
    ASSERT_TRUE(saveProfile({"Work_1", "u", "e", "s"}));
    const SettingsSnapshot store(StoreApp);
    EXPECT_EQ(store.get(ProgramSection, NumProfsKey), "1");
    EXPECT_EQ(store.get(ProgramSection, "Prof1"), "Work_1");
    EXPECT_EQ(readProfileList({}).rows.size(), 2);
}

TEST(ProfileStore, EachCommandSeesWhatAnotherProgramWroteBefore)
{
    ASSERT_TRUE(saveProfile({"Home", "pat", "pat@home.example", "/srv/home"}));
    EXPECT_EQ(readProfileList({}).rows.size(), 2);
    // Another program adds a profile in slot 2 between two commands.
    ASSERT_TRUE(SettingsStore::setMany(StoreApp, {{"Other", "Name", "Other"},
                                                  {ProgramSection, "NumProfs", "2"},
                                                  {ProgramSection, "Prof2", "Other"}}));
    const ProfileList list = readProfileList({});
    ASSERT_EQ(list.rows.size(), 3);
    EXPECT_EQ(list.rows[2].name, "Other");
    // The next new profile goes behind it instead of taking its slot.
    ASSERT_TRUE(saveProfile({"Lab", "u", "e", "s"}));
    const SettingsSnapshot store(StoreApp);
    EXPECT_EQ(store.get(ProgramSection, "Prof2"), "Other");
    EXPECT_EQ(store.get(ProgramSection, "Prof3"), "Lab");
    EXPECT_EQ(store.get(ProgramSection, NumProfsKey), "3");
}

TEST(HostSettings, RegistryGetsOneSpaceForAnEmptyValueTheStoreKeepsItEmpty)
{
    ProfMod::SaveHostSetting(host::SettingsApp, host::CollabLanSection, host::ServerKey, "");
    if (SettingsInFiles) {
        EXPECT_EQ(readAll(hiveFile()),
                  lines({"[Software]",
                         "Vantrell%20Software\\Quillsite%2097\\CurrentVersion\\Tandem%21Pad\\LAN\\"
                         "Server=\" \""}));
        EXPECT_EQ(readAll(hostStoreFile()), lines({"[Tandem%21Pad]", "LAN\\Server="}));
    }
    EXPECT_EQ(RegistryKey::create(host::RegistryKeyBase + "Tandem!Pad\\LAN")->string("Server"),
              " ");
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabLanSection, host::ServerKey, "x"),
              "");

    QString subKey = host::RegistryKeyBase + "Tandem!Pad";
    QString name = "UserID";
    QString value;
    EXPECT_TRUE(ProfMod::SetKeyValue(ProfMod::RegistryRoot::CurrentUser, subKey, name, value));
    EXPECT_EQ(value, " ");
    EXPECT_EQ(RegistryKey::create(subKey)->string("UserID"), " ");
}

TEST(HostSettings, ApplyWritesTheThreeValuesToBothPlaces)
{
    applyHostSettings({"ignored", "pat", "pat@example.com", "\\\\srv\\pad"});
    const QString base = host::RegistryKeyBase;
    EXPECT_EQ(RegistryKey::create(base + "Tandem!Pad")->string("UserID"), "pat");
    EXPECT_EQ(RegistryKey::create(base + "Tandem!Pad")->string("Email"), "pat@example.com");
    EXPECT_EQ(RegistryKey::create(base + "Tandem!Pad\\LAN")->string("Server"), "\\\\srv\\pad");
    const SettingsSnapshot store(host::SettingsApp);
    EXPECT_EQ(store.get(host::CollabSection, host::UserIdKey), "pat");
    EXPECT_EQ(store.get(host::CollabSection, host::EmailKey), "pat@example.com");
    EXPECT_EQ(store.get(host::CollabLanSection, host::ServerKey), "\\\\srv\\pad");
    // The name is no host setting.
    EXPECT_FALSE(readAll(hostStoreFile()).contains("ignored"));
    EXPECT_FALSE(readAll(hiveFile()).contains("ignored"));
}

TEST(HostSettings, StoreIsWrittenWhenTheRegistryCannotBe)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // A folder where the registry file should be: no value can be set there.
    ASSERT_TRUE(QDir().mkpath(hiveFile()));
    QString subKey = host::RegistryKeyBase + "Tandem!Pad";
    QString name = "Email";
    QString value = "pat@example.com";
    EXPECT_FALSE(ProfMod::SetKeyValue(ProfMod::RegistryRoot::CurrentUser, subKey, name, value));
    applyHostSettings({"", "pat", "pat@example.com", "/srv"});
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabSection, host::EmailKey),
              "pat@example.com");
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabLanSection, host::ServerKey),
              "/srv");
}

TEST(UpdateRules, ChecksComeInOrder)
{
    EXPECT_EQ(updateStep({"_Work", "", "", ""}), UpdateStep::RefuseUnderscore);
    EXPECT_EQ(updateStep({"_Work", "u", "e", "s"}), UpdateStep::RefuseUnderscore);
    EXPECT_EQ(updateStep({"", "u", "e", "s"}), UpdateStep::RefuseMissing);
    EXPECT_EQ(updateStep({"Work", "u", "e", ""}), UpdateStep::RefuseMissing);
    EXPECT_EQ(updateStep({"Current", "u", "e", ""}), UpdateStep::RefuseMissing);
    EXPECT_EQ(updateStep({"Current", "u", "e", "s"}), UpdateStep::ConfirmCurrent);
    EXPECT_EQ(updateStep({"current", "u", "e", "s"}), UpdateStep::SaveProfile);
    EXPECT_EQ(updateStep({"Work_1", " ", " ", " "}), UpdateStep::SaveProfile);
    EXPECT_TRUE(allFieldsFilled({" ", " ", " ", " "}));
    EXPECT_FALSE(allFieldsFilled({"a", "b", "c", ""}));
}

namespace {

// Starts savers programs at once against a new, empty config folder, each saving count new
// profiles, and returns the profile names listed afterwards (without "Current").
QStringList saveAtOnce(int savers, int count, int *failed)
{
    const QString home = testHome() + QStringLiteral("/together-%1").arg(savers);
#ifdef Q_OS_WIN
    // Each round starts from an empty store; on Windows the test's registry holds it.
    QSettings(SettingsStore::filePath(StoreApp), QSettings::NativeFormat).clear();
#endif
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    EXPECT_TRUE(QDir().mkpath(home));
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 1; i <= savers; ++i) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->setProcessEnvironment(env);
        running.back()->start(QS_PROFILESAVER,
                              {QStringLiteral("s%1").arg(i), QString::number(count)});
        EXPECT_TRUE(running.back()->waitForStarted());
    }
    EXPECT_TRUE(writeAll(home + QStringLiteral("/go"), ""));
    *failed = 0;
    for (auto &p : running) {
        EXPECT_TRUE(p->waitForFinished(300'000));
        const QString out = QString::fromUtf8(p->readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(QStringLiteral("saved="))) << out.toStdString();
        *failed += out.section(QStringLiteral("failed="), 1).toInt();
    }
    const QByteArray own = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.toUtf8());
    QStringList names;
    for (const Profile &row : readProfileList({}).rows.mid(1))
        names << row.name;
    qputenv("XDG_CONFIG_HOME", own);
    return names;
}

QStringList expectedNames(int savers, int count)
{
    QStringList names;
    for (int s = 1; s <= savers; ++s)
        for (int i = 1; i <= count; ++i)
            names << QStringLiteral("s%1x%2").arg(s).arg(i);
    names.sort();
    return names;
}

} // namespace

TEST(ProfileStore, ProgramsSavingNewProfilesAtOnceEachGetASlotOfTheirOwn)
{
    for (const auto &[savers, count] : {std::pair{2, 100}, std::pair{8, 20}}) {
        SCOPED_TRACE(savers);
        int failed = -1;
        QStringList listed = saveAtOnce(savers, count, &failed);
        EXPECT_EQ(failed, 0);
        listed.sort();
        EXPECT_EQ(listed, expectedNames(savers, count));
    }
}

TEST(ProfileStore, ADamagedCountNeverOverwritesOrHidesAProfile)
{
    // A count below the slots in use: the new profile goes past them all.
    for (const char *count : {"NumProfs=-5", "NumProfs=1", "NumProfs=x", "NumProfs="}) {
        SCOPED_TRACE(count);
        ASSERT_TRUE(writeSettingsFile(
            profileStoreFile(), lines({"[_Program]", count, "Prof1=Home", "Prof2=Work", "",
                                       "[Home]", "Name=Home", "", "[Work]", "Name=Work", ""})));
        ASSERT_TRUE(saveProfile({"Lab", "u", "e", "s"}));
        const SettingsSnapshot store(StoreApp);
        EXPECT_EQ(store.get(ProgramSection, "Prof1"), "Home");
        EXPECT_EQ(store.get(ProgramSection, "Prof2"), "Work");
        EXPECT_EQ(store.get(ProgramSection, "Prof3"), "Lab");
        EXPECT_EQ(store.get(ProgramSection, NumProfsKey), "3");
        QStringList names;
        for (const Profile &row : readProfileList({}).rows)
            names << row.name;
        EXPECT_EQ(names, (QStringList{"Current", "Home", "Work", "Lab"}));
    }
}

TEST(ProfileStore, ACountAtTheTopOfItsRangeRefusesANewProfileAndWritesNothing)
{
    for (const char *program :
         {"NumProfs=9223372036854775807", "Prof9223372036854775807=Far\nNumProfs=1"}) {
        SCOPED_TRACE(program);
        const QByteArray before = lines({"[_Program]", program, "Prof1=Home", "", "[Home]",
                                         "Name=Home", "", "[Far]", "Name=Far", ""});
        ASSERT_TRUE(writeSettingsFile(profileStoreFile(), before));
        StoreFailure failure;
        EXPECT_FALSE(saveProfile({"Lab", "u", "e", "s"}, &failure));
        EXPECT_EQ(failure.file, profileStoreName());
        EXPECT_EQ(failure.reason, NoSlotLeft);
        if (SettingsInFiles) {
            EXPECT_EQ(readAll(profileStoreFile()), before);
        }
        // A profile that exists is still saved: it needs no slot.
        EXPECT_TRUE(saveProfile({"Home", "pat", "e", "s"}));
        EXPECT_EQ(SettingsStore::get(StoreApp, "Home", "User"), "pat");
    }
}

TEST(ProfileStore, AStoreWrittenInWindows1252KeepsEveryValueThroughASave)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // "Jürgen Müller" and "Café" as a Windows editor saves them, with a byte-order-less
    // ANSI text and CR LF line ends.
    ASSERT_TRUE(writeSettingsFile(profileStoreFile(),
                                  "[_Program]\r\nNumProfs=2\r\nProf1=Home\r\nProf2=Caf\xE9\r\n\r\n"
                                  "[Home]\r\nName=Home\r\nUser=J\xFCrgen M\xFCller\r\n\r\n"
                                  "[Caf\xE9]\r\nName=Caf\xE9\r\nServer=\\\\srv\\caf\xE9\r\n"));
    const auto expectKept = [] {
        const ProfileList list = readProfileList({});
        ASSERT_GE(list.rows.size(), 3);
        EXPECT_EQ(list.rows[1].user, QString::fromUtf8("Jürgen Müller"));
        EXPECT_EQ(list.rows[2].name, QString::fromUtf8("Café"));
        EXPECT_EQ(list.rows[2].server, QString::fromUtf8("\\\\srv\\café"));
    };
    expectKept();
    ASSERT_TRUE(saveProfile({"Lab", "u", "e", "s"}));
    expectKept();
    // Written back as it was: Windows-1252 and CR LF, the new profile after the others.
    EXPECT_EQ(readAll(profileStoreFile()),
              "[_Program]\r\nNumProfs=3\r\nProf1=Home\r\nProf2=Caf\xE9\r\nProf3=Lab\r\n\r\n"
              "[Home]\r\nName=Home\r\nUser=J\xFCrgen M\xFCller\r\n\r\n"
              "[Caf\xE9]\r\nName=Caf\xE9\r\nServer=\\\\srv\\caf\xE9\r\n\r\n"
              "[Lab]\r\nName=Lab\r\nUser=u\r\nEmail=e\r\nServer=s\r\n");
}
