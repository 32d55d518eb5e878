#include "profilestestsupport.h"

#include "captiontestsupport.h"

#include "captionfit.h"
#include "paths.h"
#include "profilecommands.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

using namespace qs;
using namespace qs::profiles;
using namespace qs::test;

namespace {

struct GappedWindow : GappedStore, ChooserWindow
{
};

void expectConfirmation(const DialogRecord &shown)
{
    EXPECT_EQ(shown.kind, DialogKind::Message);
    EXPECT_EQ(shown.text, "This will update the current settings as used by Quillsite.  Are you "
                          "sure you want to do this?");
    EXPECT_EQ(shown.caption, "Update");
    EXPECT_EQ(shown.buttons, mb::YesNo);
    EXPECT_EQ(shown.icon, 0);
}

} // namespace

TEST(ChooserWindow, ControlsTextsAndPlaces)
{
    ChooserWindow w;
    EXPECT_EQ(w.window->windowTitle(), "Tandem!Pad for LANs Pickwell");
    EXPECT_TRUE(w.window->windowFlags() & Qt::FramelessWindowHint);
    // The places of an 8-point font, grown with the desktop's.
    const DialogUnits units = DialogUnits::of(w.window.get());
    EXPECT_EQ(w.window->size(), units.size(QSize(310, 266)));
    EXPECT_EQ(w.window->minimumSize(), w.window->maximumSize());

    const std::tuple<const char *, QRect> places[] = {
        {"Combo1", {3, 75, 232, 21}},       {"cmdApply", {237, 75, 67, 19}},
        {"Frame1", {3, 102, 301, 154}},     {"txtName", {90, 18, 199, 22}},
        {"txtUserName", {90, 45, 199, 22}}, {"txtEmail", {90, 72, 199, 22}},
        {"txtServer", {90, 99, 199, 22}},   {"cmdNew", {126, 126, 76, 22}},
        {"cmdUpdate", {210, 126, 76, 22}},  {"Label2", {9, 21, 37, 16}},
        {"Label5", {9, 102, 70, 16}}};
    for (const auto &[name, place] : places)
        EXPECT_EQ(w.find<QWidget>(name)->geometry(), units.rect(place)) << name;

    EXPECT_EQ(w.button("cmdApply")->text(), "&Apply");
    EXPECT_EQ(w.button("cmdNew")->text(), "&New");
    EXPECT_EQ(w.button("cmdUpdate")->text(), "&Update");
    EXPECT_EQ(w.find<QGroupBox>("Frame1")->title(), "Profile Properties");
    const std::pair<const char *, const char *> labels[] = {{"Label2", "Name:"},
                                                            {"Label3", "User Name:"},
                                                            {"Label4", "Email Address:"},
                                                            {"Label5", "Server Path:"}};
    for (const auto &[name, text] : labels)
        EXPECT_EQ(w.find<QLabel>(name)->text(), text);
    // The text box labels sit inside the frame.
    EXPECT_EQ(w.find<QLabel>("Label2")->parentWidget(), w.find<QGroupBox>("Frame1"));

    QLabel *instructions = nullptr;
    for (QLabel *l : w.window->findChildren<QLabel *>("Label1"))
        if (l->property("index").toInt() == 0)
            instructions = l;
    ASSERT_NE(instructions, nullptr);
    EXPECT_EQ(instructions->text(),
              "Please choose a profile from the list, and click Apply to make the necessary "
              "changes.  Note:  Close all connected windows and the chat window before changing "
              "profiles.");
    EXPECT_EQ(instructions->geometry(), units.rect(QRect(3, 24, 301, 43)));

    EXPECT_FALSE(w.combo()->isEditable());
    // The rows behind the list are data, not a hidden control.
    EXPECT_EQ(w.window->findChild<QWidget *>("ListView1"), nullptr);
    for (const char *b : {"cmdApply", "cmdNew", "cmdUpdate"})
        EXPECT_TRUE(w.button(b)->isEnabled()) << b;
    EXPECT_TRUE(w.button("cmdApply")->isDefault());
}

TEST(ChooserWindow, EveryControlHasAnAccessibleName)
{
    ChooserWindow w;
    for (QWidget *child : w.window->findChildren<QWidget *>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith("qt_"))
            continue;
        EXPECT_FALSE(child->accessibleName().isEmpty()) << child->objectName().toStdString();
    }
    EXPECT_EQ(w.button("cmdApply")->accessibleName(), "Apply");
    EXPECT_EQ(w.edit("txtServer")->accessibleName(), "Server Path");
}

