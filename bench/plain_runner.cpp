// The whole run's baseline: the commands of a run on an address, one after another, by a program
// without a window. "plain_runner TARGET READY GO DONE" (the last three name events): it sets
// READY once it has started, waits for GO, runs ping and tracert reading all their output, tries
// port 80 of the target and sets DONE.
#include "bench/plain_child_win.h"

#include <winsock2.h>

#include <windows.h>

#include <string>

namespace {

std::string RunCommand(const std::string& command) {
    std::string output;
    const HANDLE pipe = bench::StartCaptured(command);
    if (!pipe)
        return output;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr))
        output.append(buffer, got);
    ::CloseHandle(pipe);
    return output;
}

bool Probe(const std::string& host) {
    const hostent* found = ::gethostbyname(host.c_str());
    if (!found || !found->h_addr_list[0])
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(80);
    memcpy(&address.sin_addr, found->h_addr_list[0], sizeof address.sin_addr);
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const bool connected =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::closesocket(socket);
    return connected;
}

HANDLE OpenEvent(const char* name) {
    return ::OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5)
        return 2;
    const std::string target = argv[1];
    const HANDLE ready = OpenEvent(argv[2]);
    const HANDLE go = OpenEvent(argv[3]);
    const HANDLE done = OpenEvent(argv[4]);
    if (!ready || !go || !done)
        return 2;
    WSADATA data;
    ::WSAStartup(MAKEWORD(1, 1), &data);
    ::SetEvent(ready);
    ::WaitForSingleObject(go, INFINITE);

    const std::size_t bytes =
        RunCommand("ping " + target).size() + RunCommand("tracert -d " + target).size();
    Probe(target);
    ::SetEvent(done);
    return bytes > 0 ? 0 : 1;
}
