#include "UpdateCheck.h"

#include "config/SafeFileWriter.h"
#include "config/TextCodec.h"
#include "util/TimeText.h"
#include "web/UpdateProfile.h"

#include <mutex>
#include <thread>

// What the check and its thread share. The thread hands its result over
// under the lock, and the check clears owner under the same lock when it
// goes, so a result is either posted to a living check (whose destruction
// then drops the posted call) or not posted at all.
struct UpdateCheck::Channel {
    std::mutex mutex;
    UpdateCheck* owner = nullptr;
};

UpdateCheck::UpdateCheck(Profile& profile, const QString& programFolder, QObject* parent)
    : QObject(parent), m_profile(profile), m_programFolder(programFolder),
      m_fetch([](const UpdateServer& server) { return UpdateFetch::fetch(server, kDeadline); }),
      m_channel(std::make_shared<Channel>()) {
    m_channel->owner = this;
}

UpdateCheck::~UpdateCheck() {
    std::lock_guard lock(m_channel->mutex);
    m_channel->owner = nullptr;
}

bool UpdateCheck::start() {
    UpdateProfile values(m_profile);
    // With no server named nothing is sent and no day is used up: a server
    // named later is asked at the next start.
    const std::optional<UpdateServer> server = UpdateServer::parse(values.server());
    if (!server)
        return false;
    const QString today = TimeText::now().left(10);
    if (values.updateDate() == today)
        return false;
    values.setUpdateDate(today);

    std::thread([channel = m_channel, fetch = m_fetch, server = *server] {
        const std::optional<QByteArray> body = fetch(server);
        std::lock_guard lock(channel->mutex);
        if (UpdateCheck* owner = channel->owner)
            QMetaObject::invokeMethod(
                owner, [owner, body] { owner->takeBody(body); }, Qt::QueuedConnection);
    }).detach();
    return true;
}

void UpdateCheck::takeBody(const std::optional<QByteArray>& body) {
    if (body) {
        if (const std::optional<UpdateNotice> notice = noticeOf(*body))
            Q_EMIT noticeFound(*notice);
    }
    Q_EMIT finished();
}

std::optional<UpdateNotice> UpdateCheck::noticeOf(const QByteArray& body) {
    const std::optional<QByteArray> version = UpdateFile::version(body);
    if (!version || !UpdateFile::isNewer(*version))
        return std::nullopt;
    // Kept as the record of what the server last said; a failure to keep it
    // changes nothing of what the user is told.
    SafeFileWriter::write(m_programFolder + QStringLiteral("UploadFile"), body);

    UpdateProfile values(m_profile);
    const QString versionText = TextCodec::decode(*version);
    if (values.updateVersion() == versionText)
        return std::nullopt;
    values.setUpdateVersion(versionText);
    return UpdateNotice{versionText, UpdateFile::sites(body)};
}
