#include "registrysandbox.h"
#include "testsupport.h"

#ifdef QS_TEST_WITHOUT_WIDGETS
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#endif

namespace {

std::unique_ptr<QTemporaryDir> g_home;

#ifdef Q_OS_WIN
QString g_registryKey;
#endif

// Gives every test a fresh HOME and XDG_CONFIG_HOME, so no test touches a real user's settings.
class SandboxListener : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        // Sandboxes are made in the system's temporary folder, not in the last test's own.
        if (m_systemTemp.isEmpty())
            m_systemTemp = QDir::tempPath();
        g_home = std::make_unique<QTemporaryDir>(m_systemTemp + QStringLiteral("/qs-test-XXXXXX"));
        const QByteArray home = g_home->path().toLocal8Bit();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", home + "/.config");
        qputenv("XDG_DATA_HOME", home + "/.local/share");
#ifdef Q_OS_WIN
        qputenv("USERPROFILE", home);
        qputenv("APPDATA", home + "/AppData/Roaming");
        qputenv("LOCALAPPDATA", home + "/AppData/Local");
        // The store's lock on Windows lies in the temporary folder: tests run side by side
        // (ctest -j) must not wait on each other's.
        QDir().mkpath(g_home->path() + QStringLiteral("/Temp"));
        qputenv("TMP", home + "/Temp");
        qputenv("TEMP", home + "/Temp");
        g_registryKey = QStringLiteral("Software\\QuillsiteTests\\%1-%2")
                            .arg(QCoreApplication::applicationPid())
                            .arg(++m_tests);
        qs::test::enterRegistrySandbox(g_registryKey);
#endif
    }
    void OnTestEnd(const testing::TestInfo &) override
    {
#ifdef Q_OS_WIN
        qs::test::removeRegistrySandbox(g_registryKey);
#endif
        g_home.reset();
    }

    QString m_systemTemp;
#ifdef Q_OS_WIN
    int m_tests = 0;
#endif
};

} // namespace

QString qs::test::testHome()
{
    return g_home ? g_home->path() : QString();
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new SandboxListener);
    return RUN_ALL_TESTS();
}
