#include "framework/fw_socket.h"

bool CSocket::Create() {
    Close();
    m_hSocket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    return m_hSocket != INVALID_SOCKET;
}

bool CSocket::Connect(const char* dottedAddress, unsigned short port) {
    if (m_hSocket == INVALID_SOCKET)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(port);
    address.sin_addr.s_addr = ::inet_addr(dottedAddress);
    return ::connect(m_hSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

void CSocket::Close() {
    if (m_hSocket != INVALID_SOCKET) {
        ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
}
