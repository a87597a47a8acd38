#pragma once

#include <QFrame>
#include <utility>
#include <vector>

class QStandardItemModel;
class QTableView;

namespace kelvara::ui {

// The lamp pane of the two panel setup windows (panAlarm): the panel's lamps with their switches, "Test"
// for the whole panel and "Exit", which hides the pane. Choosing a lamp asks for its own test.
class LampPanelPane final : public QFrame {
    Q_OBJECT
public:
    struct Texts {
        QString caption; // a label over the list; empty for none
        QString listName;
        QString numberHeader;
        QString serialHeader;
    };
    LampPanelPane(const Texts& texts, QWidget* parent);

    // Each lamp's number and the ROM id of its switch, in the order shown.
    void setLamps(const std::vector<std::pair<int, QString>>& lamps);
    [[nodiscard]] QString serial(int row) const;
    [[nodiscard]] int lampCount() const;

Q_SIGNALS:
    void testPanel();
    void lampChosen(int row);

private:
    QTableView* m_list = nullptr;
    QStandardItemModel* m_lamps = nullptr;
};

} // namespace kelvara::ui
