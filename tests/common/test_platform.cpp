#include "testsupport.h"

#include "helpviewer.h"
#include "hostautomation.h"
#include "hostinterface.h"
#include "paths.h"
#include "registry.h"
#include "settingsstore.h"
#include "textcodec.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QSettings>
#include <QThread>
#include <QUrl>

using namespace qs;
using test::EnvironmentGuard;
using test::makeRecorder;
using test::waitForFile;

// Every character of a value comes back: a host installed under a folder named outside the
// system's code page must still start.
TEST(RegistryKeyTest, NonLatinValuesRoundTrip)
{
    auto key = RegistryKey::create(host::RegistryKeyBase + "Unicode");
    ASSERT_TRUE(key);
    const QString command =
        QString::fromUtf8("C:\\H\xC3\xB4te \xE6\x97\xA5\xE6\x9C\xAC\\qshost.exe");
    const QString name = QString::fromUtf8("Pr\xC3\xBC"
                                           "fung");
    ASSERT_TRUE(key->setString(name, command));
    EXPECT_EQ(key->string(name), command);
    ASSERT_TRUE(key->setString({}, command));
    EXPECT_EQ(key->string({}), command);
}

TEST(RegistryKeyTest, ValuesLandInHiveFile)
{
#ifdef Q_OS_WIN
    // The registry itself: there is no file to look into.
    EXPECT_EQ(RegistryKey::hiveFilePath(), QString());
#else
    EXPECT_EQ(RegistryKey::hiveFilePath(),
              test::testHome() + "/.config/Registry/HKEY_CURRENT_USER.ini");
#endif
    auto key = RegistryKey::create(host::RegistryKeyBase);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->string("Gallery"));
    ASSERT_TRUE(key->setString("Gallery", "C:\\Q\\gallery.exe"));
    ASSERT_TRUE(key->setString({}, "default text"));
    EXPECT_EQ(key->string("Gallery"), "C:\\Q\\gallery.exe");
    EXPECT_EQ(key->string({}), "default text");
    EXPECT_EQ(RegistryKey::create(host::RegistryKeyBase + "Sub")->string({}), std::nullopt);

#ifndef Q_OS_WIN
    QSettings hive(RegistryKey::hiveFilePath(), QSettings::IniFormat);
    const QString group = "Software/Vantrell Software/Quillsite 97/CurrentVersion/";
    EXPECT_EQ(hive.value(group + "Gallery").toString(), "C:\\Q\\gallery.exe");
    EXPECT_EQ(hive.value(group + "Default").toString(), "default text");
#endif

    key->close();
    EXPECT_FALSE(key->setString("Gallery", "later"));
}

TEST(PathsTest, NativePathsAndFileNames)
{
#ifdef Q_OS_WIN
    // Stored paths are Windows paths already.
    EXPECT_EQ(toNativePath("C:\\Q\\help\\QUILL.HLP"), "C:\\Q\\help\\QUILL.HLP");
#else
    EXPECT_EQ(toNativePath("C:\\Q\\help\\QUILL.HLP"), "C:/Q/help/QUILL.HLP");
    // Linux paths, where a backslash may also stand in a name's place.
    EXPECT_EQ(fileNamePart("/opt/q/help/quill.hlp"), "quill.hlp");
    EXPECT_EQ(fileNamePart("/opt/q\\mixed/name.txt"), "name.txt");
#endif
    EXPECT_EQ(fileNamePart("C:\\Q\\help\\QUILL.HLP"), "QUILL.HLP");
    EXPECT_EQ(fileNamePart("plain.txt"), "plain.txt");
    EXPECT_EQ(fileNamePart("C:\\dir\\"), "");
    const QString program = QCoreApplication::applicationFilePath();
    EXPECT_TRUE(QFileInfo::exists(programDirectory() + u'/' + QFileInfo(program).fileName()));
}

