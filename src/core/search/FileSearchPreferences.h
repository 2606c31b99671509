#pragma once

#include <QString>

class Profile;

// The file search's choices that live in the user's profile: the settings
// file "SearchConfig.ini" has a fixed form that other copies of the program
// read, so what it cannot hold is kept here. Both choices start on: a user
// who never opens the settings finds the words of rich text and web pages,
// and a new base gets its content index.
class FileSearchPreferences {
public:
    explicit FileSearchPreferences(Profile& profile);

    // Search the text a reader sees in RTF, HTML and MHT files rather than
    // their markup.
    bool documentText() const;
    void setDocumentText(bool on);

    // Keep a content index for the base whose catalogue is at databasePath.
    // Keyed by the path, not the base's ID: IDs are per program folder and
    // two program folders may share a profile.
    bool contentIndex(const QString& databasePath) const;
    void setContentIndex(const QString& databasePath, bool on);

private:
    Profile& m_profile;
};
