#pragma once

#include <QRect>
#include <QSize>

namespace qs {

// Windows were designed in twips (1/1440 inch); 15 twips make a pixel at 96 dpi.
constexpr int twips(int value)
{
    return value / 15;
}
inline QRect twips(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
inline QSize twipsSize(int width, int height)
{
    return QSize(twips(width), twips(height));
}
// List column widths were given in HIMETRIC (1/100 mm): 2540 make an inch, 96 pixels.
constexpr int himetric(int value)
{
    return value * 96 / 2540;
}

} // namespace qs
