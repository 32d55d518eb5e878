#pragma once

#include <QColor>
#include <QWidget>

namespace qs::profiles {

class CaptionButton;
class DragLabel;
class IconImage;

// The painted title strip at the top of the chooser (Picture1): a gradient from a colour at
// the left edge to black at the right, the program icon, the two title words and the
// caption buttons.
class TitleStrip : public QWidget
{
    Q_OBJECT
public:
    static constexpr int HeightTwips = 285;

    explicit TitleStrip(QWidget *parent);

    // The colour the next paint fades from.
    void setColour(const QColor &colour) { m_colour = colour; }
    QColor colour() const { return m_colour; }
    // Sets the colour and paints with it.
    void paintGradient(const QColor &colour);
    // Puts the icon, the words and the caption buttons in their places for the strip's size.
    void placeControls();

    CaptionButton *minimizeButton() const { return m_minimize; }
    CaptionButton *maximizeButton() const { return m_maximize; }
    CaptionButton *closeButton() const { return m_close; }

signals:
    // A press of the left button on the strip itself.
    void stripPressed();
    // A press of any button on one of the title words.
    void wordPressed(Qt::MouseButton button);
    void iconDoubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void createIcon();
    void createWords();
    void createButtons();

    QColor m_colour = QColor(255, 0, 0);
    IconImage *m_icon = nullptr;
    DragLabel *m_boldWord = nullptr;
    DragLabel *m_plainWord = nullptr;
    CaptionButton *m_minimize = nullptr;
    CaptionButton *m_maximize = nullptr;
    CaptionButton *m_close = nullptr;
};

} // namespace qs::profiles
