#include "app/UserSettings.h"

namespace kelvara::app {

UserSettings::UserSettings()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Kelvara"), QStringLiteral("Kelvara"))) {}

UserSettings::UserSettings(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QString UserSettings::get(const QString& section, const QString& key, const QString& defaultValue) const {
    const QVariant value = m_settings->value(section + QLatin1Char('/') + key, defaultValue);
    // A hand-written INI line such as Settings=115200,n,8,1 comes back as a list of its comma-separated
    // parts; the store's values are plain strings, so the parts are joined again.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void UserSettings::save(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
}

bool UserSettings::contains(const QString& section, const QString& key) const {
    return m_settings->contains(section + QLatin1Char('/') + key);
}

void UserSettings::remove(const QString& section, const QString& key) {
    m_settings->remove(section + QLatin1Char('/') + key);
    m_settings->sync();
}

} // namespace kelvara::app
