#include "captionfit.h"
#include "profilestestsupport.h"

#include "stripcontrols.h"
#include "titlestrip.h"

#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

using namespace qs;
using namespace qs::profiles;
using namespace qs::test;

namespace {

// The strip's own painting, without the icon, words and buttons on it.
QImage grabStrip(const ChooserWindow &w)
{
    TitleStrip *strip = w.window->titleStrip();
    QImage image(strip->size(), QImage::Format_RGB32);
    image.fill(Qt::green);
    strip->render(&image, {}, {}, QWidget::DrawWindowBackground);
    return image;
}

// The colour in the middle of the strip's height at x.
QColor at(const QImage &strip, int x)
{
    return strip.pixelColor(x, strip.height() / 2);
}

// Activates a window of its own, so that the chooser is deactivated.
struct OtherWindow
{
    QWidget widget;
    explicit OtherWindow()
    {
        widget.setGeometry(400, 300, 50, 50);
        widget.show();
        widget.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&widget));
    }
};

DragLabel *label1(const ChooserWindow &w, int index)
{
    for (DragLabel *l : w.window->findChildren<DragLabel *>("Label1"))
        if (l->index() == index)
            return l;
    ADD_FAILURE() << "no Label1 index " << index;
    return nullptr;
}

} // namespace

TEST(TitleStrip, StartsShownWithoutANotificationAreaAndKeepsItsIcon)
{
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    ChooserWindow w;
    EXPECT_TRUE(w.window->isVisible());
    EXPECT_FALSE(w.window->isInactive());
    QSystemTrayIcon *tray = w.window->trayIcon();
    EXPECT_EQ(tray->objectName(), "cSysTray1");
    EXPECT_TRUE(tray->isVisible());
    EXPECT_EQ(tray->toolTip(), "Quillsite Tandem!Pad for LANs Pickwell");
    EXPECT_FALSE(tray->icon().isNull());
    EXPECT_EQ(tray->icon().availableSizes(), (QList<QSize>{{32, 32}, {16, 16}}));
}

TEST(TitleStrip, GradientRunsFromRedOrWhiteToBlack)
{
    ChooserWindow w;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.window.get()));
    w.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    QImage strip = grabStrip(w);
    // The strip's 310 x 19 places, grown with the desktop's font.
    ASSERT_EQ(strip.size(), DialogUnits::of(w.window.get()).size(QSize(310, 19)));
    const int middle = strip.width() / 2;
    const int last = strip.width() - 1;
    EXPECT_EQ(at(strip, 0), QColor(255, 0, 0));
    // The bands fall by about two steps of 255 in a hundred across the strip.
    EXPECT_NEAR(at(strip, middle).red(), 128, 4);
    EXPECT_EQ(at(strip, middle).green(), 0);
    EXPECT_LE(at(strip, last).red(), 3);
    for (int x = 1; x <= last; ++x)
        EXPECT_LE(at(strip, x).red(), at(strip, x - 1).red()) << x;
    // Every pixel row is painted, top to bottom.
    EXPECT_EQ(strip.pixelColor(middle, 0), strip.pixelColor(middle, strip.height() - 1));

    {
        OtherWindow other;
        EXPECT_TRUE(w.window->isInactive());
        strip = grabStrip(w);
        EXPECT_EQ(at(strip, 0), QColor(255, 255, 255));
        EXPECT_EQ(at(strip, middle).red(), at(strip, middle).blue());
        EXPECT_NEAR(at(strip, middle).green(), 128, 4);
        EXPECT_LE(at(strip, last).green(), 3);

        // A resize paints the active colours, whatever the flag says.
        QResizeEvent resize(w.window->size(), w.window->size());
        QApplication::sendEvent(w.window.get(), &resize);
        EXPECT_TRUE(w.window->isInactive());
        EXPECT_EQ(at(grabStrip(w), 0), QColor(255, 0, 0));
    }
    w.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    EXPECT_FALSE(w.window->isInactive());
    EXPECT_EQ(at(grabStrip(w), 0), QColor(255, 0, 0));
}

TEST(TitleStrip, NarrowStripStillPaintsEveryColumn)
{
    ChooserWindow w;
    QApplication::processEvents();
    // Narrower than 128 twips the bands would not advance without a step of at least one.
    w.window->titleStrip()->resize(5, 19);
    w.window->titleStrip()->setColour(QColor(0, 0, 255));
    const QImage image = grabStrip(w);
    // Painted everywhere (the grab starts green), from blue to black.
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(at(image, x).green(), 0) << x;
    EXPECT_GT(at(image, 0).blue(), 150);
    EXPECT_EQ(at(image, 4).blue(), 0);
}

