#pragma once

#include "imagelist.h"

#include <QAbstractTableModel>

#include <functional>

namespace qs::gallery {

class GalleryDocument;

// The items of one category, row j - 1 for item j: title (editable in place) and picture file.
class ItemListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ItemListModel(GalleryDocument *document, const ImageList *images, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A drag carries the items as Copy does.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    // Lists category k (none for any other value). Returns the picture file that a second
    // item uses when only the items before that one can be listed, otherwise an empty text.
    QString setCategory(int k);
    int category() const { return m_category; }

private:
    void connectDocument();
    // True when the rows stand for every item, so that a change maps onto rows one to one.
    bool complete() const;
    void relist();
    // A row added or removed in the listed category maps onto the rows one to one only while
    // they stand for every item; otherwise the list is built again.
    void aboutToChangeRows(int k, const std::function<void()> &begin);
    void rowsChanged(int k, int delta, const std::function<void()> &end);

    GalleryDocument *m_document;
    const ImageList *m_images;
    int m_category = 0;
    int m_rows = 0;
    bool m_relist = false;
};

} // namespace qs::gallery
