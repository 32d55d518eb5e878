#include "testrunserver.h"

#include "hostinterface.h"
#include "registry.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>

#include <objbase.h>
#endif

namespace qs::demo {

#ifdef Q_OS_WIN
namespace {

const QString ClassPath = QStringLiteral("CLSID\\") + host::AutomationClassId;

bool writeClass(HKEY root, const QString &path, const QString &library)
{
    const QString key = path + QStringLiteral("\\InprocServer32");
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, reinterpret_cast<LPCWSTR>(key.utf16()), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const auto set = [handle](const wchar_t *name, const QString &value) {
        return RegSetValueExW(handle, name, 0, REG_SZ,
                              reinterpret_cast<const BYTE *>(value.utf16()),
                              DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    };
    const bool written =
        set(nullptr, library) && set(L"ThreadingModel", QStringLiteral("Apartment"));
    RegCloseKey(handle);
    return written;
}

// Whether COM finds the class as the editor will ask for it.
bool comFindsClass()
{
    CLSID classId;
    if (FAILED(CLSIDFromString(reinterpret_cast<LPCOLESTR>(host::AutomationClassId.utf16()),
                               &classId)))
        return false;
    const HRESULT init = CoInitialize(nullptr);
    IClassFactory *factory = nullptr;
    const HRESULT hr = CoGetClassObject(classId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                        reinterpret_cast<void **>(&factory));
    if (factory)
        factory->Release();
    if (SUCCEEDED(init))
        CoUninitialize();
    return SUCCEEDED(hr);
}

} // namespace
#endif

QString registerTestRunServer(const QString &hostProgram)
{
    const QString program = QDir::toNativeSeparators(QFileInfo(hostProgram).absoluteFilePath());
#ifdef Q_OS_WIN
    // The editor asks COM for the class; the library answers in its own process.
    const QString library =
        QDir::toNativeSeparators(QFileInfo(program).absolutePath() + "/quillsite-demo-com.dll");
    if (!QFileInfo::exists(library))
        return QStringLiteral("%1 is missing").arg(library);
    // For this user, where Windows looks first.
    if (!writeClass(HKEY_CURRENT_USER, QStringLiteral("Software\\Classes\\") + ClassPath, library))
        return QStringLiteral("could not register the demo host's automation class");
    // Wine's COM reads only the machine's classes: there the class goes there too.
    if (!comFindsClass() &&
        (!writeClass(HKEY_CLASSES_ROOT, ClassPath, library) || !comFindsClass()))
        return QStringLiteral("the demo host's automation class was registered, but COM does "
                              "not find it");
    return {};
#else
    auto key = RegistryKey::create(host::AutomationServerKey);
    // Quoted, so that a folder name with blanks stays one program name in the command line.
    if (!key || !key->setString(QString(), QLatin1Char('"') + program + QLatin1Char('"')))
        return QStringLiteral("could not register the demo test-run command");
    return {};
#endif
}

} // namespace qs::demo
