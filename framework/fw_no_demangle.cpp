#include <cstddef>

// The C++ runtime's handler for an exception nobody catches writes the exception's type,
// demangled, to standard error before the program ends. The program has no console, so nobody
// reads it, and the demangler would be the largest part of the runtime in the program (about
// 46 KB). The link sends the handler's one call of the demangler here instead
// (-Wl,--wrap=__cxa_demangle); it declines, and the handler writes the type's raw name.
extern "C" char* __wrap___cxa_demangle(const char*, char*, std::size_t*, int* status) {
    const int kInvalidName = -2;
    if (status)
        *status = kInvalidName;
    return nullptr;
}
