#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QFont;
class QWidget;

namespace qs {

// Whether a control's caption shows whole in the control's place with its font: a label's text
// on one line (a word-wrapped one by its height), a button's, check box's or frame's title in
// the room the style leaves it inside its frame or beside its indicator. A control without text
// fits.
bool captionFits(const QWidget *control);

// The captions of window's labels, buttons, check boxes and frames that do not fit, as
// "objectName: text".
QStringList captionsCut(const QWidget *window);

// Dialog units: the windows' places were laid out in pixels for an 8-point font whose average
// letter is 6 pixels wide and whose line is 13 pixels high. A window scales them by its own
// font's letters and lines, so its controls grow with the font and keep their places.
class DialogUnits
{
public:
    DialogUnits() = default;
    DialogUnits(qreal xScale, qreal yScale);
    // The units of a font, never smaller than the pixels the windows were laid out in.
    static DialogUnits forFont(const QFont &font);
    // The units window was laid out in by layOutForFont(), or none for another window.
    static DialogUnits of(const QWidget *widget);

    int x(int designPixels) const;
    int y(int designPixels) const;
    // Scales the edges, so that controls that touched still touch.
    QRect rect(const QRect &design) const;
    QSize size(const QSize &design) const;
    qreal xScale() const { return m_x; }
    qreal yScale() const { return m_y; }

private:
    qreal m_x = 1;
    qreal m_y = 1;
};

// Scales window's absolutely placed controls, and its size where it is fixed, from the places
// they were given into the units of window's font. Where a caption still does not fit, as a
// longer translation may not, the whole layout grows a step at a time until it does: text is
// never made smaller. Called again, it lays the window out anew from the first places.
void layOutForFont(QWidget *window);

} // namespace qs
