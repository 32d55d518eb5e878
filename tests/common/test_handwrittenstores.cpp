// Store files as people and other programs leave them: in Windows' ANSI code page, with a
// byte-order mark, CR LF or LF, comments and lines that are no setting. A write changes only the
// lines of the keys it sets; every other byte stays.
#include "testsupport.h"

#include "hostinterface.h"
#include "inistore.h"
#include "settingsstore.h"
#include "textcodec.h"

#include <QDir>
#include <QRandomGenerator>

using namespace qs;

namespace {

const QString App = QStringLiteral("HandWritten");

QString storeFile()
{
    return SettingsStore::filePath(App);
}

} // namespace

TEST(HandWrittenStore, AWriteChangesOnlyTheLinesOfTheKeysItSets)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    struct Case
    {
        const char *name;
        QByteArray before;
        QList<SettingsWrite> writes;
        QByteArray after;
    };
    const QByteArray windows = "\xEF\xBB\xBF; written on Windows\r\n[Sec]\r\nA = 1 \r\n"
                               "odd line\r\n\r\n[Other]\r\nB=\"q;uoted\"\r\n";
    const Case cases[] = {
        {"an existing key, Windows text",
         windows,
         {{"Sec", "A", "2"}},
         "\xEF\xBB\xBF; written on Windows\r\n[Sec]\r\nA =2\r\n"
         "odd line\r\n\r\n[Other]\r\nB=\"q;uoted\"\r\n"},
        {"a new key goes at the end of its section",
         windows,
         {{"Sec", "New", "n"}},
         "\xEF\xBB\xBF; written on Windows\r\n[Sec]\r\nA = 1 \r\n"
         "odd line\r\nNew=n\r\n\r\n[Other]\r\nB=\"q;uoted\"\r\n"},
        {"a new section at the end of the file",
         "[Sec]\nA=1",
         {{"Added!", "K", "v, w"}, {"Sec\\LAN", "Server", "\\\\srv"}},
         "[Sec]\nA=1\nLAN\\Server=\\\\\\\\srv\n\n[Added%21]\nK=\"v, w\"\n"},
        {"the same value leaves every byte", windows, {{"Other", "B", "q;uoted"}}, windows},
        {"hand-written spelling is kept",
         "[General]\nQuillsitePath = C:\\Host\n",
         {{"General", "QuillsitePath", "C:\\Host"}, {"Sec", "K", "@x"}},
         "[General]\nQuillsitePath = C:\\Host\n\n[Sec]\nK=@@x\n"},
        {"the last of two equal keys is the one read and set",
         "[S]\nK=1\n[S]\nK=2\n",
         {{"S", "K", "3"}},
         "[S]\nK=1\n[S]\nK=3\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(test::writeAll(storeFile(), c.before));
        ASSERT_TRUE(SettingsStore::setMany(App, c.writes));
        EXPECT_EQ(test::readAll(storeFile()), c.after);
        const SettingsSnapshot store(App);
        for (const SettingsWrite &write : c.writes)
            EXPECT_EQ(store.get(write.section, write.key), write.value);
    }
}

TEST(HandWrittenStore, Windows1252StaysSoUntilACharacterDoesNotFit)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // The host's settings as a Windows editor saves them: ANSI bytes, CR LF.
    const QString file = SettingsStore::filePath(host::SettingsApp);
    ASSERT_TRUE(test::writeAll(file, "[Tandem!Pad]\r\nUserID=J\xFCrgen M\xFCller\r\n"
                                     "Email=j\xFC@caf\xE9.example\r\n\r\n"
                                     "[Caf\xE9]\r\nNote=\x80 5, \x93quoted\x94\r\n"));
    const auto expectKept = [] {
        const SettingsSnapshot host(host::SettingsApp);
        EXPECT_EQ(host.get(host::CollabSection, host::UserIdKey),
                  QString::fromUtf8("Jürgen Müller"));
        EXPECT_EQ(host.get(host::CollabSection, host::EmailKey),
                  QString::fromUtf8("jü@café.example"));
        EXPECT_EQ(host.get(QString::fromUtf8("Café"), "Note"), QString::fromUtf8("€ 5, “quoted”"));
    };
    expectKept();
    // Every character fits: the changed line is written in Windows-1252 too.
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::CollabLanSection, host::ServerKey,
                                   QString::fromUtf8("/srv/café")));
    EXPECT_EQ(test::readAll(file), "[Tandem!Pad]\r\nUserID=J\xFCrgen M\xFCller\r\n"
                                   "Email=j\xFC@caf\xE9.example\r\n"
                                   "LAN\\Server=/srv/caf\xE9\r\n\r\n"
                                   "[Caf\xE9]\r\nNote=\x80 5, \x93quoted\x94\r\n");
    expectKept();

    // One that does not: the whole file becomes UTF-8 once, every value kept.
    const QString japanese = QString::fromUtf8("日本");
    ASSERT_TRUE(
        SettingsStore::set(host::SettingsApp, host::CollabSection, host::UserIdKey, japanese));
    const QByteArray converted = test::readAll(file);
    EXPECT_TRUE(isValidUtf8(converted));
    EXPECT_TRUE(converted.contains(QString::fromUtf8("[Café]\r\nNote=€ 5, “quoted”").toUtf8()));
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabSection, host::UserIdKey),
              japanese);
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabLanSection, host::ServerKey),
              QString::fromUtf8("/srv/café"));
    EXPECT_EQ(SettingsSnapshot(host::SettingsApp).get(QString::fromUtf8("Café"), "Note"),
              QString::fromUtf8("€ 5, “quoted”"));
}

