// Writes a known amount of a known text in pieces, for tests of the output
// runner: "chatter BYTES [stderr]".
#include "tests/fakes/chatter_pattern.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string text = ChatterPattern(std::strtoul(argv[1], nullptr, 10));
    const bool toError = argc > 2 && std::strcmp(argv[2], "stderr") == 0;
    const HANDLE out = ::GetStdHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    // Pieces larger than the reader's chunk, and not a multiple of it.
    const std::size_t piece = 4500;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        const DWORD length = static_cast<DWORD>(std::min(piece, text.size() - at));
        DWORD written = 0;
        if (!::WriteFile(out, text.data() + at, length, &written, nullptr))
            return 1;
        ::Sleep(20);
    }
    return 0;
}
