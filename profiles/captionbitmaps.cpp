#include "captionbitmaps.h"

#include <QPainter>

namespace qs::profiles {

namespace {

const QRgb Face = qRgb(192, 192, 192);
const QRgb Ink = qRgb(0, 0, 0);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Face);
    return image;
}

void fill(QImage &image, int left, int top, int width, int height)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            image.setPixel(x, y, Ink);
}

// The 16 colours of the standard palette.
QList<QRgb> standardColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// A note pad with a person sitting at it, drawn on a 32-unit grid.
QImage iconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(3, 4, 17, 24);
    p.setBrush(QColor(255, 0, 0));
    p.drawRect(3, 2, 17, 3);
    p.setPen(QPen(QColor(0, 0, 128), 1));
    for (int y = 10; y <= 24; y += 4)
        p.drawLine(6, y, 17, y);
    p.setPen(QPen(QColor(0, 0, 0), 1));
    p.setBrush(QColor(0, 128, 128));
    p.drawEllipse(20, 10, 8, 8);
    p.drawRoundedRect(17, 19, 14, 11, 4, 4);
    p.end();
    // A palette image keeps the icon to the 16 colours; the transparent corners are put back.
    const QImage mask = image.createAlphaMask();
    QImage indexed =
        image.convertToFormat(QImage::Format_Indexed8, standardColours(), Qt::ThresholdDither);
    QImage result = indexed.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (!(mask.pixelIndex(x, y)))
                result.setPixel(x, y, qRgba(0, 0, 0, 0));
    return result;
}

} // namespace

QImage minimizeBitmap()
{
    QImage image = blank(13, 12);
    fill(image, 3, 8, 6, 2);
    return image;
}

QImage maximizeBitmap()
{
    QImage image = blank(13, 12);
    fill(image, 2, 1, 9, 2);  // the heavy top edge
    fill(image, 2, 3, 1, 7);  // left
    fill(image, 10, 3, 1, 7); // right
    fill(image, 2, 9, 9, 1);  // bottom
    return image;
}

QImage closeBitmap()
{
    QImage image = blank(13, 11);
    for (int row = 0; row < 7; ++row) {
        fill(image, 2 + row, 2 + row, 2, 1);
        fill(image, 8 - row, 2 + row, 2, 1);
    }
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(iconImage(32)));
    icon.addPixmap(QPixmap::fromImage(iconImage(16)));
    return icon;
}

} // namespace qs::profiles
