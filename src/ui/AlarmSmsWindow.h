#pragma once

#include "notify/NotificationView.h"
#include "store/CallAlarmStore.h"
#include "store/ProviderStore.h"

#include <QDialog>
#include <QStringList>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTableWidget;

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::base {
class UserDialogs;
}

namespace kelvara::notify {
class AlarmDispatcher;
}

namespace kelvara::ui {

class BusyPointer;

// frmAlarmSMS: the notification list (table CallAlarm) in a grid, the current row's provider, device and send
// settings beside it, the call log, and a test send to the current row's recipient.
class AlarmSmsWindow final : public QDialog, public notify::NotificationView {
    Q_OBJECT
public:
    // smsDevices: the SMS gateway's own devices, listed before the system's serial ports.
    AlarmSmsWindow(const app::AppContext& ctx, base::UserDialogs& dialogs,
                   notify::AlarmDispatcher& dispatcher, const QStringList& smsDevices,
                   QWidget* parent = nullptr);
    ~AlarmSmsWindow() override;

    static inline const QString kClearQuestion =
        QStringLiteral("This will clear out the Alarm Notification Call Log");
    static inline const QString kLogCleared = QStringLiteral("Call Log Cleared.");
    static inline const QString kTestQuestion = QStringLiteral("Ready to test the communications for");
    static inline const QString kTestCompleted = QStringLiteral("Alarm Notification Test Completed.");
    static inline const QString kDeleteQuestion = QStringLiteral("Do you want to delete this record ?");

    // The commands, as the menus and the tool bar run them.
    void Save();
    void Exit();
    void ViewCommunicationLog();
    void ClearLog();
    void AccessProviders();
    void EMailSettings();
    void Test();
    // A new row at the end of the list, and the current row's removal (after a question).
    void NewRow();
    void DeleteRow();

    // A test send is under way: the window waits for it and cannot be closed.
    [[nodiscard]] bool testing() const { return static_cast<bool>(m_busy); }

    // The test's lines go to the log list.
    void clearStatus() override;
    void statusLine(const QString& line) override;

    void reject() override;

private:
    enum Column { ColActive, ColNotify, ColRecipient, ColRepeat, ColRetry, ColMessage, ColumnCount };

    void reload(qint64 currentId);
    void fillGridRow(int index);
    void fillProviders();
    void showRow(int index);
    // The Notify column's rule for the current row: which groups are enabled, "None" empties the row.
    void applyRowRule();
    void showProviderFields();
    void gridEdited(int index, int column);
    void providerChosen(const QString& name);
    void sendTypeClicked(bool gsm);
    void saveRow(int index);
    void setLogVisible(bool visible);
    void testDone();
    [[nodiscard]] store::CallAlarmRow* current();
    void report(const QString& error);

    const app::AppContext& m_ctx;
    base::UserDialogs& m_dialogs;
    notify::AlarmDispatcher& m_dispatcher;
    QStringList m_smsDevices;
    store::CallAlarmStore m_store;
    store::ProviderStore m_providers;
    std::vector<store::CallAlarmRow> m_rows;
    int m_current = -1;
    std::unique_ptr<BusyPointer> m_busy;

    QTableWidget* m_grid = nullptr;
    QGroupBox* m_providerGroup = nullptr;
    QGroupBox* m_deviceGroup = nullptr;
    QGroupBox* m_sendGroup = nullptr;
    QComboBox* m_provider = nullptr;
    QLineEdit* m_accessNo = nullptr;
    QLineEdit* m_password = nullptr;
    QComboBox* m_protocol = nullptr;
    QComboBox* m_device = nullptr;
    QComboBox* m_speed = nullptr;
    QComboBox* m_dataBits = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_stopBits = nullptr;
    QLineEdit* m_recipientNo = nullptr;
    QLineEdit* m_senderNo = nullptr;
    QRadioButton* m_gsm = nullptr;
    QRadioButton* m_viaProvider = nullptr;
    QWidget* m_logPanel = nullptr;
    QListWidget* m_log = nullptr;
    QAction* m_viewLog = nullptr;
    QList<QAction*> m_commands; // off while a test is under way
};

} // namespace kelvara::ui