TEST(HandWrittenStore, RandomHandWrittenLinesKeepEveryValueAndByteThroughAWrite)
{
    // Lines made of the characters that matter to the format: a write of another key keeps
    // every value read before, and every byte before the new key's place.
    QRandomGenerator random(20261209);
    const char alphabet[] = "ab=[];\"\\ \t\r\n\xE9%";
    for (int round = 0; round < 2000; ++round) {
        QByteArray text = "[S]\n";
        const int length = random.bounded(1, 80);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(sizeof alphabet) - 1)];
        const detail::IniText before(text);
        const QByteArray written = before.withValues({{"zz/added", "v"}});
        ASSERT_TRUE(written.startsWith(text)) << text.toStdString();
        const detail::IniText after(written);
        EXPECT_EQ(after.value("zz/added"), "v") << text.toStdString();
        for (const QString &key : before.childKeys("S"))
            EXPECT_EQ(after.value("S/" + key), before.value("S/" + key)) << text.toStdString();
        if (HasFailure())
            break;
    }
}

TEST(HandWrittenStore, AZeroWidthNoBreakSpaceInAValueSurvivesWrites)
{
    // U+FEFF, which other readers take for a byte-order mark where a run of text starts.
    const QString mark(QChar(0xFEFF));
    const QStringList values{mark + "lead", QString(QChar(0x0F)) + mark, mark + "a1", "mid" + mark};
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(SettingsStore::set(App, "Sec", QStringLiteral("K%1").arg(i), values[i]));
    ASSERT_TRUE(SettingsStore::set(App, "Other", "Key", "v"));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(SettingsStore::get(App, "Sec", QStringLiteral("K%1").arg(i)), values[i]) << i;
    if (!test::SettingsInFiles)
        return;
    // Hand-written, with the mark as UTF-8 at the start of a value.
    ASSERT_TRUE(test::writeAll(storeFile(), "[Sec]\nK=\xEF\xBB\xBFx\n"));
    EXPECT_EQ(SettingsStore::get(App, "Sec", "K"), mark + "x");
    ASSERT_TRUE(SettingsStore::set(App, "Other", "Key", "w"));
    EXPECT_EQ(SettingsStore::get(App, "Sec", "K"), mark + "x");
}

TEST(HandWrittenStore, AStoreThatCannotBeReadIsAnErrorNeverTheDefaults)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // A folder in the file's place: the store exists, but holds no text to read.
    ASSERT_TRUE(QDir().mkpath(storeFile()));
    try {
        SettingsStore::get(App, "Sec", "Key", "default");
        ADD_FAILURE() << "read the default from a store that cannot be read";
    } catch (const StoreReadError &error) {
        EXPECT_EQ(error.failure.file, storeFile());
        EXPECT_EQ(error.failure.reason, "a folder of that name is in the way.");
        EXPECT_TRUE(storeReadMessage(error).contains(storeFile()));
    }
    EXPECT_THROW(SettingsSnapshot snapshot(App), StoreReadError);
    StoreFailure failure;
    EXPECT_FALSE(SettingsStore::set(App, "Sec", "Key", "v", &failure));
    EXPECT_EQ(failure.file, storeFile());
    EXPECT_TRUE(QFileInfo(storeFile()).isDir());
}

TEST(HandWrittenStore, NothingIsKeptInTheTemporaryFolder)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // A temporary folder that is gone, or that cannot be written, changes nothing.
    ASSERT_TRUE(SettingsStore::set(App, "Sec", "Key", "before"));
    test::EnvironmentGuard guard("TMPDIR");
    for (const QString &tmp : {test::testHome() + "/gone", QStringLiteral("/proc")}) {
        SCOPED_TRACE(tmp.toStdString());
        qputenv("TMPDIR", tmp.toUtf8());
        EXPECT_EQ(SettingsStore::get(App, "Sec", "Key", "default"), "before");
        ASSERT_TRUE(SettingsStore::set(App, "Sec", "Other", tmp));
        EXPECT_EQ(SettingsSnapshot(App).get("Sec", "Other"), tmp);
    }
}

TEST(HandWrittenStore, ARemovalTakesOutOnlyItsSectionOrKey)
{
    // A file saved on Windows: byte-order mark, CR LF, comments; a removal leaves every other
    // byte where it was, and a key of the same name in another section.
    const QByteArray text = "\xEF\xBB\xBF; profiles\r\n[_Program]\r\nNumProfs=3\r\nProf1=Home\r\n"
                            "Prof3=Lab\r\n\r\n[Lab]\r\n; the lab\r\nUser=lab\r\n\r\n[Home]\r\n"
                            "User=pat\r\nProf3=kept\r\n";
    const detail::IniText before(text);
    const QByteArray after =
        before.withValues({{"_Program/Prof3", std::nullopt}, {"Lab/", std::nullopt}});
    EXPECT_EQ(after, QByteArray("\xEF\xBB\xBF; profiles\r\n[_Program]\r\nNumProfs=3\r\n"
                                "Prof1=Home\r\n\r\n[Home]\r\nUser=pat\r\nProf3=kept\r\n"));
    // Through the store, for both kinds at once, as a profile's removal writes them.
    if (!test::SettingsInFiles)
        return;
    ASSERT_TRUE(test::writeSettingsFile(SettingsStore::filePath(App), text));
    ASSERT_TRUE(SettingsStore::setMany(
        App, {{"_Program", "Prof3", {}, true}, {"Lab", {}, {}, true}, {"Home", "User", "sam"}}));
    const SettingsSnapshot now(App);
    EXPECT_EQ(now.keys("_Program"), (QStringList{"NumProfs", "Prof1"}));
    EXPECT_EQ(now.keys("Lab"), QStringList());
    EXPECT_EQ(now.get("Home", "User"), "sam");
    EXPECT_EQ(now.get("Home", "Prof3"), "kept");
}
