#include "store/Schema.h"

namespace kelvara::store {

namespace {

using T = ColumnType;

std::vector<ColumnDef> texts(std::initializer_list<const char*> names) {
    std::vector<ColumnDef> columns;
    for (const char* name : names)
        columns.push_back({QString::fromLatin1(name), T::Text});
    return columns;
}

std::vector<ColumnDef> concat(std::vector<ColumnDef> a, const std::vector<ColumnDef>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<ColumnDef>& companyColumns() {
    static const std::vector<ColumnDef> columns =
        texts({"BusinessName", "Address", "Town", "Prov", "PostalCode", "WorkPhone", "FaxNumber"});
    return columns;
}

TableDef systemTable() {
    std::vector<ColumnDef> columns{
        {"LastDate", T::Date}, {"LastTime", T::Time}, {"HotLastDate", T::Date}, {"HotLastTime", T::Time}};
    columns = concat(columns, companyColumns());
    columns = concat(
        columns, {{"Mode", T::Text}, {"Rooms", T::Integer}, {"Password", T::Text}, {"BatchNo", T::Integer}});
    return {QStringLiteral("System"), columns};
}

TableDef monitorSetsTable() {
    return {QStringLiteral("MonitorSets"),
            {{"Room", T::Integer},
             {"Name", T::Text},
             {"SerialNo", T::Text},
             {"Calibration", T::Real},
             {"Record", T::Flag},
             {"CurrentTemp", T::Text},
             {"TimeRead", T::Time},
             {"Alarm", T::Flag},
             {"HighAlarm", T::Real},
             {"LowAlarm", T::Real},
             {"AlarmDelay", T::Integer},
             {"Alarmstarted", T::Flag},
             {"AlarmOn", T::Time},
             {"DisableAlarm", T::Flag},
             {"Duration", T::Integer},
             {"ALarmSerialNo", T::Text},
             {"AlarmLedNo", T::Integer},
             // Written by the sensor installation with every zone row.
             {"ALarmPanelID", T::Integer}}};
}

TableDef monitorTable() {
    // The readings follow the record's date and time directly: the chart reads a zone's value by
    // its position in the row.
    std::vector<ColumnDef> columns{{"RecDate", T::Date}, {"RecTime", T::Time}};
    for (int room = 1; room <= Schema::kMonitorTempColumns; ++room)
        columns.push_back({Schema::monitorTempColumn(room), T::Text});
    columns.push_back({QStringLiteral("Alarm"), T::Flag});
    columns.push_back({QStringLiteral("TempType"), T::Text});
    return {QStringLiteral("Monitor"), columns};
}

TableDef alarmsTable() {
    return {QStringLiteral("Alarms"),
            {{"Room", T::Integer},
             {"Date", T::Date},
             {"Time", T::Time},
             {"Temp", T::Text},
             {"AlarmTemp", T::Integer},
             {"AlarmType", T::Text},
             {"TempType", T::Text}}};
}

TableDef alarmPanelTable() {
    return {QStringLiteral("AlarmPanel"),
            {{"AlarmLedNo", T::Integer}, {"ALarmSerialNo", T::Text}, {"ALarmPanelID", T::Integer}}};
}

TableDef callAlarmTable() {
    std::vector<ColumnDef> columns{{"CallID", T::Integer}, {"Notify", T::Text},   {"Active", T::Flag},
                                   {"Repeat", T::Integer}, {"Retry", T::Integer}, {"LastCall", T::Time},
                                   {"Actual", T::Integer}};
    columns = concat(columns, texts({"Rooms", "Recipient", "RecipientNo", "AccessNo", "Message", "Device",
                                     "Speed", "Parity", "Password", "Protocol", "SendType", "SenderNo",
                                     // The notification list window keeps the chosen provider and
                                     // the rest of its line settings in the row.
                                     "Provider", "DataBits", "StopBits"}));
    // The date of the last successful notification, beside its time of day, so the spacing between two
    // notifications counts whole days as well.
    columns.push_back({QStringLiteral("LastCallDate"), T::Date});
    return {QStringLiteral("CallAlarm"), columns};
}

TableDef providerTable() {
    return {QStringLiteral("Provider"), texts({"Provider", "AccessNo", "Device", "Speed", "DataBits",
                                               "Parity", "StopBits", "Password", "Protocol"})};
}

TableDef settingsTable() {
    std::vector<ColumnDef> columns = concat(companyColumns(), {{"Password", T::Text},
                                                               // Number of cook sensors installed.
                                                               {"houses", T::Integer}});
    return {QStringLiteral("Settings"), columns};
}

TableDef thermoSensorsTable() {
    return {QStringLiteral("ThermoSensors"),
            {{"SensorNo", T::Integer},
             {"Name", T::Text},
             {"SerialNo", T::Text},
             {"LightSerialNo", T::Text},
             {"SensorType", T::Text},
             {"Alarm", T::Flag},
             {"Selected", T::Flag},
             {"Started", T::Flag},
             {"Cookdone", T::Flag},
             {"Target", T::Integer},
             // Holds "NR" when a cycle stopped without a reading, so it is left free to keep text.
             {"FinishTemp", T::Real},
             {"BatchNo", T::Integer},
             {"BatchID", T::Text},
             {"ProductID", T::Integer},
             {"Description", T::Text},
             {"StartTime", T::Text},
             {"EndTime", T::Text},
             {"CookHours", T::Real},
             {"CookMins", T::Real},
             // The installation's lamp assignment, as the zone side keeps it in MonitorSets.
             {"LightNo", T::Integer},
             {"LightPanelID", T::Integer}}};
}

TableDef productsTable() {
    return {QStringLiteral("Products"),
            {{"ProductID", T::AutoKey},
             {"Description", T::Text},
             {"CookHours", T::Real},
             {"CookMins", T::Real},
             {"DesiredTemp", T::Real}}};
}

TableDef lightPanelTable() {
    return {QStringLiteral("LightPanel"),
            {{"LightNo", T::Integer}, {"LightSerialNo", T::Text}, {"LightPanelID", T::Integer}}};
}

TableDef batchsTable() {
    return {QStringLiteral("Batchs"),
            {{"BatchNo", T::Integer},
             {"BatchID", T::Text},
             {"SensorNo", T::Integer},
             {"ProductID", T::Integer},
             {"Date", T::Date},
             {"StartTime", T::Text},
             {"EndTime", T::Text},
             {"Target", T::Integer},
             {"FinishTemp", T::Real},
             {"CookHours", T::Real},
             {"CookMins", T::Real},
             {"TempType", T::Text}}};
}

TableDef cookCyclesTable() {
    return {QStringLiteral("CookCycles"),
            {{"BatchNo", T::Integer},
             {"Date", T::Date},
             {"Time", T::Text},
             {"Temperature", T::Text},
             {"DayTime", T::Text}}};
}

IndexDef monitorIndex() {
    return {QStringLiteral("Monitor_RecDate_RecTime"), QStringLiteral("Monitor"), {"RecDate", "RecTime"}};
}
IndexDef alarmsIndex() {
    return {QStringLiteral("Alarms_Date_Time_Room"), QStringLiteral("Alarms"), {"Date", "Time", "Room"}};
}

} // namespace

const std::vector<TableDef>& Schema::tables(DatabaseKind kind) {
    static const std::vector<TableDef> kvr{systemTable(),  monitorSetsTable(), monitorTable(),
                                           alarmsTable(),  alarmPanelTable(),  callAlarmTable(),
                                           providerTable()};
    static const std::vector<TableDef> thermo{settingsTable(),   thermoSensorsTable(), productsTable(),
                                              lightPanelTable(), batchsTable(),        cookCyclesTable()};
    // The archive takes whole rows of the zone database, so its tables match those column for column.
    static const std::vector<TableDef> archive{monitorTable(), alarmsTable(), monitorSetsTable()};
    static const std::vector<TableDef> none;
    switch (kind) {
    case DatabaseKind::Kvr:
        return kvr;
    case DatabaseKind::Thermo:
        return thermo;
    case DatabaseKind::Archive:
        return archive;
    case DatabaseKind::ThermoTypes:
        break;
    }
    return none;
}

const std::vector<IndexDef>& Schema::indexes(DatabaseKind kind) {
    static const std::vector<IndexDef> kvr{monitorIndex(), alarmsIndex()};
    static const std::vector<IndexDef> thermo{
        {QStringLiteral("CookCycles_BatchNo"), QStringLiteral("CookCycles"), {"BatchNo"}},
        {QStringLiteral("Batchs_BatchNo"), QStringLiteral("Batchs"), {"BatchNo"}}};
    static const std::vector<IndexDef> none;
    switch (kind) {
    case DatabaseKind::Kvr:
    case DatabaseKind::Archive:
        return kvr;
    case DatabaseKind::Thermo:
        return thermo;
    case DatabaseKind::ThermoTypes:
        break;
    }
    return none;
}

QString Schema::quoted(const QString& identifier) {
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString Schema::columnSql(const ColumnDef& column) {
    QString type;
    switch (column.type) {
    case ColumnType::Text:
    case ColumnType::Date:
    case ColumnType::Time:
        type = QStringLiteral("TEXT");
        break;
    case ColumnType::Integer:
        type = QStringLiteral("INTEGER");
        break;
    case ColumnType::Real:
        type = QStringLiteral("REAL");
        break;
    case ColumnType::Flag:
        // A yes/no value is never unknown.
        type = QStringLiteral("INTEGER NOT NULL DEFAULT 0");
        break;
    case ColumnType::AutoKey:
        // AUTOINCREMENT: a deleted key is never handed out again, since other tables keep it.
        type = QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        break;
    }
    return quoted(column.name) + QLatin1Char(' ') + type;
}

QString Schema::createTableSql(const TableDef& table) {
    QStringList columns;
    for (const ColumnDef& column : table.columns)
        columns << columnSql(column);
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
        .arg(quoted(table.name), columns.join(QStringLiteral(", ")));
}

QString Schema::createIndexSql(const IndexDef& index) {
    QStringList columns;
    for (const QString& column : index.columns)
        columns << quoted(column);
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(quoted(index.name), quoted(index.table), columns.join(QStringLiteral(", ")));
}

QString Schema::monitorTempColumn(int room) {
    if (room < 1 || room > kMonitorTempColumns)
        return {};
    return (room <= 2 ? QStringLiteral("temp") : QStringLiteral("Temp")) + QString::number(room);
}

} // namespace kelvara::store
