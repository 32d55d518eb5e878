// The demo host's automation class on Windows, as an in-process server: the template editor's
// test run creates it and calls its template test entry, which starts quillsite-demo-host.exe
// (beside this library) with the template's path. In process, the call needs no proxy for the
// host's interface, which only the real host's type library would give.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <array>
#include <cwchar>

namespace {

HMODULE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

// {F11C4664-D9A3-11D0-B9ED-004005312D1E}: the host's automation class.
const CLSID ClassId = {
    0xF11C4664, 0xD9A3, 0x11D0, {0xB9, 0xED, 0x00, 0x40, 0x05, 0x31, 0x2D, 0x1E}};
// {F11C4663-D9A3-11D0-B9ED-004005312D1E}: its interface.
const IID InterfaceId = {
    0xF11C4663, 0xD9A3, 0x11D0, {0xB9, 0xED, 0x00, 0x40, 0x05, 0x31, 0x2D, 0x1E}};
const IID UnknownId = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID DispatchId = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID ClassFactoryId = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The interface's table: IUnknown's three entries, IDispatch's four, the host's own methods;
// the template test is the 25th.
constexpr int TableSize = 25;
constexpr int TestTemplateSlot = 24;

using Entry = void (*)();

struct Host
{
    const Entry *table;
    LONG references;
};

HRESULT STDMETHODCALLTYPE hostQueryInterface(Host *self, REFIID iid, void **out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, UnknownId) || IsEqualIID(iid, DispatchId) || IsEqualIID(iid, InterfaceId)) {
        InterlockedIncrement(&self->references);
        *out = self;
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE hostAddRef(Host *self)
{
    return ULONG(InterlockedIncrement(&self->references));
}

ULONG STDMETHODCALLTYPE hostRelease(Host *self)
{
    const LONG left = InterlockedDecrement(&self->references);
    if (left == 0) {
        delete self;
        InterlockedDecrement(&g_objects);
    }
    return ULONG(left);
}

// Every other entry: the demo host answers only the template test. On x64 the caller clears
// its own arguments, so one function serves entries of any signature.
HRESULT STDMETHODCALLTYPE notImplemented()
{
    return E_NOTIMPL;
}

// Starts the demo host beside this library with the template's path.
HRESULT STDMETHODCALLTYPE hostTestTemplate(Host *, BSTR *path)
{
    if (!path || !*path)
        return E_INVALIDARG;
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(g_module, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return HRESULT_FROM_WIN32(GetLastError());
    wchar_t *slash = std::wcsrchr(program, L'\\');
    if (!slash)
        return E_UNEXPECTED;
    slash[1] = L'\0';
    if (std::wcslen(program) + 32 >= MAX_PATH)
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    std::wcscat(program, L"quillsite-demo-host.exe");

    // "program" "path": a Windows path holds no quotes.
    const size_t size = std::wcslen(program) + SysStringLen(*path) + 6;
    wchar_t *command = new wchar_t[size];
    std::swprintf(command, size, L"\"%ls\" \"%ls\"", program, *path);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const BOOL started = CreateProcessW(program, command, nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    const DWORD error = GetLastError();
    delete[] command;
    if (!started)
        return HRESULT_FROM_WIN32(error);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return S_OK;
}

const Entry *hostTable()
{
    static const std::array<Entry, TableSize> table = [] {
        std::array<Entry, TableSize> t;
        t.fill(reinterpret_cast<Entry>(&notImplemented));
        t[0] = reinterpret_cast<Entry>(&hostQueryInterface);
        t[1] = reinterpret_cast<Entry>(&hostAddRef);
        t[2] = reinterpret_cast<Entry>(&hostRelease);
        t[TestTemplateSlot] = reinterpret_cast<Entry>(&hostTestTemplate);
        return t;
    }();
    return table.data();
}

struct Factory : IClassFactory
{
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, UnknownId) || IsEqualIID(iid, ClassFactoryId)) {
            *out = static_cast<IClassFactory *>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // One factory for the library's life: counting its references would free nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Host *host = new Host{hostTable(), 1};
        InterlockedIncrement(&g_objects);
        const HRESULT hr = hostQueryInterface(host, iid, out);
        hostRelease(host);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            InterlockedIncrement(&g_locks);
        else
            InterlockedDecrement(&g_locks);
        return S_OK;
    }
};

Factory g_factory;

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID classId, REFIID iid, void **out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualCLSID(classId, ClassId))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE;
}

} // extern "C"
