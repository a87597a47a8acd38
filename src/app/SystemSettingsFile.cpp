#include "app/SystemSettingsFile.h"

#include "app/AppContext.h"
#include "app/IniText.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/SystemStore.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <functional>

namespace kelvara::app {

namespace {

// How one line of the file maps onto its field: read from the trimmed value, written back as text.
struct Line {
    const char* key; // as the file writes it, "=" included
    std::function<void(SystemSettings&, const QString&)> read;
    std::function<QString(const SystemSettings&)> write;
};

Line text(const char* key, QString SystemSettings::*field) {
    return {key, [field](SystemSettings& s, const QString& v) { s.*field = v; },
            [field](const SystemSettings& s) { return s.*field; }};
}

Line company(const char* key, QString store::CompanyInfo::*field) {
    return {key, [field](SystemSettings& s, const QString& v) { s.company.*field = v; },
            [field](const SystemSettings& s) { return s.company.*field; }};
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

Line number(const char* key, double SystemSettings::*field) {
    return {key, [field](SystemSettings& s, const QString& v) { s.*field = IniText::leadingNumber(v); },
            [field](const SystemSettings& s) { return numberText(s.*field); }};
}

Line whole(const char* key, int SystemSettings::*field) {
    return {key,
            [field](SystemSettings& s, const QString& v) { s.*field = SystemSettingsFile::wholeNumber(v); },
            [field](const SystemSettings& s) { return QString::number(s.*field); }};
}

// Check boxes are written as their numeric value; "True"/"False" are read as well, since start-up
// accepts them too.
Line check(const char* key, bool SystemSettings::*field) {
    return {
        key,
        [field](SystemSettings& s, const QString& v) { s.*field = IniText::truthValue(v).value_or(false); },
        [field](const SystemSettings& s) { return QString::number(s.*field ? 1 : 0); }};
}

const std::array<Line, 26>& lines() {
    static const std::array<Line, 26> table{
        company("Business Name=", &store::CompanyInfo::BusinessName),
        company("Address=", &store::CompanyInfo::Address),
        company("Town=", &store::CompanyInfo::Town),
        company("Prov=", &store::CompanyInfo::Prov),
        company("PostalCode=", &store::CompanyInfo::PostalCode),
        company("WorkPhone=", &store::CompanyInfo::WorkPhone),
        company("FaxNumber=", &store::CompanyInfo::FaxNumber),
        Line{"TempType=", [](SystemSettings& s, const QString& v) { s.TempType = temperatureUnit(v); },
             [](const SystemSettings& s) { return QString::fromLatin1(s.celsius() ? "C" : "F"); }},
        check("AudibleAlarmOff=", &SystemSettings::AudibleAlarmOff),
        number("ColdReadHours=", &SystemSettings::ColdReadHours),
        number("ColdReadMins=", &SystemSettings::ColdReadMins),
        number("ColdRecHours=", &SystemSettings::ColdRecHours),
        number("ColdRecMins=", &SystemSettings::ColdRecMins),
        Line{"Zones=",
             [](SystemSettings& s, const QString& v) {
                 s.Zones = IniText::toInt16(IniText::leadingNumber(v));
             },
             [](const SystemSettings& s) { return QString::number(s.Zones); }},
        number("HotReadHours=", &SystemSettings::HotReadHours),
        number("HotReadMins=", &SystemSettings::HotReadMins),
        number("HotRecHours=", &SystemSettings::HotRecHours),
        number("HotRecMins=", &SystemSettings::HotRecMins),
        whole("BatchNo=", &SystemSettings::BatchNo),
        check("DialInternet=", &SystemSettings::DialInternet),
        text("SMTPName=", &SystemSettings::SMTPName),
        text("SMTPSender=", &SystemSettings::SMTPSender),
        text("SMTPEmail=", &SystemSettings::SMTPEmail),
        text("SMTPLoginID=", &SystemSettings::SMTPLoginID),
        text("SMTPPassword=", &SystemSettings::SMTPPassword),
        check("SMTPLogin=", &SystemSettings::SMTPLogin),
    };
    return table;
}

} // namespace

QString SystemSettings::modeCaption() const {
    return celsius() ? QStringLiteral("Celsius") : QStringLiteral("Fahrenheit");
}

SystemSettings SystemSettingsFile::parse(const QByteArray& bytes) {
    SystemSettings s;
    std::size_t position = 0;
    for (const QString& line : IniText::splitLines(bytes)) {
        if (line == IniText::kDone || position == lines().size())
            break;
        // A line without "=" still takes its place, with an empty value.
        const auto e = IniText::entry(line);
        lines()[position++].read(s, e ? e->value.trimmed() : QString());
    }
    return s;
}

QByteArray SystemSettingsFile::format(const SystemSettings& settings) {
    QByteArray out;
    for (const Line& line : lines())
        out += QByteArray(line.key) + line.write(settings).toLatin1() + "\r\n";
    return out + IniText::kDone.toLatin1() + "\r\n";
}

int SystemSettingsFile::wholeNumber(const QString& text) {
    // Rounded as start-up rounds the zone count; std::nearbyint follows the default to-nearest-even mode.
    const double rounded = std::nearbyint(IniText::leadingNumber(text));
    if (std::isnan(rounded))
        return 0;
    return static_cast<int>(std::clamp(rounded, double(INT_MIN), double(INT_MAX)));
}

base::Result<SystemSettings> SystemSettingsFile::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return base::fail(f.errorString());
    return parse(f.readAll());
}

base::Result<void> SystemSettingsFile::save(const QString& path, const SystemSettings& settings) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return base::fail(out.errorString());
    const QByteArray bytes = format(settings);
    if (out.write(bytes) != bytes.size()) {
        const QString error = out.errorString();
        out.cancelWriting();
        return base::fail(error);
    }
    if (!out.commit())
        return base::fail(out.errorString());
    return {};
}

base::Result<void> SystemSettingsFile::saveSiteRows(const AppContext& ctx, const SystemSettings& settings,
                                                    const QString& password) {
    if (ctx.hasZoneSide() && ctx.databases.kvr && ctx.databases.kvr->isOpen()) {
        const store::SystemStore system(*ctx.databases.kvr);
        if (auto ensured = system.ensureRow(); !ensured.ok())
            return ensured;
        auto row = system.load();
        if (!row)
            return row.failure();
        row->company = settings.company;
        row->Mode = settings.modeCaption();
        row->Rooms = settings.Zones;
        row->Password = password;
        row->BatchNo = settings.BatchNo;
        if (auto updated = system.update(*row); !updated.ok())
            return updated;
    }

    if (ctx.hasCookSide() && ctx.databases.thermo && ctx.databases.thermo->isOpen()) {
        const store::CookSettingsStore cook(*ctx.databases.thermo);
        if (auto ensured = cook.ensureRow(); !ensured.ok())
            return ensured;
        auto row = cook.load();
        if (!row)
            return row.failure();
        row->company = settings.company;
        // A cook-only site has no System row; its login checks this row's password instead.
        if (!ctx.hasZoneSide())
            row->Password = password;
        if (auto updated = cook.update(*row); !updated.ok())
            return updated;
    }
    return {};
}

} // namespace kelvara::app
