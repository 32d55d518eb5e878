#pragma once

#include "dialogs.h"
#include "templatedocument.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qs::stencil {

// The fixed-size editor of a prompt item: its fields, Preview, OK (the default button) and
// Cancel (Esc). The command that shows it takes the item from it after OK.
class PromptDialog : public QDialog
{
    Q_OBJECT

public:
    // The item the fields describe.
    virtual TemplateItem item() const = 0;
    // Fills the fields from an item of this dialog's kind, for editing.
    virtual void setItem(const TemplateItem &item) = 0;
    // The text box or button of that name.
    QLineEdit *field(const QString &name) const;
    QPushButton *button(const QString &name) const;

protected:
    PromptDialog(Dialogs &dialogs, const char *name, const QString &caption, QSize clientTwips,
                 QWidget *parent);
    void addLabel(const char *name, const QString &text, const QRect &twipsRect);
    QLineEdit *addField(const char *name, const QString &purpose, const QRect &twipsRect);
    // Preview, OK and Cancel along the bottom at top twips.
    void addButtons(int top);
    virtual void preview() = 0;

    Dialogs &m_dialogs;
    QLineEdit *m_prompt = nullptr;
    QLineEdit *m_begintag = nullptr;
    QLineEdit *m_endtag = nullptr;
    QPushButton *m_preview = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Defines an input-box item: a prompt and the tags its answer is wrapped in.
class InsertInput : public PromptDialog
{
    Q_OBJECT

public:
    InsertInput(Dialogs &dialogs, QWidget *parent);
    TemplateItem item() const override;
    void setItem(const TemplateItem &item) override;

private:
    void preview() override;
};

// Defines an open-dialog item: a prompt, the file dialog's filter and the tags the chosen path
// is wrapped in.
class InsertOpen : public PromptDialog
{
    Q_OBJECT

public:
    InsertOpen(Dialogs &dialogs, QWidget *parent);
    TemplateItem item() const override;
    void setItem(const TemplateItem &item) override;

private:
    void preview() override;

    QLineEdit *m_filter = nullptr;
    FileDialogOptions m_commonDialog; // this dialog's own CommonDialog1
};

// The texts the previews show.
namespace preview {
inline const QString HostTitle = QStringLiteral("Quillsite 97");
inline const QString Caption = QStringLiteral("Stencilry");
// Shown in the user's language: they are the editor's words, not the host's.
inline constexpr char Inserted[] = QT_TRANSLATE_NOOP(
    "tagloom32", "The following text will be inserted into the user's document:\r\n\r\n");
inline constexpr char Cancelled[] = QT_TRANSLATE_NOOP(
    "tagloom32",
    "No text will be inserted into the user's document because the user chose Cancel.");
} // namespace preview

} // namespace qs::stencil
