#pragma once

#include <QString>
#include <QStringList>

class Profile;

// The browser's values in the user's profile, section "Browser": the
// addresses typed into the address box, the start page and the keyword
// service. The profile is read afresh each time, so a value another window
// of the same user stored is not written back over.
class BrowserProfile {
public:
    static constexpr int kMaxTyped = 25;

    explicit BrowserProfile(Profile& profile) : m_profile(profile) {}

    // Newest first, each once, at most kMaxTyped; read as "url1", "url2" …
    // up to the first that is missing.
    QStringList typedAddresses() const;
    // Puts the address first, drops its older copy and what passes
    // kMaxTyped. False when the profile cannot be written.
    bool rememberTyped(const QString& address);

    // Where "主页" goes; empty for none, which shows a blank page.
    QString startPage() const;
    bool setStartPage(const QString& address);

    // The host (and port) that single words typed into the address box are
    // looked up on. Empty until the user names one, so no word the user
    // types is sent anywhere unasked.
    QString keywordService() const;
    bool setKeywordService(const QString& host);

private:
    bool store(const QString& key, const QString& value);

    Profile& m_profile;
};
