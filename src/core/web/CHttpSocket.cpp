#include "CHttpSocket.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <memory>

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

// A signal that interrupts a call is no answer from the peer; the call goes on.
ssize_t receiveSome(int socket, char* buffer, size_t size) {
    for (;;) {
        const ssize_t received = ::recv(socket, buffer, size, 0);
        if (received >= 0 || errno != EINTR)
            return received;
    }
}

// MSG_NOSIGNAL: a peer that has gone must end the send with a failure, not
// end the program with SIGPIPE. A send cut short by a time-out or a signal
// goes on with what is left, so that the peer never gets half a request
// while the call reports it sent.
bool sendAll(int socket, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(socket, bytes, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes += sent;
        size -= size_t(sent);
    }
    return true;
}

struct AddressListDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};

} // namespace

CHttpSocket::CHttpSocket() = default;

CHttpSocket::~CHttpSocket() {
    CloseSocket();
}

bool CHttpSocket::Socket() {
    if (m_connected)
        return false;
    // A socket made before and never connected would otherwise stay open
    // for the life of the program.
    CloseSocket();
    // IPPROTO_TCP rather than asking /etc/protocols, which a minimal system
    // may lack. CLOEXEC keeps the connection out of programs started later.
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    return m_socket >= 0;
}

bool CHttpSocket::Connect(const char* host, int port) {
    if (host == nullptr || *host == '\0')
        return false;
    if (m_connected)
        CloseSocket();
    m_port = port;
    if (m_socket < 0 || port < 1 || port > 65535)
        return false;

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    const std::unique_ptr<addrinfo, AddressListDeleter> addresses(found);

    sockaddr_in address{};
    std::memcpy(&address, addresses->ai_addr, sizeof address);
    address.sin_port = htons(quint16(m_port));
    // A blocking connect on Linux gives up after the send time-out
    // (SO_SNDTIMEO), so SetTimeout bounds it as well.
    if (::connect(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return false;
    m_connected = true;
    return true;
}

bool CHttpSocket::adoptConnected(int descriptor) {
    if (descriptor < 0)
        return false;
    CloseSocket();
    m_socket = descriptor;
    m_connected = true;
    return true;
}

bool CHttpSocket::SendRequest(const char* header, long length) {
    if (!m_connected || length < 0)
        return false;
    if (header == nullptr) {
        // The own header is sent only as far as it goes: a longer length
        // would send what lies beyond it in memory.
        const long composed = long(::strnlen(m_requestHeader, sizeof m_requestHeader));
        if (length > composed)
            return false;
        header = m_requestHeader;
    }
    if (length == 0)
        length = long(std::strlen(header));
    // An empty header is what a refused FormatRequestHeader leaves.
    if (length == 0 || !sendAll(m_socket, header, size_t(length)))
        return false;
    int headerLength = 0;
    return GetResponseHeader(headerLength) != nullptr;
}

long CHttpSocket::Receive(char* buffer, long size) {
    if (!m_connected)
        return 0;
    // A read of nothing would look like a closing peer and end the connection.
    if (buffer == nullptr || size <= 0)
        return -1;
    const ssize_t received = receiveSome(m_socket, buffer, size_t(size));
    if (received <= 0)
        CloseSocket();
    return long(received);
}

bool CHttpSocket::CloseSocket() {
    bool closed = true;
    if (m_socket >= 0) {
        // Linux frees the descriptor even when close reports an error, so it
        // is forgotten either way: closing it again later could close a file
        // that has since been given the same number.
        closed = ::close(m_socket) == 0;
        m_socket = -1;
    }
    m_connected = false;
    return closed;
}

bool CHttpSocket::SetTimeout(int milliseconds, int kind) {
    if (m_socket < 0 || milliseconds < 0)
        return false;
    timeval limit{};
    limit.tv_sec = milliseconds / 1000;
    limit.tv_usec = (milliseconds % 1000) * 1000;
    const int option = kind == 0 ? SO_RCVTIMEO : SO_SNDTIMEO;
    return ::setsockopt(m_socket, SOL_SOCKET, option, &limit, sizeof limit) == 0;
}

const char* CHttpSocket::GetResponseHeader(int& length) {
    // Read once: after a header that failed, where the next answer would
    // start in the connection is unknown.
    if (!m_headerRead && m_connected) {
        m_headerRead = true;
        m_headerLength = readResponseHeader();
    }
    if (m_headerLength < 0) {
        length = 0;
        return nullptr;
    }
    length = m_headerLength;
    return m_responseHeader;
}

int CHttpSocket::readResponseHeader() {
    // One byte a call, so that no byte of the body is taken with the header;
    // one byte of the buffer stays for the terminator.
    int held = 0;
    while (held < kHeaderBufferSize - 1) {
        if (receiveSome(m_socket, m_responseHeader + held, 1) != 1)
            break;
        ++held;
        if (held >= 4 && std::memcmp(m_responseHeader + held - 4, "\r\n\r\n", 4) == 0)
            return held;
    }
    // Half a header is no answer; nothing of it is kept to be mistaken for one.
    std::memset(m_responseHeader, 0, sizeof m_responseHeader);
    return -1;
}
