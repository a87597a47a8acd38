#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QPushButton;

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::ui {

// Deletes the readings up to a day the user picks, archiving them into the history database first when the
// box is ticked; closes once done.
class PurgeWindow final : public QDialog {
    Q_OBJECT
public:
    PurgeWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                QWidget* parent = nullptr);

    // The purge procedure: the date checked, the question, the archive, the deletes.
    void cmdPurge_Click();

    static inline const QString kInvalidDateText = QStringLiteral("Invalid date.  Please retry.");
    static inline const QString kQuestionText = QStringLiteral(
        "Are you sure you want to purge all data.  Remember once purged, you will not be able to "
        "view the data.");
    static inline const QString kArchivingText =
        QStringLiteral("Archiving Data into History Database.  Please Wait.");
    static inline const QString kPurgingText =
        QStringLiteral("Purging Data from Main Database.  Please Wait.");

private:
    app::AppContext& m_ctx;
    base::UserDialogs& m_dialogs;
    QDateEdit* m_to = nullptr;
    QCheckBox* m_archive = nullptr;
    QLabel* m_msg = nullptr;
    QFrame* m_line = nullptr;
    QPushButton* m_purge = nullptr;
};

} // namespace kelvara::ui
