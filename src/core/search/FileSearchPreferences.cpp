#include "FileSearchPreferences.h"

#include "config/Profile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("FileSearch");
const QString kDocumentText = QStringLiteral("DocumentText");

// A path holds characters QSettings would take for groups or escape
// unreadably; its hash is a plain key and the same for every spelling of
// the same file.
QString indexKey(const QString& databasePath) {
    const QString canonical = QFileInfo(databasePath).absoluteFilePath();
    return QStringLiteral("ContentIndex_") +
           QString::fromLatin1(
               QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace

FileSearchPreferences::FileSearchPreferences(Profile& profile) : m_profile(profile) {}

bool FileSearchPreferences::documentText() const {
    return m_profile.intValue(kSection, kDocumentText, 1) != 0;
}

void FileSearchPreferences::setDocumentText(bool on) {
    m_profile.setValue(kSection, kDocumentText, on ? 1 : 0);
    m_profile.sync();
}

bool FileSearchPreferences::contentIndex(const QString& databasePath) const {
    return m_profile.intValue(kSection, indexKey(databasePath), 1) != 0;
}

void FileSearchPreferences::setContentIndex(const QString& databasePath, bool on) {
    m_profile.setValue(kSection, indexKey(databasePath), on ? 1 : 0);
    m_profile.sync();
}
