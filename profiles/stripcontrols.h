#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QLabel>

namespace qs::profiles {

// A label that reports every mouse press on it, of any button, so that it can drag the window.
// The window manager's move follows the left button only: for another button the label moves
// the window itself while that button is held.
class DragLabel : public QLabel
{
    Q_OBJECT
public:
    DragLabel(const QString &text, int index, QWidget *parent);
    int index() const { return m_index; }

signals:
    void pressed(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_index;
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPoint m_grabOffset; // from the window's top left to the pointer, in global pixels
};

// The program icon at the left of the title strip. It keeps presses to itself, so that they
// never drag the window, and reports a double click.
class IconImage : public QLabel
{
    Q_OBJECT
public:
    explicit IconImage(QWidget *parent);

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// A small caption button: a raised grey face with its bitmap, sunken while pressed, the
// bitmap etched while disabled.
class CaptionButton : public QAbstractButton
{
public:
    CaptionButton(const QImage &bitmap, QWidget *parent);
    QSize sizeHint() const override;
    const QImage &bitmap() const { return m_bitmap; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_bitmap;
};

// The grey outline around the client area below the title strip. It lies under the other
// controls and lets the mouse through.
class FrameLine : public QWidget
{
public:
    explicit FrameLine(QWidget *parent);
    static QColor colour() { return QColor(128, 128, 128); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace qs::profiles
