#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace qs {

// Whether a control's caption shows whole in the control's place with its font: a label's text
// on one line (a word-wrapped one by its height), a button's, check box's or frame's title
// beside what the style draws around it. A control without text fits.
bool captionFits(const QWidget *control);

// The captions of window's labels, buttons, check boxes and frames that do not fit, as
// "objectName: text".
QStringList captionsCut(const QWidget *window);

// Makes window's font smaller, half a point at a time down to minimumPointSize, until every
// caption fits: the places were laid out for an 8-point font narrower than many desktops have.
void fitCaptions(QWidget *window, qreal minimumPointSize = 6);

} // namespace qs