TEST(TextCodecTest, Utf8OrWindows1252)
{
    EXPECT_TRUE(isValidUtf8("plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\x80"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));     // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut short

    EXPECT_EQ(decodeText("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(decodeText("\x80 caf\xE9"), QString(QChar(0x20AC)) + " caf" + QChar(0xE9));
    EXPECT_EQ(decodeWindows1252("\x81\x9F\xFF"), QString(QChar(0x81)) + QChar(0x178) + QChar(0xFF));
    EXPECT_EQ(encodeText(u"caf\u00E9"),
              test::SavesUtf8 ? QByteArray("caf\xC3\xA9") : QByteArray("caf\xE9"));
}

// A save names every character it would write as "?", and writes exactly that: "?" once for
// each, never a look-alike, and every other character as itself.
TEST(TextCodecTest, WhatASaveCannotStoreIsNamedAndWrittenAsAQuestionMark)
{
    const QString lone = QStringLiteral("a") + QChar(0xD800) + QStringLiteral("b");
    struct Row
    {
        QString text;
        std::vector<char32_t> unstorable;
        QByteArray saved;
    };
    const std::vector<Row> rows = {
        {u"caf\u00E9 \u20AC"_qs, {}, test::SavesUtf8 ? "caf\xC3\xA9 \xE2\x82\xAC" : "caf\xE9 \x80"},
        {lone + lone, {0xD800}, "a?ba?b"},
#ifdef Q_OS_WIN
        // A Western system's code page: no Japanese, no emoji, no macron (which would otherwise
        // come out as a plain A).
        {u"\u65E5\u672C \u65E5!"_qs, {0x65E5, 0x672C}, "?? ?!"},
        {u"\U0001F600x\u0100"_qs, {0x1F600, 0x100}, "?x?"},
#else
        {u"\u65E5\u672C \U0001F600 \u0100"_qs,
         {},
         "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80 \xC4\x80"},
#endif
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        UnstorableFinder finder;
        finder.scan(row.text);
        finder.scan(row.text); // each named once
        EXPECT_EQ(finder.found(), row.unstorable);
        EXPECT_EQ(encodeText(row.text), row.saved);
        const QString question = unstorableQuestion(finder.found());
        for (const char32_t c : row.unstorable)
            EXPECT_TRUE(question.contains(QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar(u'0')),
                                          Qt::CaseInsensitive))
                << question.toStdString();
    }
    // A long list names the first few and counts the rest.
    std::vector<char32_t> many;
    for (char32_t c = 0xE000; c < 0xE000 + 100; ++c)
        many.push_back(c);
    const QString question = unstorableQuestion(many);
    EXPECT_TRUE(question.contains("U+E000")) << question.toStdString();
    EXPECT_FALSE(question.contains("U+E063")) << question.toStdString();
    EXPECT_TRUE(question.contains("70 more")) << question.toStdString();
}

TEST(HostInterfaceTest, FoldersPresenceAndInstallFolder)
{
    EXPECT_EQ(host::clipartFolder("C:\\Q"), "C:\\Q\\images\\");
    EXPECT_EQ(host::clipartRoot("C:\\Q"), "C:\\Q\\images");
    EXPECT_FALSE(host::isPresent("", host::GalleryHostDefault));
    EXPECT_TRUE(host::isPresent("C:\\Q", host::GalleryHostDefault));
    EXPECT_FALSE(host::isPresent("ERR", host::TemplateHostDefault));
    EXPECT_TRUE(host::isPresent("", host::TemplateHostDefault));

    EXPECT_EQ(host::installFolder(host::TemplateHostDefault), "ERR");
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey,
                                   "C:\\Program Files\\Quillsite"));
    EXPECT_EQ(host::installFolder(host::TemplateHostDefault), "C:\\Program Files\\Quillsite");
}