TEST(TitleStrip, CaptionButtonsIconAndWordsTakeTheirPlaces)
{
    ChooserWindow w;
    TitleStrip *strip = w.window->titleStrip();
    // The places the strip was laid out in, grown with the desktop's font.
    const DialogUnits units = DialogUnits::of(w.window.get());
    EXPECT_EQ(strip->geometry(), units.rect(QRect(0, 0, 310, 19)));
    const int right = strip->width();
    EXPECT_EQ(strip->minimizeButton()->objectName(), "Command3");
    EXPECT_EQ(strip->minimizeButton()->geometry(),
              QRect(right - units.x(66), units.y(1), units.x(17), units.y(16)));
    EXPECT_EQ(strip->maximizeButton()->geometry(),
              QRect(right - units.x(46), units.y(1), units.x(17), units.y(16)));
    EXPECT_EQ(strip->closeButton()->geometry(),
              QRect(right - units.x(20), units.y(1), units.x(17), units.y(16)));
    EXPECT_FALSE(strip->maximizeButton()->isEnabled());
    EXPECT_TRUE(strip->minimizeButton()->isEnabled());

    // The faces: a bar of 6 x 2 at the bottom, a box with a heavy top, a cross.
    const QImage minimize = strip->minimizeButton()->bitmap();
    ASSERT_EQ(minimize.size(), QSize(13, 12));
    int black = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 13; ++x)
            black += minimize.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_EQ(black, 12);
    EXPECT_EQ(minimize.pixel(0, 0), qRgb(192, 192, 192));
    const QImage maximize = strip->maximizeButton()->bitmap();
    ASSERT_EQ(maximize.size(), QSize(13, 12));
    EXPECT_EQ(maximize.pixel(6, 2), qRgb(0, 0, 0));
    EXPECT_EQ(maximize.pixel(6, 3), qRgb(192, 192, 192));
    const QImage close = strip->closeButton()->bitmap();
    ASSERT_EQ(close.size(), QSize(13, 11));
    EXPECT_EQ(close.pixel(6, 5), qRgb(0, 0, 0));
    EXPECT_EQ(close.pixel(6, 2), qRgb(192, 192, 192));

    // The icon fills the strip's height.
    EXPECT_EQ(w.find<QLabel>("Image1")->geometry(), QRect(0, 0, strip->height(), strip->height()));
    DragLabel *bold = label1(w, 2);
    DragLabel *plain = label1(w, 1);
    ASSERT_TRUE(bold && plain);
    EXPECT_EQ(bold->text(), "Tandem!Pad");
    EXPECT_TRUE(bold->font().bold());
    // Larger than the desktop's font, as 9.75 points were against an 8-point one.
    EXPECT_EQ(bold->font().pointSizeF(), QApplication::font().pointSizeF() * 9.75 / 8);
    EXPECT_EQ(plain->text(), "Pickwell");
    EXPECT_FALSE(plain->font().bold());
    EXPECT_EQ(bold->pos(), QPoint(units.x(21), units.y(2)));
    EXPECT_GE(bold->width(), units.x(58));
    // However wide the bold word came out, the words neither clip nor overlap.
    EXPECT_GE(bold->width(), bold->fontMetrics().horizontalAdvance(bold->text()));
    EXPECT_GE(plain->x(), std::max(units.x(81), bold->geometry().right() + 1));
    EXPECT_LE(plain->geometry().bottom(), strip->height() - 1);
    EXPECT_FALSE(bold->autoFillBackground());

    // The grey frame line around the client area below the strip.
    const QSize size = w.window->size();
    EXPECT_EQ(w.find<QWidget>("Shape1")->geometry(),
              QRect(0, units.y(19), size.width(), size.height() - units.y(19)));
    QApplication::processEvents();
    const QImage window = w.window->grab().toImage();
    EXPECT_EQ(window.pixelColor(0, size.height() / 2), QColor(128, 128, 128));
    EXPECT_EQ(window.pixelColor(size.width() - 1, size.height() / 2), QColor(128, 128, 128));
    EXPECT_EQ(window.pixelColor(size.width() / 2, size.height() - 1), QColor(128, 128, 128));
}

TEST(TitleStrip, WithoutANotificationAreaMinimizeKeepsTheWindowReachable)
{
    ChooserWindow w;
    w.window->titleStrip()->minimizeButton()->click();
    EXPECT_TRUE(w.window->isMinimized());
    EXPECT_TRUE(w.window->isVisible());
}

