#include "sensornet/SwitchList.h"

namespace kelvara::sensornet {

SwitchList::SwitchList(QString answer) : m_text(std::move(answer)) {
    for (qsizetype pos = 0; pos + kEntryLength <= m_text.size(); pos += kEntryLength)
        m_entries.push_back({m_text.mid(pos, kEntryLength)});
}

bool SwitchList::isOn(const QString& romId) const {
    return !romId.isEmpty() && m_text.contains(romId);
}

std::vector<SwitchListEntry> SwitchList::ofFamily(const QString& family) const {
    std::vector<SwitchListEntry> found;
    for (const SwitchListEntry& e : m_entries)
        if (e.family() == family)
            found.push_back(e);
    return found;
}

} // namespace kelvara::sensornet
