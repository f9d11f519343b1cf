#include "framework/fw_system_dll.h"

#include <objbase.h>

#include <string>

void RestrictDllSearch() {
    // Windows 8 has it, 7 only with an update: looked up, so that the program starts without.
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    const auto setDefault = AsFunction<SetDefaultDirectories>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories"));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        ::SetDllDirectoryA("");
}

FARPROC SystemFunction(const char* dll, const char* name) {
    // By its full path: a DLL of that name beside the program or in the
    // current folder is never loaded.
    char folder[MAX_PATH] = "";
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::string path = std::string(folder, length) + "\\" + dll;
    // Loaded once for the rest of the process; a second call finds it loaded. The DLLs it loads
    // in turn come from the system directory too. A system without the update that brings the
    // flag refuses it; there RestrictDllSearch has at least taken the current folder out.
    HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER)
        module = ::LoadLibraryA(path.c_str());
    return module ? ::GetProcAddress(module, name) : nullptr;
}

void InitializeComForUiThread() {
    static bool initialized = false;
    if (initialized)
        return;
    initialized = true;
    using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
    if (const auto initialize =
            SystemFunction<CoInitializeExFunction>("ole32.dll", "CoInitializeEx"))
        initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}
