#pragma once

#include "web/UpdateFetch.h"
#include "web/UpdateFile.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class Profile;

// What the notice window tells the user: the new version and its sites.
struct UpdateNotice {
    QString version;
    QList<UpdateSite> sites;
};

// The daily update check. Once a day, when the user has named an update
// server, it asks that server for the update file on a thread of its own and,
// when the served version is newer than the program's and the user has not
// been told of it yet, announces a notice. The day is stored before anything
// is sent, so a check that fails is not repeated that day.
//
// The fetch blocks its thread, in the worst case in the system's name lookup,
// which no time-out reaches. So the thread is never waited for: it holds only
// its own copies, and destroying the check (when the window closes) returns
// at once; a fetch that ends later finds the check gone and drops its result.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    using Fetch = std::function<std::optional<QByteArray>(const UpdateServer&)>;

    static constexpr std::chrono::milliseconds kDeadline{15000};

    // The profile is used on the owner's thread only. "UploadFile" goes into
    // the program folder (with its trailing "/").
    UpdateCheck(Profile& profile, const QString& programFolder, QObject* parent = nullptr);
    ~UpdateCheck() override;

    // Replaces the fetch over the network, for the deadline or for tests.
    void setFetch(Fetch fetch) { m_fetch = std::move(fetch); }

    // Starts today's check. False when none is due: no server is named, or
    // the check ran today. After true, finished follows once.
    bool start();

Q_SIGNALS:
    // The user is to be told of this version; "UpdateVersion" already says so.
    void noticeFound(const UpdateNotice& notice);
    void finished();

private:
    struct Channel;

    void takeBody(const std::optional<QByteArray>& body);
    std::optional<UpdateNotice> noticeOf(const QByteArray& body);

    Profile& m_profile;
    QString m_programFolder;
    Fetch m_fetch;
    std::shared_ptr<Channel> m_channel;
};
