#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qs::stencil {

namespace {

const QColor Ink(0, 0, 0);
const QColor Paper(255, 255, 255);
const QColor Navy(0, 0, 128);
const QColor Teal(0, 128, 128);
const QColor Olive(128, 128, 0);
const QColor Yellow(255, 255, 0);
const QColor Grey(192, 192, 192);
const QColor DarkGrey(128, 128, 128);

void openBook(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawPolygon(QPolygon({{1, 3}, {7, 4}, {7, 14}, {1, 13}}));
    p.drawPolygon(QPolygon({{14, 3}, {8, 4}, {8, 14}, {14, 13}}));
    p.setPen(Navy);
    for (int y = 6; y <= 11; y += 2) {
        p.drawLine(2, y, 6, y + 1);
        p.drawLine(9, y + 1, 13, y);
    }
}

void arrowLeft(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Teal);
    // A return arrow: down the right, then left to the point.
    p.drawPolygon(
        QPolygon({{1, 10}, {6, 5}, {6, 8}, {11, 8}, {11, 2}, {14, 2}, {14, 11}, {6, 11}, {6, 14}}));
}

void questionBalloon(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(0.5, 0.5, 14, 10), 3, 3);
    QPainterPath tail;
    tail.moveTo(3, 10);
    tail.lineTo(2, 15);
    tail.lineTo(8, 10);
    p.drawPath(balloon.united(tail));
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Navy);
    p.drawText(QRect(0, 0, 15, 11), Qt::AlignCenter, QStringLiteral("?"));
}

void floppyDisk(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Navy);
    p.drawPolygon(QPolygon({{1, 1}, {14, 1}, {14, 14}, {3, 14}, {1, 12}}));
    p.setBrush(Grey);
    p.drawRect(4, 1, 7, 4);
    p.fillRect(8, 2, 2, 2, Navy);
    p.setBrush(Paper);
    p.drawRect(3, 8, 9, 6);
}

void blankPage(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}));
    p.drawPolyline(QPolygon({{10, 1}, {10, 4}, {13, 4}}));
}

void openFolder(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Olive);
    p.drawPolygon(QPolygon({{1, 3}, {5, 3}, {6, 5}, {12, 5}, {12, 13}, {1, 13}}));
    p.setBrush(Yellow);
    p.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {12, 13}}));
}

void printer(QPainter &p)
{
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(Grey);
    p.drawRect(1, 6, 13, 6);
    p.fillRect(11, 8, 2, 1, QColor(0, 160, 0));
    p.setBrush(Paper);
    p.drawRect(3, 11, 9, 3);
    p.setPen(DarkGrey);
    p.drawLine(4, 13, 10, 13);
}

void questionMark(QPainter &p)
{
    QFont f = p.font();
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Navy);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

QIcon picture(Picture which)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (which) {
    case Picture::OpenBook:
        openBook(p);
        break;
    case Picture::ArrowLeft:
        arrowLeft(p);
        break;
    case Picture::QuestionBalloon:
        questionBalloon(p);
        break;
    case Picture::FloppyDisk:
        floppyDisk(p);
        break;
    case Picture::BlankPage:
        blankPage(p);
        break;
    case Picture::OpenFolder:
        openFolder(p);
        break;
    case Picture::Printer:
        printer(p);
        break;
    case Picture::QuestionMark:
        questionMark(p);
        break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace qs::stencil
