#pragma once

#include "store/ProviderStore.h"
#include "ui/ReportOutput.h"

#include <QDialog>
#include <QStringList>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QLineEdit;

namespace kelvara::base {
class UserDialogs;
}

namespace kelvara::ui {

// frmProviders: the access providers (table Provider) one at a time, in a browse mode that moves between
// them and an entry mode for a new one.
class ProvidersWindow final : public QDialog {
    Q_OBJECT
public:
    // leadingDevices: the SMS gateway's own devices, listed before the system's serial ports.
    ProvidersWindow(const store::Database& kvr, base::UserDialogs& dialogs, const QStringList& leadingDevices,
                    QWidget* parent = nullptr);

    // Enables "Provider Listing", which prints or previews the provider report of this site.
    void setReportSite(const reports::ReportSite& site);
    [[nodiscard]] ReportOutput& reportOutput() { return m_output; }

    static inline const QString kBlankName = QStringLiteral("Provider Name can not be blank.");
    static inline const QString kDeleteQuestion = QStringLiteral("Do you want to delete this record ?");
    static inline const QString kBeginning = QStringLiteral("Beginning of file reached");

    // The commands, as the menu and the tool bar run them.
    void New();
    bool Save();
    void Cancel();
    void Delete();
    void Exit();
    void First();
    void Previous();
    void Next();
    void Last();

    [[nodiscard]] bool entryMode() const { return m_addingNew; }
    [[nodiscard]] bool editing() const { return m_editing; }

Q_SIGNALS:
    // The movement commands sound the beep at either end; tests listen here.
    void beeped();

private:
    void reload();
    void show(int index);
    void setEntryMode(bool entry);
    [[nodiscard]] store::ProviderRow fields() const;
    // What the fields hold goes into the current row when it is left, as a bound row's edits do.
    void keepEdits();
    void beep();
    void report(const QString& error);

    store::ProviderStore m_store;
    base::UserDialogs& m_dialogs;
    ReportOutput m_output;
    std::optional<reports::ReportSite> m_reports;
    QAction* m_listing = nullptr;
    std::vector<store::ProviderRow> m_rows;
    int m_current = -1;
    bool m_addingNew = false;
    bool m_editing = false;

    QLineEdit* m_name = nullptr;
    QComboBox* m_list = nullptr;
    QLineEdit* m_accessNo = nullptr;
    QLineEdit* m_password = nullptr;
    QComboBox* m_protocol = nullptr;
    QComboBox* m_device = nullptr;
    QComboBox* m_speed = nullptr;
    QComboBox* m_dataBits = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_stopBits = nullptr;
    // Enabled in browse mode: New, Delete and the four moves, in menu and tool bar alike.
    QList<QAction*> m_browseActions;
    QList<QAction*> m_entryActions; // Cancel
};

} // namespace kelvara::ui
