#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>

class QWidget;

namespace qs {

class Dialogs;

// Where a main window was when it closed: its normal geometry (client area, as
// QWidget::normalGeometry gives it) and whether it was maximized.
struct WindowPlacement
{
    QRect geometry;
    bool maximized = false;

    bool operator==(const WindowPlacement &) const = default;
};

// The texts the settings store holds for a placement, empty where a key is missing.
struct StoredPlacement
{
    QString left, top, width, height, state;
};

// Where a window opens, from what was stored and the screens there are now (each screen's
// available geometry, the primary one first). A stored geometry that cannot be read as one
// gives way to defaultSize centred on the primary screen; a stored state that cannot be read
// is the normal one. A window larger than its screen is bounded to it and moved wholly onto
// it; one whose top edge (where the title bar is) no screen shows is moved onto the screen
// nearest to it. frame: what the platform draws around the client area, as far as known.
WindowPlacement chooseWindowPlacement(const StoredPlacement &stored, const QList<QRect> &screens,
                                      const QSize &defaultSize, const QMargins &frame = {});

// The section of an application's settings that holds its main window's placement.
inline const QString WindowSection = QStringLiteral("Window");

// Gives window, before it is first shown, the placement stored for application. A store that
// cannot be read is told through dialogs and the window keeps its default; false then.
bool restoreWindowPlacement(QWidget *window, const QString &application, Dialogs &dialogs);
// Stores window's placement for the next start; a failed write is told through dialogs.
void saveWindowPlacement(const QWidget *window, const QString &application, Dialogs &dialogs);

} // namespace qs
