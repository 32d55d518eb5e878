#include "mainwindow.h"

namespace qs::gallery {

void frmMain::newCategory() {}
void frmMain::editCategory() {}
void frmMain::removeCategory() {}

} // namespace qs::gallery
