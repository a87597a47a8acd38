#pragma once

#include <QString>
#include <vector>

namespace kelvara::sensornet {

// One switch of the active-switch list: its 16-character ROM id and the separator that followed it.
struct SwitchListEntry {
    QString text; // all 17 characters, as the adapter sent them

    [[nodiscard]] QString romId() const { return text.left(16); }
    [[nodiscard]] QString family() const { return text.mid(14, 2); }
};

// The adapter's list of switches whose output is on: a run of 17-character entries (ROM id and separator).
class SwitchList {
public:
    SwitchList() = default;
    explicit SwitchList(QString answer);

    // The whole 17-character entries, in the adapter's order; a shorter remainder (the list's closing
    // carriage return, a cut answer) is no entry.
    [[nodiscard]] const std::vector<SwitchListEntry>& entries() const { return m_entries; }
    // Whether a ROM id occurs anywhere in the list's text, which is how a lamp is known to be lit.
    [[nodiscard]] bool isOn(const QString& romId) const;
    // The entries of one device family (the alarm panel's or the cook panel's switches).
    [[nodiscard]] std::vector<SwitchListEntry> ofFamily(const QString& family) const;
    [[nodiscard]] const QString& text() const { return m_text; }

    static constexpr int kEntryLength = 17;

private:
    QString m_text;
    std::vector<SwitchListEntry> m_entries;
};

} // namespace kelvara::sensornet
