#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

namespace qs {

// Message box styles and answers, by the numbers the programs were designed with.
namespace mb {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;
inline constexpr int ButtonMask = 0x7;
inline constexpr int IconMask = 0x70;

inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace mb

// Open/save dialog option flags (the Win32 OFN_ values).
namespace ofn {
inline constexpr unsigned OverwritePrompt = 0x2;
inline constexpr unsigned HideReadOnly = 0x4;
inline constexpr unsigned AllowMultiSelect = 0x200;
inline constexpr unsigned PathMustExist = 0x800;
inline constexpr unsigned FileMustExist = 0x1000;
inline constexpr unsigned Explorer = 0x80000;
} // namespace ofn

struct FileDialogOptions
{
    QString filter;     // "desc|pattern|desc|pattern|"
    QString defaultExt; // ".gal"; added to a typed name that has none
    unsigned flags = 0;
    QString fileName; // the starting file name
    QString title;    // empty: the platform's own title
};

// Every message box, input box, file dialog and print dialog of a window goes through this,
// so that tests can script the answers.
class Dialogs
{
public:
    explicit Dialogs(QString appTitle)
        : m_appTitle(std::move(appTitle))
    {
    }
    virtual ~Dialogs() = default;

    // Returns one of mb::Ok, mb::Cancel, mb::Yes, mb::No. An empty caption means the program's
    // title.
    int msgBox(const QString &text, int style = mb::OkOnly, const QString &caption = {});
    // The typed text, or the empty text on cancel.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // The chosen path; nullopt on cancel. With ofn::AllowMultiSelect and several files chosen
    // the answer is the directory, a NUL, and the names separated by NULs.
    virtual std::optional<QString> openFile(const FileDialogOptions &options) = 0;
    virtual std::optional<QString> saveFile(const FileDialogOptions &options) = 0;
    virtual bool print(QPrinter &printer) = 0;

    const QString &appTitle() const { return m_appTitle; }

protected:
    virtual int showMessage(const QString &text, int style, const QString &caption) = 0;

private:
    QString m_appTitle;
};

// Parses a "desc|pattern|desc|pattern|" filter into Qt's "desc (pattern)" entries.
QStringList filterToQt(const QString &filter);
// Adds defaultExt (".gal" or "gal") to a name without an extension.
QString withDefaultExtension(const QString &path, const QString &defaultExt);

class QtDialogs : public Dialogs
{
public:
    QtDialogs(QString appTitle, QWidget *parent);

    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    std::optional<QString> openFile(const FileDialogOptions &options) override;
    std::optional<QString> saveFile(const FileDialogOptions &options) override;
    bool print(QPrinter &printer) override;

protected:
    int showMessage(const QString &text, int style, const QString &caption) override;

private:
    // The window a dialog belongs to. While it is not shown (a program starting, or in the
    // notification area) a dialog has none, so that it is centred on the screen rather than
    // placed at the hidden window's corner.
    QWidget *owner() const;

    QWidget *m_parent;
};

} // namespace qs
