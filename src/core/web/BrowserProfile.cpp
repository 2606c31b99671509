#include "BrowserProfile.h"

#include "config/Profile.h"

namespace {

const QString kSection = QStringLiteral("Browser");
const QString kStartPage = QStringLiteral("StartPage");
const QString kKeywordService = QStringLiteral("KeywordService");

QString typedKey(int number) {
    return QStringLiteral("url%1").arg(number);
}

} // namespace

QStringList BrowserProfile::typedAddresses() const {
    QStringList addresses;
    for (int number = 1; addresses.size() < kMaxTyped; ++number) {
        // A missing value ends the list; a blank one, left by hand, does not.
        if (!m_profile.contains(kSection, typedKey(number)))
            break;
        const QString trimmed = m_profile.textValue(kSection, typedKey(number)).trimmed();
        if (!trimmed.isEmpty() && !addresses.contains(trimmed))
            addresses << trimmed;
    }
    return addresses;
}

bool BrowserProfile::rememberTyped(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return true;
    QStringList addresses = typedAddresses();
    addresses.removeAll(trimmed);
    addresses.prepend(trimmed);
    addresses = addresses.mid(0, kMaxTyped);
    for (int i = 0; i < addresses.size(); ++i)
        m_profile.setValue(kSection, typedKey(i + 1), addresses[i]);
    // Reading stops at the first missing value: one left right after the end
    // by hand would otherwise join the list.
    m_profile.remove(kSection, typedKey(int(addresses.size()) + 1));
    return m_profile.sync();
}

QString BrowserProfile::startPage() const {
    return m_profile.textValue(kSection, kStartPage).trimmed();
}

bool BrowserProfile::setStartPage(const QString& address) {
    return store(kStartPage, address.trimmed());
}

QString BrowserProfile::keywordService() const {
    return m_profile.textValue(kSection, kKeywordService).trimmed();
}

bool BrowserProfile::setKeywordService(const QString& host) {
    return store(kKeywordService, host.trimmed());
}

bool BrowserProfile::store(const QString& key, const QString& value) {
    m_profile.setValue(kSection, key, value);
    return m_profile.sync();
}
