#pragma once

#include <QByteArray>

#include <thread>

// The far end of one HTTP connection on 127.0.0.1 for a client that blocks:
// it serves on a thread of its own, reads the request up to its blank line,
// plays its part and keeps what the client sent. Every wait of its own ends
// after kPatienceMs, so that a client that hangs fails its test instead of
// hanging it.
class PeerServer {
public:
    enum class Part {
        CloseAtOnce,     // accepts and closes without reading
        AnswerAndClose,  // sends the answer after the request, then closes
        AnswerAndWait,   // sends the answer, then waits for the client to close
        AnswerEndlessly, // sends the answer, then blanks until the client goes
    };

    static constexpr int kPatienceMs = 10000;

    explicit PeerServer(Part part, QByteArray answer = {});
    ~PeerServer();

    PeerServer(const PeerServer&) = delete;
    PeerServer& operator=(const PeerServer&) = delete;

    bool listening() const { return m_port != 0; }
    int port() const { return m_port; }

    // Both wait for the server to be done with the connection.
    // What the client sent before the server stopped reading.
    QByteArray received();
    // True when the client closed the connection while the server waited.
    bool clientClosed();

private:
    void serve();
    void readRequest(int connection);
    void waitForClose(int connection);
    void sendEndlessly(int connection);
    void finish();

    Part m_part;
    QByteArray m_answer;
    int m_listener = -1;
    int m_port = 0;
    QByteArray m_received;
    bool m_clientClosed = false;
    std::thread m_thread;
};
