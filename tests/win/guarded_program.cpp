// A program with the program's own stack guard. It prints the guard this start drew, or, told
// "overrun", writes past the end of a buffer on the stack and says so if that function returns.
#include <cstdint>
#include <cstdio>
#include <cstring>

extern "C" void* __stack_chk_guard;

namespace {

__attribute__((noinline)) void Overrun() {
    // Read at run time, so that the compiler neither refuses the overrun nor leaves it out.
    volatile std::size_t past = 2 * sizeof(void*);
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer + past);
    std::fwrite(buffer, 1, 1, stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "overrun") == 0) {
        Overrun();
        std::puts("returned");
    } else {
        std::printf("%llx\n", static_cast<unsigned long long>(
                                  reinterpret_cast<std::uintptr_t>(__stack_chk_guard)));
    }
    return 0;
}
