#include "sim/Bus.h"

#include <algorithm>

namespace kelvara::sim {

Device& Bus::add(std::unique_ptr<Device> device) {
    remove(device->rom());
    m_devices.push_back(std::move(device));
    return *m_devices.back();
}

bool Bus::remove(const RomId& rom) {
    const auto it = std::find_if(m_devices.begin(), m_devices.end(),
                                 [&](const std::unique_ptr<Device>& d) { return d->rom() == rom; });
    if (it == m_devices.end())
        return false;
    m_devices.erase(it);
    return true;
}

Device* Bus::find(const RomId& rom) const {
    for (const auto& d : m_devices) {
        if (d->rom() == rom)
            return d.get();
    }
    return nullptr;
}

bool Bus::onLine(const Device& device, double now) const {
    return !device.faults().active(FaultKind::Absent, now);
}

std::vector<Device*> Bus::selectedDevices(double now) const {
    std::vector<Device*> selected;
    for (const auto& d : m_devices) {
        if (d->selected() && onLine(*d, now))
            selected.push_back(d.get());
    }
    return selected;
}

bool Bus::reset(Environment& env) {
    bool presence = false;
    for (const auto& d : m_devices) {
        d->advance(env);
        if (onLine(*d, env.now)) {
            d->resetPulse();
            presence = true;
        } else {
            d->sleep();
        }
    }
    return presence;
}

bool Bus::touchBit(bool written, Environment& env) {
    bool level = written;
    for (const auto& d : m_devices) {
        d->advance(env);
        if (onLine(*d, env.now))
            level = level && d->drive();
    }
    for (const auto& d : m_devices) {
        // A device that drops off the line in the middle of a transaction has lost it.
        if (onLine(*d, env.now))
            d->sample(level, env);
        else
            d->sleep();
    }
    return level;
}

std::uint8_t Bus::touchByte(std::uint8_t written, Environment& env) {
    std::uint8_t read = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (touchBit(((written >> bit) & 1) != 0, env))
            read = static_cast<std::uint8_t>(read | (1 << bit));
    }
    return read;
}

QByteArray Bus::touchBytes(QByteArrayView written, Environment& env) {
    QByteArray read;
    read.reserve(written.size());
    for (char c : written)
        read += static_cast<char>(touchByte(static_cast<std::uint8_t>(c), env));
    return read;
}

} // namespace kelvara::sim
