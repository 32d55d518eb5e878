#include "promptdialogs.h"
#include "translation.h"

#include "captionfit.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace qs::stencil {

namespace {
const char *const Prompt = QT_TRANSLATE_NOOP("tagloom32", "Prompt:");
const char *const BeginningTag = QT_TRANSLATE_NOOP("tagloom32", "Beginning Tag:");
const char *const EndingTag = QT_TRANSLATE_NOOP("tagloom32", "Ending Tag:");
constexpr int FieldLeft = 1215;
} // namespace

PromptDialog::PromptDialog(Dialogs &dialogs, const char *name, const QString &caption,
                           QSize clientTwips, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , m_dialogs(dialogs)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setAccessibleName(caption);
    setFixedSize(twipsSize(clientTwips.width(), clientTwips.height()));
    setSizeGripEnabled(false);
}

QLineEdit *PromptDialog::field(const QString &name) const
{
    return findChild<QLineEdit *>(name);
}

QPushButton *PromptDialog::button(const QString &name) const
{
    return findChild<QPushButton *>(name);
}

void PromptDialog::addLabel(const char *name, const QString &text, const QRect &twipsRect)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(text);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QRect geometry = twips(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    if (twipsRect.height() >= 400) {
        // Room for two lines: the text wraps rather than being cut off at the right.
        label->setWordWrap(true);
    } else {
        // A one-line label may run on up to its text box, so that a longer translation fits.
        geometry.setWidth(std::max(geometry.width(), twips(FieldLeft) - geometry.x()));
    }
    label->setGeometry(geometry);
}

