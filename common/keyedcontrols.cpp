#include "keyedcontrols.h"

#include <QTreeWidget>

#include <algorithm>

namespace qs {

namespace {
constexpr int ImageRole = Qt::UserRole + 1;
constexpr int SelectedImageRole = Qt::UserRole + 2;
} // namespace

DuplicateKeyError::DuplicateKeyError(const QString &key)
    : std::runtime_error("Key is not unique in collection: " + key.toStdString())
    , m_key(key)
{
}

void KeyedItems::insert(QTreeWidgetItem *item, const QString &key)
{
    if (!key.isEmpty()) {
        if (m_byKey.contains(key))
            throw DuplicateKeyError(key);
        m_byKey.insert(key, item);
    }
    item->setData(0, Qt::UserRole, key);
    m_order.push_back(item);
}

void KeyedItems::rekey(QTreeWidgetItem *item, const QString &key)
{
    const QString old = this->key(item);
    if (old == key)
        return;
    if (!key.isEmpty() && m_byKey.contains(key))
        throw DuplicateKeyError(key);
    if (!old.isEmpty())
        m_byKey.remove(old);
    if (!key.isEmpty())
        m_byKey.insert(key, item);
    item->setData(0, Qt::UserRole, key);
}

void KeyedItems::erase(QTreeWidgetItem *item)
{
    const QString k = key(item);
    if (!k.isEmpty())
        m_byKey.remove(k);
    const auto it = std::find(m_order.begin(), m_order.end(), item);
    if (it != m_order.end())
        m_order.erase(it);
}

void KeyedItems::clear()
{
    m_byKey.clear();
    m_order.clear();
}

QString KeyedItems::key(const QTreeWidgetItem *item) const
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

QTreeWidgetItem *KeyedItems::at(int index) const
{
    if (index < 1 || index > count())
        throw std::out_of_range("Index out of bounds");
    return m_order[static_cast<size_t>(index - 1)];
}

int KeyedItems::indexOf(const QTreeWidgetItem *item) const
{
    const auto it = std::find(m_order.begin(), m_order.end(), item);
    return it == m_order.end() ? 0 : static_cast<int>(it - m_order.begin()) + 1;
}

KeyedTree::KeyedTree(QTreeWidget *tree, const ImageList *images)
    : QObject(tree)
    , m_tree(tree)
    , m_images(images)
{
    connect(tree, &QTreeWidget::currentItemChanged, this, &KeyedTree::showImages);
}

QTreeWidgetItem *KeyedTree::add(QTreeWidgetItem *parent, const QString &key, const QString &text,
                                int image, int selectedImage)
{
    auto *node = new QTreeWidgetItem(QStringList{text});
    try {
        m_items.insert(node, key);
    } catch (...) {
        delete node;
        throw;
    }
    node->setData(0, ImageRole, image);
    node->setData(0, SelectedImageRole, selectedImage);
    node->setIcon(0, m_images->icon(image));
    if (parent) {
        parent->addChild(node);
        parent->setExpanded(true);
    } else {
        m_tree->addTopLevelItem(node);
    }
    return node;
}

void KeyedTree::remove(QTreeWidgetItem *node)
{
    while (node->childCount() > 0)
        remove(node->child(node->childCount() - 1));
    m_items.erase(node);
    delete node;
}

void KeyedTree::clear()
{
    m_items.clear();
    m_tree->clear();
}

QTreeWidgetItem *KeyedTree::selected() const
{
    return m_tree->currentItem();
}

void KeyedTree::select(QTreeWidgetItem *node)
{
    m_tree->setCurrentItem(node);
}

QString KeyedTree::fullPath(const QTreeWidgetItem *node)
{
    QStringList parts;
    for (; node; node = node->parent())
        parts.prepend(node->text(0));
    return parts.join(QLatin1Char('\\'));
}

void KeyedTree::showImages(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    if (previous)
        previous->setIcon(0, m_images->icon(previous->data(0, ImageRole).toInt()));
    if (current)
        current->setIcon(0, m_images->icon(current->data(0, SelectedImageRole).toInt()));
}

KeyedList::KeyedList(QTreeWidget *list, const ImageList *images, int icon)
    : m_list(list)
    , m_images(images)
    , m_icon(icon)
{
}

QTreeWidgetItem *KeyedList::makeRow(const Row &row) const
{
    QStringList columns{row.text};
    columns += row.subItems;
    auto *item = new QTreeWidgetItem(columns);
    item->setIcon(0, m_images->icon(m_icon));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

QTreeWidgetItem *KeyedList::add(const QString &key, const QString &text,
                                const QStringList &subItems)
{
    auto *item = makeRow({key, text, subItems});
    try {
        m_items.insert(item, key);
    } catch (...) {
        delete item;
        throw;
    }
    m_list->addTopLevelItem(item);
    return item;
}

void KeyedList::addRows(const std::vector<Row> &rows)
{
    QList<QTreeWidgetItem *> batch;
    batch.reserve(static_cast<qsizetype>(rows.size()));
    auto flush = [&] {
        m_list->addTopLevelItems(batch);
        batch.clear();
    };
    for (const Row &r : rows) {
        auto *item = makeRow(r);
        try {
            m_items.insert(item, r.key);
        } catch (...) {
            delete item;
            flush();
            throw;
        }
        batch << item;
    }
    flush();
}

void KeyedList::remove(QTreeWidgetItem *row)
{
    m_items.erase(row);
    delete row;
}

void KeyedList::clear()
{
    m_items.clear();
    m_list->clear();
}

QTreeWidgetItem *KeyedList::selected() const
{
    const auto sel = m_list->selectedItems();
    return sel.isEmpty() ? nullptr : sel.front();
}

} // namespace qs
