#pragma once

#include <windows.h>

// Has every DLL loaded after it, and the DLLs those load in turn, looked for in the system
// directory only: never in the program's folder, where other downloads may lie beside it, nor in
// the current one. Where the system cannot restrict the search that far, it takes the current
// folder out of it. The first thing the program does.
void RestrictDllSearch();

// A function of a DLL in the system directory, loading the DLL at the first call. The program
// takes the shell (for the link) and the common dialogs (for Save) this way: imported, they and
// the dozen DLLs they load in turn would slow every start-up for a click most runs never see.
// Null when the DLL or the function cannot be found.
FARPROC SystemFunction(const char* dll, const char* name);

// The address as the function it is, through the one function type that converts to any other
// without a warning.
template <typename Function> Function AsFunction(FARPROC address) {
    using AnyFunction = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(address));
}

template <typename Function> Function SystemFunction(const char* dll, const char* name) {
    return AsFunction<Function>(SystemFunction(dll, name));
}

// COM on the UI thread, apartment-threaded and without OLE1's DDE, as the shell and the
// accessibility library ask of the thread that calls them (a handler registered as a COM verb
// fails without it). Made ready at the first call, which comes from the UI thread; that thread
// keeps it for the rest of its life. Start-up does not load COM for it.
void InitializeComForUiThread();
