#include "testsupport.h"

#include "hostinterface.h"
#include "registry.h"
#include "settingsstore.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSettings>

using namespace qs;
using test::EnvironmentGuard;

namespace {

// Another program's same-sized edit, on a file system whose timestamps are too coarse to tell
// it from the previous write: only reading the file afresh notices it.
void editAsAnotherProgram(const QString &file, const QByteArray &from, const QByteArray &to)
{
    const QDateTime stamp = QFileInfo(file).lastModified();
    ASSERT_TRUE(test::writeAll(file, test::readAll(file).replace(from, to)));
    QFile edited(file);
    ASSERT_TRUE(edited.open(QIODevice::ReadWrite));
    ASSERT_TRUE(edited.setFileTime(stamp, QFileDevice::FileModificationTime));
}

} // namespace

TEST(SettingsStoreTest, RoundTripDefaultsAndLocation)
{
    const QString file = test::SettingsInFiles
                             ? test::testHome() + "/.config/VB and VBA Program Settings/App.ini"
                             : "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\App";
    EXPECT_EQ(SettingsStore::filePath("App"), file);
    EXPECT_EQ(SettingsStore::get("App", "General", "Path", "none"), "none");
    EXPECT_FALSE(QFileInfo::exists(file));

    ASSERT_TRUE(SettingsStore::set("App", "General", "Path", "C:\\Program Files\\Q, Inc"));
    EXPECT_EQ(QFileInfo::exists(file), test::SettingsInFiles);
    EXPECT_EQ(SettingsStore::get("App", "General", "Path", "none"), "C:\\Program Files\\Q, Inc");
    EXPECT_EQ(SettingsStore::get("App", "General", "Other", "none"), "none");
    EXPECT_EQ(SettingsStore::get("Elsewhere", "General", "Path"), QString());
    if (!test::SettingsInFiles)
        return;

    // The location follows XDG_CONFIG_HOME at every call.
    EnvironmentGuard guard("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (test::testHome() + "/other").toUtf8());
    EXPECT_EQ(SettingsStore::filePath("App"),
              test::testHome() + "/other/VB and VBA Program Settings/App.ini");
    EXPECT_EQ(SettingsStore::get("App", "General", "Path", "none"), "none");
}

TEST(SettingsStoreTest, BackslashSectionsNestGroups)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    ASSERT_TRUE(
        SettingsStore::set(host::SettingsApp, host::CollabLanSection, host::ServerKey, "lan1"));
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::CollabSection, host::UserIdKey, "me"));
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabLanSection, host::ServerKey),
              "lan1");
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabSection, host::ServerKey, "-"),
              "-");

    const QString file = SettingsStore::filePath(host::SettingsApp);
    EXPECT_TRUE(test::readAll(file).contains("LAN\\Server=lan1"));
    QSettings ini(file, QSettings::IniFormat);
    EXPECT_EQ(ini.childGroups(), QStringList{"Tandem!Pad"});
    ini.beginGroup("Tandem!Pad");
    EXPECT_EQ(ini.childGroups(), QStringList{"LAN"});
    EXPECT_EQ(ini.childKeys(), QStringList{"UserID"});
}

TEST(SettingsStoreTest, ReadsSeeOutsideWrites)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    const QString file = SettingsStore::filePath("App");
    const auto outsideEdit = [&](const QByteArray &from, const QByteArray &to) {
        editAsAnotherProgram(file, from, to);
    };
    for (int i = 0; i < 3; ++i) {
        const QByteArray before = "v" + QByteArray::number(i);
        const QByteArray after = "w" + QByteArray::number(i);
        ASSERT_TRUE(SettingsStore::set("App", "Sec", "Key", before));
        ASSERT_EQ(SettingsStore::get("App", "Sec", "Key"), before);
        outsideEdit(before, after);
        ASSERT_EQ(SettingsStore::get("App", "Sec", "Key"), after) << "round " << i;
    }
    // A write keeps what another program changed meanwhile.
    ASSERT_TRUE(SettingsStore::set("App", "Sec", "Old", "y"));
    ASSERT_EQ(SettingsStore::get("App", "Sec", "Old"), "y");
    outsideEdit("Old=y", "New=y");
    ASSERT_TRUE(SettingsStore::set("App", "Sec", "Mine", "z"));
    EXPECT_EQ(SettingsStore::get("App", "Sec", "New"), "y");
    EXPECT_EQ(SettingsStore::get("App", "Sec", "Old", "gone"), "gone");
    EXPECT_EQ(SettingsStore::get("App", "Sec", "Mine"), "z");
}

