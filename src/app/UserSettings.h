#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace kelvara::app {

// The per-user settings store (serial port parameters): application "Kelvara", string values by section and
// key.
class UserSettings {
public:
    // The platform's store for this user (on Linux an INI file under $XDG_CONFIG_HOME/Kelvara).
    UserSettings();
    // A store kept in the given INI file (tests, or a site that carries its own port settings).
    explicit UserSettings(const QString& iniPath);

    [[nodiscard]] QString get(const QString& section, const QString& key,
                              const QString& defaultValue = {}) const;
    void save(const QString& section, const QString& key, const QString& value);
    [[nodiscard]] bool contains(const QString& section, const QString& key) const;
    void remove(const QString& section, const QString& key);

    static inline const QString kSection = QStringLiteral("Properties");

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace kelvara::app
