// The system settings window: its fields come from KVR.INI and the site row, and every way out saves.
#include "ui/SystemSettingsDialog.h"

#include "app/AppContext.h"
#include "store/Database.h"
#include "store/SystemStore.h"
#include "support/CompanyPrinter.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <tuple>

using namespace kelvara;

namespace {

const QByteArray kIni =
    "Business Name=Harbour Fish Co\r\nAddress=12 Quay Road\r\nTown=Lunenburg\r\nProv=NS\r\n"
    "PostalCode=B0J 2C0\r\nWorkPhone=902-555-0142\r\nFaxNumber=902-555-0143\r\nTempType=C\r\n"
    "AudibleAlarmOff=1\r\nColdReadHours=0\r\nColdReadMins=2.5\r\nColdRecHours=1\r\n"
    "ColdRecMins=15\r\nZones=4\r\nHotReadHours=0\r\nHotReadMins=1\r\nHotRecHours=0\r\n"
    "HotRecMins=5\r\nBatchNo=17\r\nDialInternet=0\r\nSMTPName=smtp.example.net\r\n"
    "SMTPSender=Cold Room\r\nSMTPEmail=cold@example.net\r\nSMTPLoginID=coldroom\r\n"
    "SMTPPassword=pw\r\nSMTPLogin=1\r\nDONE\r\n";

// A zone site with the settings file above and a password in its System row.
struct Site : test::SiteContext {
    Site() {
        site.write("KVR.INI", kIni);
        store::SystemStore system(*ctx.databases.kvr);
        auto row = system.load();
        row->Password = "Frost";
        EXPECT_TRUE(system.update(*row).ok());
    }
    [[nodiscard]] store::SystemRow row() const { return *store::SystemStore(*ctx.databases.kvr).load(); }

    test::RecordedDialogs dialogs;
};

template <typename T> T* child(const QWidget& w, const char* name) {
    auto* found = w.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The same changes on every field kind: text, unit option, check box, number, password.
void edit(const ui::SystemSettingsDialog& dialog) {
    child<QLineEdit>(dialog, "txtBusinessName")->setText("Harbour Fish Company");
    child<QRadioButton>(dialog, "optMode_0")->setChecked(true);
    child<QCheckBox>(dialog, "chkDialInternet")->setChecked(true);
    child<QLineEdit>(dialog, "txtZones")->setText("9");
    child<QLineEdit>(dialog, "txtBatchNo")->setText("18");
    child<QLineEdit>(dialog, "txtPassword")->setText("Thaw");
}

} // namespace

TEST(SystemSettingsDialog, ShowsTheFileAndTheSitePasswordWithTheFieldsInFileOrder) {
    Site s;
    ui::SystemSettingsDialog dialog(s.ctx, s.dialogs);
    for (const auto& [name, text] :
         std::vector<std::pair<const char*, const char*>>{{"txtBusinessName", "Harbour Fish Co"},
                                                          {"txtFaxNumber", "902-555-0143"},
                                                          {"txtColdReadMins", "2.5"},
                                                          {"txtZones", "4"},
                                                          {"txtBatchNo", "17"},
                                                          {"txtSMTPLoginID", "coldroom"},
                                                          {"txtPassword", "Frost"}})
        EXPECT_EQ(child<QLineEdit>(dialog, name)->text(), text) << name;
    EXPECT_TRUE(child<QRadioButton>(dialog, "optMode_1")->isChecked()); // Celsius
    EXPECT_TRUE(child<QCheckBox>(dialog, "chkAudibleAlarmOff")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(dialog, "chkDialInternet")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(dialog, "chkSMTPLogin")->isChecked());

    // Tab walks the fields in the order the file lists them.
    const QStringList order{"txtBusinessName", "txtAddress",         "txtTown",          "txtProv",
                            "txtPostalCode",   "txtWorkPhone",       "txtFaxNumber",     "optMode_0",
                            "optMode_1",       "chkAudibleAlarmOff", "txtColdReadHours", "txtColdReadMins",
                            "txtColdRecHours", "txtColdRecMins",     "txtZones",         "txtHotReadHours",
                            "txtHotReadMins",  "txtHotRecHours",     "txtHotRecMins",    "txtBatchNo",
                            "chkDialInternet", "txtSMTPName",        "txtSMTPSender",    "txtSMTPEmail",
                            "txtSMTPLoginID",  "txtSMTPPassword",    "chkSMTPLogin",     "txtPassword"};
    QStringList chain;
    QWidget* w = child<QLineEdit>(dialog, "txtBusinessName");
    do {
        if (order.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != child<QLineEdit>(dialog, "txtBusinessName"));
    EXPECT_EQ(chain, order);
}

TEST(SystemSettingsDialog, EveryWayOfClosingSavesExactlyAsSaveDoes) {
    Site saved;
    {
        ui::SystemSettingsDialog dialog(saved.ctx, saved.dialogs);
        edit(dialog);
        child<QPushButton>(dialog, "cmdSave")->click();
    }
    const QByteArray file = saved.site.read("KVR.INI");
    EXPECT_TRUE(file.contains("Business Name=Harbour Fish Company\r\n"));
    EXPECT_TRUE(file.contains("TempType=F\r\n"));
    EXPECT_TRUE(file.contains("Zones=9\r\n"));
    EXPECT_TRUE(file.endsWith("SMTPLogin=1\r\nDONE\r\n"));
    const store::SystemRow row = saved.row();
    EXPECT_EQ(row.company.BusinessName, "Harbour Fish Company");
    EXPECT_EQ(std::tuple(row.Mode, row.Rooms, row.BatchNo, row.Password),
              std::tuple(QString("Fahrenheit"), 9, std::optional<int>(18), std::optional<QString>("Thaw")));

    const std::vector<std::pair<const char*, std::function<void(ui::SystemSettingsDialog&)>>> closings{
        {"close box", [](ui::SystemSettingsDialog& d) { d.close(); }},
        {"Exit", [](ui::SystemSettingsDialog& d) { child<QPushButton>(d, "cmdExit")->click(); }},
        {"Escape", [](ui::SystemSettingsDialog& d) { d.reject(); }}};
    for (const auto& [how, closeIt] : closings) {
        SCOPED_TRACE(how);
        Site closed;
        ui::SystemSettingsDialog dialog(closed.ctx, closed.dialogs);
        dialog.show();
        edit(dialog);
        closeIt(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(closed.site.read("KVR.INI"), file);
        const store::SystemRow got = closed.row(), want = saved.row();
        EXPECT_EQ(got.company, want.company);
        EXPECT_EQ(std::tuple(got.Mode, got.Rooms, got.BatchNo, got.Password),
                  std::tuple(want.Mode, want.Rooms, want.BatchNo, want.Password));
        EXPECT_TRUE(closed.dialogs.texts.isEmpty());
    }
}
