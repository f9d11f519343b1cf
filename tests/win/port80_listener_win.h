#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

// A server on the probe's port at one numeric address, IPv4 or IPv6, which
// accepts connections into its backlog. It starts Winsock for itself, so a
// test process of any kind can hold one.
class Port80Listener {
public:
    explicit Port80Listener(const char* numericAddress) {
        WSADATA data;
        m_started = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        addrinfo hints{};
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICHOST | AI_PASSIVE;
        addrinfo* address = nullptr;
        if (!m_started || ::getaddrinfo(numericAddress, "80", &hints, &address) != 0)
            return;
        m_socket = ::socket(address->ai_family, SOCK_STREAM, IPPROTO_TCP);
        m_listening =
            m_socket != INVALID_SOCKET &&
            ::bind(m_socket, address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0 &&
            ::listen(m_socket, 4) == 0;
        ::freeaddrinfo(address);
    }
    ~Port80Listener() {
        if (m_socket != INVALID_SOCKET)
            ::closesocket(m_socket);
        if (m_started)
            ::WSACleanup();
    }
    Port80Listener(const Port80Listener&) = delete;
    Port80Listener& operator=(const Port80Listener&) = delete;

    bool Listening() const { return m_listening; }

private:
    bool m_started = false;
    SOCKET m_socket = INVALID_SOCKET;
    bool m_listening = false;
};
