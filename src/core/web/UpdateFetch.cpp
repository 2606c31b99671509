#include "UpdateFetch.h"

#include "web/CHttpSocket.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until the deadline; 0 once it has passed. A socket
// time-out of 0 would mean none at all, so callers stop at 0.
int millisecondsLeft(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    return int(std::clamp<qint64>(left.count(), 0, 24 * 60 * 60 * 1000));
}

// Both time-outs at once: connecting and sending use the send one, the
// header and body reads the receive one.
bool limitTo(CHttpSocket& socket, Clock::time_point end) {
    const int left = millisecondsLeft(end);
    return left > 0 && socket.SetTimeout(left, 0) && socket.SetTimeout(left, 1);
}

} // namespace

std::optional<UpdateServer> UpdateServer::parse(const QString& setting) {
    static const QRegularExpression form(
        QStringLiteral("^([A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?)(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch match = form.match(setting.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    UpdateServer server;
    server.host = match.captured(1).toLatin1();
    if (match.hasCaptured(2)) {
        server.port = match.captured(2).toInt();
        if (server.port < 1 || server.port > 65535)
            return std::nullopt;
    }
    return server;
}

namespace UpdateFetch {

std::optional<QByteArray> fetch(const UpdateServer& server, std::chrono::milliseconds deadline) {
    const Clock::time_point end = Clock::now() + deadline;
    CHttpSocket socket;
    // The time-outs are set before connecting: a server that accepts and
    // never answers must not hold the check past its deadline.
    if (!socket.Socket() || !limitTo(socket, end) ||
        !socket.Connect(server.host.constData(), server.port))
        return std::nullopt;

    const QByteArray hostField =
        server.port == 80 ? server.host : server.host + ':' + QByteArray::number(server.port);
    long requestLength = 0;
    if (!socket.FormatRequestHeader(hostField.constData(), kObjectPath, requestLength) ||
        !limitTo(socket, end) || !socket.SendRequest())
        return std::nullopt;
    // An error page is never the update file, whatever its first line says.
    if (socket.GetServerState() != 200)
        return std::nullopt;

    QString lengthText;
    socket.GetField(QStringLiteral("Content-Length"), lengthText);
    bool isNumber = false;
    const qint64 length = lengthText.toLongLong(&isNumber);
    if (!isNumber || length <= 0)
        return std::nullopt;

    const qint64 wanted = std::min<qint64>(length, kMaxBodyBytes);
    QByteArray body;
    char block[1024];
    while (body.size() < wanted) {
        const int left = millisecondsLeft(end);
        if (left <= 0 || !socket.SetTimeout(left, 0))
            break;
        const long received =
            socket.Receive(block, long(std::min<qint64>(sizeof block, wanted - body.size())));
        if (received <= 0)
            break;
        body.append(block, received);
    }
    // A body cut short keeps what came.
    if (body.isEmpty())
        return std::nullopt;
    return body;
}

} // namespace UpdateFetch
