#include "templatetestsupport.h"

#include "hostinterface.h"
#include "playback.h"
#include "registry.h"
#include "testrunserver.h"

#include <QDeadlineTimer>
#include <QPlainTextEdit>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace qs;
using namespace qs::stencil;
using namespace qs::test;

namespace {
// A stand-in server that writes the arguments it gets, one a line, to outFile.
QString makeRecorder(const QString &outFile)
{
    QDir().mkpath(testHome() + "/fake host");
    return qs::test::makeRecorder(testHome() + "/fake host", "server", outFile);
}

#ifdef Q_OS_WIN
// Wine's COM reads only the machine's classes, which no test's sandbox covers: a test that
// registers the host's class there, or counts on its absence, holds this across processes,
// and leaves the class unregistered.
class MachineClassesLock
{
public:
    MachineClassesLock()
        : m_mutex(CreateMutexW(nullptr, FALSE, L"Local\\QuillsiteTestsMachineClasses"))
    {
        WaitForSingleObject(m_mutex, INFINITE);
        unregister();
    }
    ~MachineClassesLock()
    {
        unregister();
        ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }

private:
    static void unregister()
    {
        const QString key = "CLSID\\" + host::AutomationClassId;
        RegDeleteTreeW(HKEY_CLASSES_ROOT, reinterpret_cast<LPCWSTR>(key.utf16()));
    }
    HANDLE m_mutex;
};
#else
struct MachineClassesLock
{
    MachineClassesLock() {} // user-provided, so that an unused lock draws no warning
};
#endif

bool registerServer(const QString &command)
{
    auto key = RegistryKey::create(host::AutomationServerKey);
    return key && key->setString({}, command);
}
} // namespace

TEST(TestRun, HandsTheSavedFileToTheRegisteredServer)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows reaches the host over COM, not by starting a registered command";
#endif
    const QString path = testHome() + "/my templates/letter.htp";
    writeAll(path, everyKindFile());
    const QString args = testHome() + "/received";
    ASSERT_TRUE(registerServer("\"" + makeRecorder(args) + "\" /Automation"));
    Stencilry s;
    editDlg *d = s.open(path);
    s.dialogs->clear();
    // Nothing is saved first: the server gets the file as last saved.
    d->document().append({kind::Text, "unsaved", {}});
    d->document().markChanged();
    QTest::keyClick(s.frame.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(waitForFile(args), ("/Automation\n" + path + "\n").toUtf8());
    EXPECT_TRUE(s.dialogs->shown().empty());
    EXPECT_EQ(readAll(path), everyKindFile());
    EXPECT_TRUE(d->document().boolDirty());
    EXPECT_EQ(d->windowTitle(), shownPath(path));
}

