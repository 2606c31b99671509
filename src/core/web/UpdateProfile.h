#pragma once

#include <QString>

class Profile;

// The update check's values in the user's profile, section "Update": the day
// of the last check, the last version the user was told of, and the server
// asked. The profile is read afresh each time, so a value that the other
// program of the same user stored is not written back over.
class UpdateProfile {
public:
    explicit UpdateProfile(Profile& profile) : m_profile(profile) {}

    // "yyyy-MM-dd" of the last check; empty before the first.
    QString updateDate() const;
    bool setUpdateDate(const QString& date);

    QString updateVersion() const;
    bool setUpdateVersion(const QString& version);

    // A host with an optional ":port". Empty until the user names one: the
    // program then asks nobody.
    QString server() const;
    bool setServer(const QString& server);

private:
    QString value(const QString& key) const;
    bool store(const QString& key, const QString& value);

    Profile& m_profile;
};
