#include "aboutbox.h"
#include "translation.h"

#include "captionfit.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace qs {

namespace {
// Positions in twips, as the window was designed, at 15 twips a pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setAccessibleName(text);
    return l;
}
} // namespace

AboutBox::AboutBox(const AboutInfo &info, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(info.objectName);
    setWindowTitle(translate("common", "About %1").arg(info.appTitle));
    setFixedSize(twips(0, 0, 5730, 3870).size());

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setGeometry(twips(240, 240, 540, 540));
    icon->setPixmap(info.icon.pixmap(32, 32));
    icon->setAccessibleName(translate("common", "Program icon"));

    const QString title = info.fixedTitle.isEmpty() ? info.appTitle : info.fixedTitle;
    QFont titleFont = font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    label(this, "lblTitle", title, twips(1050, 240, 4400, 480))->setFont(titleFont);
    label(this, "lblVersion", versionText(info), twips(1050, 780, 4400, 225));
    label(this, "lblDescription", info.description, twips(1050, 1125, 4400, 1050));

    for (int i = 0; i < 2; ++i) {
        auto *line = new QFrame(this);
        line->setObjectName(QStringLiteral("Line1"));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(twips(225, 2370 + i * 15, 5280, 30));
    }

    label(this, "lblDisclaimer", info.disclaimer, twips(255, 2625, 3870, 825));

    auto *ok = new QPushButton(translate("common", "OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twips(4245, 2625, 1260, 345));
    ok->setDefault(true);
    ok->setAccessibleName(translate("common", "OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layOutForFont(this);
}

void AboutBox::open(const AboutInfo &info, QWidget *parent)
{
    AboutBox box(info, parent);
    box.exec();
}

QString AboutBox::versionText(const AboutInfo &info)
{
    return translate("common", "Version %1")
        .arg(versionNumber(info.major, info.minor, info.revision));
}

QString AboutBox::versionNumber(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

} // namespace qs
