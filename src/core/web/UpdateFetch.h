#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

// The update server as the user named it: a host name or IPv4 address with
// an optional ":port".
struct UpdateServer {
    QByteArray host;
    int port = 80;

    // Nothing for an empty setting and for one that is not a plain host with
    // a port from 1 to 65535: a scheme, a path or a blank in it would
    // otherwise end up in the request.
    static std::optional<UpdateServer> parse(const QString& setting);
};

// Fetches "/NetUpload/UpdateInfo.txt" from the update server with a blocking
// CHttpSocket. It blocks its thread, so it is run off the window's thread.
namespace UpdateFetch {

inline constexpr char kObjectPath[] = "/NetUpload/UpdateInfo.txt";
// The file is a few lines; a larger answer is cut here.
inline constexpr qsizetype kMaxBodyBytes = 64 * 1024;

// The body of a "200" answer with a positive Content-Length, read until that
// length, kMaxBodyBytes, the peer's close or the deadline, whichever comes
// first. The deadline bounds connecting, sending and every read; finding the
// host's address takes the system's own time, which nothing here can shorten.
std::optional<QByteArray> fetch(const UpdateServer& server, std::chrono::milliseconds deadline);

} // namespace UpdateFetch
