#pragma once

#include <QIcon>

namespace qs::stencil {

// The 16 x 16 pictures of the toolbar and of the item list, drawn so that each reads at a
// glance in any style.
enum class Picture {
    OpenBook,
    ArrowLeft,
    QuestionBalloon,
    FloppyDisk,
    BlankPage,
    OpenFolder,
    Printer,
    QuestionMark,
};

QIcon picture(Picture which);

} // namespace qs::stencil
