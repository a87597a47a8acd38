#include "sim/Ds2405.h"

namespace kelvara::sim {

QString Ds2405::describe(double) const {
    return m_on ? QStringLiteral("on") : QStringLiteral("off");
}

bool Ds2405::setOutput(bool on) {
    m_on = on;
    return true;
}

void Ds2405::onSelected(Selection how, Environment&) {
    // The switch knows no Skip ROM: it stays off the line while the others take their function command.
    if (how == Selection::Skip) {
        finish();
        return;
    }
    if (how == Selection::Match)
        m_on = !m_on;
    sendLevel(!m_on);
}

void Ds2405::onFunctionByte(std::uint8_t, Environment&) {
    finish();
}

} // namespace kelvara::sim
