#include "profchooser.h"

#include "captionfit.h"
#include "stripcontrols.h"
#include "titlestrip.h"
#include "twips.h"

#include <QShowEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

// The title strip and the window's life in the notification area: painting, dragging,
// minimizing and activation.
namespace qs::profiles {

void ProfChooser::DoTitle(int red, int green, int blue)
{
    m_strip->paintGradient(QColor(red, green, blue));
}

QColor ProfChooser::titleColour() const
{
    return m_inactive ? QColor(255, 255, 255) : QColor(255, 0, 0);
}

void ProfChooser::paintTitle()
{
    const QColor colour = titleColour();
    DoTitle(colour.red(), colour.green(), colour.blue());
}

void ProfChooser::MoveTitle(Qt::MouseButton button)
{
    if (isMaximized())
        return;
    emit moveRequested();
    // The window manager's move is tied to the left button; a label moves the window itself
    // for the others. Without a window manager that moves windows nothing happens.
    if (button != Qt::LeftButton)
        return;
    if (QWindow *window = windowHandle())
        window->startSystemMove();
}

void ProfChooser::watchNotificationArea()
{
    // Qt says nothing when the notification area goes away, and a window hidden into it would
    // then be out of reach: while hidden, look again every few seconds.
    m_trayWatch = new QTimer(this);
    m_trayWatch->setObjectName(QStringLiteral("trayWatch"));
    m_trayWatch->setInterval(std::chrono::seconds(3));
    connect(m_trayWatch, &QTimer::timeout, this, [this] {
        if (isVisible() || hasNotificationArea())
            return;
        m_trayWatch->stop();
        trayPressed();
    });
}

void ProfChooser::showEvent(QShowEvent *event)
{
    m_trayWatch->stop();
    QWidget::showEvent(event);
}

void ProfChooser::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && m_tray->isVisible())
        m_trayWatch->start();
}

void ProfChooser::trayPressed()
{
    setWindowState(Qt::WindowNoState);
    show();
    raise();
    activateWindow();
}

void ProfChooser::minimizeWindow()
{
    activateWindow();
    // Not showMinimized(): it would show the window again after changeEvent has hidden it.
    setWindowState(windowState() | Qt::WindowMinimized);
}

void ProfChooser::unload()
{
    close();
}

bool ProfChooser::event(QEvent *event)
{
    // Qt repaints an uncovered window from its own buffer, so the strip is repainted here,
    // where the colours change.
    if (event->type() == QEvent::WindowActivate) {
        m_inactive = false;
        paintTitle();
    } else if (event->type() == QEvent::WindowDeactivate) {
        m_inactive = true;
        paintTitle();
    }
    return QWidget::event(event);
}

void ProfChooser::changeEvent(QEvent *event)
{
    // A minimized window lives on only as the notification-area icon; without one it stays
    // an ordinary minimized window, which the desktop can bring back.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && hasNotificationArea())
        hide();
    QWidget::changeEvent(event);
}

void ProfChooser::paintEvent(QPaintEvent *)
{
    // The strip is painted after the window, in the same pass, with the colours chosen here.
    m_strip->setColour(titleColour());
}

void ProfChooser::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isMinimized()) {
        if (hasNotificationArea())
            hide();
        return;
    }
    // The frame line starts just below the strip and runs to the bottom edge.
    const int top = DialogUnits::of(this).y(twips(TitleStrip::HeightTwips + 1));
    m_shape->setGeometry(0, top, width(), height() - top);
    DoTitle(255, 0, 0);
}

void ProfChooser::focusInEvent(QFocusEvent *event)
{
    m_inactive = false;
    QWidget::focusInEvent(event);
}

void ProfChooser::focusOutEvent(QFocusEvent *event)
{
    m_inactive = true;
    QWidget::focusOutEvent(event);
}

} // namespace qs::profiles
