#include "mainwindow.h"
#include "paths.h"

#include <QTreeWidget>

namespace qs::gallery {

namespace {
const QString TitlePrompt = QStringLiteral("Please enter a title for this item.");
} // namespace

QString frmMain::choosePicture()
{
    const auto chosen = m_dialogs->openFile(m_pictureDialog);
    if (!chosen)
        return {};
    m_pictureDialog.fileName = *chosen;
    return fileNamePart(*chosen);
}

bool frmMain::appendItem(const QTreeWidgetItem *node, const QString &title, const QString &file)
{
    Folder *folder = folderOf(node);
    if (!folder)
        return false;
    try {
        m_list->add(file, title, {file});
    } catch (const DuplicateKeyError &) {
        return false; // the category already has a picture of that name
    }
    folder->Items.AddItem(title, file);
    return true;
}

Clipart *frmMain::clipartOf(const QTreeWidgetItem *node, const QTreeWidgetItem *row)
{
    Folder *folder = folderOf(node);
    const int k = m_list->indexOf(row);
    if (!folder || k < 1 || k > folder->Items.Item.Count())
        return nullptr;
    return &folder->Items.Item(k);
}

void frmMain::newItem()
{
    QTreeWidgetItem *node = m_tree->selected();
    if (isRootOrNone(node))
        return;
    const QString title =
        m_dialogs->inputBox(TitlePrompt, QStringLiteral("New Item"), QStringLiteral("Untitled"));
    if (title.isEmpty())
        return;
    const QString file = choosePicture();
    if (!file.isEmpty())
        appendItem(node, title, file);
}

void frmMain::addMultiple()
{
    QTreeWidgetItem *node = m_tree->selected();
    if (isRootOrNone(node))
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
    for (QString &name : names) {
        if (name.contains(QLatin1Char(':')))
            name = fileNamePart(name);
        if (name.isEmpty() || !appendItem(node, name, name))
            return;
    }
}

void frmMain::editItem()
{
    QTreeWidgetItem *node = m_tree->selected();
    QTreeWidgetItem *row = m_list->selected();
    if (m_list->count() == 0 || isRootOrNone(node) || !row)
        return;
    const QString title =
        m_dialogs->inputBox(TitlePrompt, QStringLiteral("Edit Item"), row->text(0));
    if (title.isEmpty())
        return;
    m_pictureDialog.fileName = row->text(1);
    const QString file = choosePicture();
    if (file.isEmpty())
        return;
    Clipart *clip = clipartOf(node, row);
    if (!clip)
        return;
    try {
        m_list->setKey(row, file);
    } catch (const DuplicateKeyError &) {
        return; // another item of the category has that picture
    }
    row->setText(0, title);
    row->setText(1, file);
    clip->Description = title;
    clip->Filename = file;
}

void frmMain::removeItem()
{
    QTreeWidgetItem *row = m_list->selected();
    if (m_list->count() == 0 || !row)
        return;
    if (m_dialogs->msgBox(QStringLiteral("Are you sure you want to remove this item?"), mb::YesNo,
                          QStringLiteral("Remove Item")) != mb::Yes)
        return;
    const int k = m_list->indexOf(row);
    m_list->remove(row);
    Folder *folder = folderOf(m_tree->selected());
    if (folder && k >= 1 && k <= folder->Items.Item.Count())
        folder->Items.Item.Remove(k);
}

void frmMain::renameItem(QTreeWidgetItem *row, const QString &text)
{
    QTreeWidgetItem *node = m_tree->selected();
    if (m_list->count() == 0 || isRootOrNone(node) || !row)
        return;
    if (Clipart *clip = clipartOf(node, row)) {
        row->setText(0, text);
        clip->Description = text;
    }
}

} // namespace qs::gallery