TEST(SettingsStoreTest, UnwritableStoreFails)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    // A plain file where the settings folder should go.
    ASSERT_TRUE(test::writeAll(test::testHome() + "/blocked", "x"));
    EnvironmentGuard guard("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", (test::testHome() + "/blocked").toUtf8());
    EXPECT_FALSE(SettingsStore::set("App", "Sec", "Key", "v"));
    EXPECT_FALSE(SettingsStore::setMany("App", {{"Sec", "Key", "v"}, {"Sec", "Other", "w"}}));
    EXPECT_EQ(SettingsStore::get("App", "Sec", "Key", "d"), "d");
    EXPECT_EQ(SettingsSnapshot("App").get("Sec", "Other", "d"), "d");
    auto key = RegistryKey::create("Software\\X");
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->setString("V", "v"));
}

TEST(SettingsStoreTest, SetManyWritesInOrderAsOneChange)
{
    const QString file = SettingsStore::filePath("App");
    ASSERT_TRUE(SettingsStore::set("App", "Sec", "Kept", "k"));
    ASSERT_TRUE(SettingsStore::setMany("App", {
                                                  {"Sec", "Key", "first"},
                                                  {"Sec\\Sub", "Key", "below"},
                                                  {"Other", "Key", "o"},
                                                  {"Sec", "Key", "second"},
                                              }));
    EXPECT_EQ(SettingsStore::get("App", "Sec", "Key"), "second");
    EXPECT_EQ(SettingsStore::get("App", "Sec\\Sub", "Key"), "below");
    EXPECT_EQ(SettingsStore::get("App", "Other", "Key"), "o");
    EXPECT_EQ(SettingsStore::get("App", "Sec", "Kept"), "k");
    EXPECT_EQ(test::readAll(file).count("first"), 0);
    EXPECT_FALSE(QFileInfo::exists(file + ".lock"));

    // Nothing to write leaves the store alone.
    ASSERT_TRUE(SettingsStore::setMany("Untouched", {}));
    EXPECT_FALSE(QFileInfo::exists(SettingsStore::filePath("Untouched")));
}

TEST(SettingsSnapshotTest, ReadsOnceAndANewOneSeesOutsideWrites)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    const QString file = SettingsStore::filePath("App");
    EXPECT_EQ(SettingsSnapshot("App").get("Sec", "Key", "none"), "none");
    ASSERT_TRUE(SettingsStore::setMany("App", {{"Sec", "Key", "v1"}, {"Sec\\Sub", "Key", "s1"}}));

    const SettingsSnapshot first("App");
    EXPECT_EQ(first.get("Sec", "Key"), "v1");
    EXPECT_EQ(first.get("Sec\\Sub", "Key"), "s1");
    EXPECT_EQ(first.get("Sec", "Sub", "none"), "none");
    EXPECT_EQ(first.get("Sub", "Key", "none"), "none");

    editAsAnotherProgram(file, "v1", "v2");
    EXPECT_EQ(first.get("Sec", "Key"), "v1");
    const SettingsSnapshot second("App");
    EXPECT_EQ(second.get("Sec", "Key"), "v2");
    EXPECT_EQ(second.get("Sec\\Sub", "Key"), "s1");

    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(second.get("Sec", "Key"), "v2");
    EXPECT_EQ(SettingsSnapshot("App").get("Sec", "Key", "gone"), "gone");
}

// QSettings writes the group "General" as [%General]; people write [General].
TEST(SettingsStoreTest, HandWrittenGeneralSectionIsRead)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    const QString file = SettingsStore::filePath(host::SettingsApp);
    ASSERT_TRUE(test::writeAll(file, test::crlf({"[General]", "QuillsitePath=D:/Quill",
                                                 "Sub\\Key=nested", "[Other]", "Key=o"})));
    EXPECT_EQ(host::installFolder(host::GalleryHostDefault), "D:/Quill");
    const SettingsSnapshot snapshot(host::SettingsApp);
    EXPECT_EQ(snapshot.get("General", "QuillsitePath"), "D:/Quill");
    EXPECT_EQ(snapshot.get("General\\Sub", "Key"), "nested");
    EXPECT_EQ(snapshot.get("General", "Missing", "d"), "d");
    EXPECT_EQ(snapshot.get("GeneralSub", "Key", "d"), "d");
    EXPECT_EQ(snapshot.get("Other", "QuillsitePath", "d"), "d");

    // The section the store writes wins over the hand-written one, and both survive a write.
    ASSERT_TRUE(SettingsStore::set(host::SettingsApp, host::GeneralSection, host::InstallFolderKey,
                                   "E:/Quill"));
    EXPECT_EQ(host::installFolder(host::GalleryHostDefault), "E:/Quill");
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, "General\\Sub", "Key"), "nested");

    ASSERT_TRUE(test::writeAll(file, "[general]\nQuillsitePath=F:/Quill\n"));
    EXPECT_EQ(host::installFolder(host::GalleryHostDefault), "F:/Quill");
}

