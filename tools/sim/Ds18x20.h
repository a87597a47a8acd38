#pragma once

#include "sim/Device.h"

#include <array>
#include <optional>

namespace kelvara::sim {

// The function layer the DS18x20 thermometers share: Convert T (44h), Read Scratchpad (BEh), Write
// Scratchpad (4Eh), Copy Scratchpad (48h), Recall EEPROM (B8h) and Read Power Supply (B4h). A subclass
// encodes a temperature into the scratchpad in its own format.
class Ds18x20 : public Device {
public:
    Ds18x20(const RomId& rom, const Course& course);

    [[nodiscard]] QString describe(double now) const override;
    bool setCourse(const Course& course) override;
    void setParasitePower(bool parasite) { m_parasite = parasite; }
    // The nine bytes Read Scratchpad returns, the last the CRC of the eight before it.
    [[nodiscard]] std::array<std::uint8_t, 9> scratchpad() const;
    // Stores the conversion under way once its time is up.
    void advance(const Environment& env) override;

protected:
    // Factory contents of the EEPROM: TH, TL and (for the 12-bit family) the configuration register.
    static constexpr std::uint8_t kFactoryTh = 0x4B;
    static constexpr std::uint8_t kFactoryTl = 0x46;

    // Temperature register and count bytes a completed conversion leaves.
    virtual void storeConversion(double celsius) = 0;
    // The temperature register at power-up: +85 °C.
    virtual void storePowerOnValue() = 0;
    // Seconds a conversion takes at the present resolution.
    [[nodiscard]] virtual double conversionSeconds() const = 0;
    // Bytes Write Scratchpad accepts, from TH on.
    [[nodiscard]] virtual int writableBytes() const = 0;
    // Stores a written byte at scratchpad index 2 + n.
    virtual void storeWritten(int n, std::uint8_t byte) { m_pad[static_cast<std::size_t>(2 + n)] = byte; }
    // Powers up: power-on temperature and the EEPROM's copy of TH, TL (and configuration).
    void powerUp();

    void onReset() override {
        m_written = -1;
        m_polling = false;
    }
    void onFunctionByte(std::uint8_t byte, Environment& env) override;

    std::array<std::uint8_t, 8> m_pad{};
    std::array<std::uint8_t, 3> m_eeprom{kFactoryTh, kFactoryTl, 0x7F};

private:
    // What a conversion under way will store when it ends: a temperature, or nothing (a brown-out leaves
    // the power-on value).
    struct Conversion {
        double endsAt = 0.0;
        std::optional<double> celsius;
    };
    void startConversion(Environment& env);
    void store(const Conversion& conversion);

    Course m_course;
    std::optional<Conversion> m_conversion;
    bool m_polling = false; // the read slots after this selection's Convert T report the conversion
    bool m_parasite = false;
    int m_written = -1; // bytes of a Write Scratchpad received so far; -1 when none is under way
};

} // namespace kelvara::sim
