#pragma once

#include <QString>

// A small blocking HTTP/1.1 client over one TCP connection, with which the
// update check fetches one short text file. One object serves one request:
// make a socket, connect, send a GET request, which reads the answer's header,
// then look at the status and the fields and read the body.
//
// Both headers live in fixed buffers and nothing the peer sends can write past
// them: a request that would not fit, or whose fields hold a line break, is
// refused before anything is sent, and an answer whose header does not end
// within the buffer counts as no answer. Connecting, sending and each wait
// for the peer's bytes end after the time-outs set with SetTimeout; finding
// the host's address takes the system's own time.
class CHttpSocket {
public:
    // Both headers with their terminating zero.
    static constexpr int kHeaderBufferSize = 1024;

    CHttpSocket();
    // Closes the socket the object holds.
    virtual ~CHttpSocket();

    // A copy would close the socket a second time.
    CHttpSocket(const CHttpSocket&) = delete;
    CHttpSocket& operator=(const CHttpSocket&) = delete;

    // Makes the TCP socket for the next Connect; a socket held from before is
    // closed first. False while connected, and when no socket can be made.
    bool Socket();
    // Connects the socket made by Socket to the first IPv4 address of the host.
    // Called while connected it only closes the connection and fails: the
    // next connection needs a new Socket.
    bool Connect(const char* host, int port);
    // Takes over a socket that is connected already, closing any held one:
    // a connection made elsewhere, such as one end of a socket pair that
    // plays a recorded answer. False for a negative descriptor.
    bool adoptConnected(int descriptor);

    // Composes a GET request for the object path on the server into the
    // object's request header and returns it, with its length in bytes. A
    // cookie and a referrer may be null; a range is asked for only when its
    // start is above 0, and its end only when above the start. The last
    // argument is unused. A request that would not fit the buffer, or a field
    // holding CR or LF, gives null and length 0 and leaves the header empty,
    // so that no part of such a request can be sent.
    const char* FormatRequestHeader(const char* server, const char* object, long& length,
                                    const char* cookie = nullptr, const char* referer = nullptr,
                                    long rangeStart = 0, long rangeEnd = 0, int type = 0);
    // Sends the request (null: the object's own; length 0: up to its
    // terminator) and reads the answer's header. True when the whole request
    // was sent and a whole header came back; the header is read only once
    // in the object's life.
    bool SendRequest(const char* header = nullptr, long length = 0);
    // Reads at most size bytes of the body: their number, 0 when the peer
    // has closed, -1 on an error or a time-out. On 0 or -1 the object closes
    // its socket, so that later calls return 0 at once. A call without room
    // to read into gives -1 and leaves the connection open.
    long Receive(char* buffer, long size);
    // Closes the socket; true also when none was held. The response header
    // stays.
    bool CloseSocket();

    // Copies the request header, at most maxLength bytes and no terminator;
    // the number of bytes copied.
    int GetRequestHeader(char* destination, int maxLength) const;
    // Sets the socket's time-out in milliseconds, 0 for none: kind 0 for
    // receiving, any other kind for sending and connecting. False without a
    // socket or for a negative time.
    bool SetTimeout(int milliseconds, int kind);

    // The answer's header, read from the connection on the first call and
    // terminated by a zero, with its length in bytes; null and length 0 when
    // no whole header came.
    const char* GetResponseHeader(int& length);
    // Copies the next line of the header with its CR LF, at most maxLength
    // bytes and no terminator; the number of bytes copied. At the end -1,
    // and the next call starts again at the first line.
    int GetResponseLine(char* destination, int maxLength);
    // The status code of the answer's status line; -1 when no header is held.
    int GetServerState() const;
    // The value of the header field with that name (in any letter case),
    // without the blanks around it, and its length; -1 and an empty value
    // when no field line has that name. maxLength is unused.
    int GetField(QString fieldName, QString& value, int maxLength = 0) const;

private:
    int readResponseHeader();

    char m_requestHeader[kHeaderBufferSize] = {};
    char m_responseHeader[kHeaderBufferSize] = {};
    int m_port = 80;
    bool m_connected = false;
    int m_socket = -1;
    int m_lineCursor = 0;
    bool m_headerRead = false;
    // -1 while no whole header is held.
    int m_headerLength = -1;
};
