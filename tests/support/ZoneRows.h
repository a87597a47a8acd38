#pragma once

#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace kelvara::test {

// Zones of these rooms and names, every other column at its default.
inline void addZones(const store::Database& kvr, const std::vector<std::pair<int, QString>>& zones) {
    for (const auto& [room, name] : zones) {
        store::MonitorSetsRow zone;
        zone.Room = room;
        zone.Name = name;
        EXPECT_TRUE(store::MonitorSetsStore(kvr).insert(zone).ok()) << "room " << room;
    }
}

// A Monitor record of `day` and `time` with these values by room.
inline void addReading(const store::Database& db, const QDate& day, const QTime& time,
                       const std::vector<std::pair<int, QString>>& values, const QString& unit = {}) {
    store::MonitorRow row;
    row.RecDate = day;
    row.RecTime = time;
    row.TempType = unit;
    for (const auto& [room, value] : values)
        row.setTemp(room, value);
    EXPECT_TRUE(store::MonitorStore(db).insert(row).ok());
}

} // namespace kelvara::test
