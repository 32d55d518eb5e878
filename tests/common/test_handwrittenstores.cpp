// Store files as people and other programs leave them: in Windows' ANSI code page, with a
// byte-order mark, with lines that are no setting. A write keeps every value it does not change.
#include "testsupport.h"

#include "hostinterface.h"
#include "inifilestore.h"
#include "registry.h"
#include "settingsstore.h"
#include "textcodec.h"

#include <QRandomGenerator>

using namespace qs;

namespace {

const QString App = QStringLiteral("HandWritten");

QString storeFile()
{
    return SettingsStore::filePath(App);
}

// Every (section/key, value) the store reads from the file, sections found by their headers.
QMap<QString, QString> readable(const QStringList &sectionsAndKeys)
{
    QMap<QString, QString> out;
    const SettingsSnapshot store(App);
    for (const QString &path : sectionsAndKeys) {
        const QString value = store.get(path.section(u'/', 0, 0), path.section(u'/', 1), "<none>");
        if (value != QLatin1String("<none>"))
            out.insert(path, value);
    }
    return out;
}

} // namespace

TEST(HandWrittenStore, Windows1252TextKeepsEveryCharacterThroughAnUnrelatedWrite)
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
    ASSERT_TRUE(
        SettingsStore::set(host::SettingsApp, host::CollabLanSection, host::ServerKey, "/srv"));
    expectKept();
    EXPECT_TRUE(isValidUtf8(test::readAll(file)));
    // A UTF-8 file is never read as Windows-1252.
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::CollabSection, host::UserIdKey,
                                   QString::fromUtf8("Ünal")));
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabSection, host::UserIdKey),
              QString::fromUtf8("Ünal"));
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabSection, host::EmailKey),
              QString::fromUtf8("jü@café.example"));
}

TEST(HandWrittenStore, LinesThatAreNoSettingNeverBlockASave)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    const QStringList keys{"Sec/Before", "Sec/After",  "Sec/Eq",    "Sec/Quoted",
                           "Sec/Semi",   "Other/Kept", "Other/Last"};
    for (const char *odd : {"\xEF\xBB\xBF", "just words\n", "[Unclosed\n", "escaped\\=sign\n",
                            "\"a=b\" in quotes\n", "word;then=x\n", "   \t\n"}) {
        SCOPED_TRACE(odd);
        QByteArray text = "[Sec]\r\nBefore=1\r\n";
        text += odd;
        text += "After=2\r\nEq=a=b\r\nQuoted=\"x;y\"\r\nSemi=v ; c\r\n[Other]\nKept=3\n";
        text += odd;
        text += "Last=4";
        if (QByteArrayView(odd).startsWith("\xEF"))
            text.prepend(odd);
        ASSERT_TRUE(test::writeAll(storeFile(), text));
        const QMap<QString, QString> before = readable(keys);
        EXPECT_EQ(before.value("Sec/Before"), "1");
        EXPECT_EQ(before.value("Sec/After"), "2");
        EXPECT_EQ(before.value("Other/Last"), "4");

        StoreFailure failure;
        EXPECT_TRUE(SettingsStore::set(App, "New", "Key", "v", &failure))
            << failure.reason.toStdString();
        EXPECT_EQ(readable(keys), before);
        EXPECT_EQ(SettingsStore::get(App, "New", "Key"), "v");
    }
}

TEST(HandWrittenStore, AFileQSettingsCannotReadIsRefusedNamingTheLine)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // Line 3 quotes its only '=' away once its stray backslashes are kept literal, and the ';'
    // then ends it: such a rare line is not dropped silently but named.
    const QByteArray text = "[Sec]\r\nA=1\r\n\" =\\[b\"\\;=\r\nB=2\r\n";
    ASSERT_TRUE(test::writeAll(storeFile(), text));
    StoreFailure failure;
    EXPECT_FALSE(SettingsStore::set(App, "New", "Key", "v", &failure));
    EXPECT_EQ(failure.file, storeFile());
    EXPECT_EQ(failure.reason,
              "line 3 of the file cannot be read as a section header or a key=value pair.");
    EXPECT_EQ(test::readAll(storeFile()), text);
    EXPECT_EQ(SettingsStore::get(App, "Sec", "B"), "2");
}

TEST(HandWrittenStore, RandomHandWrittenLinesKeepEveryReadableValueThroughAWrite)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // Lines made of the characters that matter to the format; any file must either take the
    // write and keep every value read before, or be refused with the line that is in the way.
    QRandomGenerator random(20261209);
    const char alphabet[] = "ab=[];\"\\ \t\r\n\xE9";
    for (int round = 0; round < 300; ++round) {
        QByteArray text = "[S]\n";
        const int length = random.bounded(1, 80);
        for (int i = 0; i < length; ++i)
            text += alphabet[random.bounded(int(sizeof alphabet) - 1)];
        ASSERT_TRUE(test::writeAll(storeFile(), text));
        const detail::IniFile before(storeFile());
        QMap<QString, QString> values;
        for (const QString &key : before.childKeys("S"))
            values.insert(key, before.value("S/" + key).value_or("<none>"));

        StoreFailure failure;
        if (!SettingsStore::set(App, "zz", "added", "v", &failure)) {
            EXPECT_TRUE(failure.reason.startsWith("line ")) << failure.reason.toStdString();
            EXPECT_EQ(test::readAll(storeFile()), text);
            continue;
        }
        const detail::IniFile after(storeFile());
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            EXPECT_EQ(after.value("S/" + it.key()).value_or("<none>"), it.value())
                << text.toStdString();
    }
}

TEST(HandWrittenStore, AZeroWidthNoBreakSpaceInAValueSurvivesWrites)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // U+FEFF, which QSettings takes for a byte-order mark where a run of text starts.
    const QString mark(QChar(0xFEFF));
    const QStringList values{mark + "lead", QString(QChar(0x0F)) + mark, mark + "a1", "mid" + mark};
    for (int i = 0; i < values.size(); ++i)
        ASSERT_TRUE(SettingsStore::set(App, "Sec", QStringLiteral("K%1").arg(i), values[i]));
    ASSERT_TRUE(SettingsStore::set(App, "Other", "Key", "v"));
    for (int i = 0; i < values.size(); ++i)
        EXPECT_EQ(SettingsStore::get(App, "Sec", QStringLiteral("K%1").arg(i)), values[i]) << i;
    // Hand-written, with the mark as UTF-8 at the start of a value.
    ASSERT_TRUE(test::writeAll(storeFile(), "[Sec]\nK=\xEF\xBB\xBFx\n"));
    EXPECT_EQ(SettingsStore::get(App, "Sec", "K"), mark + "x");
    ASSERT_TRUE(SettingsStore::set(App, "Other", "Key", "w"));
    EXPECT_EQ(SettingsStore::get(App, "Sec", "K"), mark + "x");
}
