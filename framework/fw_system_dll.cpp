#include "framework/fw_system_dll.h"

#include <string>

FARPROC SystemFunction(const char* dll, const char* name) {
    // By its full path: a DLL of that name beside the program or in the
    // current folder is never loaded.
    char folder[MAX_PATH] = "";
    const UINT length = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    // Loaded once for the rest of the process; a second call finds it loaded.
    const HMODULE module = ::LoadLibraryA((std::string(folder, length) + "\\" + dll).c_str());
    return module ? ::GetProcAddress(module, name) : nullptr;
}
