#pragma once

#include "app/TemperatureUnit.h"
#include "base/Result.h"
#include "store/CompanyInfo.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kelvara::app {

struct AppContext;

// The values the system settings window edits in KVR.INI, one per line of the file and in the file's order.
struct SystemSettings {
    store::CompanyInfo company;             // the first seven lines
    QString TempType = QStringLiteral("C"); // "F" or "C", see temperatureUnit()
    bool AudibleAlarmOff = false;
    double ColdReadHours = 0;
    double ColdReadMins = 0;
    double ColdRecHours = 0;
    double ColdRecMins = 0;
    int Zones = 0;
    double HotReadHours = 0;
    double HotReadMins = 0;
    double HotRecHours = 0;
    double HotRecMins = 0;
    int BatchNo = 0;
    bool DialInternet = false;
    QString SMTPName;
    QString SMTPSender;
    QString SMTPEmail;
    QString SMTPLoginID;
    QString SMTPPassword;
    bool SMTPLogin = false;

    [[nodiscard]] bool celsius() const { return temperatureUnit(TempType) == QLatin1String("C"); }
    // The unit as the site row's Mode column keeps it: the caption of the chosen unit.
    [[nodiscard]] QString modeCaption() const;

    bool operator==(const SystemSettings&) const = default;
};

// Reads and writes the whole of KVR.INI for the system settings window, and keeps the site rows in step.
class SystemSettingsFile {
public:
    // The values are taken by line position, whatever the keys say, so a file whose lines were moved
    // around fills the wrong fields; reading stops at "DONE" or the end of the text.
    [[nodiscard]] static SystemSettings parse(const QByteArray& bytes);
    // The whole file: every key with its value, then "DONE", CR LF line ends.
    [[nodiscard]] static QByteArray format(const SystemSettings& settings);

    // The nearest whole number to the text's leading number, halves to the even neighbour; 0 for no number.
    [[nodiscard]] static int wholeNumber(const QString& text);

    [[nodiscard]] static base::Result<SystemSettings> load(const QString& path);
    // Writes a temporary file and renames it over the old one, so a crash or a full disk leaves the
    // previous file whole. Returns the error text on failure.
    [[nodiscard]] static base::Result<void> save(const QString& path, const SystemSettings& settings);

    // Brings the System row (company, unit, zones, password, batch number) and, when the cook side runs,
    // the company columns of the cook Settings row up to date. Returns the first error met.
    [[nodiscard]] static base::Result<void>
    saveSiteRows(const AppContext& ctx, const SystemSettings& settings, const QString& password);
};

} // namespace kelvara::app
