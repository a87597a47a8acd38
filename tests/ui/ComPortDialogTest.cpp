// The COM port settings window: what it shows from the per-user store, what it stores, and its messages.
#include "ui/ComPortDialog.h"

#include "app/UserSettings.h"
#include "support/RecordedDialogs.h"
#include "support/TempSite.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <tuple>

using namespace kelvara;

namespace {

const QString kSection = app::UserSettings::kSection;

// The window's controls, found by name as a user's script or a screen reader would.
struct Controls {
    explicit Controls(ui::ComPortDialog& d)
        : port(d.findChild<QComboBox*>("cboPort")), speed(d.findChild<QComboBox*>("cboSpeed")),
          dataBits(d.findChild<QComboBox*>("cboDataBits")), parity(d.findChild<QComboBox*>("cboParity")),
          stopBits(d.findChild<QComboBox*>("cboStopBits")), flow(d.findChildren<QRadioButton*>("optFlow")),
          echo(d.findChildren<QRadioButton*>("optEcho")), save(d.findChild<QAction*>("mnuSave")),
          exit(d.findChild<QAction*>("tbExit")) {
        EXPECT_TRUE(port && speed && dataBits && parity && stopBits && flow.size() == 4 && echo.size() == 2 &&
                    save && exit);
    }
    [[nodiscard]] int checkedFlow() const {
        for (int i = 0; i < flow.size(); ++i)
            if (flow[i]->isChecked())
                return i;
        return -1;
    }

    QComboBox *port, *speed, *dataBits, *parity, *stopBits;
    QList<QRadioButton*> flow, echo;
    QAction *save, *exit;
};

// Lists without the machine's own ports, so the third entry is Com3 on every test machine.
sensornet::PortLists comOnly() {
    return sensornet::PortLists::build({}, {});
}

class ComPortDialogTest : public ::testing::Test {
protected:
    test::TempSite site;
    app::UserSettings settings{site.file("user.ini")};
    test::RecordedDialogs dialogs;

    [[nodiscard]] QString stored(const QString& key) const { return settings.get(kSection, key); }
};

// The default line shown is StoredLineTest's last row; here: Exit stores nothing and Save stores the
// defaults.
TEST_F(ComPortDialogTest, ExitStoresNothingAndSaveStoresTheDefaultsOfAnEmptyStore) {
    ui::ComPortDialog dialog(settings, dialogs, comOnly());
    Controls c(dialog);
    c.exit->trigger();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(settings.contains(kSection, "Settings"));
    EXPECT_TRUE(dialogs.texts.isEmpty());

    EXPECT_EQ(c.port->currentText(), "Com1");
    EXPECT_EQ(c.checkedFlow(), 0);
    EXPECT_TRUE(c.echo[0]->isChecked());
    c.save->trigger();
    EXPECT_EQ(stored("Settings"), "115200,n,8,1");
    EXPECT_EQ(stored("CommPort"), "1");
    EXPECT_EQ(stored("Handshaking"), "0");
    EXPECT_EQ(stored("Echo"), "False");
    EXPECT_EQ(dialogs.texts, QStringList{ui::ComPortDialog::kRestartMessage});
}

TEST_F(ComPortDialogTest, TheChosenPortAndLineSettingsAreStoredInTheirOwnForms) {
    {
        ui::ComPortDialog dialog(settings, dialogs, comOnly());
        Controls c(dialog);
        c.port->setCurrentIndex(2);
        c.speed->setCurrentText("9600");
        c.parity->setCurrentText("even");
        c.dataBits->setCurrentText("7");
        c.stopBits->setCurrentText("2");
        c.flow[3]->click();
        c.echo[1]->click();
        c.save->trigger();
    }
    EXPECT_EQ(stored("Settings"), "9600,e,7,2");
    EXPECT_EQ(stored("CommPort"), "3");
    EXPECT_EQ(stored("Handshaking"), "3");
    EXPECT_EQ(stored("Echo"), "True");
    EXPECT_FALSE(settings.contains(kSection, "PortName"));
    // How a stored line is shown again is StoredLineTest's table.
}

// Only line settings a port takes are offered or stored: no 4 data bits, no speed typed as a word.
TEST_F(ComPortDialogTest, SettingsNoPortTakesAreNeitherOfferedNorStored) {
    ui::ComPortDialog dialog(settings, dialogs, comOnly());
    Controls c(dialog);
    EXPECT_EQ(c.dataBits->findText("4"), -1);
    c.speed->setCurrentText("fast");
    c.save->trigger();
    EXPECT_FALSE(settings.contains(kSection, "Settings"));
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.kinds[0], int(base::UserDialogs::Kind::Warning));
    EXPECT_TRUE(dialogs.texts[0].contains("fast")) << dialogs.texts[0].toStdString();
}

