#include "CHttpSocket.h"

#include "config/TextCodec.h"

#include <QByteArrayView>
#include <QStringView>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Writes a request into the fixed buffer and remembers when a piece did not
// fit, so that a request is refused whole instead of being sent cut. The
// buffer always keeps room for the terminator.
class RequestWriter {
public:
    RequestWriter(char* buffer, size_t capacity) : m_buffer(buffer), m_capacity(capacity) {}

    void append(const char* text) {
        const size_t size = std::strlen(text);
        if (m_overflowed || size >= m_capacity - m_used) {
            m_overflowed = true;
            return;
        }
        std::memcpy(m_buffer + m_used, text, size);
        m_used += size;
    }

    void appendNumber(long number) {
        char digits[24];
        std::snprintf(digits, sizeof digits, "%ld", number);
        append(digits);
    }

    bool overflowed() const { return m_overflowed; }
    size_t size() const { return m_used; }

private:
    char* m_buffer;
    size_t m_capacity;
    size_t m_used = 0;
    bool m_overflowed = false;
};

// A line break inside a field would end its line early and let the rest
// pass for a field or a request of its own.
bool holdsLineBreak(const char* field) {
    return field != nullptr && std::strpbrk(field, "\r\n") != nullptr;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Field names are ASCII; folding other bytes would make two different
// Chinese characters of GB18030 look alike.
bool equalIgnoringAsciiCase(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The value of a field without the blanks around it, and without the CR
// of its line end. Trimmed once decoded: the decoder drops a character cut
// off at the end, which can leave a CR last that was not last in the bytes.
QString fieldValue(QByteArrayView rest) {
    const QString decoded = TextCodec::decode(rest);
    QStringView value(decoded);
    while (!value.isEmpty() && isBlank(value.front()))
        value = value.sliced(1);
    while (!value.isEmpty() && (isBlank(value.back()) || value.back() == QLatin1Char('\r')))
        value.chop(1);
    return value.toString();
}

} // namespace

const char* CHttpSocket::FormatRequestHeader(const char* server, const char* object, long& length,
                                             const char* cookie, const char* referer,
                                             long rangeStart, long rangeEnd, int type) {
    std::memset(m_requestHeader, 0, sizeof m_requestHeader);
    length = 0;
    if (server == nullptr || object == nullptr)
        return nullptr;
    for (const char* field : {server, object, cookie, referer}) {
        if (holdsLineBreak(field))
            return nullptr;
    }

    RequestWriter request(m_requestHeader, sizeof m_requestHeader);
    request.append("GET ");
    request.append(object);
    request.append(" HTTP/1.1\r\nHost:");
    request.append(server);
    request.append("\r\n");
    if (referer != nullptr) {
        request.append("Referer:");
        request.append(referer);
        request.append("\r\n");
    }
    request.append("Accept:*/*\r\n"
                   "User-Agent:Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                   "Connection:Keep-Alive\r\n");
    if (cookie != nullptr) {
        request.append("Set Cookie:0");
        request.append(cookie);
        request.append("\r\n");
    }
    if (rangeStart > 0) {
        request.append("Range: bytes=");
        request.appendNumber(rangeStart);
        request.append("-");
        if (rangeEnd > rangeStart)
            request.appendNumber(rangeEnd);
        request.append("\r\n");
    }
    request.append("\r\n");

    if (request.overflowed()) {
        std::memset(m_requestHeader, 0, sizeof m_requestHeader);
        return nullptr;
    }
    length = long(request.size());
    return m_requestHeader;
}

int CHttpSocket::GetRequestHeader(char* destination, int maxLength) const {
    if (destination == nullptr || maxLength <= 0)
        return 0;
    const size_t composed = ::strnlen(m_requestHeader, sizeof m_requestHeader);
    const size_t copied = std::min(composed, size_t(maxLength));
    std::memcpy(destination, m_requestHeader, copied);
    return int(copied);
}

int CHttpSocket::GetResponseLine(char* destination, int maxLength) {
    if (m_lineCursor >= m_headerLength) {
        m_lineCursor = 0;
        return -1;
    }
    if (destination == nullptr || maxLength <= 0)
        return 0;
    int copied = 0;
    while (copied < maxLength && m_lineCursor < m_headerLength) {
        const char byte = m_responseHeader[m_lineCursor++];
        destination[copied++] = byte;
        if (byte == '\n')
            break;
    }
    return copied;
}

int CHttpSocket::GetServerState() const {
    if (m_headerLength < 0)
        return -1;
    // The code follows "HTTP/1.1 " or "HTTP/1.0 "; leading digits count, as
    // atoi reads them, and a header too short to hold all three ends them.
    constexpr int kCodeStart = 9;
    constexpr int kCodeDigits = 3;
    int code = 0;
    for (int at = kCodeStart; at < kCodeStart + kCodeDigits && at < m_headerLength; ++at) {
        const char c = m_responseHeader[at];
        if (c < '0' || c > '9')
            break;
        code = code * 10 + (c - '0');
    }
    return code;
}

int CHttpSocket::GetField(QString fieldName, QString& value, int maxLength) const {
    value.clear();
    const QByteArray name = TextCodec::encode(fieldName);
    if (m_headerLength < 0 || name.isEmpty())
        return -1;
    const QByteArrayView header(m_responseHeader, m_headerLength);
    // A field is a line that starts with its name and a colon. The status
    // line holds none, and a name met inside another field's value is not
    // that field. A bare LF ends a line as well, so that no value holds one.
    qsizetype lineEnd = header.indexOf('\n');
    while (lineEnd >= 0) {
        const qsizetype lineStart = lineEnd + 1;
        lineEnd = header.indexOf('\n', lineStart);
        if (lineEnd < 0)
            break;
        const QByteArrayView line = header.sliced(lineStart, lineEnd - lineStart);
        if (line.size() <= name.size() || line.at(name.size()) != ':' ||
            !equalIgnoringAsciiCase(line.first(name.size()), name))
            continue;
        value = fieldValue(line.sliced(name.size() + 1));
        return int(value.size());
    }
    return -1;
}
