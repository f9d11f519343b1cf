#include "framework/fw_socket.h"

#include <ws2tcpip.h>

namespace {

// Owns what getaddrinfo returned.
class AddressList {
public:
    AddressList(const char* host, const char* port, int family, int flags) {
        addrinfo hints{};
        hints.ai_family = family;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_protocol = IPPROTO_TCP;
        hints.ai_flags = flags;
        if (::getaddrinfo(host, port, &hints, &m_first) != 0)
            m_first = nullptr;
    }
    ~AddressList() {
        if (m_first)
            ::freeaddrinfo(m_first);
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;

    const addrinfo* First() const { return m_first; }

private:
    addrinfo* m_first = nullptr;
};

} // namespace

bool CSocket::Connect(const char* numericAddress, unsigned short port) {
    Close();
    const AddressList parsed(numericAddress, std::to_string(port).c_str(), AF_UNSPEC,
                             AI_NUMERICHOST);
    const addrinfo* address = parsed.First();
    if (!address)
        return false;
    // Not inheritable: a command started while the connection is under way
    // must not keep the socket alive.
    m_hSocket = ::WSASocketW(address->ai_family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0,
                             WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
    return m_hSocket != INVALID_SOCKET &&
           ::connect(m_hSocket, address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0;
}

void CSocket::Close() {
    if (m_hSocket != INVALID_SOCKET) {
        ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
}

std::vector<std::string> LookupAddresses(const char* host) {
    std::vector<std::string> addresses;
    const AddressList found(host, nullptr, AF_UNSPEC, 0);
    for (const addrinfo* each = found.First(); each; each = each->ai_next) {
        char text[NI_MAXHOST] = "";
        if (::getnameinfo(each->ai_addr, static_cast<int>(each->ai_addrlen), text, sizeof text,
                          nullptr, 0, NI_NUMERICHOST) == 0)
            addresses.push_back(text);
    }
    return addresses;
}

bool IsIpv6Address(const char* text) {
    return AddressList(text, nullptr, AF_INET6, AI_NUMERICHOST).First() != nullptr;
}
