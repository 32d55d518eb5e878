#include "dialogs.h"
#include "scripteddialogs.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest-spi.h>

#include <functional>

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

namespace {

// Shows a message box through the real dialogs and, once it is up, does what act says to it.
// Returns the answer and what the box showed.
struct ShownBox
{
    int answer = 0;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

ShownBox showAndAct(int style, const QString &caption,
                    const std::function<void(QMessageBox *)> &act, QWidget *parent = nullptr)
{
    ShownBox shown;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        shown.title = box->windowTitle();
        shown.text = box->text();
        shown.icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            shown.buttons << button->text().remove(u'&');
        shown.buttons.sort();
        act(box);
    });
    poll.start();
    QtDialogs dialogs("Pictorium", parent);
    shown.answer = dialogs.msgBox("Save changes?", style, caption);
    return shown;
}

void pressEscape(QMessageBox *box)
{
    QTest::keyClick(box, Qt::Key_Escape);
}

} // namespace

TEST(QtDialogsTest, EscapeGivesTheCancellingAnswer)
{
    const ShownBox yesNoCancel = showAndAct(mb::YesNoCancel | mb::Information, {}, pressEscape);
    EXPECT_EQ(yesNoCancel.answer, mb::Cancel);
    EXPECT_EQ(yesNoCancel.buttons, (QStringList{"Cancel", "No", "Yes"}));
    EXPECT_EQ(yesNoCancel.title, "Pictorium");
    EXPECT_EQ(yesNoCancel.text, "Save changes?");
    EXPECT_EQ(yesNoCancel.icon, QMessageBox::Information);

    const ShownBox yesNo = showAndAct(mb::YesNo | mb::Critical, "Own", pressEscape);
    EXPECT_EQ(yesNo.answer, mb::No);
    EXPECT_EQ(yesNo.buttons, (QStringList{"No", "Yes"}));
    EXPECT_EQ(yesNo.title, "Own");
    EXPECT_EQ(yesNo.icon, QMessageBox::Critical);

    const ShownBox ok = showAndAct(mb::OkOnly, {}, pressEscape);
    EXPECT_EQ(ok.answer, mb::Ok);
    EXPECT_EQ(ok.buttons, QStringList{"OK"});
    EXPECT_EQ(ok.icon, QMessageBox::NoIcon);
}

// A message shown before its window is (a program starting, or one in the notification area)
// is centred on the screen, not at the hidden window's corner; one of a shown window is its own.
TEST(QtDialogsTest, AMessageOfAHiddenWindowIsCentredOnTheScreen)
{
    QWidget window;
    window.setGeometry(0, 0, 120, 80);
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown);
        window.setVisible(shown);
        QPoint centre;
        QWidget *parent = nullptr;
        showAndAct(
            mb::OkOnly, {},
            [&](QMessageBox *box) {
                centre = box->frameGeometry().center();
                parent = box->parentWidget();
                box->accept();
            },
            &window);
        EXPECT_EQ(parent, shown ? &window : nullptr);
        if (!shown) {
            const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
            EXPECT_LE((centre - screen).manhattanLength(), 4)
                << centre.x() << ',' << centre.y() << " for " << screen.x() << ',' << screen.y();
        }
    }
}

// A box that goes away without any button pressed answers as Esc would.
TEST(QtDialogsTest, ClosingWithoutAButtonAnswersAsEscape)
{
    const auto dismiss = [](QMessageBox *box) { box->reject(); };
    EXPECT_EQ(showAndAct(mb::YesNoCancel, {}, dismiss).answer, mb::Cancel);
    EXPECT_EQ(showAndAct(mb::YesNo, {}, dismiss).answer, mb::No);
    EXPECT_EQ(showAndAct(mb::OkOnly, {}, dismiss).answer, mb::Ok);

    const auto clickYes = [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); };
    EXPECT_EQ(showAndAct(mb::YesNoCancel, {}, clickYes).answer, mb::Yes);
}
