#pragma once

#include "base/Result.h"
#include "sensornet/LineSettings.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace kelvara::sensornet {

// Why a port could not be opened, in terms the adapter link can turn into its error numbers.
enum class PortFailure {
    None,
    NotFound,        // no such device, or no device name could be made from the settings
    AccessDenied,    // no permission, or another program holds the device
    AlreadyOpen,     // this port object is open already
    SettingsRefused, // the device opened but would not take the line settings
    Other,
};

// A failed opening: the driver's words for it, with the PortFailure as its code.
[[nodiscard]] inline base::Failure portFailure(PortFailure kind, QString text) {
    return base::fail(std::move(text), static_cast<int>(kind));
}

// One serial line to the bus adapter: open with line settings, send bytes, collect what has arrived.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device named in the settings and applies the line settings; on failure (its code a
    // PortFailure) the port stays closed.
    [[nodiscard]] virtual base::Result<void> open(const LineSettings& settings) = 0;
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;

    // Hands the bytes to the line; false when the port refused them (see takeError).
    virtual bool write(const QByteArray& bytes) = 0;
    // Everything received so far, removed from the port; empty when nothing has arrived.
    virtual QByteArray readAll() = 0;
    // Blocks for at most ms milliseconds until new bytes arrive; true when some did. An implementation never
    // returns early without data while open, so a caller that loops on it does not spin.
    virtual bool waitForReadyRead(int ms) = 0;
    // The description of the last failure since the previous call, then forgets it; empty when none.
    virtual QString takeError() = 0;
    // Whether the open device has failed (hung up, I/O error, unplugged): nothing more will come from it
    // until it is closed and opened again. False once closed.
    [[nodiscard]] virtual bool failed() const = 0;
};

// Makes a new, closed port: every window that talks to the adapter has its own.
using PortFactory = std::function<std::unique_ptr<SerialPort>()>;

} // namespace kelvara::sensornet
