#include "frmpreview.h"

namespace qs::gallery {

frmPreview::frmPreview(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
}

} // namespace qs::gallery
