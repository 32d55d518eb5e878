#pragma once

#include "templatedocument.h"

#include <QAbstractItemModel>

namespace qs {
class ImageList;
}

namespace qs::stencil {

// The rows of a document as a flat list with the columns "Item", "Tag 1", "Tag 2", "Tag 3";
// each row carries its kind's picture.
class TemplateModel : public QAbstractItemModel, private RowObserver
{
public:
    // A cell shows at most this much of a field; the field itself keeps every character.
    static constexpr qsizetype DisplayLimit = 1024;

    TemplateModel(TemplateDocument &document, const ImageList *images, QObject *parent = nullptr);
    ~TemplateModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Rows dragged within the list move, one step each; items dragged from another window or
    // program come in as a paste.
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

private:
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeReset() override;
    void rowsReset() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void rowAboutToBeMoved(int from, int before) override;
    void rowMoved() override;
    void rowChanged(int row) override;

    TemplateDocument &m_document;
    const ImageList *m_images;
};

} // namespace qs::stencil
