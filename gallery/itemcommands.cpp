#include "mainwindow.h"

namespace qs::gallery {

void frmMain::newItem() {}
void frmMain::addMultiple() {}
void frmMain::editItem() {}
void frmMain::removeItem() {}
void frmMain::renameItem(QTreeWidgetItem *, const QString &) {}
void frmMain::previewItem() {}
void frmMain::installGallery() {}

} // namespace qs::gallery
