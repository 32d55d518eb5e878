#pragma once
// On Windows the settings live in the registry. Every test gets a key of its own under the
// user's, which the process (and every helper program it starts) sees as HKEY_CURRENT_USER
// itself, so that no test ever reads or writes the user's real settings. Elsewhere these do
// nothing: the test main redirects HOME and XDG instead.

#include <QString>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>

namespace qs::test {

// Names the sandbox key to the helper programs a test starts.
inline constexpr char RegistrySandboxVariable[] = "QS_TEST_REGISTRY_SANDBOX";

#ifdef Q_OS_WIN
// Makes key (below the user's own HKEY_CURRENT_USER) this process's HKEY_CURRENT_USER. Without
// it no test may run, so a failure ends the process.
inline void enterRegistrySandbox(const QString &key)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(key.utf16()), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, handle) != ERROR_SUCCESS) {
        std::fprintf(stderr, "The tests' registry sandbox could not be made.\n");
        std::exit(1);
    }
    RegCloseKey(handle);
    qputenv(RegistrySandboxVariable, key.toUtf8());
}

// Gives HKEY_CURRENT_USER back to the user and removes the sandbox with all it holds.
inline void removeRegistrySandbox(const QString &key)
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(key.utf16()));
    qunsetenv(RegistrySandboxVariable);
}
#endif

// For a helper program that a test starts: enters the test's sandbox. On Windows a helper
// started outside a test has none and must not run, lest it write the user's settings.
inline void enterInheritedRegistrySandbox()
{
#ifdef Q_OS_WIN
    const QString key = qEnvironmentVariable(RegistrySandboxVariable);
    if (key.isEmpty()) {
        std::fprintf(stderr, "Started outside a test: there is no registry sandbox.\n");
        std::exit(2);
    }
    enterRegistrySandbox(key);
#endif
}

} // namespace qs::test