TEST_F(ComPortDialogTest, AChosenOrTypedDevicePathIsStoredAsPortNameAndAComEntryRemovesIt) {
    const auto withUsb = sensornet::PortLists::build({}, {"/dev/ttyUSB0"});
    {
        ui::ComPortDialog dialog(settings, dialogs, withUsb);
        Controls c(dialog);
        EXPECT_EQ(c.port->itemText(0), "/dev/ttyUSB0");
        EXPECT_EQ(c.port->itemText(1), "Com1");
        c.port->setCurrentIndex(0);
        c.save->trigger();
    }
    EXPECT_EQ(stored("PortName"), "/dev/ttyUSB0");
    {
        ui::ComPortDialog dialog(settings, dialogs, withUsb);
        Controls c(dialog);
        EXPECT_EQ(c.port->currentText(), "/dev/ttyUSB0");
        c.port->setCurrentText("Com2");
        c.save->trigger();
    }
    EXPECT_FALSE(settings.contains(kSection, "PortName"));
    EXPECT_EQ(stored("CommPort"), "2");
    {
        ui::ComPortDialog dialog(settings, dialogs, comOnly());
        Controls c(dialog);
        c.port->setEditText("  /dev/pts/7 "); // typed, not chosen
        c.save->trigger();
    }
    EXPECT_EQ(stored("PortName"), "/dev/pts/7");
}

TEST_F(ComPortDialogTest, AStoredPortTheListLacksIsShownAndKept) {
    // A typed simulator link, and a port number above the listed ones: both must survive a save unchanged.
    const std::tuple<QString, QString, QString> cases[] = {
        {"PortName", "/tmp/kelvara-sim/link", "/tmp/kelvara-sim/link"}, {"CommPort", "20", "Com20"}};
    for (const auto& [key, value, shown] : cases) {
        SCOPED_TRACE(value.toStdString());
        settings.remove(kSection, "PortName");
        settings.save(kSection, "Settings", "115200,n,8,1");
        settings.save(kSection, key, value);
        ui::ComPortDialog dialog(settings, dialogs, comOnly());
        Controls c(dialog);
        EXPECT_EQ(c.port->currentText(), shown);
        c.save->trigger();
        EXPECT_EQ(stored(key), value);
    }
}

struct StoredLine {
    const char* ini; // the [Properties] lines of the store file as written by hand or by an older release
    const char* speed;
    const char* parity;
    const char* dataBits;
    const char* stopBits;
    int flow;
    bool echo;
    const char* savedAs;
};

class StoredLineTest : public ComPortDialogTest, public ::testing::WithParamInterface<StoredLine> {};

TEST_P(StoredLineTest, IsShownInTheListsAndSavedBackInItsOwnForm) {
    const StoredLine& p = GetParam();
    site.write("hand.ini", QByteArray("[Properties]\n") + p.ini + "\n");
    app::UserSettings fromFile(site.file("hand.ini"));
    ui::ComPortDialog dialog(fromFile, dialogs, comOnly());
    Controls c(dialog);
    EXPECT_EQ(c.speed->currentText(), p.speed);
    EXPECT_EQ(c.parity->currentText(), p.parity);
    EXPECT_EQ(c.dataBits->currentText(), p.dataBits);
    EXPECT_EQ(c.stopBits->currentText(), p.stopBits);
    EXPECT_EQ(c.checkedFlow(), p.flow);
    EXPECT_EQ(c.echo[1]->isChecked(), p.echo);
    c.save->trigger();
    EXPECT_EQ(fromFile.get(kSection, "Settings"), p.savedAs);
}

INSTANTIATE_TEST_SUITE_P(
    ComPortDialog, StoredLineTest,
    ::testing::Values(
        // Unquoted commas, as a person types the line.
        StoredLine{"Settings=9600,e,7,2\nHandshaking=1\nEcho=True", "9600", "even", "7", "2", 1, true,
                   "9600,e,7,2"},
        StoredLine{"Settings=\"1200,o,5,1.5\"\nEcho=1", "1200", "odd", "5", "1.5", 0, true, "1200,o,5,1.5"},
        StoredLine{"Settings=\"4800, M ,6,1\"\nEcho=false", "4800", "mark", "6", "1", 0, false, "4800,m,6,1"},
        StoredLine{"Settings=\"19200,s,8,2\"\nHandshaking=2", "19200", "space", "8", "2", 2, false,
                   "19200,s,8,2"},
        // A speed the list lacks is kept; an unknown letter reads as no parity; an unknown flow index as
        // none.
        StoredLine{"Settings=\"250000,x,8,1\"\nHandshaking=9", "250000", "none", "8", "1", 0, false,
                   "250000,n,8,1"},
        // Flow and port apply only with a settings text; without one the defaults are proposed.
        StoredLine{"Handshaking=2\nEcho=True", "115200", "none", "8", "1", 0, true, "115200,n,8,1"}));

} // namespace