TEST(TitleStrip, TrayShowsMinimizeHidesCloseEnds)
{
    ChooserWindow w(true);
    QSignalSpy unloaded(w.window.get(), &ProfChooser::unloaded);
    TitleStrip *strip = w.window->titleStrip();
    strip->minimizeButton()->click();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_TRUE(w.window->trayIcon()->isVisible());

    // Any button on the icon brings the window back, in its normal state.
    for (auto reason : {QSystemTrayIcon::Context, QSystemTrayIcon::Trigger}) {
        emit w.window->trayIcon()->activated(reason);
        EXPECT_TRUE(w.window->isVisible());
        EXPECT_FALSE(w.window->isMinimized());
        strip->minimizeButton()->click();
        EXPECT_FALSE(w.window->isVisible());
    }
    emit w.window->trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    ASSERT_TRUE(w.window->isVisible());
    EXPECT_EQ(unloaded.count(), 0);

    strip->closeButton()->click();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_FALSE(w.window->trayIcon()->isVisible());
    EXPECT_EQ(unloaded.count(), 1);
}

TEST(TitleStrip, DoubleClickOnTheIconEndsAClickDoesNothing)
{
    ChooserWindow w;
    QSignalSpy unloaded(w.window.get(), &ProfChooser::unloaded);
    QSignalSpy moves(w.window.get(), &ProfChooser::moveRequested);
    QLabel *icon = w.find<QLabel>("Image1");
    QTest::mouseClick(icon, Qt::LeftButton);
    EXPECT_TRUE(w.window->isVisible());
    EXPECT_EQ(unloaded.count(), 0);
    EXPECT_EQ(moves.count(), 0);
    QTest::mouseDClick(icon, Qt::LeftButton);
    EXPECT_EQ(unloaded.count(), 1);
    EXPECT_FALSE(w.window->trayIcon()->isVisible());
}

TEST(TitleStrip, DragsByTheStripTheWordsAndTheInstructions)
{
    ChooserWindow w;
    QSignalSpy moves(w.window.get(), &ProfChooser::moveRequested);
    QSignalSpy unloaded(w.window.get(), &ProfChooser::unloaded);
    TitleStrip *strip = w.window->titleStrip();
    const QPoint empty(200, 9);

    QTest::mousePress(strip, Qt::RightButton, {}, empty);
    QTest::mouseRelease(strip, Qt::RightButton, {}, empty);
    EXPECT_EQ(moves.count(), 0);
    QTest::mousePress(strip, Qt::LeftButton, {}, empty);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, empty);
    EXPECT_EQ(moves.count(), 1);

    for (int index : {0, 1, 2}) {
        for (auto button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::mousePress(label1(w, index), button);
            QTest::mouseRelease(label1(w, index), button);
        }
    }
    EXPECT_EQ(moves.count(), 10);
    // Whatever the window manager made of it, the window is still there.
    EXPECT_TRUE(w.window->isVisible());
    EXPECT_EQ(unloaded.count(), 0);

    w.window->showMaximized();
    QTest::mousePress(strip, Qt::LeftButton, {}, empty);
    QTest::mousePress(label1(w, 0), Qt::LeftButton);
    EXPECT_EQ(moves.count(), 10);
}

TEST(TitleStrip, AWindowHiddenInTheNotificationAreaShowsWhenTheAreaGoesAway)
{
    ChooserWindow w(true);
    auto *chooser = static_cast<TrayChooser *>(w.window.get());
    auto *watch = w.find<QTimer>("trayWatch");
    EXPECT_FALSE(watch->isActive());
    chooser->titleStrip()->minimizeButton()->click();
    ASSERT_FALSE(chooser->isVisible());
    ASSERT_TRUE(watch->isActive());
    EXPECT_GE(watch->interval(), 1000);
    EXPECT_LE(watch->interval(), 5000);

    // While the area is there, a look changes nothing.
    QMetaObject::invokeMethod(watch, "timeout");
    EXPECT_FALSE(chooser->isVisible());
    chooser->trayPresent = false;
    QMetaObject::invokeMethod(watch, "timeout");
    EXPECT_TRUE(chooser->isVisible());
    EXPECT_FALSE(chooser->isMinimized());
    EXPECT_FALSE(watch->isActive());
}

TEST(TitleStrip, ARightOrMiddleDragOnTheWordsMovesTheWindowUntilItsRelease)
{
    ChooserWindow w;
    w.window->move(100, 100);
    for (int index : {0, 1, 2}) {
        for (auto button : {Qt::RightButton, Qt::MiddleButton}) {
            SCOPED_TRACE(index);
            QLabel *label = label1(w, index);
            const QPoint start = w.window->pos();
            const QPoint at(5, 5);
            QTest::mousePress(label, button, {}, at);
            QTest::mouseMove(label, at + QPoint(30, 20));
            EXPECT_EQ(w.window->pos(), start + QPoint(30, 20));
            QTest::mouseRelease(label, button, {}, at + QPoint(30, 20));
            // After the release the window no longer follows the pointer.
            QTest::mouseMove(label, at + QPoint(60, 60));
            EXPECT_EQ(w.window->pos(), start + QPoint(30, 20));
            w.window->move(100, 100);
        }
    }
}
