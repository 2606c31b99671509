#include "Profile.h"

#include <QDir>
#include <QStandardPaths>

Profile::Profile(const QString& filePath) : m_settings(filePath, QSettings::IniFormat) {}

QString Profile::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Keepsake/Keepsake.conf");
}

bool Profile::contains(const QString& section, const QString& key) const {
    return m_settings.contains(section + QLatin1Char('/') + key);
}

int Profile::intValue(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int v = m_settings.value(section + QLatin1Char('/') + key).toInt(&ok);
    return ok ? v : fallback;
}

QString Profile::textValue(const QString& section, const QString& key,
                           const QString& fallback) const {
    return m_settings.value(section + QLatin1Char('/') + key, fallback).toString();
}

void Profile::setValue(const QString& section, const QString& key, const QVariant& value) {
    m_settings.setValue(section + QLatin1Char('/') + key, value);
}

void Profile::remove(const QString& section, const QString& key) {
    m_settings.remove(section + QLatin1Char('/') + key);
}

bool Profile::sync() {
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}
