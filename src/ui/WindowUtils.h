#pragma once

#include <QObject>

class QWidget;

namespace kelvara::ui {

// Centres a window on its screen and puts one space before its caption, as every Kelvara window loads.
void CenterWindow(QWidget& window);

// Moves the focus on to the next field when Enter is pressed in a dialog, as Tab would; the key still
// reaches the field.
class EnterAsTab final : public QObject {
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kelvara::ui
