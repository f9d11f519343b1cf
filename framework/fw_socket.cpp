#include "framework/fw_socket.h"

#include "framework/fw_text.h"

#include <ws2tcpip.h>

namespace {

// Windows Sockets are started when first needed, not at start-up: most of
// the program's life needs none.
BOOL CALLBACK StartSocketsOnce(PINIT_ONCE, PVOID, PVOID*) {
    WSADATA data;
    // A failed start shows as failed lookups and connections. Version 2.2,
    // which the IPv6 lookups and sockets belong to.
    ::WSAStartup(MAKEWORD(2, 2), &data);
    return TRUE;
}

void StartSockets() {
    static INIT_ONCE once = INIT_ONCE_STATIC_INIT;
    ::InitOnceExecuteOnce(&once, &StartSocketsOnce, nullptr, nullptr);
}

// Owns what GetAddrInfoW returned. The name is given to the system in
// UTF-16, converted from exactly the program's bytes: the system turns a name
// in Chinese script into the form the name servers know, whatever its own
// code page.
class AddressList {
public:
    AddressList(const char* host, const char* port, int family, int flags) {
        StartSockets();
        ADDRINFOW hints{};
        hints.ai_family = family;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        hints.ai_flags = flags;
        if (::GetAddrInfoW(Widen(host).c_str(), port ? Widen(port).c_str() : nullptr, &hints,
                           &m_first) != 0)
            m_first = nullptr;
    }
    ~AddressList() {
        if (m_first)
            ::FreeAddrInfoW(m_first);
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;

    const ADDRINFOW* First() const { return m_first; }

private:
    ADDRINFOW* m_first = nullptr;
};

} // namespace

bool CAsyncSocket::Connect(const char* numericAddress, unsigned short port) {
    Close();
    const AddressList parsed(numericAddress, std::to_string(port).c_str(), AF_UNSPEC,
                             AI_NUMERICHOST);
    const ADDRINFOW* address = parsed.First();
    if (!address)
        return false;
    // Not inheritable: a command started while the connection is under way
    // must not keep the socket alive.
    m_hSocket = ::WSASocketW(address->ai_family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0,
                             WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    u_long nonBlocking = 1;
    if (m_hSocket == INVALID_SOCKET || ::ioctlsocket(m_hSocket, FIONBIO, &nonBlocking) != 0)
        return false;
    return ::connect(m_hSocket, address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0 ||
           ::WSAGetLastError() == WSAEWOULDBLOCK;
}

void CAsyncSocket::Close() {
    if (m_hSocket != INVALID_SOCKET) {
        ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
}

// The system reports a connection made as writable and a failed one as an
// exception.
int WaitForConnectResult(const std::vector<SOCKET>& connecting, unsigned waitMs, bool* connected) {
    fd_set made;
    fd_set failed;
    FD_ZERO(&made);
    FD_ZERO(&failed);
    for (const SOCKET each : connecting) {
        if (each != INVALID_SOCKET) {
            FD_SET(each, &made);
            FD_SET(each, &failed);
        }
    }
    timeval wait{static_cast<long>(waitMs / 1000), static_cast<long>(waitMs % 1000 * 1000)};
    const int ready = ::select(0, nullptr, &made, &failed, &wait);
    // A wait that failed still takes its time, or the caller would ask again at once, over and
    // over, until it gave up.
    if (ready < 0)
        ::Sleep(waitMs);
    if (ready <= 0)
        return -1;
    for (std::size_t i = 0; i < connecting.size(); ++i) {
        if (connecting[i] == INVALID_SOCKET)
            continue;
        const bool wasMade = FD_ISSET(connecting[i], &made);
        if (!wasMade && !FD_ISSET(connecting[i], &failed))
            continue;
        int error = 0;
        int size = sizeof error;
        ::getsockopt(connecting[i], SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
        *connected = wasMade && error == 0;
        return static_cast<int>(i);
    }
    return -1;
}

std::vector<std::string> LookupAddresses(const char* host) {
    std::vector<std::string> addresses;
    const AddressList found(host, nullptr, AF_UNSPEC, 0);
    for (const ADDRINFOW* each = found.First(); each; each = each->ai_next) {
        wchar_t text[NI_MAXHOST] = L"";
        if (::GetNameInfoW(each->ai_addr, static_cast<socklen_t>(each->ai_addrlen), text,
                           NI_MAXHOST, nullptr, 0, NI_NUMERICHOST) == 0)
            addresses.push_back(Narrow(text));
    }
    return addresses;
}

bool IsIpv4Address(const char* text) {
    StartSockets();
    return ::inet_addr(text) != INADDR_NONE;
}

bool IsIpv6Address(const char* text) {
    return AddressList(text, nullptr, AF_INET6, AI_NUMERICHOST).First() != nullptr;
}
