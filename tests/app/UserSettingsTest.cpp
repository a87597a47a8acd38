// The per-user settings store keeps string values by section and key.
#include "app/UserSettings.h"

#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara;

TEST(UserSettings, AHandWrittenLineWithCommasIsOneStringAndSavedValuesSurviveANewStore) {
    test::TempSite site;
    site.write("user.ini", "[Properties]\nSettings=115200,n,8,1\nPortName=/dev/ttyUSB0\n");
    {
        app::UserSettings s(site.file("user.ini"));
        EXPECT_EQ(s.get("Properties", "Settings"), "115200,n,8,1");
        EXPECT_EQ(s.get("Properties", "PortName"), "/dev/ttyUSB0");
        s.save("Properties", "Settings", "9600,e,7,2");
        s.save("Properties", "CommPort", "3");
    }
    app::UserSettings s(site.file("user.ini"));
    EXPECT_EQ(s.get("Properties", "Settings"), "9600,e,7,2");
    EXPECT_EQ(s.get("Properties", "CommPort"), "3");
    EXPECT_EQ(s.get("Properties", "Handshaking", "none"), "none");
    EXPECT_FALSE(s.contains("Properties", "Echo"));
}