TEST(ChooserWindow, FirstRunShowsOnlyCurrentAndSelectsNothing)
{
    ChooserWindow w;
    EXPECT_EQ(w.entries(), QStringList{"Current"});
    EXPECT_EQ(w.combo()->currentIndex(), -1);
    EXPECT_EQ(w.fields(), "|||");
    EXPECT_EQ(w.rows(), QStringList{"Current|||" + programDirectory()});
    // Update stays as it was made: enabled, although the fields are empty.
    EXPECT_TRUE(w.button("cmdUpdate")->isEnabled());
    w.dialogs->answerMessage(mb::Ok);
    w.click("cmdUpdate");
    EXPECT_EQ(w.dialogs->messages(), QStringList{"One or more required fields is missing."});
    EXPECT_EQ(w.dialogs->shown()[0].caption, "Tandem!Pad Pickwell");
    EXPECT_EQ(w.dialogs->shown()[0].buttons, mb::OkOnly);
    EXPECT_FALSE(QFile::exists(profileStoreFile()));

    // Picking "Current" by hand shows the host's settings.
    w.pick(0);
    EXPECT_EQ(w.fields(), "Current|||" + programDirectory());
}

TEST(ChooserWindow, ListFollowsSlotsAndPickingFillsTheFields)
{
    GappedWindow w;
    EXPECT_EQ(w.entries(), (QStringList{"Current", "Home", "Lab"}));
    EXPECT_EQ(w.rows(), (QStringList{"Current|host.user|host@example.com|/srv/host",
                                     "Home|pat|pat@home.example|/srv/home",
                                     "Lab|lab.user|lab@example.com|/srv/lab"}));
    EXPECT_EQ(w.combo()->currentIndex(), 0);
    EXPECT_EQ(w.fields(), "Current|host.user|host@example.com|/srv/host");
    w.pick(2);
    EXPECT_EQ(w.fields(), "Lab|lab.user|lab@example.com|/srv/lab");
    // Picking the same entry again puts back what was typed over.
    w.edit("txtUserName")->setText("typed");
    w.pick(2);
    EXPECT_EQ(w.fields(), "Lab|lab.user|lab@example.com|/srv/lab");
}

TEST(ChooserWindow, RowsMatchTheirNamesExactly)
{
    setHostSettings("host.user", "host@example.com", "/srv/host");
    ASSERT_TRUE(saveProfile({"current", "lower", "lower@example.com", "/srv/lower"}));
    ChooserWindow w;
    EXPECT_EQ(w.entries(), (QStringList{"Current", "current"}));
    w.pick(1);
    EXPECT_EQ(w.fields(), "current|lower|lower@example.com|/srv/lower");
    w.pick(0);
    EXPECT_EQ(w.fields(), "Current|host.user|host@example.com|/srv/host");
}

TEST(ChooserWindow, NewEmptiesTheFieldsAndUpdateWaitsForAllFour)
{
    GappedWindow w;
    w.click("cmdNew");
    EXPECT_EQ(w.entries(), (QStringList{"", "Current", "Home", "Lab"}));
    EXPECT_EQ(w.combo()->currentIndex(), 0);
    EXPECT_EQ(w.fields(), "|||");
    EXPECT_FALSE(w.button("cmdUpdate")->isEnabled());
    EXPECT_EQ(w.window->focusWidget(), w.edit("txtName"));

    QTest::keyClicks(w.edit("txtName"), "Work_1");
    QTest::keyClicks(w.edit("txtUserName"), "worker");
    QTest::keyClicks(w.edit("txtEmail"), "w@example.com");
    EXPECT_FALSE(w.button("cmdUpdate")->isEnabled());
    QTest::keyClicks(w.edit("txtServer"), " ");
    EXPECT_TRUE(w.button("cmdUpdate")->isEnabled());
    QTest::keyClick(w.edit("txtServer"), Qt::Key_Backspace);
    EXPECT_FALSE(w.button("cmdUpdate")->isEnabled());
    QTest::keyClicks(w.edit("txtServer"), "/srv/work");

    // Saved in the next slot; the rebuild drops the blank entry and shows Current again.
    w.click("cmdUpdate");
    EXPECT_TRUE(w.dialogs->shown().empty());
    EXPECT_EQ(w.entries(), (QStringList{"Current", "Home", "Lab", "Work_1"}));
    EXPECT_EQ(w.fields(), "Current|host.user|host@example.com|/srv/host");
    const SettingsSnapshot store(StoreApp);
    EXPECT_EQ(store.get(ProgramSection, NumProfsKey), "4");
    EXPECT_EQ(store.get(ProgramSection, "Prof4"), "Work_1");
    EXPECT_EQ(store.get("Work_1", "Server"), "/srv/work");
}