// What a user sets up with "Set up the demo host": File > Test starts the demo host (on Windows
// through the host's class, which COM finds registered), and it plays the saved file back.
TEST(TestRun, TheDemoHostSetUpForTheUserPlaysTheSavedFileBack)
{
    const QString path = testHome() + "/my templates/letter.htp";
    writeAll(path, crlf({"{{Dear reader,", "{!", "{{caf\xC3\xA9 at ten", ""}));
    const MachineClassesLock lock;
    ASSERT_EQ(demo::registerTestRunServer(QS_DEMO_HOST), QString());
    const QString page = testHome() + "/page.txt";
    EnvironmentGuard guard("QS_DEMO_HOST_PAGE");
    qputenv("QS_DEMO_HOST_PAGE", QFile::encodeName(page));
    Stencilry s;
    s.open(path);
    s.dialogs->clear();
    QTest::keyClick(s.frame.get(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(s.dialogs->shown().empty()) << s.dialogs->messages().join("|").toStdString();
    EXPECT_EQ(QString::fromUtf8(waitForFile(page)), "Dear reader,\ncaf\u00E9 at ten");
}

TEST(TestRun, UntitledUnregisteredAndMissingServersAreTold)
{
    const MachineClassesLock lock;
    Stencilry s;
    s.newDocument();
    s.dialogs->answerMessage();
    s.trigger("file_test");
    ASSERT_EQ(s.dialogs->shown().size(), 1u);
    EXPECT_EQ(s.dialogs->shown()[0].text,
              "You must save your document before you can test it in Quillsite.");
    EXPECT_EQ(s.dialogs->shown()[0].caption, "Stencilry");
    EXPECT_EQ(s.dialogs->shown()[0].icon, mb::Information);

    const QString path = testHome() + "/t.htp";
    writeAll(path, crlf({"{{x", ""}));
    editDlg *d = s.open(path);
    s.dialogs->answerMessage();
    s.trigger("file_test");
    const QString handed =
        "The template " + shownPath(path) + " could not be handed to Quillsite for a test run.";
    EXPECT_EQ(s.dialogs->messages().back(),
              handed + "\r\n\r\nThe Quillsite automation server is not registered on this system.");
    EXPECT_EQ(s.dialogs->shown().back().icon, mb::Critical);

#ifndef Q_OS_WIN // there COM starts the server, and says why it could not
    const QString missing = "\"" + testHome() + "/no host/server\"";
    ASSERT_TRUE(registerServer(missing));
    s.dialogs->answerMessage();
    s.trigger("file_test");
    EXPECT_EQ(s.dialogs->messages().back(),
              handed +
                  "\r\n\r\nThe Quillsite automation server could not be started with the "
                  "command " +
                  missing + ": No such file or directory.");
#endif
    EXPECT_FALSE(d->document().boolDirty());
    EXPECT_EQ(d->document().count(), 1);
}

TEST(DemoHost, PlaysEveryItemKindBack)
{
    const QString path = testHome() + "/every.htp";
    writeAll(path, crlf({"{{<h1>Welcome</h1>",
                         "{!",
                         "{[",
                         "Your name?",
                         "<b>",
                         "</b>",
                         "{|",
                         "Pick a picture",
                         "Pictures|*.gif|",
                         "<img src=\"",
                         "\">",
                         "{!",
                         "{[",
                         "Cancelled?",
                         "<i>",
                         "</i>",
                         "{|",
                         "Cancelled too",
                         "",
                         "[",
                         "]",
                         ""}));
    ScriptedDialogs dialogs("Quillsite 97");
    dialogs.answerInput("Pat")
        .answerMessage()
        .answerOpen("/pics/cat.gif")
        .answerInput("")
        .answerMessage()
        .answerOpen(std::nullopt);
    const std::optional<QString> page = demo::playTemplateFile(path, dialogs);
    ASSERT_TRUE(page);
    EXPECT_EQ(*page, "<h1>Welcome</h1>\n<b>Pat</b><img src=\"/pics/cat.gif\">\n<i></i>");
    const auto &shown = dialogs.shown();
    EXPECT_EQ(shown[0].text, "Your name?");
    EXPECT_EQ(shown[0].caption, "Quillsite 97");
    EXPECT_EQ(shown[1].text, "Pick a picture");
    EXPECT_EQ(shown[1].caption, "Quillsite 97");
    EXPECT_EQ(shown[2].options.filter, "Pictures|*.gif|");

    demo::TestRunWindow window(path, *page);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Quillsite 97 \xe2\x80\x93 test run"));
    EXPECT_EQ(window.page(), *page);
    for (QWidget *w : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
}

TEST(DemoHost, MissingAndPartlyReadTemplates)
{
    ScriptedDialogs dialogs("Quillsite 97");
    dialogs.answerMessage();
    EXPECT_FALSE(demo::playTemplateFile(testHome() + "/none.htp", dialogs));
    EXPECT_EQ(dialogs.messages().back(),
              "The template " + testHome() + "/none.htp could not be found.");

    const QString cut = testHome() + "/cut.htp";
    writeAll(cut, crlf({"{{kept", "{[", "prompt"}));
    dialogs.answerMessage();
    EXPECT_EQ(demo::playTemplateFile(cut, dialogs), "kept");
    EXPECT_TRUE(dialogs.messages().back().startsWith("The template " + cut +
                                                     " was not read completely.\r\n\r\n"
                                                     "Reading stopped at line 2: "));
    // Nothing about saving: a player has no Save.
    EXPECT_FALSE(dialogs.messages().back().contains("Save"))
        << dialogs.messages().back().toStdString();
}
