#include "captionfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

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

// Which way a control lacks room for its caption.
struct Lack
{
    bool width = false;
    bool height = false;
    bool any() const { return width || height; }
};

Lack labelLack(const QLabel *label)
{
    if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
        return {};
    const QRect room = label->contentsRect();
    const QFontMetrics metrics = label->fontMetrics();
    const QString text = label->text();
    if (!label->wordWrap())
        return {metrics.horizontalAdvance(text) > room.width(), metrics.height() > room.height()};
    // Word wrap breaks between words only: a word wider than the label is cut.
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > room.width())
            return {true, false};
    }
    const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 100000),
                                              Qt::TextWordWrap | label->alignment(), text);
    // More width takes fewer lines, and keeps the window from growing tall.
    return {needed.height() > room.height(), false};
}

Lack buttonLack(const QAbstractButton *button)
{
    const QString text = shown(button->text());
    if (text.isEmpty())
        return {};
    // The room the style leaves the text: inside a push button's frame and default ring,
    // beside a check box's or radio button's indicator.
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(button)) {
        element = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton *>(button)) {
        element = QStyle::SE_RadioButtonContents;
    } else if (const auto *push = qobject_cast<const QPushButton *>(button)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
    }
    const QRect room = button->style()->subElementRect(element, &option, button);
    const QFontMetrics metrics = button->fontMetrics();
    return {metrics.horizontalAdvance(text) > room.width(), metrics.height() > room.height()};
}

Lack frameLack(const QGroupBox *frame)
{
    const QString text = shown(frame->title());
    if (text.isEmpty())
        return {};
    // The title is drawn inset from the frame's left edge and needs as much on its right.
    const QFontMetrics metrics = frame->fontMetrics();
    const int inset = 2 * metrics.averageCharWidth();
    return {metrics.horizontalAdvance(text) + inset > frame->width(), false};
}

Lack captionLack(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return labelLack(label);
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return buttonLack(button);
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frameLack(frame);
    return {};
}

const char *const DesignGeometry = "qsDesignGeometry";
const char *const DesignSize = "qsDesignSize";
const char *const UnitsProperty = "qsDialogUnits";

// Whether the window's code placed widget's children: those of a plain panel or a frame, but
// not a Qt control's inner parts, what a layout manages, nor what a control of the programs'
// own places when it is resized.
bool childrenPlacedByHand(const QWidget *widget)
{
    if (widget->layout())
        return false;
    const QMetaObject *meta = widget->metaObject();
    return meta == &QWidget::staticMetaObject || meta == &QFrame::staticMetaObject ||
           meta == &QGroupBox::staticMetaObject;
}

bool ownControl(const QWidget *widget)
{
    return widget->metaObject()->className()[0] != 'Q';
}

void place(QWidget *parent, const DialogUnits &units)
{
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow())
            continue;
        if (!widget->property(DesignGeometry).isValid())
            widget->setProperty(DesignGeometry, widget->geometry());
        const QSize was = widget->size();
        widget->setGeometry(units.rect(widget->property(DesignGeometry).toRect()));
        if (childrenPlacedByHand(widget)) {
            place(widget, units);
        } else if (ownControl(widget)) {
            // Hidden, it would hear of its size only when shown; the captions are measured now.
            QResizeEvent resized(widget->size(), was);
            QCoreApplication::sendEvent(widget, &resized);
        }
    }
}

} // namespace

DialogUnits::DialogUnits(qreal xScale, qreal yScale)
    : m_x(xScale)
    , m_y(yScale)
{
}

DialogUnits DialogUnits::forFont(const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const qreal letter = metrics.horizontalAdvance(letters) / letters.size();
    return {std::max<qreal>(1, letter / 6), std::max<qreal>(1, metrics.height() / 13)};
}

DialogUnits DialogUnits::of(const QWidget *widget)
{
    const QPointF scale = widget->window()->property(UnitsProperty).toPointF();
    return scale.isNull() ? DialogUnits() : DialogUnits(scale.x(), scale.y());
}

int DialogUnits::x(int designPixels) const
{
    return qRound(designPixels * m_x);
}

int DialogUnits::y(int designPixels) const
{
    return qRound(designPixels * m_y);
}

QRect DialogUnits::rect(const QRect &design) const
{
    const QPoint topLeft(x(design.left()), y(design.top()));
    const QPoint end(x(design.left() + design.width()), y(design.top() + design.height()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

QSize DialogUnits::size(const QSize &design) const
{
    return QSize(x(design.width()), y(design.height()));
}

bool captionFits(const QWidget *control)
{
    return !captionLack(control).any();
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

void layOutForFont(QWidget *window)
{
    const bool fixed = window->minimumSize() == window->maximumSize();
    if (!window->property(DesignSize).isValid())
        window->setProperty(DesignSize, window->size());
    const QSize designSize = window->property(DesignSize).toSize();
    DialogUnits units = DialogUnits::forFont(window->font());
    // Past four times the font's own units a caption is not short of room but of sense.
    for (int step = 0; step < 30; ++step) {
        window->setProperty(UnitsProperty, QPointF(units.xScale(), units.yScale()));
        if (fixed)
            window->setFixedSize(units.size(designSize));
        else
            window->resize(units.size(designSize));
        place(window, units);
        Lack lack;
        for (const QWidget *control : window->findChildren<QWidget *>()) {
            const Lack of = captionLack(control);
            lack.width = lack.width || of.width;
            lack.height = lack.height || of.height;
        }
        if (!lack.any())
            break;
        units = DialogUnits(units.xScale() * (lack.width ? 1.05 : 1),
                            units.yScale() * (lack.height ? 1.05 : 1));
    }
}

} // namespace qs
