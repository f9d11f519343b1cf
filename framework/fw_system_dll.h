#pragma once

#include <windows.h>

// A function of a DLL in the system directory, loading the DLL at the first call. The program
// takes the shell (for the link) and the common dialogs (for Save) this way: imported, they and
// the dozen DLLs they load in turn would slow every start-up for a click most runs never see.
// Null when the DLL or the function cannot be found.
FARPROC SystemFunction(const char* dll, const char* name);

template <typename Function> Function SystemFunction(const char* dll, const char* name) {
    // Through the one function type that converts to any other without a warning.
    using AnyFunction = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(SystemFunction(dll, name)));
}
