#include <gtest/gtest.h>

#include "QtTestApp.h"
#include "ui/FormBinder.h"
#include "ui/QtDialogs.h"

using namespace quendar::ui;

TEST(QtDialogs, FilterFolderAndExtension) {
    quendar::test::qtApp();
    EXPECT_EQ(translateFilter("Mission Files (*.tie)|*.tie|All Files (*.*)|*.*||"),
              "Mission Files (*.tie);;All Files (*.*)");
    EXPECT_EQ(translateFilter("Texts|*.txt;*.doc||"), "Texts (*.txt *.doc)");
    EXPECT_EQ(translateFilter(""), "");

    EXPECT_EQ(initialFolder("C:\\Missions\\*.tie"), "C:/Missions");
    EXPECT_EQ(initialFolder("/home/pilot/missions/*.tie"), "/home/pilot/missions");
    EXPECT_EQ(initialFolder("*.tie"), "");
    EXPECT_EQ(initialFolder("/*.tie"), "/");

    EXPECT_EQ(withDefaultExtension("/m/raid", "tie"), "/m/raid.tie");
    EXPECT_EQ(withDefaultExtension("/m/raid.TIE", "tie"), "/m/raid.TIE");
    EXPECT_EQ(withDefaultExtension("/m/raid", ""), "/m/raid");

    // 8-bit texts survive the trip through the toolkit's strings.
    const std::string latin = "Gr\xfc\xdf" "e";
    EXPECT_EQ(toLatin(fromLatin(latin)), latin);
}