QLineEdit *PromptDialog::addField(const char *name, const QString &purpose, const QRect &twipsRect)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(purpose);
    edit->setGeometry(twips(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    return edit;
}

void PromptDialog::addButtons(int top)
{
    const auto make = [this, top](const char *name, const QString &text, int left, int width) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAccessibleName(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        // Enter presses the focused button; in a field it presses OK, the default.
        b->setAutoDefault(true);
        b->setGeometry(twips(left, top, width, 350));
        return b;
    };
    m_preview = make("cmdPreview", translate("tagloom32", "&Preview..."), 45, 1185);
    m_ok = make("cmdOK", translate("tagloom32", "&OK"), 2655, 960);
    m_cancel = make("cmdCancel", translate("tagloom32", "&Cancel"), 3645, 960);
    m_ok->setDefault(true);
    connect(m_preview, &QPushButton::clicked, this, [this] { preview(); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    // Esc rejects the dialog as Cancel does.
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

InsertInput::InsertInput(Dialogs &dialogs, QWidget *parent)
    : PromptDialog(dialogs, "InsertInput", translate("tagloom32", "Input Dialog"),
                   QSize(4680, 2505), parent)
{
    addLabel(
        "Label1",
        translate("tagloom32",
                  "Please enter a prompt, a beginning tag, and an ending tag for this input box."),
        QRect(45, 45, 4605, 420));
    addLabel("Label2", translate("tagloom32", Prompt), QRect(45, 585, 645, 240));
    m_prompt = addField("txtPrompt", translate("tagloom32", "Prompt"), QRect(1215, 540, 3390, 330));
    addLabel("Label3", translate("tagloom32", BeginningTag), QRect(45, 990, 1185, 240));
    m_begintag = addField("txtBegintag", translate("tagloom32", "Beginning Tag"),
                          QRect(1215, 945, 3390, 330));
    addLabel("Label4", translate("tagloom32", EndingTag), QRect(45, 1395, 1185, 240));
    m_endtag =
        addField("txtEndtag", translate("tagloom32", "Ending Tag"), QRect(1215, 1350, 3390, 330));
    addButtons(2115);
    setTabOrder(m_prompt, m_begintag);
    setTabOrder(m_begintag, m_endtag);
    setTabOrder(m_endtag, m_preview);
    setTabOrder(m_preview, m_ok);
    setTabOrder(m_ok, m_cancel);
    layOutForFont(this);
    m_prompt->setFocus();
}

TemplateItem InsertInput::item() const
{
    return {kind::InputDialog, m_prompt->text(), {m_begintag->text(), m_endtag->text(), {}}};
}

void InsertInput::setItem(const TemplateItem &item)
{
    m_prompt->setText(item.text);
    m_begintag->setText(item.subItem[0]);
    m_endtag->setText(item.subItem[1]);
}

void InsertInput::preview()
{
    // The prompt as the template's user meets it, then what the answer would insert.
    const QString answer = m_dialogs.inputBox(m_prompt->text(), preview::HostTitle, {});
    m_dialogs.msgBox(translate("tagloom32", preview::Inserted) + m_begintag->text() + answer +
                         m_endtag->text(),
                     mb::OkOnly | mb::Information, preview::Caption);
}

InsertOpen::InsertOpen(Dialogs &dialogs, QWidget *parent)
    : PromptDialog(dialogs, "InsertOpen", translate("tagloom32", "Open Dialog"), QSize(4680, 2805),
                   parent)
{
    addLabel("Label1",
             translate("tagloom32",
                       "Please enter a prompt, filter, a beginning tag, and an ending tag for "
                       "this open dialog.  Click Preview to see your dialog in action."),
             QRect(45, 0, 4605, 420));
    addLabel("Label2", translate("tagloom32", Prompt), QRect(45, 540, 645, 240));
    m_prompt = addField("txtPrompt", translate("tagloom32", "Prompt"), QRect(1215, 495, 3390, 330));
    addLabel("Label5", translate("tagloom32", "Filter"), QRect(45, 945, 1185, 240));
    m_filter = addField("txtFilter", translate("tagloom32", "Filter"), QRect(1215, 900, 3390, 330));
    addLabel("Label3", translate("tagloom32", BeginningTag), QRect(45, 1350, 1185, 240));
    m_begintag = addField("txtBegintag", translate("tagloom32", "Beginning Tag"),
                          QRect(1215, 1305, 3390, 330));
    addLabel("Label4", translate("tagloom32", EndingTag), QRect(45, 1755, 1185, 240));
    m_endtag =
        addField("txtEndtag", translate("tagloom32", "Ending Tag"), QRect(1215, 1710, 3390, 330));
    addButtons(2430);
    setTabOrder(m_cancel, m_ok);
    setTabOrder(m_ok, m_preview);
    setTabOrder(m_preview, m_prompt);
    setTabOrder(m_prompt, m_filter);
    setTabOrder(m_filter, m_begintag);
    setTabOrder(m_begintag, m_endtag);
    layOutForFont(this);
    // In the first field, as in the input editor: a first key typed on Cancel would drop the
    // prompt being typed.
    m_prompt->setFocus();
}

TemplateItem InsertOpen::item() const
{
    return {kind::OpenDialog,
            m_prompt->text(),
            {m_filter->text(), m_begintag->text(), m_endtag->text()}};
}

void InsertOpen::setItem(const TemplateItem &item)
{
    m_prompt->setText(item.text);
    m_filter->setText(item.subItem[0]);
    m_begintag->setText(item.subItem[1]);
    m_endtag->setText(item.subItem[2]);
}

void InsertOpen::preview()
{
    m_dialogs.msgBox(m_prompt->text(), mb::OkOnly, preview::HostTitle);
    m_commonDialog.filter = m_filter->text();
    m_commonDialog.flags = ofn::HideReadOnly;
    // Cancel and every failure of the file dialog come to the same message.
    const std::optional<QString> chosen = m_dialogs.openFile(m_commonDialog);
    if (!chosen || chosen->isEmpty()) {
        m_dialogs.msgBox(translate("tagloom32", preview::Cancelled), mb::OkOnly | mb::Information,
                         preview::Caption);
        return;
    }
    m_commonDialog.fileName = *chosen;
    m_dialogs.msgBox(translate("tagloom32", preview::Inserted) + m_begintag->text() + *chosen +
                         m_endtag->text(),
                     mb::OkOnly | mb::Information, preview::Caption);
}

} // namespace qs::stencil
