#include "faultinjection.h"
#include "profilestestsupport.h"

#include "profilecommands.h"

#include <QDir>

using namespace qs;
using namespace qs::profiles;
using namespace qs::test;

namespace {

// The chooser over a store with two profiles and the host's settings, all on disk.
struct StockedWindow : GappedStore
{
    ChooserWindow w;
};

// The message a failed write shows: the files, each with a reason.
void expectFailureNames(const DialogRecord &shown, const QStringList &files)
{
    EXPECT_EQ(shown.kind, DialogKind::Message);
    EXPECT_TRUE(shown.text.startsWith("The settings could not be saved."))
        << shown.text.toStdString();
    for (const QString &file : files)
        EXPECT_TRUE(shown.text.contains("File: " + file + "\r\nReason: ")) << file.toStdString();
    EXPECT_EQ(shown.text.count("File: "), files.size());
    EXPECT_EQ(shown.icon, mb::Critical);
}

} // namespace

TEST(ChooserFaults, ASaveThatCannotBeWrittenIsReportedAndChangesNothing)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    StockedWindow s;
    const QByteArray store = readAll(profileStoreFile());
    // A folder where the store's working copy would go in: the replace cannot happen.
    ASSERT_TRUE(QDir().mkpath(profileStoreFile() + ".lock"));
    s.w.setFields("Work", "w", "w@example.com", "/srv/work");
    s.w.dialogs->answerMessage(mb::Ok);
    s.w.click("cmdUpdate");
    ASSERT_EQ(s.w.dialogs->shown().size(), 1u);
    expectFailureNames(s.w.dialogs->shown()[0], {profileStoreFile()});
    EXPECT_EQ(readAll(profileStoreFile()), store);
    EXPECT_EQ(s.w.entries(), (QStringList{"Current", "Home", "Lab"}));
    // What was typed is still there.
    EXPECT_EQ(s.w.fields(), "Work|w|w@example.com|/srv/work");

    // Once the obstacle is gone the same window saves it without retyping.
    ASSERT_TRUE(QDir(profileStoreFile() + ".lock").removeRecursively());
    s.w.click("cmdUpdate");
    EXPECT_EQ(s.w.entries(), (QStringList{"Current", "Home", "Lab", "Work"}));
}

TEST(ChooserFaults, ApplyNamesEachFileItCouldNotWrite)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    StockedWindow s;
    const QByteArray host = readAll(hostStoreFile());
    ASSERT_TRUE(QDir().mkpath(hiveFile()));
    ASSERT_TRUE(QDir().mkpath(hostStoreFile() + ".lock"));
    s.w.pick(1);
    s.w.dialogs->answerMessage(mb::Yes).answerMessage(mb::Ok);
    s.w.click("cmdApply");
    ASSERT_EQ(s.w.dialogs->shown().size(), 2u);
    // Three settings, two places each, all failing: each file named once.
    expectFailureNames(s.w.dialogs->shown()[1], {hiveFile(), hostStoreFile()});
    EXPECT_EQ(readAll(hostStoreFile()), host);
    EXPECT_TRUE(QFileInfo(hiveFile()).isDir());
    // Nothing was rebuilt: the picked profile is still shown, to be applied again.
    EXPECT_EQ(s.w.fields(), "Home|pat|pat@home.example|/srv/home");
    EXPECT_EQ(s.w.entries(), (QStringList{"Current", "Home", "Lab"}));
}

TEST(ChooserFaults, ApplyOnAFullDiskKeepsTheHostSettings)
{
    QS_SKIP_WITHOUT_CHILD_FAULTS();
    StockedWindow s;
    ASSERT_TRUE(
        RegistryKey::create(host::RegistryKeyBase + "Tandem!Pad")->setString("UserID", "x"));
    const QByteArray host = readAll(hostStoreFile());
    const QByteArray hive = readAll(hiveFile());
    const QString longServer(4096, u's');
    const auto answer = inChild([&]() -> QByteArray {
        if (!limitFileSize(static_cast<rlim_t>(std::max(host.size(), hive.size()) + 64)))
            return "unprepared";
        return failureMessage(applyHostSettings({"Lab", "lab.user", "lab@example.com", longServer}))
            .toUtf8();
    });
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->contains(("File: " + hiveFile()).toUtf8())) << answer->data();
    EXPECT_TRUE(answer->contains(("File: " + hostStoreFile()).toUtf8())) << answer->data();
    // Each file holds all it held before; the short values may have gone in, the long one not.
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabLanSection, host::ServerKey),
              "/srv/host");
    EXPECT_FALSE(readAll(hiveFile()).contains("sss"));
    EXPECT_TRUE(readAll(hostStoreFile()).startsWith("[Tandem%21Pad]"));
    EXPECT_EQ(failureMessage({}), "The settings could not be saved.");
}

TEST(ChooserFaults, ANewProfileThatCannotBeSavedStaysInTheFields)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    StockedWindow s;
    // Unlike a read-only file, this stops a program run as root too.
    ASSERT_TRUE(QDir().mkpath(profileStoreFile() + ".lock"));
    s.w.click("cmdNew");
    s.w.setFields("Away", "a", "a@example.com", "/srv/away");
    s.w.dialogs->answerMessage(mb::Ok);
    s.w.click("cmdUpdate");
    ASSERT_EQ(s.w.dialogs->shown().size(), 1u);
    expectFailureNames(s.w.dialogs->shown()[0], {profileStoreFile()});
    EXPECT_EQ(s.w.fields(), "Away|a|a@example.com|/srv/away");
    // The blank entry New made is still the one picked.
    EXPECT_EQ(s.w.entries(), (QStringList{"", "Current", "Home", "Lab"}));
    EXPECT_EQ(s.w.combo()->currentIndex(), 0);
    EXPECT_TRUE(s.w.button("cmdUpdate")->isEnabled());
}

TEST(ChooserFaults, AStoreThatCannotBeReadIsReportedNeverShownAsEmpty)
{
    QS_SKIP_WITHOUT_SETTINGS_FILES();
    StockedWindow s;
    // The store exists but holds no text to read: a folder in its place.
    ASSERT_TRUE(QFile::remove(profileStoreFile()));
    ASSERT_TRUE(QDir().mkpath(profileStoreFile()));
    s.w.dialogs->answerMessage(mb::Yes).answerMessage(mb::Ok);
    s.w.click("cmdApply");
    ASSERT_EQ(s.w.dialogs->shown().size(), 2u);
    const DialogRecord &shown = s.w.dialogs->shown()[1];
    EXPECT_TRUE(shown.text.startsWith("The settings could not be read."))
        << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains("File: " + profileStoreFile() + "\r\nReason: "));
    EXPECT_EQ(shown.icon, mb::Critical);
    // The list is as it was, not emptied as if every profile were gone.
    EXPECT_EQ(s.w.entries(), (QStringList{"Current", "Home", "Lab"}));
}

TEST(ChooserFaults, AValueLongerThanATextBoxDefaultIsSavedBackWhole)
{
    const QString longServer = "/srv/" + QString(100'000, u'x');
    setHostSettings("host.user", "host@example.com", "/srv/host");
    ASSERT_TRUE(saveProfile({"Long", "u", "e", longServer}));
    ChooserWindow w;
    w.pick(1);
    EXPECT_EQ(w.edit("txtServer")->text(), longServer);
    w.setFields("Long", "u2", "e", w.edit("txtServer")->text());
    w.click("cmdUpdate");
    EXPECT_EQ(SettingsStore::get(StoreApp, "Long", "Server"), longServer);
    EXPECT_EQ(SettingsStore::get(StoreApp, "Long", "User"), "u2");
}
