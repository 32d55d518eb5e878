#pragma once

#include <QIcon>
#include <QImage>

namespace qs::profiles {

// The caption buttons' faces: black on light grey.
QImage minimizeBitmap(); // 13 x 12, a bar near the bottom
QImage maximizeBitmap(); // 13 x 12, a box with a heavy top edge
QImage closeBitmap();    // 13 x 11, a diagonal cross
// The program's icon, 32 x 32 and 16 x 16, in the 16 standard colours.
QIcon programIcon();

} // namespace qs::profiles
