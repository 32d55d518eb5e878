#pragma once

#include "dialogs.h"

#include <optional>

namespace qs::bench {

// Gives the same answer to every question, types inputText into every input box and opens
// openPath; counts the message boxes shown.
class BenchDialogs : public Dialogs
{
public:
    explicit BenchDialogs(QString appTitle)
        : Dialogs(std::move(appTitle))
    {
    }
    QString openPath;
    QString inputText;
    int answer = mb::No;
    int messages = 0;

    QString inputBox(const QString &, const QString &, const QString &) override
    {
        return inputText;
    }
    std::optional<QString> openFile(const FileDialogOptions &) override
    {
        return openPath.isEmpty() ? std::nullopt : std::optional<QString>(openPath);
    }
    std::optional<QString> saveFile(const FileDialogOptions &) override { return std::nullopt; }
    bool print(QPrinter &) override { return false; }

protected:
    int showMessage(const QString &, int, const QString &) override
    {
        ++messages;
        return answer;
    }
};

} // namespace qs::bench
