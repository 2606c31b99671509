#include "PeerServer.h"

#include <cerrno>
#include <utility>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

void setPatience(int connection) {
    timeval limit{};
    limit.tv_sec = PeerServer::kPatienceMs / 1000;
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

bool sendAll(int connection, const QByteArray& bytes) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t now =
            ::send(connection, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (now <= 0)
            return false;
        sent += now;
    }
    return true;
}

} // namespace

PeerServer::PeerServer(Part part, QByteArray answer) : m_part(part), m_answer(std::move(answer)) {
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (m_listener < 0 ||
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 1) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread(&PeerServer::serve, this);
}

PeerServer::~PeerServer() {
    finish();
    if (m_listener >= 0)
        ::close(m_listener);
}

QByteArray PeerServer::received() {
    finish();
    return m_received;
}

bool PeerServer::clientClosed() {
    finish();
    return m_clientClosed;
}

void PeerServer::finish() {
    if (m_thread.joinable())
        m_thread.join();
}

void PeerServer::serve() {
    pollfd waiting{m_listener, POLLIN, 0};
    if (::poll(&waiting, 1, kPatienceMs) != 1)
        return;
    const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0)
        return;
    setPatience(connection);
    if (m_part != Part::CloseAtOnce) {
        readRequest(connection);
        if (!m_clientClosed && sendAll(connection, m_answer)) {
            if (m_part == Part::AnswerAndWait)
                waitForClose(connection);
            else if (m_part == Part::AnswerEndlessly)
                sendEndlessly(connection);
        }
    }
    ::close(connection);
}

void PeerServer::readRequest(int connection) {
    char byte = 0;
    while (!m_received.endsWith("\r\n\r\n")) {
        const ssize_t got = ::recv(connection, &byte, 1, 0);
        if (got <= 0) {
            m_clientClosed = got == 0;
            return;
        }
        m_received.append(byte);
    }
}

void PeerServer::waitForClose(int connection) {
    char buffer[512];
    for (;;) {
        const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) {
            m_clientClosed = got == 0;
            return;
        }
        m_received.append(buffer, got);
    }
}

void PeerServer::sendEndlessly(int connection) {
    const QByteArray blanks(512, ' ');
    while (sendAll(connection, blanks)) {
    }
}
