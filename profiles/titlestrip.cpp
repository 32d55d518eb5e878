#include "titlestrip.h"
#include "translation.h"

#include "captionbitmaps.h"
#include "captionfit.h"
#include "stripcontrols.h"
#include "twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace qs::profiles {

namespace {

constexpr int TwipsPerPixel = 15;

QFont titleFont(bool bold)
{
    // Somewhat larger than the desktop's font, as the strip was against its 8-point one.
    QFont font = QApplication::font();
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica")});
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 9.75 / 8);
    font.setBold(bold);
    return font;
}

// One component at x of a fade over width units: full at the left, nothing at the right.
int faded(int component, int x, int width)
{
    return component - component * x / width;
}

// The pixel column that holds twip t, rounding toward the left also for t < 0.
int pixelColumn(int t)
{
    return t >= 0 ? t / TwipsPerPixel : -((-t + TwipsPerPixel - 1) / TwipsPerPixel);
}

// The place given, grown where the font on this system needs more room for the word.
QRect fitted(const QLabel *label, QRect place)
{
    place.setWidth(
        std::max(place.width(), label->fontMetrics().horizontalAdvance(label->text()) + 1));
    place.setHeight(std::max(place.height(), label->fontMetrics().height()));
    return place;
}

// The strip's places, in the pixels it was laid out in for an 8-point font.
constexpr int WordTop = 2;
constexpr int BoldLeft = 21;
constexpr int BoldWidth = 58;
constexpr int PlainLeft = 81;
constexpr int PlainWidth = 91;

} // namespace

TitleStrip::TitleStrip(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(translate("seatpick", "Title bar"));
    // Every pixel is painted, so nothing behind needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    createIcon();
    createWords();
    createButtons();
}

void TitleStrip::createIcon()
{
    m_icon = new IconImage(this);
    m_icon->setObjectName(QStringLiteral("Image1"));
    m_icon->setAccessibleName(QStringLiteral("Tandem!Pad Pickwell"));
    connect(m_icon, &IconImage::doubleClicked, this, &TitleStrip::iconDoubleClicked);
}

void TitleStrip::createWords()
{
    m_boldWord = new DragLabel(QStringLiteral("Tandem!Pad"), 2, this);
    m_boldWord->setFont(titleFont(true));
    m_plainWord = new DragLabel(QStringLiteral("Pickwell"), 1, this);
    m_plainWord->setFont(titleFont(false));
    for (DragLabel *word : {m_boldWord, m_plainWord}) {
        word->setAttribute(Qt::WA_TranslucentBackground);
        word->setAutoFillBackground(false);
        word->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        connect(word, &DragLabel::pressed, this, &TitleStrip::wordPressed);
    }
}

void TitleStrip::createButtons()
{
    m_minimize = new CaptionButton(minimizeBitmap(), this);
    m_minimize->setObjectName(QStringLiteral("Command3"));
    m_minimize->setAccessibleName(translate("seatpick", "Minimize"));
    m_maximize = new CaptionButton(maximizeBitmap(), this);
    m_maximize->setObjectName(QStringLiteral("Command2"));
    m_maximize->setAccessibleName(translate("seatpick", "Maximize"));
    m_maximize->setEnabled(false);
    m_close = new CaptionButton(closeBitmap(), this);
    m_close->setObjectName(QStringLiteral("Command1"));
    m_close->setAccessibleName(translate("seatpick", "Close"));
}

void TitleStrip::paintGradient(const QColor &colour)
{
    m_colour = colour;
    update();
}

void TitleStrip::placeControls()
{
    // In the units the window was laid out in: the icon fills the strip's height, the words
    // follow it, the buttons keep to the right edge.
    const DialogUnits units = DialogUnits::of(this);
    const int side = std::max(1, height());
    if (m_icon->pixmap().size() != QSize(side, side))
        m_icon->setPixmap(programIcon().pixmap(side, side));
    m_icon->setGeometry(0, 0, side, side);
    // The words run to the strip's bottom edge.
    const int top = units.y(WordTop);
    m_boldWord->setGeometry(
        fitted(m_boldWord, QRect(units.x(BoldLeft), top, units.x(BoldWidth), height() - top)));
    // "Pickwell" keeps its distance behind the bold word, however wide the font made that.
    const int gap = units.x(PlainLeft) - units.x(BoldLeft + BoldWidth);
    const int plainLeft = std::max(units.x(PlainLeft), m_boldWord->geometry().right() + 1 + gap);
    m_plainWord->setGeometry(
        fitted(m_plainWord, QRect(plainLeft, top, units.x(PlainWidth), height() - top)));
    for (CaptionButton *button : {m_minimize, m_maximize, m_close})
        button->resize(units.size(twipsSize(260, 240)));
    m_close->move(width() - units.x(twips(300)), units.y(twips(25)));
    m_maximize->move(width() - units.x(twips(700)), units.y(twips(25)));
    m_minimize->move(width() - units.x(twips(1000)), units.y(twips(25)));
}

void TitleStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TitleStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // The gradient is laid out in twips, the strip's own units, in about 128 bands.
    const int inner = width() * TwipsPerPixel;
    if (inner <= 0)
        return;
    const int step = std::max(1, inner / 128);
    for (int x = 0; x <= inner; x += step) {
        const QColor band(faded(m_colour.red(), x, inner), faded(m_colour.green(), x, inner),
                          faded(m_colour.blue(), x, inner));
        // Each band reaches one unit back into the previous one and covers the full height.
        p.fillRect(
            QRect(QPoint(pixelColumn(x - 1), 0), QPoint(pixelColumn(x + step), height() - 1)),
            band);
    }
}

void TitleStrip::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit stripPressed();
}

} // namespace qs::profiles
