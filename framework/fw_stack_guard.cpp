// The stack protector's guard and its failure, in place of the compiler's own library: that one
// draws the guard at start-up from the system's cryptographic provider, whose loading was about
// 7 ms of every start under Wine, more than anything else the program does before its dialog
// shows. The system's random number generator gives the guard without any provider.
#include <windows.h>

#include <ntsecapi.h>

extern "C" {

void* __stack_chk_guard = nullptr;

// A smashed stack ends the process at once, reported to the system as a failure of its own kind:
// nothing may run on with a stack that someone else has written.
[[noreturn]] void __stack_chk_fail() {
    ::RaiseFailFastException(nullptr, nullptr, 0);
    ::TerminateProcess(::GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    for (;;) {
    }
}

} // extern "C"

namespace {

// Before every other constructor, in a function without a guard of its own to check.
__attribute__((constructor(101), no_stack_protector)) void SetStackGuard() {
    if (RtlGenRandom(&__stack_chk_guard, sizeof __stack_chk_guard) && __stack_chk_guard)
        return;
    // Where even that fails: what Windows' own compilers take.
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    const auto mixed = static_cast<ULONG_PTR>(counter.QuadPart) ^ ::GetTickCount64() ^
                       (static_cast<ULONG_PTR>(::GetCurrentProcessId()) << 16) ^
                       ::GetCurrentThreadId() ^ reinterpret_cast<ULONG_PTR>(&counter);
    __stack_chk_guard = reinterpret_cast<void*>(mixed | 1);
}

} // namespace