TEST(HelpViewerTest, StartsViewerFromPathOrExplains)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the stand-in viewer is a shell script; Windows starts the real winhlp32.exe";
#endif
    EnvironmentGuard guard("PATH");
    const QByteArray systemPath = qgetenv("PATH");
    const QString bin = test::testHome() + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin));
    // No viewer anywhere: the desktop handler would be next, but the file is missing.
    qputenv("PATH", bin.toUtf8());

    const QString missing = test::testHome() + "\\help\\MISSING.HLP";
    EXPECT_EQ(launchHelpViewer(missing),
              "The help file " + toNativePath(missing) + " could not be found.");

    const QString args = test::testHome() + "/viewer-args";
    makeRecorder(bin, "winhlp32", args);
    qputenv("PATH", bin.toUtf8() + QDir::listSeparator().toLatin1() + systemPath);
    const QString help = test::testHome() + "\\help\\QUILL.HLP";
    ASSERT_EQ(launchHelpViewer(help), QString());
    EXPECT_EQ(waitForFile(args), (test::testHome() + "/help/QUILL.HLP\n").toUtf8());
}

namespace {
// Stands in for the desktop's browser.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};
} // namespace

TEST(HelpViewerTest, WithoutAViewerTheManualBesideTheHelpFileOpensInTheBrowser)
{
    EnvironmentGuard guard("PATH");
    qputenv("PATH", (test::testHome() + "/bin").toUtf8());
    UrlRecorder browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    const QString manual = test::testHome() + "/help/artkeep.html";
    ASSERT_TRUE(test::writeAll(manual, "<html></html>"));
    EXPECT_EQ(launchHelpViewer(test::testHome() + "\\help\\artkeep.hlp"), QString());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(browser.opened, QList<QUrl>{QUrl::fromLocalFile(manual)});
}

TEST(HostAutomationTest, StartsRegisteredServer)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows reaches the host over COM, not by starting a registered command";
#endif
    // A native path whose file name holds a backslash, as Linux allows.
    const QString templ = test::testHome() + "/templates/Letter\\1997.qst";
    EXPECT_EQ(hostTestTemplate(templ),
              "The Quillsite automation server is not registered on this system.");

    auto key = RegistryKey::create(host::AutomationServerKey);
    ASSERT_TRUE(key);
    const QString missing = "\"" + test::testHome() + "/no such/server\" /Automation";
    ASSERT_TRUE(key->setString({}, missing));
    EXPECT_EQ(hostTestTemplate(templ), "The Quillsite automation server could not be started "
                                       "with the command " +
                                           missing + ": No such file or directory.");

    const QString args = test::testHome() + "/server-args";
    const QString server = makeRecorder(test::testHome() + "/fake server", "qsauto", args);
    ASSERT_TRUE(key->setString({}, "\"" + server + "\" /Automation"));
    ASSERT_EQ(hostTestTemplate(templ), QString());
    EXPECT_EQ(waitForFile(args),
              ("/Automation\n" + test::testHome() + "/templates/Letter\\1997.qst\n").toUtf8());
}

#include "test_platform.moc"

// Messages and titles show a path as the user's system writes it, whichever separator Qt's
// dialogs gave: on Windows every '/' becomes '\'.
TEST(Paths, AShownPathUsesTheSystemsSeparator)
{
#ifdef Q_OS_WIN
    const bool windows = true;
#else
    const bool windows = false;
#endif
    const struct
    {
        QString given;
        QString onWindows;
        QString elsewhere;
    } paths[] = {
        {"C:/Users/Ann/big.htp", "C:\\Users\\Ann\\big.htp", "C:/Users/Ann/big.htp"},
        {"C:\\Quillsite97/images\\summer.gal", "C:\\Quillsite97\\images\\summer.gal",
         "C:\\Quillsite97/images\\summer.gal"},
        {"/home/ann/notes.htp", "\\home\\ann\\notes.htp", "/home/ann/notes.htp"},
    };
    for (const auto &[given, onWindows, elsewhere] : paths)
        EXPECT_EQ(qs::shownPath(given), windows ? onWindows : elsewhere) << given.toStdString();
}
