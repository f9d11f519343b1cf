#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

// A blocking TCP client socket, IPv4 or IPv6.
class CSocket {
public:
    CSocket() = default;
    ~CSocket() { Close(); }
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    // Makes a socket of the address's family and blocks until the connection
    // is made, refused or timed out. The address is numeric, as
    // LookupAddresses gives it.
    bool Connect(const char* numericAddress, unsigned short port);
    void Close();

private:
    SOCKET m_hSocket = INVALID_SOCKET;
};

// The numeric addresses of a host name or address, IPv4 and IPv6, in the
// order the system prefers them; empty when it has none.
std::vector<std::string> LookupAddresses(const char* host);

// Whether the text is an IPv6 address as the system's parser reads it.
bool IsIpv6Address(const char* text);
