#pragma once

#include "base/UserDialogs.h"
#include "sensornet/PortLists.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;

namespace kelvara::app {
class UserSettings;
}

namespace kelvara::ui {

// The serial port and line settings through which the sensor adapter is reached; stored per user, used at
// the next start.
class ComPortDialog final : public QDialog {
    Q_OBJECT
public:
    // lists are the choices offered; by default this machine's serial ports and Com1 to Com15.
    ComPortDialog(app::UserSettings& settings, base::UserDialogs& dialogs,
                  const sensornet::PortLists& lists = sensornet::fillPortLists(), QWidget* parent = nullptr);

    inline static const QString kRestartMessage =
        QStringLiteral("It is recommended that you close the Data Logger Program and restart it whenever you "
                       "make any changes on this module.");

private:
    void LoadPropertySettings();
    void save();

    app::UserSettings& m_settings;
    base::UserDialogs& m_dialogs;
    QComboBox* m_port = nullptr;
    QComboBox* m_speed = nullptr;
    QComboBox* m_dataBits = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_stopBits = nullptr;
    QButtonGroup* m_flow = nullptr;
    QButtonGroup* m_echo = nullptr;
};

} // namespace kelvara::ui
