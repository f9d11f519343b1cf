#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

// A TCP client socket, IPv4 or IPv6, that connects without blocking: many
// attempts can be under way at once.
class CAsyncSocket {
public:
    CAsyncSocket() = default;
    ~CAsyncSocket() { Close(); }
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;

    // Makes a socket of the address's family and starts connecting to it;
    // false when that failed at once. The address is numeric, as
    // LookupAddresses gives it.
    bool Connect(const char* numericAddress, unsigned short port);
    void Close();

    SOCKET m_hSocket = INVALID_SOCKET;
};

// Waits at most waitMs for one of the sockets, each connecting, to be
// connected or to have failed: its place in the list, with connected set, or
// -1 when none was in that time. Closed ones (INVALID_SOCKET) are passed over;
// of the others it watches FD_SETSIZE at most.
int WaitForConnectResult(const std::vector<SOCKET>& connecting, unsigned waitMs, bool* connected);

// The numeric addresses of a host name or address (code page 936), IPv4 and
// IPv6, in the order the system prefers them; empty when it has none. A name
// in any script is looked up as the system's own commands look it up.
std::vector<std::string> LookupAddresses(const char* host);

// Whether the text is an IPv4 address in any form the system's parser reads
// (short, octal and hex forms too), or an IPv6 address as it reads those.
bool IsIpv4Address(const char* text);
bool IsIpv6Address(const char* text);
