#include "stripcontrols.h"

#include <QMouseEvent>
#include <QPainter>

namespace qs::profiles {

DragLabel::DragLabel(const QString &text, int index, QWidget *parent)
    : QLabel(text, parent)
    , m_index(index)
{
    setObjectName(QStringLiteral("Label1"));
    setProperty("index", index);
    setAccessibleName(text);
}

void DragLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton && !window()->isMaximized()) {
        m_dragButton = event->button();
        m_grabOffset = event->globalPosition().toPoint() - window()->pos();
    }
    emit pressed(event->button());
}

void DragLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    if (m_dragButton != Qt::NoButton && (event->buttons() & m_dragButton))
        window()->move(event->globalPosition().toPoint() - m_grabOffset);
}

void DragLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == m_dragButton)
        m_dragButton = Qt::NoButton;
}

IconImage::IconImage(QWidget *parent)
    : QLabel(parent)
{
    setScaledContents(true);
}

void IconImage::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void IconImage::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void IconImage::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}

CaptionButton::CaptionButton(const QImage &bitmap, QWidget *parent)
    : QAbstractButton(parent)
    , m_bitmap(bitmap)
{
    setFocusPolicy(Qt::NoFocus);
}

QSize CaptionButton::sizeHint() const
{
    return m_bitmap.size() + QSize(4, 4);
}

void CaptionButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    const bool sunken = isDown();
    p.fillRect(r, QColor(192, 192, 192));
    const QColor light(255, 255, 255), shadow(128, 128, 128), dark(0, 0, 0);
    // Two-pixel bevel: outer edges black and white, inner edges grey and white.
    p.setPen(sunken ? dark : light);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(sunken ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(sunken ? shadow : QColor(192, 192, 192));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-2, 1));
    p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -2));
    p.setPen(sunken ? QColor(192, 192, 192) : shadow);
    p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));

    QPoint at((r.width() - m_bitmap.width()) / 2, (r.height() - m_bitmap.height()) / 2);
    if (sunken)
        at += QPoint(1, 1);
    if (isEnabled()) {
        p.drawImage(at, m_bitmap);
        return;
    }
    // Disabled: the black strokes in grey with a white shadow, as disabled captions look.
    QImage etched(m_bitmap.size(), QImage::Format_ARGB32);
    for (const auto &[offset, colour] : {std::pair{QPoint(1, 1), light}, {QPoint(0, 0), shadow}}) {
        etched.fill(Qt::transparent);
        for (int y = 0; y < m_bitmap.height(); ++y)
            for (int x = 0; x < m_bitmap.width(); ++x)
                if (m_bitmap.pixel(x, y) == qRgb(0, 0, 0))
                    etched.setPixel(x, y, colour.rgb());
        p.drawImage(at + offset, etched);
    }
}

FrameLine::FrameLine(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrameLine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(colour());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace qs::profiles