TEST(ChooserWindow, UpdateRefusesANameStartingWithAnUnderscoreOnly)
{
    ChooserWindow w;
    w.setFields("_Work", "u", "e", "s");
    w.dialogs->answerMessage(mb::Ok);
    w.click("cmdUpdate");
    ASSERT_EQ(w.dialogs->shown().size(), 1u);
    EXPECT_EQ(w.dialogs->shown()[0].text,
              "The underscore character is not allowed as the first character of a name.");
    EXPECT_EQ(w.dialogs->shown()[0].caption, "Tandem!Pad Pickwell");
    EXPECT_EQ(w.dialogs->shown()[0].buttons, mb::OkOnly);
    EXPECT_EQ(w.dialogs->shown()[0].icon, 0);
    EXPECT_FALSE(QFile::exists(profileStoreFile()));
    EXPECT_FALSE(QFile::exists(hostStoreFile()));
    EXPECT_FALSE(QFile::exists(hiveFile()));

    // An underscore further on is fine.
    w.setFields("Work_1", "u", "e", "s");
    w.click("cmdUpdate");
    EXPECT_EQ(w.dialogs->shown().size(), 1u);
    EXPECT_EQ(w.entries(), (QStringList{"Current", "Work_1"}));
}

TEST(ChooserWindow, RenamingAPickedProfileSavesASecondOne)
{
    GappedWindow w;
    w.pick(1);
    w.edit("txtName")->setText("Home 2");
    w.click("cmdUpdate");
    EXPECT_EQ(w.entries(), (QStringList{"Current", "Home", "Lab", "Home 2"}));
    w.pick(3);
    EXPECT_EQ(w.fields(), "Home 2|pat|pat@home.example|/srv/home");
    w.pick(1);
    EXPECT_EQ(w.fields(), "Home|pat|pat@home.example|/srv/home");

    // Changing a profile's values keeps its place.
    w.edit("txtEmail")->setText("new@home.example");
    w.click("cmdUpdate");
    EXPECT_EQ(w.entries(), (QStringList{"Current", "Home", "Lab", "Home 2"}));
    EXPECT_EQ(SettingsStore::get(StoreApp, "Home", "Email"), "new@home.example");
    EXPECT_EQ(SettingsStore::get(StoreApp, ProgramSection, NumProfsKey), "4");
}

TEST(ChooserWindow, UpdatingCurrentAsksFirst)
{
    GappedWindow w;
    const QByteArray host = readAll(hostStoreFile());
    w.setFields("Current", "new.user", "new@example.com", "/srv/new");
    w.dialogs->answerMessage(mb::No);
    w.click("cmdUpdate");
    ASSERT_EQ(w.dialogs->shown().size(), 1u);
    expectConfirmation(w.dialogs->shown()[0]);
    EXPECT_EQ(readAll(hostStoreFile()), host);
    EXPECT_FALSE(QFile::exists(hiveFile()));
    // No rebuild: the fields keep the typed values.
    EXPECT_EQ(w.fields(), "Current|new.user|new@example.com|/srv/new");

    w.dialogs->answerMessage(mb::Yes);
    w.click("cmdUpdate");
    EXPECT_EQ(w.rows()[0], "Current|new.user|new@example.com|/srv/new");
    EXPECT_EQ(w.fields(), "Current|new.user|new@example.com|/srv/new");
    EXPECT_EQ(RegistryKey::create(host::RegistryKeyBase + "Tandem!Pad")->string("UserID"),
              "new.user");
    // "Current" is never saved as a profile.
    EXPECT_EQ(SettingsStore::get(StoreApp, "Current", "Name", "none"), "none");
}

