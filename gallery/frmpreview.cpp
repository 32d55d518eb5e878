#include "frmpreview.h"
#include "paths.h"
#include "translation.h"

#include "besideeventloop.h"
#include "dialogs.h"

#include <QImageReader>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>

namespace qs::gallery {

frmPreview::frmPreview(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_dialogs(dialogs)
    , m_imgPic(new QLabel(this))
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(translate("artshelf", "Preview"));
    m_imgPic->setObjectName(QStringLiteral("imgPic"));
    m_imgPic->setAccessibleName(translate("artshelf", "Picture"));
    m_imgPic->setAlignment(Qt::AlignCenter);
    resize(4680 / 15, 3195 / 15);
}

void frmPreview::LoadPic(const QString &path)
{
    // A picture of many megapixels takes seconds to decode: the windows keep painting. No
    // window is larger than the screen, so a larger picture is kept at the screen's size.
    const QSize bound = screen() ? screen()->availableSize() : QSize(4096, 4096);
    QImage image;
    runBesideEventLoop(this, translate("artshelf", "Opening %1...").arg(shownPath(path)), [&] {
        QImageReader reader(path);
        reader.setAllocationLimit(MaxPixels * 4 / (1024 * 1024));
        const QSize size = reader.size();
        if (size.isValid() && qint64(size.width()) * size.height() <= MaxPixels)
            image = reader.read();
        if (image.width() > bound.width() || image.height() > bound.height())
            image = image.scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    });
    if (image.isNull()) {
        m_dialogs.msgBox(translate("artshelf", "Picture file not found."));
        return;
    }
    m_picture = QPixmap::fromImage(image);
    showPicture();
}

void frmPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_imgPic->setGeometry(rect());
    showPicture();
}

void frmPreview::showPicture()
{
    if (m_picture.isNull())
        return;
    // Large pictures are scaled down to the window; small ones keep their size.
    const QSize area = m_imgPic->size();
    if (m_picture.width() > area.width() || m_picture.height() > area.height())
        m_imgPic->setPixmap(m_picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        m_imgPic->setPixmap(m_picture);
}

} // namespace qs::gallery
