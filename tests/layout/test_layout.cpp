// Each window at the desktop's own font: DejaVu, the one font a plain desktop has, at 9, 10 and
// 12 points. Its controls grow with the font, so every caption shows whole, no text is smaller
// than the desktop's font and no control is pushed off its window.
#include "captionfit.h"
#include "captiontestsupport.h"
#include "gallerytestsupport.h"
#include "profilestestsupport.h"
#include "promptdialogs.h"
#include "templatetestsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

using namespace qs;
using namespace qs::test;

namespace {

// What is wrong with window at the application's font, as readable lines.
QStringList faults(QWidget *window)
{
    QStringList found = captionsCut(window);
    const qreal desktop = QApplication::font().pointSizeF();
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        if (control->isWindow() || !control->isVisibleTo(window))
            continue;
        const QString name = control->objectName().isEmpty()
                                 ? QString::fromLatin1(control->metaObject()->className())
                                 : control->objectName();
        if (control->font().pointSizeF() < desktop)
            found << QStringLiteral("%1: font %2 pt").arg(name).arg(control->font().pointSizeF());
        // A control reaching past its parent's edge is cut off by it.
        const QWidget *parent = control->parentWidget();
        if (!parent->rect().contains(control->geometry()) && parent->rect().isValid() &&
            !qobject_cast<const QAbstractScrollArea *>(parent->parentWidget()))
            found << QStringLiteral("%1: %2,%3 %4x%5 outside its parent")
                         .arg(name)
                         .arg(control->x())
                         .arg(control->y())
                         .arg(control->width())
                         .arg(control->height());
    }
    return found;
}

// The first caption that fits, squeezed to a few pixels: the check must report it. A window
// with no caption, as the template editor's frame, counts as not reporting.
bool reportsACutOnPurpose(QWidget *window)
{
    for (auto *control : window->findChildren<QWidget *>()) {
        const auto *button = qobject_cast<QAbstractButton *>(control);
        const auto *label = qobject_cast<QLabel *>(control);
        const QString text = button ? button->text() : label ? label->text() : QString();
        if (text.isEmpty() || !control->isVisibleTo(window) || !captionFits(control))
            continue;
        const QRect was = control->geometry();
        control->resize(4, was.height());
        const bool reported = captionsCut(window).join(u'\n').contains(text);
        control->setGeometry(was);
        return reported;
    }
    return false;
}

struct Window
{
    const char *name;
    // Opens the window, runs check on it, and closes it again.
    std::function<void(const std::function<void(QWidget *)> &check)> open;
};

// check run on the modal window that open shows, which is then rejected.
void onModal(const std::function<void()> &open, const std::function<void(QWidget *)> &check)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shown = true;
        check(modal);
        qobject_cast<QDialog *>(modal)->reject();
    });
    open();
    EXPECT_TRUE(shown);
}

const Window windows[] = {
    {"artshelf",
     [](const auto &check) {
         GalleryWindow w;
         w.window->show();
         check(w.window.get());
     }},
    {"artshelf About box",
     [](const auto &check) {
         GalleryWindow w;
         onModal([&] { w.trigger("help_about"); }, check);
     }},
    {"tagloom32 with a template",
     [](const auto &check) {
         Stencilry s;
         s.trigger(QStringLiteral("file_new"));
         check(s.frame.get());
     }},
    {"tagloom32 About box",
     [](const auto &check) {
         Stencilry s;
         onModal([&] { s.trigger(QStringLiteral("help_about")); }, check);
     }},
    {"tagloom32 Input Dialog",
     [](const auto &check) {
         Stencilry s(false);
         stencil::InsertInput dialog(*s.dialogs, s.frame.get());
         dialog.show();
         check(&dialog);
     }},
    {"tagloom32 Open Dialog",
     [](const auto &check) {
         Stencilry s(false);
         stencil::InsertOpen dialog(*s.dialogs, s.frame.get());
         dialog.show();
         check(&dialog);
     }},
    {"seatpick",
     [](const auto &check) {
         ChooserWindow c;
         c.window->show();
         check(c.window.get());
     }},
};

