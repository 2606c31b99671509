#include "UpdateProfile.h"

#include "config/Profile.h"

namespace {

const QString kSection = QStringLiteral("Update");

} // namespace

QString UpdateProfile::updateDate() const {
    return value(QStringLiteral("UpdateDate"));
}

bool UpdateProfile::setUpdateDate(const QString& date) {
    return store(QStringLiteral("UpdateDate"), date);
}

QString UpdateProfile::updateVersion() const {
    return value(QStringLiteral("UpdateVersion"));
}

bool UpdateProfile::setUpdateVersion(const QString& version) {
    return store(QStringLiteral("UpdateVersion"), version);
}

QString UpdateProfile::server() const {
    return value(QStringLiteral("Server")).trimmed();
}

bool UpdateProfile::setServer(const QString& server) {
    return store(QStringLiteral("Server"), server.trimmed());
}

QString UpdateProfile::value(const QString& key) const {
    return m_profile.textValue(kSection, key);
}

bool UpdateProfile::store(const QString& key, const QString& value) {
    m_profile.setValue(kSection, key, value);
    return m_profile.sync();
}
