#include "dialogs.h"
#include "scripteddialogs.h"
#include "testsupport.h"

#include <gtest/gtest-spi.h>

using namespace qs;

TEST(Dialogs, FilterAndDefaultExtension)
{
    EXPECT_EQ(filterToQt("Images|*.gif;*.jpg|All Files|*.*|"),
              (QStringList{"Images (*.gif *.jpg)", "All Files (*.*)"}));
    EXPECT_EQ(withDefaultExtension("/t/summer", ".gal"), "/t/summer.gal");
    EXPECT_EQ(withDefaultExtension("/t/summer.txt", ".gal"), "/t/summer.txt");
    EXPECT_EQ(withDefaultExtension("/t.d/summer", "gal"), "/t.d/summer.gal");
}

TEST(Dialogs, MessageCaptionDefaultsToTheProgramTitle)
{
    test::ScriptedDialogs d("Pictorium");
    d.answerMessage(mb::Ok).answerMessage(mb::No);
    EXPECT_EQ(d.msgBox("one"), mb::Ok);
    EXPECT_EQ(d.msgBox("two", mb::YesNo | mb::Information, "Own"), mb::No);
    ASSERT_EQ(d.shown().size(), 2u);
    EXPECT_EQ(d.shown()[0].caption, "Pictorium");
    EXPECT_EQ(d.shown()[1].caption, "Own");
    EXPECT_EQ(d.shown()[1].buttons, mb::YesNo);
    EXPECT_EQ(d.shown()[1].icon, mb::Information);
}

TEST(Dialogs, ScriptedDialogsFailOnTheUnexpected)
{
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScriptedDialogs d;
            d.msgBox("nobody expected this");
        },
        "unexpected message box");
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScriptedDialogs d;
            d.answerInput("x");
            d.msgBox("wrong kind");
        },
        "expected a input box");
    EXPECT_NONFATAL_FAILURE(
        {
            test::ScriptedDialogs d;
            d.answerOpen("x");
        },
        "never used");
}
