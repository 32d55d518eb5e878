// seatpick as a tray tool lives: one per user, a list that follows other programs' changes,
// and profiles that can be removed again.
#include "profilestestsupport.h"
#include "singleinstance.h"

#include <QAction>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <thread>

#ifdef Q_OS_UNIX
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace qs;
using namespace qs::profiles;
using namespace qs::test;

namespace {

// The store's sections and values, as its file lists them.
QStringList storeLines()
{
#ifdef Q_OS_WIN
    // There the store is the registry's.
    QSettings store(profileStoreName(), QSettings::NativeFormat);
    QStringList lines;
    for (const QString &section : store.childGroups()) {
        lines << "[" + section + "]";
        store.beginGroup(section);
        for (const QString &key : store.childKeys())
            lines << key + "=" + store.value(key).toString();
        store.endGroup();
    }
    return lines;
#else
    return QString::fromUtf8(readAll(profileStoreFile())).split(u'\n', Qt::SkipEmptyParts);
#endif
}

// A window on the gapped store, shown and active, so that its keys work.
struct ShownChooser : GappedStore, ChooserWindow
{
    ShownChooser()
    {
        window->LoadSettings();
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void pick(const QString &name)
    {
        combo()->setCurrentIndex(entries().indexOf(name));
        combo()->setFocus();
    }
    QAction *removeCommand() const { return window->findChild<QAction *>("remove_profile"); }
};

} // namespace

// Another start of the program finds the running one, asks it to show itself and ends; a name
// left behind by a start that crashed does not stand in the way.
TEST(TrayTool, OneInstancePerUserAndALeftNameIsTakenOver)
{
    const QString name = SingleInstance::instanceName(QStringLiteral("seatpick-test"));
#ifdef Q_OS_UNIX
    {
        // What a crash leaves: the socket file with nobody listening.
        const QByteArray path = QDir::tempPath().toUtf8() + '/' + name.toUtf8();
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
        ::unlink(path.constData());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        ::close(fd);
        ASSERT_TRUE(QFileInfo::exists(QString::fromUtf8(path)));
    }
#endif
    SingleInstance first(name);
    ASSERT_TRUE(first.claim());
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    // The other start runs beside this one's event loop, as another program would: a pipe on
    // Windows connects only while the server's side is served.
    bool secondClaimed = true;
    std::thread other([&] { secondClaimed = SingleInstance(name).claim(); });
    EXPECT_TRUE(asked.wait(5000));
    other.join();
    EXPECT_FALSE(secondClaimed);

    // A hidden window comes back as from the notification-area icon.
    ChooserWindow c(true);
    QObject::connect(&first, &SingleInstance::activationRequested, c.window.get(),
                     &ProfChooser::bringToFront);
    c.window->hide();
    SingleInstance third(name);
    EXPECT_FALSE(third.claim());
    QTRY_VERIFY_WITH_TIMEOUT(c.window->isVisible(), 5000);

    // Another user's settings folder is another name.
    qputenv("XDG_CONFIG_HOME", (testHome() + "/other").toUtf8());
    EXPECT_NE(SingleInstance::instanceName(QStringLiteral("seatpick-test")), name);
}

// The program itself, twice: the second start ends at once with status 0, the first runs on.
TEST(TrayTool, ASecondProgramStartEndsAndTheFirstRunsOn)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QS_SEATPICK, {});
    ASSERT_TRUE(first.waitForStarted());
    // The first is ready once it listens under its name.
    QLocalSocket probe;
    QTRY_VERIFY_WITH_TIMEOUT(
        (probe.connectToServer(SingleInstance::instanceName(QStringLiteral("seatpick"))),
         probe.waitForConnected(100)),
        20000);
    probe.disconnectFromServer();

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QS_SEATPICK, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

