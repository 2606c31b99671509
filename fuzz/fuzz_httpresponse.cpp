// Any bytes as a server's answer to the HTTP client, played to it through a
// socket pair. The header it takes is exactly the answer up to the first
// blank line when that fits its buffer with a terminator, and nothing
// otherwise; its lines give that header back; a field is found exactly when
// a line after the status line starts with its name and a colon, and its
// value holds no line break and no outer blanks; the body read afterwards is
// exactly what followed the bytes the header reading took.

#include "FuzzSupport.h"
#include "web/CHttpSocket.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// A socket pair holds this much unread without blocking the writer; the
// answers that matter are far shorter than the header buffer anyway.
constexpr size_t kMaxAnswer = 64 * 1024;

const char* const kFieldNames[] = {"Content-Length", "location", "SET-COOKIE", "X"};

bool hasOuterBlank(const QString& value) {
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    return !value.isEmpty() && (blank(value.front()) || blank(value.back()));
}

void checkHeader(CHttpSocket& client, const QByteArray& expected) {
    int length = -1;
    const char* header = client.GetResponseHeader(length);
    FUZZ_EXPECT(header != nullptr);
    FUZZ_EXPECT_EQUAL(QByteArray(header, length), expected);
    FUZZ_EXPECT(header[length] == '\0');

    QByteArray lines;
    char line[37];
    for (int got; (got = client.GetResponseLine(line, sizeof line)) != -1;) {
        FUZZ_EXPECT(got > 0 && got <= int(sizeof line));
        // A piece ends its line unless the room ran out first.
        FUZZ_EXPECT(got == int(sizeof line) || line[got - 1] == '\n');
        lines.append(line, got);
    }
    FUZZ_EXPECT_EQUAL(lines, expected);

    const int state = client.GetServerState();
    FUZZ_EXPECT(state >= 0 && state <= 999);
    if (expected.startsWith("HTTP/1.1 ") && expected.size() >= 12 &&
        std::all_of(expected.begin() + 9, expected.begin() + 12,
                    [](char c) { return c >= '0' && c <= '9'; }))
        FUZZ_EXPECT_EQUAL(state, expected.mid(9, 3).toInt());

    const QByteArray lowered = expected.toLower();
    for (const char* name : kFieldNames) {
        QString value = QStringLiteral("left from before");
        const int result = client.GetField(QString::fromLatin1(name), value);
        const bool present = lowered.contains("\n" + QByteArray(name).toLower() + ":");
        FUZZ_EXPECT_EQUAL(result >= 0, present);
        if (result < 0) {
            FUZZ_EXPECT(value.isEmpty());
            continue;
        }
        FUZZ_EXPECT_EQUAL(result, int(value.size()));
        if (value.contains(QLatin1Char('\n')) || value.endsWith(QLatin1Char('\r')) ||
            hasOuterBlank(value)) {
            QString details;
            QDebug(&details) << name << value;
            Fuzz::fail("a value without line breaks or outer blanks", __FILE__, __LINE__, details);
        }
    }
}

void checkNoHeader(CHttpSocket& client) {
    int length = -1;
    FUZZ_EXPECT(client.GetResponseHeader(length) == nullptr);
    FUZZ_EXPECT_EQUAL(length, 0);
    FUZZ_EXPECT_EQUAL(client.GetServerState(), -1);
    char line[16];
    FUZZ_EXPECT_EQUAL(client.GetResponseLine(line, sizeof line), -1);
    for (const char* name : kFieldNames) {
        QString value = QStringLiteral("left from before");
        FUZZ_EXPECT_EQUAL(client.GetField(QString::fromLatin1(name), value), -1);
        FUZZ_EXPECT(value.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxAnswer)
        return 0;
    const QByteArray answer(reinterpret_cast<const char*>(data), qsizetype(size));
    int ends[2];
    FUZZ_EXPECT(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0);
    FUZZ_EXPECT(::write(ends[1], answer.constData(), size) == ssize_t(size));
    ::shutdown(ends[1], SHUT_WR);

    {
        CHttpSocket client;
        FUZZ_EXPECT(client.adoptConnected(ends[0]));
        long requestLength = 0;
        client.FormatRequestHeader("127.0.0.1", "/NetUpload/UpdateInfo.txt", requestLength);
        const bool headerRead = client.SendRequest();

        // The header reading stops at the blank line, or with the buffer
        // full but for its terminator, or at the end of the answer.
        const qsizetype limit = CHttpSocket::kHeaderBufferSize - 1;
        const qsizetype blank = answer.indexOf("\r\n\r\n");
        const bool fits = blank >= 0 && blank + 4 <= limit;
        FUZZ_EXPECT_EQUAL(headerRead, fits);
        const qsizetype taken = fits ? blank + 4 : std::min(answer.size(), limit);
        if (fits)
            checkHeader(client, answer.first(taken));
        else
            checkNoHeader(client);

        QByteArray body;
        char buffer[100];
        long got = 0;
        while ((got = client.Receive(buffer, sizeof buffer)) > 0)
            body.append(buffer, got);
        FUZZ_EXPECT_EQUAL(got, 0L);
        FUZZ_EXPECT_EQUAL(body, answer.sliced(taken));
        FUZZ_EXPECT_EQUAL(client.Receive(buffer, sizeof buffer), 0L);
    }
    FUZZ_EXPECT(::close(ends[1]) == 0);
    return 0;
}
