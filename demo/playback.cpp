#include "playback.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::demo {

QString playTemplate(const std::vector<stencil::TemplateItem> &items, Dialogs &dialogs)
{
    namespace kind = stencil::kind;
    QString page;
    FileDialogOptions fileDialog;
    for (const stencil::TemplateItem &item : items) {
        switch (item.ItemKind) {
        case kind::Text:
            page += item.text;
            break;
        case kind::CarriageReturn:
            page += QLatin1Char('\n');
            break;
        case kind::InputDialog:
            // A cancelled input box gives the empty answer: the tags stand side by side.
            page += item.subItem[0] + dialogs.inputBox(item.text, HostTitle, {}) + item.subItem[1];
            break;
        case kind::OpenDialog: {
            dialogs.msgBox(item.text, mb::OkOnly, HostTitle);
            fileDialog.filter = item.subItem[0];
            fileDialog.flags = ofn::HideReadOnly;
            const std::optional<QString> chosen = dialogs.openFile(fileDialog);
            // Cancel inserts nothing.
            if (chosen && !chosen->isEmpty()) {
                fileDialog.fileName = *chosen;
                page += item.subItem[1] + *chosen + item.subItem[2];
            }
            break;
        }
        default:
            break;
        }
    }
    return page;
}

std::optional<QString> playTemplateFile(const QString &path, Dialogs &dialogs)
{
    if (!QFileInfo(path).isFile()) {
        dialogs.msgBox(QStringLiteral("The template %1 could not be found.").arg(path),
                       mb::OkOnly | mb::Critical, HostTitle);
        return std::nullopt;
    }
    stencil::TemplateDocument document;
    const stencil::FileResult result = document.OpenDocument(path);
    if (result.status != stencil::FileResult::Done) {
        if (result.stop.line == 0) {
            dialogs.msgBox(result.message(), mb::OkOnly | mb::Critical, HostTitle);
            return std::nullopt;
        }
        // A player saves nothing: it only says how far it read.
        dialogs.msgBox(QStringLiteral("The template %1 was not read completely.\r\n\r\n"
                                      "Reading stopped at line %2: %3.")
                           .arg(path)
                           .arg(result.stop.line)
                           .arg(result.stop.reason),
                       mb::OkOnly | mb::Critical, HostTitle);
    }
    return playTemplate(document.rows(), dialogs);
}

TestRunWindow::TestRunWindow(const QString &templatePath, const QString &page, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTestRun"));
    setWindowTitle(WindowTitle);
    setAccessibleName(WindowTitle);

    auto *source = new QLabel(QStringLiteral("Template: ") + templatePath, this);
    source->setObjectName(QStringLiteral("lblTemplate"));
    source->setAccessibleName(QStringLiteral("Template"));
    source->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_page = new QPlainTextEdit(page, this);
    m_page->setObjectName(QStringLiteral("txtPage"));
    m_page->setAccessibleName(QStringLiteral("Page"));
    m_page->setReadOnly(true);
    m_page->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto *close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAccessibleName(QStringLiteral("Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(m_page, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(560, 360);
}

QString TestRunWindow::page() const
{
    return m_page->toPlainText();
}

} // namespace qs::demo
