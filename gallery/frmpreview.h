#pragma once

#include <QWidget>

class QLabel;

namespace qs {
class Dialogs;
}

namespace qs::gallery {

// The modeless picture window of the gallery editor, reused while it is open.
class frmPreview : public QWidget
{
public:
    // Pictures larger than this are refused rather than decoded.
    static constexpr int MaxPixels = 64 * 1024 * 1024;

    frmPreview(Dialogs &dialogs, QWidget *parent);

    // Shows the picture at path; on any failure says "Picture file not found." and keeps the old
    // one.
    void LoadPic(const QString &path);
    QLabel *imgPic() const { return m_imgPic; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showPicture();

    Dialogs &m_dialogs;
    QLabel *m_imgPic;
    QPixmap m_picture;
};

} // namespace qs::gallery
