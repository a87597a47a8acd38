#include "store/SchemaVersion1.h"

// Generated once from the schema of the release that introduced the version count, and frozen since.

namespace kelvara::store {

namespace {

using Table = SchemaVersion1::Table;

Table systemTable() {
    return {"System",
            R"sql(CREATE TABLE IF NOT EXISTS "System" ("LastDate" TEXT, "LastTime" TEXT, )sql"
            R"sql("HotLastDate" TEXT, "HotLastTime" TEXT, "BusinessName" TEXT, "Address" TEXT, )sql"
            R"sql("Town" TEXT, "Prov" TEXT, "PostalCode" TEXT, "WorkPhone" TEXT, "FaxNumber" TEXT, )sql"
            R"sql("Mode" TEXT, "Rooms" INTEGER, "Password" TEXT, "BatchNo" INTEGER))sql",
            {
                {"LastDate", R"sql("LastDate" TEXT)sql"},
                {"LastTime", R"sql("LastTime" TEXT)sql"},
                {"HotLastDate", R"sql("HotLastDate" TEXT)sql"},
                {"HotLastTime", R"sql("HotLastTime" TEXT)sql"},
                {"BusinessName", R"sql("BusinessName" TEXT)sql"},
                {"Address", R"sql("Address" TEXT)sql"},
                {"Town", R"sql("Town" TEXT)sql"},
                {"Prov", R"sql("Prov" TEXT)sql"},
                {"PostalCode", R"sql("PostalCode" TEXT)sql"},
                {"WorkPhone", R"sql("WorkPhone" TEXT)sql"},
                {"FaxNumber", R"sql("FaxNumber" TEXT)sql"},
                {"Mode", R"sql("Mode" TEXT)sql"},
                {"Rooms", R"sql("Rooms" INTEGER)sql"},
                {"Password", R"sql("Password" TEXT)sql"},
                {"BatchNo", R"sql("BatchNo" INTEGER)sql"},
            }};
}

Table monitorSetsTable() {
    return {"MonitorSets",
            R"sql(CREATE TABLE IF NOT EXISTS "MonitorSets" ("Room" INTEGER, "Name" TEXT, )sql"
            R"sql("SerialNo" TEXT, "Calibration" REAL, "Record" INTEGER NOT NULL DEFAULT 0, )sql"
            R"sql("CurrentTemp" TEXT, "TimeRead" TEXT, "Alarm" INTEGER NOT NULL DEFAULT 0, )sql"
            R"sql("HighAlarm" REAL, "LowAlarm" REAL, "AlarmDelay" INTEGER, )sql"
            R"sql("Alarmstarted" INTEGER NOT NULL DEFAULT 0, "AlarmOn" TEXT, )sql"
            R"sql("DisableAlarm" INTEGER NOT NULL DEFAULT 0, "Duration" INTEGER, "ALarmSerialNo" TEXT, )sql"
            R"sql("AlarmLedNo" INTEGER, "ALarmPanelID" INTEGER))sql",
            {
                {"Room", R"sql("Room" INTEGER)sql"},
                {"Name", R"sql("Name" TEXT)sql"},
                {"SerialNo", R"sql("SerialNo" TEXT)sql"},
                {"Calibration", R"sql("Calibration" REAL)sql"},
                {"Record", R"sql("Record" INTEGER NOT NULL DEFAULT 0)sql"},
                {"CurrentTemp", R"sql("CurrentTemp" TEXT)sql"},
                {"TimeRead", R"sql("TimeRead" TEXT)sql"},
                {"Alarm", R"sql("Alarm" INTEGER NOT NULL DEFAULT 0)sql"},
                {"HighAlarm", R"sql("HighAlarm" REAL)sql"},
                {"LowAlarm", R"sql("LowAlarm" REAL)sql"},
                {"AlarmDelay", R"sql("AlarmDelay" INTEGER)sql"},
                {"Alarmstarted", R"sql("Alarmstarted" INTEGER NOT NULL DEFAULT 0)sql"},
                {"AlarmOn", R"sql("AlarmOn" TEXT)sql"},
                {"DisableAlarm", R"sql("DisableAlarm" INTEGER NOT NULL DEFAULT 0)sql"},
                {"Duration", R"sql("Duration" INTEGER)sql"},
                {"ALarmSerialNo", R"sql("ALarmSerialNo" TEXT)sql"},
                {"AlarmLedNo", R"sql("AlarmLedNo" INTEGER)sql"},
                {"ALarmPanelID", R"sql("ALarmPanelID" INTEGER)sql"},
            }};
}

Table monitorTable() {
    return {"Monitor",
            R"sql(CREATE TABLE IF NOT EXISTS "Monitor" ("RecDate" TEXT, "RecTime" TEXT, "temp1" TEXT, )sql"
            R"sql("temp2" TEXT, "Temp3" TEXT, "Temp4" TEXT, "Temp5" TEXT, "Temp6" TEXT, "Temp7" TEXT, )sql"
            R"sql("Temp8" TEXT, "Temp9" TEXT, "Temp10" TEXT, "Temp11" TEXT, "Temp12" TEXT, )sql"
            R"sql("Temp13" TEXT, "Temp14" TEXT, "Temp15" TEXT, "Temp16" TEXT, "Temp17" TEXT, )sql"
            R"sql("Temp18" TEXT, "Temp19" TEXT, "Temp20" TEXT, "Alarm" INTEGER NOT NULL DEFAULT 0, )sql"
            R"sql("TempType" TEXT))sql",
            {
                {"RecDate", R"sql("RecDate" TEXT)sql"},
                {"RecTime", R"sql("RecTime" TEXT)sql"},
                {"temp1", R"sql("temp1" TEXT)sql"},
                {"temp2", R"sql("temp2" TEXT)sql"},
                {"Temp3", R"sql("Temp3" TEXT)sql"},
                {"Temp4", R"sql("Temp4" TEXT)sql"},
                {"Temp5", R"sql("Temp5" TEXT)sql"},
                {"Temp6", R"sql("Temp6" TEXT)sql"},
                {"Temp7", R"sql("Temp7" TEXT)sql"},
                {"Temp8", R"sql("Temp8" TEXT)sql"},
                {"Temp9", R"sql("Temp9" TEXT)sql"},
                {"Temp10", R"sql("Temp10" TEXT)sql"},
                {"Temp11", R"sql("Temp11" TEXT)sql"},
                {"Temp12", R"sql("Temp12" TEXT)sql"},
                {"Temp13", R"sql("Temp13" TEXT)sql"},
                {"Temp14", R"sql("Temp14" TEXT)sql"},
                {"Temp15", R"sql("Temp15" TEXT)sql"},
                {"Temp16", R"sql("Temp16" TEXT)sql"},
                {"Temp17", R"sql("Temp17" TEXT)sql"},
                {"Temp18", R"sql("Temp18" TEXT)sql"},
                {"Temp19", R"sql("Temp19" TEXT)sql"},
                {"Temp20", R"sql("Temp20" TEXT)sql"},
                {"Alarm", R"sql("Alarm" INTEGER NOT NULL DEFAULT 0)sql"},
                {"TempType", R"sql("TempType" TEXT)sql"},
            }};
}

Table alarmsTable() {
    return {"Alarms",
            R"sql(CREATE TABLE IF NOT EXISTS "Alarms" ("Room" INTEGER, "Date" TEXT, "Time" TEXT, )sql"
            R"sql("Temp" TEXT, "AlarmTemp" INTEGER, "AlarmType" TEXT, "TempType" TEXT))sql",
            {
                {"Room", R"sql("Room" INTEGER)sql"},
                {"Date", R"sql("Date" TEXT)sql"},
                {"Time", R"sql("Time" TEXT)sql"},
                {"Temp", R"sql("Temp" TEXT)sql"},
                {"AlarmTemp", R"sql("AlarmTemp" INTEGER)sql"},
                {"AlarmType", R"sql("AlarmType" TEXT)sql"},
                {"TempType", R"sql("TempType" TEXT)sql"},
            }};
}

Table alarmPanelTable() {
    return {"AlarmPanel",
            R"sql(CREATE TABLE IF NOT EXISTS "AlarmPanel" ("AlarmLedNo" INTEGER, "ALarmSerialNo" TEXT, )sql"
            R"sql("ALarmPanelID" INTEGER))sql",
            {
                {"AlarmLedNo", R"sql("AlarmLedNo" INTEGER)sql"},
                {"ALarmSerialNo", R"sql("ALarmSerialNo" TEXT)sql"},
                {"ALarmPanelID", R"sql("ALarmPanelID" INTEGER)sql"},
            }};
}

Table callAlarmTable() {
    return {"CallAlarm",
            R"sql(CREATE TABLE IF NOT EXISTS "CallAlarm" ("CallID" INTEGER, "Notify" TEXT, )sql"
            R"sql("Active" INTEGER NOT NULL DEFAULT 0, "Repeat" INTEGER, "Retry" INTEGER, )sql"
            R"sql("LastCall" TEXT, "Actual" INTEGER, "Rooms" TEXT, "Recipient" TEXT, )sql"
            R"sql("RecipientNo" TEXT, "AccessNo" TEXT, "Message" TEXT, "Device" TEXT, "Speed" TEXT, )sql"
            R"sql("Parity" TEXT, "Password" TEXT, "Protocol" TEXT, "SendType" TEXT, "SenderNo" TEXT, )sql"
            R"sql("Provider" TEXT, "DataBits" TEXT, "StopBits" TEXT))sql",
            {
                {"CallID", R"sql("CallID" INTEGER)sql"},
                {"Notify", R"sql("Notify" TEXT)sql"},
                {"Active", R"sql("Active" INTEGER NOT NULL DEFAULT 0)sql"},
                {"Repeat", R"sql("Repeat" INTEGER)sql"},
                {"Retry", R"sql("Retry" INTEGER)sql"},
                {"LastCall", R"sql("LastCall" TEXT)sql"},
                {"Actual", R"sql("Actual" INTEGER)sql"},
                {"Rooms", R"sql("Rooms" TEXT)sql"},
                {"Recipient", R"sql("Recipient" TEXT)sql"},
                {"RecipientNo", R"sql("RecipientNo" TEXT)sql"},
                {"AccessNo", R"sql("AccessNo" TEXT)sql"},
                {"Message", R"sql("Message" TEXT)sql"},
                {"Device", R"sql("Device" TEXT)sql"},
                {"Speed", R"sql("Speed" TEXT)sql"},
                {"Parity", R"sql("Parity" TEXT)sql"},
                {"Password", R"sql("Password" TEXT)sql"},
                {"Protocol", R"sql("Protocol" TEXT)sql"},
                {"SendType", R"sql("SendType" TEXT)sql"},
                {"SenderNo", R"sql("SenderNo" TEXT)sql"},
                {"Provider", R"sql("Provider" TEXT)sql"},
                {"DataBits", R"sql("DataBits" TEXT)sql"},
                {"StopBits", R"sql("StopBits" TEXT)sql"},
            }};
}

Table providerTable() {
    return {"Provider",
            R"sql(CREATE TABLE IF NOT EXISTS "Provider" ("Provider" TEXT, "AccessNo" TEXT, )sql"
            R"sql("Device" TEXT, "Speed" TEXT, "DataBits" TEXT, "Parity" TEXT, "StopBits" TEXT, )sql"
            R"sql("Password" TEXT, "Protocol" TEXT))sql",
            {
                {"Provider", R"sql("Provider" TEXT)sql"},
                {"AccessNo", R"sql("AccessNo" TEXT)sql"},
                {"Device", R"sql("Device" TEXT)sql"},
                {"Speed", R"sql("Speed" TEXT)sql"},
                {"DataBits", R"sql("DataBits" TEXT)sql"},
                {"Parity", R"sql("Parity" TEXT)sql"},
                {"StopBits", R"sql("StopBits" TEXT)sql"},
                {"Password", R"sql("Password" TEXT)sql"},
                {"Protocol", R"sql("Protocol" TEXT)sql"},
            }};
}

Table settingsTable() {
    return {"Settings",
            R"sql(CREATE TABLE IF NOT EXISTS "Settings" ("BusinessName" TEXT, "Address" TEXT, )sql"
            R"sql("Town" TEXT, "Prov" TEXT, "PostalCode" TEXT, "WorkPhone" TEXT, "FaxNumber" TEXT, )sql"
            R"sql("Password" TEXT, "houses" INTEGER))sql",
            {
                {"BusinessName", R"sql("BusinessName" TEXT)sql"},
                {"Address", R"sql("Address" TEXT)sql"},
                {"Town", R"sql("Town" TEXT)sql"},
                {"Prov", R"sql("Prov" TEXT)sql"},
                {"PostalCode", R"sql("PostalCode" TEXT)sql"},
                {"WorkPhone", R"sql("WorkPhone" TEXT)sql"},
                {"FaxNumber", R"sql("FaxNumber" TEXT)sql"},
                {"Password", R"sql("Password" TEXT)sql"},
                {"houses", R"sql("houses" INTEGER)sql"},
            }};
}

Table thermoSensorsTable() {
    return {"ThermoSensors",
            R"sql(CREATE TABLE IF NOT EXISTS "ThermoSensors" ("SensorNo" INTEGER, "Name" TEXT, )sql"
            R"sql("SerialNo" TEXT, "LightSerialNo" TEXT, "SensorType" TEXT, )sql"
            R"sql("Alarm" INTEGER NOT NULL DEFAULT 0, "Selected" INTEGER NOT NULL DEFAULT 0, )sql"
            R"sql("Started" INTEGER NOT NULL DEFAULT 0, "Cookdone" INTEGER NOT NULL DEFAULT 0, )sql"
            R"sql("Target" INTEGER, "FinishTemp" REAL, "BatchNo" INTEGER, "BatchID" TEXT, )sql"
            R"sql("ProductID" INTEGER, "Description" TEXT, "StartTime" TEXT, "EndTime" TEXT, )sql"
            R"sql("CookHours" REAL, "CookMins" REAL, "LightNo" INTEGER, "LightPanelID" INTEGER))sql",
            {
                {"SensorNo", R"sql("SensorNo" INTEGER)sql"},
                {"Name", R"sql("Name" TEXT)sql"},
                {"SerialNo", R"sql("SerialNo" TEXT)sql"},
                {"LightSerialNo", R"sql("LightSerialNo" TEXT)sql"},
                {"SensorType", R"sql("SensorType" TEXT)sql"},
                {"Alarm", R"sql("Alarm" INTEGER NOT NULL DEFAULT 0)sql"},
                {"Selected", R"sql("Selected" INTEGER NOT NULL DEFAULT 0)sql"},
                {"Started", R"sql("Started" INTEGER NOT NULL DEFAULT 0)sql"},
                {"Cookdone", R"sql("Cookdone" INTEGER NOT NULL DEFAULT 0)sql"},
                {"Target", R"sql("Target" INTEGER)sql"},
                {"FinishTemp", R"sql("FinishTemp" REAL)sql"},
                {"BatchNo", R"sql("BatchNo" INTEGER)sql"},
                {"BatchID", R"sql("BatchID" TEXT)sql"},
                {"ProductID", R"sql("ProductID" INTEGER)sql"},
                {"Description", R"sql("Description" TEXT)sql"},
                {"StartTime", R"sql("StartTime" TEXT)sql"},
                {"EndTime", R"sql("EndTime" TEXT)sql"},
                {"CookHours", R"sql("CookHours" REAL)sql"},
                {"CookMins", R"sql("CookMins" REAL)sql"},
                {"LightNo", R"sql("LightNo" INTEGER)sql"},
                {"LightPanelID", R"sql("LightPanelID" INTEGER)sql"},
            }};
}

Table productsTable() {
    return {"Products",
            R"sql(CREATE TABLE IF NOT EXISTS "Products" ("ProductID" INTEGER PRIMARY KEY AUTOINCREMENT, )sql"
            R"sql("Description" TEXT, "CookHours" REAL, "CookMins" REAL, "DesiredTemp" REAL))sql",
            {
                {"ProductID", R"sql("ProductID" INTEGER PRIMARY KEY AUTOINCREMENT)sql", true},
                {"Description", R"sql("Description" TEXT)sql"},
                {"CookHours", R"sql("CookHours" REAL)sql"},
                {"CookMins", R"sql("CookMins" REAL)sql"},
                {"DesiredTemp", R"sql("DesiredTemp" REAL)sql"},
            }};
}

Table lightPanelTable() {
    return {"LightPanel",
            R"sql(CREATE TABLE IF NOT EXISTS "LightPanel" ("LightNo" INTEGER, "LightSerialNo" TEXT, )sql"
            R"sql("LightPanelID" INTEGER))sql",
            {
                {"LightNo", R"sql("LightNo" INTEGER)sql"},
                {"LightSerialNo", R"sql("LightSerialNo" TEXT)sql"},
                {"LightPanelID", R"sql("LightPanelID" INTEGER)sql"},
            }};
}

Table batchsTable() {
    return {"Batchs",
            R"sql(CREATE TABLE IF NOT EXISTS "Batchs" ("BatchNo" INTEGER, "BatchID" TEXT, )sql"
            R"sql("SensorNo" INTEGER, "ProductID" INTEGER, "Date" TEXT, "StartTime" TEXT, )sql"
            R"sql("EndTime" TEXT, "Target" INTEGER, "FinishTemp" REAL, "CookHours" REAL, )sql"
            R"sql("CookMins" REAL, "TempType" TEXT))sql",
            {
                {"BatchNo", R"sql("BatchNo" INTEGER)sql"},
                {"BatchID", R"sql("BatchID" TEXT)sql"},
                {"SensorNo", R"sql("SensorNo" INTEGER)sql"},
                {"ProductID", R"sql("ProductID" INTEGER)sql"},
                {"Date", R"sql("Date" TEXT)sql"},
                {"StartTime", R"sql("StartTime" TEXT)sql"},
                {"EndTime", R"sql("EndTime" TEXT)sql"},
                {"Target", R"sql("Target" INTEGER)sql"},
                {"FinishTemp", R"sql("FinishTemp" REAL)sql"},
                {"CookHours", R"sql("CookHours" REAL)sql"},
                {"CookMins", R"sql("CookMins" REAL)sql"},
                {"TempType", R"sql("TempType" TEXT)sql"},
            }};
}

Table cookCyclesTable() {
    return {"CookCycles",
            R"sql(CREATE TABLE IF NOT EXISTS "CookCycles" ("BatchNo" INTEGER, "Date" TEXT, "Time" TEXT, )sql"
            R"sql("Temperature" TEXT, "DayTime" TEXT))sql",
            {
                {"BatchNo", R"sql("BatchNo" INTEGER)sql"},
                {"Date", R"sql("Date" TEXT)sql"},
                {"Time", R"sql("Time" TEXT)sql"},
                {"Temperature", R"sql("Temperature" TEXT)sql"},
                {"DayTime", R"sql("DayTime" TEXT)sql"},
            }};
}

} // namespace

const std::vector<SchemaVersion1::Table>& SchemaVersion1::tables(DatabaseKind kind) {
    static const std::vector<Table> kvr{systemTable(),     monitorSetsTable(), monitorTable(), alarmsTable(),
                                        alarmPanelTable(), callAlarmTable(),   providerTable()};
    static const std::vector<Table> thermo{settingsTable(),   thermoSensorsTable(), productsTable(),
                                           lightPanelTable(), batchsTable(),        cookCyclesTable()};
    static const std::vector<Table> archive{monitorTable(), alarmsTable(), monitorSetsTable()};
    static const std::vector<Table> none;
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

const std::vector<const char*>& SchemaVersion1::indexes(DatabaseKind kind) {
    static const std::vector<const char*> kvr{
        R"sql(CREATE INDEX IF NOT EXISTS "Monitor_RecDate_RecTime" ON "Monitor" ("RecDate", "RecTime"))sql",
        R"sql(CREATE INDEX IF NOT EXISTS "Alarms_Date_Time_Room" ON "Alarms" ("Date", "Time", "Room"))sql"};
    static const std::vector<const char*> thermo{
        R"sql(CREATE INDEX IF NOT EXISTS "CookCycles_BatchNo" ON "CookCycles" ("BatchNo"))sql",
        R"sql(CREATE INDEX IF NOT EXISTS "Batchs_BatchNo" ON "Batchs" ("BatchNo"))sql"};
    static const std::vector<const char*> none;
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

} // namespace kelvara::store
