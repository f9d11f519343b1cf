// Stands in for a cmd.exe or ping.exe lying where the program must never
// look for one, beside it or in its current folder: leaves "<its own
// path>.ran" beside itself and says so on its output.
#include <windows.h>

#include <string>

int main() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string marker = std::string(path) + ".ran";
    const HANDLE file = ::CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    const std::string said = "decoy " + std::string(path) + " ran\r\n";
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), said.data(), static_cast<DWORD>(said.size()),
                &written, nullptr);
    return 0;
}
