#pragma once

#include "imagelist.h"

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

#include <stdexcept>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace qs {

// Raised when a node or row is given a key that another one already has.
class DuplicateKeyError : public std::runtime_error
{
public:
    explicit DuplicateKeyError(const QString &key);
    QString key() const { return m_key; }

private:
    QString m_key;
};

// Unique string keys (the empty key is no key) and 1-based indexes in the order of adding.
class KeyedItems
{
public:
    void insert(QTreeWidgetItem *item, const QString &key); // throws DuplicateKeyError
    void rekey(QTreeWidgetItem *item, const QString &key);  // throws DuplicateKeyError
    void erase(QTreeWidgetItem *item);
    void clear();
    QString key(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *find(const QString &key) const { return m_byKey.value(key); }
    int count() const { return static_cast<int>(m_order.size()); }
    QTreeWidgetItem *at(int index) const; // throws std::out_of_range
    int indexOf(const QTreeWidgetItem *item) const;

private:
    QHash<QString, QTreeWidgetItem *> m_byKey;
    std::vector<QTreeWidgetItem *> m_order;
};

// A tree of keyed nodes; a node shows its selected image while it is the current node.
class KeyedTree : public QObject
{
public:
    KeyedTree(QTreeWidget *tree, const ImageList *images);

    // parent null: a top-level node. Throws DuplicateKeyError, adding nothing.
    QTreeWidgetItem *add(QTreeWidgetItem *parent, const QString &key, const QString &text,
                         int image, int selectedImage);
    void remove(QTreeWidgetItem *node);
    void clear();

    QTreeWidgetItem *node(int index) const { return m_items.at(index); }
    int indexOf(const QTreeWidgetItem *node) const { return m_items.indexOf(node); }
    int count() const { return m_items.count(); }
    QString key(const QTreeWidgetItem *node) const { return m_items.key(node); }
    void setKey(QTreeWidgetItem *node, const QString &key) { m_items.rekey(node, key); }
    QTreeWidgetItem *selected() const;
    void select(QTreeWidgetItem *node);
    // The texts from the top node down to node, joined by '\'.
    static QString fullPath(const QTreeWidgetItem *node);

private:
    void showImages(QTreeWidgetItem *current, QTreeWidgetItem *previous);

    QTreeWidget *m_tree;
    const ImageList *m_images;
    KeyedItems m_items;
};

// A report-view list of keyed rows: text in the first column, sub-items in the next.
class KeyedList
{
public:
    struct Row
    {
        QString key;
        QString text;
        QStringList subItems;
    };

    KeyedList(QTreeWidget *list, const ImageList *images, int icon);

    QTreeWidgetItem *add(const QString &key, const QString &text,
                         const QStringList &subItems = {}); // throws DuplicateKeyError
    // Adds rows in one go; at a duplicate key the rows before it stay and the error is thrown.
    void addRows(const std::vector<Row> &rows);
    void remove(QTreeWidgetItem *row);
    void clear();

    int count() const { return m_items.count(); }
    QTreeWidgetItem *row(int index) const { return m_items.at(index); }
    int indexOf(const QTreeWidgetItem *row) const { return m_items.indexOf(row); }
    QString key(const QTreeWidgetItem *row) const { return m_items.key(row); }
    void setKey(QTreeWidgetItem *row, const QString &key) { m_items.rekey(row, key); }
    QTreeWidgetItem *selected() const;

private:
    QTreeWidgetItem *makeRow(const Row &row) const;

    QTreeWidget *m_list;
    const ImageList *m_images;
    int m_icon;
    KeyedItems m_items;
};

} // namespace qs
