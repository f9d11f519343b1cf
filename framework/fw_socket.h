#pragma once

#include <winsock2.h>

// A blocking TCP client socket.
class CSocket {
public:
    CSocket() = default;
    ~CSocket() { Close(); }
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;

    bool Create();
    // Blocks until the connection is made, refused or timed out.
    bool Connect(const char* dottedAddress, unsigned short port);
    void Close();

private:
    SOCKET m_hSocket = INVALID_SOCKET;
};