TEST(ChooserWindow, ApplyWritesTheFieldsAfterConfirming)
{
    GappedWindow w;
    w.pick(2);
    w.edit("txtServer")->clear();
    w.dialogs->answerMessage(mb::No);
    w.click("cmdApply");
    EXPECT_FALSE(QFile::exists(hiveFile()));

    w.dialogs->answerMessage(mb::Yes);
    w.click("cmdApply");
    ASSERT_EQ(w.dialogs->shown().size(), 2u);
    expectConfirmation(w.dialogs->shown()[1]);
    const QString base = host::RegistryKeyBase;
    EXPECT_EQ(RegistryKey::create(base + "Tandem!Pad")->string("UserID"), "lab.user");
    EXPECT_EQ(RegistryKey::create(base + "Tandem!Pad")->string("Email"), "lab@example.com");
    EXPECT_EQ(RegistryKey::create(base + "Tandem!Pad\\LAN")->string("Server"), " ");
    EXPECT_EQ(SettingsStore::get(host::SettingsApp, host::CollabLanSection, host::ServerKey, "x"),
              "");
    // Rebuilt and Current selected: the host's settings as read back.
    EXPECT_EQ(w.fields(), "Current|lab.user|lab@example.com|");
    // Apply saves no profile.
    EXPECT_EQ(SettingsStore::get(StoreApp, "Lab", "Server"), "/srv/lab");
}

TEST(ChooserWindow, ApplyWithoutProfilesKeepsTheFields)
{
    ChooserWindow w;
    w.setFields("anything", "pat", "pat@example.com", "/srv/pad");
    w.dialogs->answerMessage(mb::Yes);
    w.click("cmdApply");
    EXPECT_EQ(w.combo()->currentIndex(), -1);
    EXPECT_EQ(w.fields(), "anything|pat|pat@example.com|/srv/pad");
    EXPECT_EQ(w.rows(), QStringList{"Current|pat|pat@example.com|/srv/pad"});
}

TEST(ChooserWindow, EnterInAnyFieldApplies)
{
    GappedWindow w;
    for (const char *name : {"txtName", "txtUserName", "txtEmail", "txtServer"}) {
        w.dialogs->answerMessage(mb::No);
        QTest::keyClick(w.edit(name), Qt::Key_Return);
    }
    w.dialogs->answerMessage(mb::No);
    QTest::keyClick(w.combo(), Qt::Key_Enter);
    ASSERT_EQ(w.dialogs->shown().size(), 5u);
    for (const DialogRecord &shown : w.dialogs->shown())
        expectConfirmation(shown);
    // On a focused button Enter presses that button.
    w.click("cmdNew");
    QTest::keyClick(w.button("cmdNew"), Qt::Key_Return);
    EXPECT_EQ(w.entries(), (QStringList{"", "", "Current", "Home", "Lab"}));
}

TEST(ChooserWindow, NextCommandSeesAnotherProgramsWrites)
{
    GappedWindow w;
    ASSERT_TRUE(SettingsStore::setMany(StoreApp, {{"Away", "Name", "Away"},
                                                  {"Away", "User", "traveller"},
                                                  {ProgramSection, "NumProfs", "4"},
                                                  {ProgramSection, "Prof4", "Away"}}));
    setHostSettings("changed", "changed@example.com", "/srv/changed");
    w.setFields("Work", "u", "e", "s");
    w.click("cmdUpdate");
    EXPECT_EQ(w.entries(), (QStringList{"Current", "Home", "Lab", "Away", "Work"}));
    EXPECT_EQ(w.fields(), "Current|changed|changed@example.com|/srv/changed");
    EXPECT_EQ(SettingsStore::get(StoreApp, ProgramSection, "Prof5"), "Work");
}

TEST(ChooserWindow, F1OpensTheManual)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the stand-in viewer is a shell script; Windows starts the real winhlp32.exe";
#endif
    test::EnvironmentGuard guard("PATH");
    const QString args = test::testHome() + "/viewer-args";
    makeRecorder(test::testHome() + "/bin", "winhlp32", args);
    qputenv("PATH", (test::testHome() + "/bin:").toUtf8() + qgetenv("PATH"));
    ChooserWindow w;
    EXPECT_TRUE(w.window->helpFile().endsWith("\\help\\seatpick.hlp"));
    w.window->show();
    w.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    QTest::keyClick(w.edit("txtName"), Qt::Key_F1);
    EXPECT_EQ(waitForFile(args), (toNativePath(w.window->helpFile()) + "\n").toUtf8());
    EXPECT_TRUE(w.dialogs->shown().empty());
}

TEST(ChooserWindow, EveryCaptionFitsItsControl)
{
    QS_SKIP_WITHOUT_FONTS();
    ChooserWindow w;
    EXPECT_EQ(captionsCut(w.window.get()), QStringList());
    // Not by making the text unreadably small.
    EXPECT_GE(w.find<QLabel>("Label3")->font().pointSizeF(), 6);
}

TEST(ChooserWindow, TheProgramsIconAtEveryThemeSize)
{
    ChooserWindow w;
    const QList<QSize> sizes = w.window->windowIcon().availableSizes();
    EXPECT_EQ(sizes.size(), 7);
    EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
}