TEST(SettingsStoreTest, HandWrittenBackslashesReadAsWritten)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    const QString app = host::SettingsApp;
    const QString file = SettingsStore::filePath(app);
    ASSERT_TRUE(test::writeAll(file, test::crlf({
                                         "[General]",
                                         "QuillsitePath=C:\\Host",
                                         "[Tandem!Pad]",
                                         "UserID=C:\\Host\\",
                                         "Email=e",
                                         "LAN\\Server=\\\\srv\\share",
                                         "Doubled=C:\\\\Program Files\\\\Q",
                                         "Escaped=a\\tb",
                                     })));
    const auto expectValues = [&] {
        const SettingsSnapshot s(app);
        EXPECT_EQ(s.get("General", "QuillsitePath"), "C:\\Host");
        EXPECT_EQ(s.get("Tandem!Pad", "UserID"), "C:\\Host\\");
        EXPECT_EQ(s.get("Tandem!Pad\\LAN", "Server"), "\\\\srv\\share");
        EXPECT_EQ(s.get("Tandem!Pad", "Doubled"), "C:\\Program Files\\Q");
        // Made only of escapes QSettings writes, so read as QSettings reads it.
        EXPECT_EQ(s.get("Tandem!Pad", "Escaped"), "a\tb");
    };
    expectValues();

    // A write of another key keeps them as they were written.
    const QByteArray before = test::readAll(file);
    ASSERT_TRUE(SettingsStore::set(app, "Tandem!Pad", "Email", "f"));
    expectValues();
    EXPECT_EQ(test::readAll(file), QByteArray(before).replace("Email=e", "Email=f"));

    // The registry file is read the same way.
    ASSERT_TRUE(test::writeAll(RegistryKey::hiveFilePath(), "[Software]\nPath=C:\\Host\n"));
    EXPECT_EQ(RegistryKey::create("Software")->string("Path"), "C:\\Host");
}

TEST(SettingsStoreTest, AnyTextRoundTrips)
{
    const QStringList values = {
        "C:\\new\\temp\\",
        "\\\\srv\\share",
        "a\\b\"c\td\ne\rf",
        " lead and trail ",
        "x,y;z=w",
        "@at",
        "@@",
        QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"),
        "",
        "\x01"
        "b",
        "\\x41\\0\\",
        "\"quoted\"",
    };
    QList<SettingsWrite> writes;
    for (qsizetype i = 0; i < values.size(); ++i)
        writes.append({"Sec", "K" + QString::number(i), values[i]});
    ASSERT_TRUE(SettingsStore::setMany("App", writes));
    const SettingsSnapshot snapshot("App");
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(snapshot.get("Sec", "K" + QString::number(i), "missing"), values[i]) << i;
}

// The example in the README, byte for byte as the store writes it.
TEST(SettingsStoreTest, ReadmeExampleRoundTrips)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    const QByteArray example = "[%General]\n"
                               "QuillsitePath=C:\\\\Program Files\\\\Quillsite\n"
                               "\n"
                               "[Tandem%21Pad]\n"
                               "Email=ann@example.com\n"
                               "LAN\\Server=\\\\\\\\fileserver\\\\tandem\n"
                               "UserID=Ann Lee\n";
    const QString file = SettingsStore::filePath(host::SettingsApp);
    ASSERT_TRUE(test::writeAll(file, example));
    EXPECT_EQ(host::installFolder(host::GalleryHostDefault), "C:\\Program Files\\Quillsite");
    const SettingsSnapshot s(host::SettingsApp);
    EXPECT_EQ(s.get(host::CollabSection, host::UserIdKey), "Ann Lee");
    EXPECT_EQ(s.get(host::CollabSection, host::EmailKey), "ann@example.com");
    EXPECT_EQ(s.get(host::CollabLanSection, host::ServerKey), "\\\\fileserver\\tandem");

    // A tool's next write leaves the file as it was, and an empty store becomes this file when
    // the keys are written in its order.
    ASSERT_TRUE(
        SettingsStore::set(host::SettingsApp, host::CollabSection, host::UserIdKey, "Ann Lee"));
    EXPECT_EQ(test::readAll(file), example);
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(SettingsStore::setMany(
        host::SettingsApp,
        {{host::GeneralSection, host::InstallFolderKey, "C:\\Program Files\\Quillsite"},
         {host::CollabSection, host::EmailKey, "ann@example.com"},
         {host::CollabLanSection, host::ServerKey, "\\\\fileserver\\tandem"},
         {host::CollabSection, host::UserIdKey, "Ann Lee"}}));
    EXPECT_EQ(test::readAll(file), example);
}
