#include "dialogs.h"
#include "translation.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace qs {

int Dialogs::msgBox(const QString &text, int style, const QString &caption)
{
    return showMessage(text, style, caption.isEmpty() ? m_appTitle : caption);
}

QStringList filterToQt(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty())
            continue;
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out;
}

QString withDefaultExtension(const QString &path, const QString &defaultExt)
{
    if (defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return defaultExt.startsWith(QLatin1Char('.')) ? path + defaultExt
                                                   : path + QLatin1Char('.') + defaultExt;
}

QtDialogs::QtDialogs(QString appTitle, QWidget *parent)
    : Dialogs(std::move(appTitle))
    , m_parent(parent)
{
}

QWidget *QtDialogs::owner() const
{
    return m_parent && m_parent->isVisible() ? m_parent : nullptr;
}

int QtDialogs::showMessage(const QString &text, int style, const QString &caption)
{
    QMessageBox box(owner());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (style & mb::IconMask) {
    case mb::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case mb::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case mb::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case mb::Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    // Esc answers with the button that changes nothing: Cancel, else No, else OK.
    switch (style & mb::ButtonMask) {
    case mb::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case mb::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case mb::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    // A box that went away without a button pressed answers as Esc would.
    QAbstractButton *answer = box.clickedButton() ? box.clickedButton() : box.escapeButton();
    switch (box.standardButton(answer)) {
    case QMessageBox::Yes:
        return mb::Yes;
    case QMessageBox::No:
        return mb::No;
    case QMessageBox::Ok:
        return mb::Ok;
    default:
        return mb::Cancel;
    }
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

namespace {
void configure(QFileDialog &dlg, const FileDialogOptions &options)
{
    dlg.setNameFilters(filterToQt(options.filter));
    QString ext = options.defaultExt;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    dlg.setDefaultSuffix(ext);
    if (!options.fileName.isEmpty())
        dlg.selectFile(options.fileName);
}
} // namespace

std::optional<QString> QtDialogs::openFile(const FileDialogOptions &options)
{
    QFileDialog dlg(owner(), options.title.isEmpty() ? translate("common", "Open") : options.title);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    const bool multi = options.flags & ofn::AllowMultiSelect;
    dlg.setFileMode(multi ? QFileDialog::ExistingFiles
                          : ((options.flags & ofn::FileMustExist) ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile));
    configure(dlg, options);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    const QStringList files = dlg.selectedFiles();
    if (files.size() == 1)
        return files.front();
    // Several files come back as the directory and the bare names, NUL-separated.
    QString out = QFileInfo(files.front()).absolutePath();
    for (const QString &f : files)
        out += QChar(u'\0') + QFileInfo(f).fileName();
    return out;
}

std::optional<QString> QtDialogs::saveFile(const FileDialogOptions &options)
{
    QFileDialog dlg(owner(),
                    options.title.isEmpty() ? translate("common", "Save As") : options.title);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !(options.flags & ofn::OverwritePrompt));
    configure(dlg, options);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().front();
}

bool QtDialogs::print(QPrinter &printer)
{
    QPrintDialog dlg(&printer, owner());
    // Offered: a page range, copies and their order. There is no selection or current page
    // to print.
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                   QAbstractPrintDialog::PrintCollateCopies |
                   QAbstractPrintDialog::PrintShowPageSize);
    return dlg.exec() == QDialog::Accepted;
}

} // namespace qs
