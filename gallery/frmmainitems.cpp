#include "itemlistmodel.h"
#include "mainwindow.h"
#include "paths.h"
#include "translation.h"

namespace qs::gallery {

namespace {
const char *const TitlePrompt =
    QT_TRANSLATE_NOOP("artshelf", "Please enter a title for this item.");
} // namespace

QString frmMain::choosePicture()
{
    const auto chosen = m_dialogs->openFile(m_pictureDialog);
    if (!chosen)
        return {};
    m_pictureDialog.fileName = *chosen;
    return fileNamePart(*chosen);
}

void frmMain::newItem()
{
    const int k = selectedNode();
    if (k < 1)
        return;
    // The offered title is what the user reads and accepts, so it comes in the user's language.
    const QString title =
        m_dialogs->inputBox(translate("artshelf", TitlePrompt), translate("artshelf", "New Item"),
                            translate("artshelf", "Untitled"));
    if (title.isEmpty())
        return;
    const QString file = choosePicture();
    if (!file.isEmpty())
        report(m_document->addItem(k, title, file));
}

void frmMain::addMultiple()
{
    const int k = selectedNode();
    if (k < 1)
        return;
    const auto chosen = m_dialogs->openFile(m_multiDialog);
    if (!chosen)
        return;
    // Several files come as the directory, then the names, NUL-separated; one file as its path.
    QStringList names = chosen->split(QChar(u'\0'));
    if (names.size() == 1)
        names[0] = fileNamePart(names[0]);
    else
        names.removeFirst();
    for (QString &name : names)
        if (name.contains(QLatin1Char(':')))
            name = fileNamePart(name);
    // At a file the category has already, the command stops; what came before stays.
    report(m_document->addMultiple(k, names));
}

void frmMain::editItem()
{
    const int k = selectedNode();
    const int j = selectedRow();
    if (listRowCount() == 0 || k < 1 || j < 1)
        return;
    const Clipart &clip = m_document->category(k)->Items.Item(j);
    const QString title = m_dialogs->inputBox(translate("artshelf", TitlePrompt),
                                              translate("artshelf", "Edit Item"), clip.Description);
    if (title.isEmpty())
        return;
    m_pictureDialog.fileName = clip.Filename;
    const QString file = choosePicture();
    if (!file.isEmpty())
        report(m_document->editItem(k, j, title, file));
}

void frmMain::removeItem()
{
    const int j = selectedRow();
    if (listRowCount() == 0 || j < 1)
        return;
    if (m_dialogs->msgBox(translate("artshelf", "Are you sure you want to remove this item?"),
                          mb::YesNo, translate("artshelf", "Remove Item")) != mb::Yes)
        return;
    report(m_document->removeItem(selectedNode(), j));
}

} // namespace qs::gallery
