#include "windowplacement.h"

#include "dialogs.h"
#include "settingsstore.h"
#include "translation.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace qs {

namespace {
const QString LeftKey = QStringLiteral("Left");
const QString TopKey = QStringLiteral("Top");
const QString WidthKey = QStringLiteral("Width");
const QString HeightKey = QStringLiteral("Height");
const QString StateKey = QStringLiteral("State");
const QString Maximized = QStringLiteral("Maximized");
const QString Normal = QStringLiteral("Normal");

// Beyond any desktop: such a value was not written by us, and sums of it would overflow.
constexpr int Farthest = 1 << 20;
// How much of the title bar must show for the window to be grabbed and moved.
constexpr int GripWidth = 100;

std::optional<int> number(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < -Farthest || value > Farthest)
        return std::nullopt;
    return value;
}

std::optional<QRect> storedGeometry(const StoredPlacement &stored)
{
    const std::optional<int> left = number(stored.left);
    const std::optional<int> top = number(stored.top);
    const std::optional<int> width = number(stored.width);
    const std::optional<int> height = number(stored.height);
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    return QRect(*left, *top, *width, *height);
}

qint64 area(const QRect &r)
{
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// The screen showing most of outer; when none shows any of it, the one nearest to its centre.
QRect screenFor(const QRect &outer, const QList<QRect> &screens)
{
    const auto most =
        std::max_element(screens.begin(), screens.end(), [&outer](const QRect &a, const QRect &b) {
            return area(a & outer) < area(b & outer);
        });
    if (area(*most & outer) > 0)
        return *most;
    const QPoint c = outer.center();
    const auto distance = [&c](const QRect &s) {
        const qint64 dx = std::max({s.left() - c.x(), 0, c.x() - s.right()});
        const qint64 dy = std::max({s.top() - c.y(), 0, c.y() - s.bottom()});
        return dx * dx + dy * dy;
    };
    return *std::min_element(
        screens.begin(), screens.end(),
        [&distance](const QRect &a, const QRect &b) { return distance(a) < distance(b); });
}

bool titleShown(const QRect &outer, int titleHeight, const QList<QRect> &screens)
{
    const QRect strip(outer.left(), outer.top(), outer.width(), std::max(titleHeight, 1));
    const int needed = std::min(outer.width(), GripWidth);
    return std::any_of(screens.begin(), screens.end(), [&](const QRect &s) {
        const QRect shown = strip & s;
        return shown.height() == strip.height() && shown.width() >= needed;
    });
}

QRect movedInside(QRect r, const QRect &screen)
{
    r.moveTo(std::clamp(r.left(), screen.left(), screen.left() + screen.width() - r.width()),
             std::clamp(r.top(), screen.top(), screen.top() + screen.height() - r.height()));
    return r;
}

QList<QRect> availableScreens()
{
    QList<QRect> out;
    QScreen *primary = QGuiApplication::primaryScreen();
    if (primary)
        out << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != primary)
            out << screen->availableGeometry();
    return out;
}
} // namespace

WindowPlacement chooseWindowPlacement(const StoredPlacement &stored, const QList<QRect> &screens,
                                      const QSize &defaultSize, const QMargins &frame)
{
    WindowPlacement placement;
    placement.maximized = stored.state.trimmed().compare(Maximized, Qt::CaseInsensitive) == 0;
    const std::optional<QRect> saved = storedGeometry(stored);
    QRect outer =
        saved ? saved->marginsAdded(frame) : QRect(QPoint(0, 0), defaultSize.grownBy(frame));
    if (screens.isEmpty()) {
        placement.geometry = outer.marginsRemoved(frame);
        return placement;
    }
    if (!saved)
        outer.moveCenter(screens.front().center());
    const QRect screen = screenFor(outer, screens);
    if (outer.width() > screen.width() || outer.height() > screen.height()) {
        outer.setSize(outer.size().boundedTo(screen.size()));
        outer = movedInside(outer, screen);
    } else if (!titleShown(outer, frame.top(), screens)) {
        outer = movedInside(outer, screen);
    }
    placement.geometry = outer.marginsRemoved(frame);
    return placement;
}

bool restoreWindowPlacement(QWidget *window, const QString &application, Dialogs &dialogs)
{
    StoredPlacement stored;
    try {
        const SettingsSnapshot settings(application);
        stored = {settings.get(WindowSection, LeftKey), settings.get(WindowSection, TopKey),
                  settings.get(WindowSection, WidthKey), settings.get(WindowSection, HeightKey),
                  settings.get(WindowSection, StateKey)};
    } catch (const StoreReadError &error) {
        dialogs.msgBox(storeReadMessage(error), mb::OkOnly | mb::Critical);
        return false;
    }
    // The platform's frame is not known before the window is shown; the style's title bar
    // stands in for it, so that a window moved back into view can still be grabbed.
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const WindowPlacement placement =
        chooseWindowPlacement(stored, availableScreens(), window->size(), {0, title, 0, 0});
    window->setGeometry(placement.geometry);
    if (placement.maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return true;
}

void saveWindowPlacement(const QWidget *window, const QString &application, Dialogs &dialogs)
{
    const QRect g =
        window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    const QList<SettingsWrite> writes = {
        {WindowSection, LeftKey, QString::number(g.left())},
        {WindowSection, TopKey, QString::number(g.top())},
        {WindowSection, WidthKey, QString::number(g.width())},
        {WindowSection, HeightKey, QString::number(g.height())},
        {WindowSection, StateKey, window->isMaximized() ? Maximized : Normal},
    };
    StoreFailure failure;
    if (!SettingsStore::setMany(application, writes, &failure))
        dialogs.msgBox(translate("common", "The window's size and place could not be saved.\r\n\r\n"
                                           "File: %1\r\nReason: %2")
                           .arg(failure.file, failure.reason),
                       mb::OkOnly | mb::Critical);
}

} // namespace qs
