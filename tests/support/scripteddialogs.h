#pragma once

#include "dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace qs::test {

enum class DialogKind { Message, Input, Open, Save, Print };

struct DialogRecord
{
    DialogKind kind;
    QString text;    // message text or input prompt
    QString caption; // message caption (resolved) or input title
    int buttons = 0; // message: mb::OkOnly, mb::YesNo, ...
    int icon = 0;    // message: 0, mb::Critical or mb::Information
    QString defaultText;
    FileDialogOptions options;
};

// Records every dialog shown and answers from a queue; a dialog nobody scripted, or one of
// another kind than the next answer, fails the running test, and so do answers left unused.
class ScriptedDialogs : public Dialogs
{
public:
    explicit ScriptedDialogs(QString appTitle = QStringLiteral("Pictorium"));
    ~ScriptedDialogs() override;

    ScriptedDialogs &answerMessage(int button = mb::Ok);
    ScriptedDialogs &answerInput(const QString &text);
    ScriptedDialogs &answerOpen(std::optional<QString> path);
    ScriptedDialogs &answerSave(std::optional<QString> path);
    // choose sets the printer up as the user would in the dialog (copies, print to file).
    ScriptedDialogs &answerPrint(bool accepted, std::function<void(QPrinter &)> choose = {});

    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    std::optional<QString> openFile(const FileDialogOptions &options) override;
    std::optional<QString> saveFile(const FileDialogOptions &options) override;
    bool print(QPrinter &printer) override;

    const std::vector<DialogRecord> &shown() const { return m_shown; }
    // Texts of the message boxes shown, in order.
    QStringList messages() const;
    void clear() { m_shown.clear(); }

protected:
    int showMessage(const QString &text, int style, const QString &caption) override;

private:
    struct Answer
    {
        DialogKind kind;
        int button = 0;
        QString text;
        std::optional<QString> path;
        bool accepted = false;
        std::function<void(QPrinter &)> choose;
    };
    std::optional<Answer> take(DialogKind kind, const QString &what);

    std::deque<Answer> m_answers;
    std::vector<DialogRecord> m_shown;
};

} // namespace qs::test
