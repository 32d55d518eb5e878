#include "hostautomation.h"
#include "translation.h"

#include "hostinterface.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#ifdef _MSC_VER
#pragma comment(lib, "ole32.lib")
#pragma comment(lib, "oleaut32.lib")
#endif
#else
#include "registry.h"

#include <QProcess>
#endif

namespace qs {

namespace {

QString notRegisteredMessage()
{
    return translate("common", "The Quillsite automation server is not registered on this system.");
}

#ifdef Q_OS_WIN
QString cannotStartMessage(const QString &detail)
{
    return translate("common", "The Quillsite automation server could not be started (%1).")
        .arg(detail);
}
#else
QString cannotStartMessage(const QString &command, QString reason)
{
    // The system's reason, without the name of the call that gave it.
    if (const qsizetype colon = reason.indexOf(QStringLiteral(": "));
        colon > 0 && !reason.left(colon).contains(QLatin1Char(' ')))
        reason.remove(0, colon + 2);
    return translate("common",
                     "The Quillsite automation server could not be started with the command "
                     "%1: %2.")
        .arg(command, reason);
}
#endif

} // namespace

#ifdef Q_OS_WIN

namespace {

QString hresultText(HRESULT hr)
{
    return translate("common", "error 0x%1").arg(static_cast<quint32>(hr), 8, 16, QLatin1Char('0'));
}

// The template test entry of the host's interface: 25th in its table, after IUnknown's three
// and IDispatch's four entries and the interface's own methods before it.
constexpr int TestTemplateSlot = 24;
// IUnknown's interface id, spelled out so no uuid library needs linking.
const IID UnknownId = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
using TestTemplateMethod = HRESULT(STDMETHODCALLTYPE *)(void *self, BSTR *path);

} // namespace

QString hostTestTemplate(const QString &templatePath)
{
    CLSID classId;
    IID interfaceId;
    if (FAILED(CLSIDFromString(reinterpret_cast<LPCOLESTR>(host::AutomationClassId.utf16()),
                               &classId)) ||
        FAILED(IIDFromString(reinterpret_cast<LPCOLESTR>(host::AutomationInterfaceId.utf16()),
                             &interfaceId)))
        return notRegisteredMessage();

    // S_FALSE (already initialised on this thread) must be balanced too; a different apartment
    // mode fails but leaves COM usable, and must not be balanced.
    const HRESULT init = CoInitialize(nullptr);
    const bool mustUninitialize = SUCCEEDED(init);

    QString message;
    IUnknown *server = nullptr;
    HRESULT hr = CoCreateInstance(classId, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                  UnknownId, reinterpret_cast<void **>(&server));
    if (hr == REGDB_E_CLASSNOTREG) {
        message = notRegisteredMessage();
    } else if (FAILED(hr) || !server) {
        message = cannotStartMessage(hresultText(hr));
    } else {
        void *host = nullptr;
        hr = server->QueryInterface(interfaceId, &host);
        if (FAILED(hr) || !host) {
            message = cannotStartMessage(hresultText(hr));
        } else {
            void **table = *static_cast<void ***>(host);
            const auto testTemplate = reinterpret_cast<TestTemplateMethod>(table[TestTemplateSlot]);
            BSTR path = SysAllocString(reinterpret_cast<const OLECHAR *>(templatePath.utf16()));
            hr = testTemplate(host, &path);
            // Passed by reference: free whatever the server left there.
            SysFreeString(path);
            if (FAILED(hr))
                message = translate("common", "The Quillsite automation server could not test the "
                                              "template (%1).")
                              .arg(hresultText(hr));
            static_cast<IUnknown *>(host)->Release();
        }
        server->Release();
    }

    if (mustUninitialize)
        CoUninitialize();
    return message;
}

#else

QString hostTestTemplate(const QString &templatePath)
{
    // The class's per-user registration names the command line that starts the server.
    const std::optional<RegistryKey> key = RegistryKey::create(host::AutomationServerKey);
    std::optional<QString> command;
    try {
        command = key ? key->string({}) : std::nullopt;
    } catch (const StoreReadError &error) {
        return storeReadMessage(error);
    }
    if (!command)
        return notRegisteredMessage();
    QStringList arguments = QProcess::splitCommand(*command);
    if (arguments.isEmpty())
        return notRegisteredMessage();

    QProcess server;
    server.setProgram(arguments.takeFirst());
    // The path came from a file dialog or the command line and is native already: on this
    // system '\\' is an ordinary file-name character.
    arguments.append(templatePath);
    server.setArguments(arguments);
    server.setStandardInputFile(QProcess::nullDevice());
    if (!server.startDetached())
        return cannotStartMessage(*command, server.errorString());
    return {};
}

#endif

} // namespace qs
