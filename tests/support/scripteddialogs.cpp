#include "scripteddialogs.h"

#include <gtest/gtest.h>

namespace qs::test {

namespace {
const char *kindName(DialogKind k)
{
    switch (k) {
    case DialogKind::Message:
        return "message box";
    case DialogKind::Input:
        return "input box";
    case DialogKind::Open:
        return "open dialog";
    case DialogKind::Save:
        return "save dialog";
    case DialogKind::Print:
        return "print dialog";
    }
    return "?";
}
} // namespace

ScriptedDialogs::ScriptedDialogs(QString appTitle)
    : Dialogs(std::move(appTitle))
{
}

ScriptedDialogs::~ScriptedDialogs()
{
    for (const Answer &a : m_answers)
        ADD_FAILURE() << "scripted answer for a " << kindName(a.kind) << " was never used";
}

ScriptedDialogs &ScriptedDialogs::answerMessage(int button)
{
    m_answers.push_back({DialogKind::Message, button, {}, {}, false, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::answerInput(const QString &text)
{
    m_answers.push_back({DialogKind::Input, 0, text, {}, false, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::answerOpen(std::optional<QString> path)
{
    m_answers.push_back({DialogKind::Open, 0, {}, std::move(path), false, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::answerSave(std::optional<QString> path)
{
    m_answers.push_back({DialogKind::Save, 0, {}, std::move(path), false, {}});
    return *this;
}

ScriptedDialogs &ScriptedDialogs::answerPrint(bool accepted, std::function<void(QPrinter &)> choose)
{
    m_answers.push_back({DialogKind::Print, 0, {}, {}, accepted, std::move(choose)});
    return *this;
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(DialogKind kind, const QString &what)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": " << what.toStdString();
        return std::nullopt;
    }
    Answer a = m_answers.front();
    m_answers.pop_front();
    if (a.kind != kind) {
        ADD_FAILURE() << "expected a " << kindName(a.kind) << " but a " << kindName(kind)
                      << " was shown: " << what.toStdString();
        return std::nullopt;
    }
    return a;
}

int ScriptedDialogs::showMessage(const QString &text, int style, const QString &caption)
{
    m_shown.push_back(
        {DialogKind::Message, text, caption, style & mb::ButtonMask, style & mb::IconMask, {}, {}});
    const auto a = take(DialogKind::Message, text);
    if (!a)
        return (style & mb::ButtonMask) == mb::OkOnly ? mb::Ok : mb::Cancel;
    return a->button;
}

QString ScriptedDialogs::inputBox(const QString &prompt, const QString &title,
                                  const QString &defaultText)
{
    m_shown.push_back({DialogKind::Input, prompt, title, 0, 0, defaultText, {}});
    const auto a = take(DialogKind::Input, prompt);
    return a ? a->text : QString();
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogOptions &options)
{
    m_shown.push_back({DialogKind::Open, {}, options.title, 0, 0, options.fileName, options});
    const auto a = take(DialogKind::Open, options.filter);
    return a ? a->path : std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogOptions &options)
{
    m_shown.push_back({DialogKind::Save, {}, options.title, 0, 0, options.fileName, options});
    const auto a = take(DialogKind::Save, options.filter);
    return a ? a->path : std::nullopt;
}

bool ScriptedDialogs::print(QPrinter &printer)
{
    m_shown.push_back({DialogKind::Print, {}, {}, 0, 0, {}, {}});
    const auto a = take(DialogKind::Print, QStringLiteral("print"));
    if (a && a->choose)
        a->choose(printer);
    return a && a->accepted;
}

QStringList ScriptedDialogs::messages() const
{
    QStringList out;
    for (const auto &r : m_shown)
        if (r.kind == DialogKind::Message)
            out << r.text;
    return out;
}

} // namespace qs::test
