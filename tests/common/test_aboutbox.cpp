#include "aboutbox.h"
#include "testsupport.h"

#include <QLabel>

using namespace qs;

TEST(AboutBox, FixedTitleStaysAndVersionIsAlwaysFormed)
{
    AboutInfo info;
    info.objectName = "About";
    info.appTitle = "tagloom32";
    info.fixedTitle = "Design title";
    info.major = 1;
    info.minor = 5;
    info.revision = 3;
    AboutBox box(info, nullptr);
    EXPECT_EQ(box.objectName(), "About");
    EXPECT_EQ(box.windowTitle(), "About tagloom32");
    EXPECT_EQ(box.findChild<QLabel *>("lblTitle")->text(), "Design title");
    EXPECT_EQ(box.findChild<QLabel *>("lblVersion")->text(), "Version 1.5.3");
}