// What another program writes into the stores shows in the open window: in the list always,
// in the fields only while the user has not typed in them.
TEST(TrayTool, TheListFollowsOtherProgramsAndTypedFieldsWait)
{
    for (const bool typed : {false, true}) {
        SCOPED_TRACE(typed ? "typed" : "not typed");
        ShownChooser w;
        w.pick(QStringLiteral("Home"));
        if (typed)
            QTest::keyClicks(w.edit("txtUserName"), "!");
        const QString before = w.fields();

        // A second program saves a new profile; the host's settings change by hand.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        QProcess saver;
        saver.setProcessEnvironment(env);
        EXPECT_TRUE(writeAll(qEnvironmentVariable("XDG_CONFIG_HOME") + "/go", ""));
        saver.start(QS_PROFILESAVER, {QStringLiteral("away"), QStringLiteral("1")});
        ASSERT_TRUE(saver.waitForFinished(20000));
        EXPECT_TRUE(SettingsStore::set(StoreApp, "Home", "User", "pat.changed"));
        QTRY_VERIFY_WITH_TIMEOUT(w.entries().contains("awayx1"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w.window->rows().rows.at(1).user, QString("pat.changed"), 5000);

        EXPECT_EQ(w.combo()->currentText(), "Home");
        if (typed) {
            EXPECT_EQ(w.fields(), before);
            // The next pick shows what the store holds now.
            w.pick(QStringLiteral("Lab"));
            w.pick(QStringLiteral("Home"));
        }
        EXPECT_EQ(w.fields(), "Home|pat.changed|pat@home.example|/srv/home");
    }
}

// Remove Profile, from the list's context menu or Del: it asks, naming the profile; Yes takes out
// its section and its slot in one change, the other slots and the count stay.
TEST(TrayTool, RemoveProfileAsksAndTakesOutItsSectionAndSlot)
{
    const struct
    {
        const char *pick;
        bool byKey;
        int answer; // 0: no question is asked
        QStringList entries;
    } cases[] = {
        {"Lab", true, mb::Yes, {"Current", "Home"}},
        {"Home", false, mb::Yes, {"Current", "Lab"}},
        {"Lab", true, mb::No, {"Current", "Home", "Lab"}},
        {"Current", true, 0, {"Current", "Home", "Lab"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.pick) + (c.answer == mb::No ? " answered No" : ""));
        ShownChooser w;
        w.pick(QLatin1String(c.pick));
        EXPECT_EQ(w.removeCommand()->isEnabled(), c.answer != 0);
        EXPECT_TRUE(w.combo()->actions().contains(w.removeCommand()));
        EXPECT_EQ(w.removeCommand()->text(), "Remove Profile");
        if (c.answer)
            w.dialogs->answerMessage(c.answer);
        if (c.byKey)
            QTest::keyClick(w.combo(), Qt::Key_Delete);
        else
            w.removeCommand()->trigger();
        EXPECT_EQ(w.dialogs->messages(),
                  c.answer ? QStringList{QStringLiteral("Remove the profile %1?").arg(c.pick)}
                           : QStringList());
        EXPECT_EQ(w.entries(), c.entries);

        const QStringList stored = storeLines();
        const bool removed = c.answer == mb::Yes;
        EXPECT_EQ(stored.contains(QStringLiteral("[%1]").arg(c.pick)),
                  !removed && QLatin1String(c.pick) != QLatin1String("Current"));
        EXPECT_TRUE(stored.contains("NumProfs=3"));
        EXPECT_EQ(stored.contains("Prof1=Home"),
                  QLatin1String(c.pick) != QLatin1String("Home") || !removed);
        EXPECT_EQ(stored.contains("Prof3=Lab"),
                  QLatin1String(c.pick) != QLatin1String("Lab") || !removed);
    }
}

// After a removal a new profile takes a slot no reader has seen, and the profile whose values the
// host has now is marked in the list.
TEST(TrayTool, ANewProfileAfterARemovalTakesAFreshSlotAndTheActiveOneIsBold)
{
    ShownChooser w;
    setHostSettings("pat", "pat@home.example", "/srv/home");
    w.window->LoadSettings();
    const auto bold = [&w](int i) {
        return w.combo()->itemData(i, Qt::FontRole).value<QFont>().bold();
    };
    EXPECT_EQ((QList<bool>{bold(0), bold(1), bold(2)}), (QList<bool>{false, true, false}));

    ASSERT_TRUE(removeProfile(QStringLiteral("Lab")));
    ASSERT_TRUE(saveProfile({"Desk", "d", "d@example.com", "/srv/desk"}));
    EXPECT_TRUE(storeLines().contains("Prof4=Desk"));
    EXPECT_FALSE(storeLines().contains("Prof3=Desk"));
}
