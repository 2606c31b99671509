#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// The per-user values (text size, custom time filter, update check, browser
// history) in one INI file, by default ~/.config/Keepsake/Keepsake.conf.
// Tests point it at a temporary file.
class Profile {
public:
    explicit Profile(const QString& filePath = defaultPath());

    static QString defaultPath();

    bool contains(const QString& section, const QString& key) const;
    int intValue(const QString& section, const QString& key, int fallback) const;
    QString textValue(const QString& section, const QString& key,
                      const QString& fallback = {}) const;
    void setValue(const QString& section, const QString& key, const QVariant& value);
    void remove(const QString& section, const QString& key);

    // Writes pending changes; false when the file cannot be written.
    bool sync();
    QString filePath() const { return m_settings.fileName(); }

private:
    mutable QSettings m_settings;
};
