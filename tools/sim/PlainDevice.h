#pragma once

#include "sim/Device.h"

namespace kelvara::sim {

// A device of a family the simulator has no model for: it answers resets and searches and ignores function
// commands, reading as all ones.
class PlainDevice final : public Device {
public:
    using Device::Device;
    [[nodiscard]] QString describe(double) const override { return QStringLiteral("present"); }

protected:
    void onFunctionByte(std::uint8_t, Environment&) override { finish(); }
};

} // namespace kelvara::sim
