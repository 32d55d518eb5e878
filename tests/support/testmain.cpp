#include "testsupport.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QCoreApplication>
#endif

namespace {

std::unique_ptr<QTemporaryDir> g_home;

#ifdef Q_OS_WIN
// On Windows the settings live in the registry: each test gets a key of its own under the
// user's, which the process sees as HKEY_CURRENT_USER itself, and which is removed afterwards.
QString g_registryKey;

void sandboxRegistry(int test)
{
    g_registryKey = QStringLiteral("Software\\QuillsiteTests\\%1-%2")
                        .arg(QCoreApplication::applicationPid())
                        .arg(test);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(g_registryKey.utf16()), 0,
                        nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, key) != ERROR_SUCCESS) {
        // Without a sandbox no test may run: it would write into the user's own settings.
        std::fprintf(stderr, "The tests' registry sandbox could not be made.\n");
        std::exit(1);
    }
    RegCloseKey(key);
}

void removeRegistrySandbox()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(g_registryKey.utf16()));
}
#endif

// Gives every test a fresh HOME and XDG_CONFIG_HOME, so no test touches a real user's settings.
class SandboxListener : public testing::EmptyTestEventListener
{
    void OnTestStart(const testing::TestInfo &) override
    {
        g_home = std::make_unique<QTemporaryDir>();
        const QByteArray home = g_home->path().toLocal8Bit();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", home + "/.config");
        qputenv("XDG_DATA_HOME", home + "/.local/share");
#ifdef Q_OS_WIN
        qputenv("USERPROFILE", home);
        qputenv("APPDATA", home + "/AppData/Roaming");
        qputenv("LOCALAPPDATA", home + "/AppData/Local");
        sandboxRegistry(++m_tests);
#endif
    }
    void OnTestEnd(const testing::TestInfo &) override
    {
#ifdef Q_OS_WIN
        removeRegistrySandbox();
#endif
        g_home.reset();
    }

    int m_tests = 0;
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
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new SandboxListener);
    return RUN_ALL_TESTS();
}
