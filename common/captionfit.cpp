#include "captionfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace qs {

namespace {

// What shows of a caption: '&' marks the access key, "&&" is one '&'.
QString shown(const QString &caption)
{
    QString text = caption;
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

bool labelFits(const QLabel *label)
{
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
        return true;
    const QRect room = label->contentsRect();
    const QFontMetrics metrics = label->fontMetrics();
    const QString text = label->text();
    if (!label->wordWrap())
        return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
    // Word wrap breaks between words only: a word wider than the label is cut.
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > room.width())
            return false;
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                              Qt::TextWordWrap | label->alignment(), text);
    return needed.height() <= room.height();
}

bool buttonFits(const QAbstractButton *button)
{
    const QString text = shown(button->text());
    if (text.isEmpty())
        return true;
    const QStyle *style = button->style();
    const QFontMetrics metrics = button->fontMetrics();
    int around = 0;
    if (qobject_cast<const QCheckBox *>(button)) {
        around = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
                 style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    } else if (qobject_cast<const QRadioButton *>(button)) {
        around = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
                 style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    } else {
        around = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button) + 2;
    }
    return metrics.horizontalAdvance(text) + around <= button->width() &&
           metrics.height() <= button->height();
}

bool frameFits(const QGroupBox *frame)
{
    const QString text = shown(frame->title());
    if (text.isEmpty())
        return true;
    // The title is drawn inset from the frame's left edge and needs as much on its right.
    const int inset = 2 * frame->fontMetrics().averageCharWidth();
    return frame->fontMetrics().horizontalAdvance(text) + inset <= frame->width();
}

} // namespace

bool captionFits(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return labelFits(label);
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return buttonFits(button);
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frameFits(frame);
    return true;
}

QStringList captionsCut(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        if (captionFits(control))
            continue;
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(control))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            text = button->text();
        else if (const auto *frame = qobject_cast<const QGroupBox *>(control))
            text = frame->title();
        cut << control->objectName() + QStringLiteral(": ") + text;
    }
    return cut;
}

void fitCaptions(QWidget *window, qreal minimumPointSize)
{
    QFont font = window->font();
    while (!captionsCut(window).isEmpty() && font.pointSizeF() - 0.5 >= minimumPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        window->setFont(font);
    }
}

} // namespace qs