class DesktopFont
{
public:
    explicit DesktopFont(int points)
    {
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), points));
    }
    ~DesktopFont() { QApplication::setFont(m_was); }

private:
    QFont m_was = QApplication::font();
};

} // namespace

TEST(Layout, EveryWindowShowsItsCaptionsWholeAtTheDesktopsFont)
{
    QS_SKIP_WITHOUT_FONTS();
    for (const int points : {9, 10, 12}) {
        const DesktopFont font(points);
        int reported = 0;
        for (const Window &window : windows) {
            SCOPED_TRACE(QStringLiteral("%1 at %2 pt").arg(window.name).arg(points).toStdString());
            bool checked = false;
            window.open([&](QWidget *shown) {
                checked = true;
                EXPECT_EQ(faults(shown), QStringList());
                reported += reportsACutOnPurpose(shown);
            });
            EXPECT_TRUE(checked);
        }
        // Every window but the template editor's bare frame has a caption to cut.
        EXPECT_EQ(reported, std::size(windows) - 1);
    }
}

// The check itself counts what the style draws around a caption: a button's frame, a check
// box's or radio button's indicator. A control just as wide as its text is cut.
TEST(Layout, TheCaptionCheckCountsTheFrameAndIndicatorAroundTheText)
{
    QS_SKIP_WITHOUT_FONTS();
    const std::function<QAbstractButton *(QWidget *)> makers[] = {
        [](QWidget *p) { return new QPushButton(QStringLiteral("&Apply Profile"), p); },
        [](QWidget *p) { return new QCheckBox(QStringLiteral("&Remember the choice"), p); },
        [](QWidget *p) { return new QRadioButton(QStringLiteral("&Every window"), p); },
    };
    QWidget window;
    for (const auto &make : makers) {
        QAbstractButton *button = make(&window);
        SCOPED_TRACE(button->text().toStdString());
        const int text = button->fontMetrics().horizontalAdvance(button->text().remove(u'&'));
        button->setGeometry(0, 0, text + 1, button->sizeHint().height());
        EXPECT_FALSE(captionFits(button));
        button->resize(button->sizeHint());
        EXPECT_TRUE(captionFits(button));
    }
}

// Where the font's own units are not enough, as for a longer translation, the whole layout
// grows and keeps its order; the text keeps the desktop's size.
TEST(Layout, ALongCaptionGrowsTheLayoutAndNotTheTextSmaller)
{
    QS_SKIP_WITHOUT_FONTS();
    for (const int points : {9, 12}) {
        const DesktopFont font(points);
        QWidget window;
        window.setFixedSize(200, 60);
        auto *label =
            new QLabel(QStringLiteral("Ein viel zu langer Text für seinen Platz:"), &window);
        label->setGeometry(5, 5, 90, 15);
        auto *field = new QLabel(QStringLiteral("x"), &window);
        field->setGeometry(100, 5, 95, 15);
        auto *frame = new QGroupBox(QStringLiteral("Eigenschaften"), &window);
        frame->setGeometry(5, 25, 190, 30);
        auto *inside = new QPushButton(QStringLiteral("&Übernehmen"), frame);
        inside->setGeometry(120, 8, 65, 20);

        layOutForFont(&window);
        EXPECT_EQ(captionsCut(&window), QStringList()) << points;
        EXPECT_EQ(label->font().pointSizeF(), points);
        const DialogUnits units = DialogUnits::forFont(window.font());
        EXPECT_GT(window.width(), units.x(200));
        // The controls keep their order and do not overlap.
        EXPECT_LE(label->geometry().right(), field->geometry().left());
        EXPECT_LE(label->geometry().bottom(), frame->geometry().top());
        EXPECT_TRUE(frame->rect().contains(inside->geometry()));
        EXPECT_TRUE(window.rect().contains(frame->geometry()));

        // Laid out again, from the first places, it comes out the same.
        const QRect was = inside->geometry();
        layOutForFont(&window);
        EXPECT_EQ(inside->geometry(), was);
    }
}
