#pragma once

#include "sensornet/AdapterCommands.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SwitchList.h"
#include "sensornet/TemperatureDecoder.h"

#include <QString>
#include <functional>
#include <vector>

namespace kelvara::sensornet {

// How one sensor's reading ended.
enum class ReadState {
    Read,        // a temperature was decoded
    NoData,      // the address echo was missing, or the sensor's answer carried no usable temperature
    Unconfirmed, // every attempt got an echo other than the ROM id: nothing was read
};

// The result of reading one temperature sensor, with what the adapter said on the last attempt.
struct SensorReading {
    ReadState state = ReadState::NoData;
    double celsius = 0; // 0 unless state is Read
    // What the last attempt got, for the read log: the cleaned address echo, and the temperature answer
    // with the adapter's echo of the written bytes removed (empty when the attempt never got so far).
    QString addressAnswer;
    QString temperatureAnswer;
    int attempts = 0;
};

// One device a search found: the answer as it came (for the activity list) and the ROM id it names.
struct FoundDevice {
    QString rawAnswer;
    QString romId;

    [[nodiscard]] QString family() const { return romId.right(2); }
};

// Which devices a search asks for.
enum class DeviceSearch { All, AlarmSwitches, Thermocouples };

// The operations on the devices of the sensor bus, each one or a few adapter exchanges.
class SensorBus {
public:
    SensorBus(AdapterLink& link, sensornet::AdapterCommands commands);

    // Resets the bus; the answer names whether any device is present ("P") and is not examined further.
    QString busReset();
    // Addresses a device and returns its cleaned echo: the ROM id when the device was selected, "Error"
    // when the echo was missing or short. Addressing a lamp switch toggles its output.
    QString select(const QString& romId);
    // Sends the address command followed by the given text unchanged (an entry of the switch list, which
    // brings its own separator).
    QString address(const QString& suffix);
    // Starts a temperature conversion in the selected sensor.
    QString convert();
    // Re-selects the device addressed last.
    QString reselect();
    // The selected sensor's scratchpad as hex, without the adapter's echo of the read command, ending in the
    // carriage return that closed the exchange.
    QString readTemperature();
    // The selected thermocouple sensor's register answer as it came.
    QString readThermocouple();
    // Lists the devices of a search in the adapter's order; stops at a short answer or a short echo.
    std::vector<FoundDevice> enumerate(DeviceSearch search);
    // The same search, handing each device to onDevice as it comes; ends early when onDevice returns false
    // (a window that takes no more than a fixed number of devices).
    void enumerate(DeviceSearch search, const std::function<bool(const FoundDevice&)>& onDevice);
    // Whether a device search gets an answer long enough to hold a ROM id.
    bool adapterPresent();
    // The switches whose output is on now.
    SwitchList activeSwitches();
    // Addresses a lamp switch, which turns its lamp on if it was off and off if it was on.
    QString toggleSwitch(const QString& romId) { return select(romId); }

    // Starts one conversion in every sensor on the bus (a reset, then ConvertAllCmd) and waits for it: read
    // slots until the line reads 1, with a pause between them, at most kConversionPolls of them. True when
    // the conversion started; false without a ConvertAllCmd or when the adapter did not echo the block.
    bool convertAll();
    // Up to three attempts of reset, select, convert, re-select and read; stops at the first usable answer.
    // After convertAll the first attempt reads without converting again; later ones convert their sensor.
    SensorReading readSensor(const QString& romId, bool converted = false);

    static constexpr int kReadAttempts = 3;
    // The wait between read slots of a conversion, and how many slots make 750 ms (the longest conversion)
    // and a margin.
    static constexpr qint64 kConversionPollMs = 50;
    static constexpr int kConversionPolls = 20;
    // The shortest search answer that can hold a ROM id.
    static constexpr int kShortestSearchAnswer = 11;

    [[nodiscard]] const sensornet::AdapterCommands& commands() const { return m_commands; }

private:
    [[nodiscard]] QString firstSearchCommand(DeviceSearch search) const;

    AdapterLink& m_link;
    sensornet::AdapterCommands m_commands;
};

} // namespace kelvara::sensornet
