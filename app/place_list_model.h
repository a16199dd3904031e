#pragma once
// The list behind the place box and its completer: the catalogue's places, read in place, then
// the user's own places.
#include <vector>

#include <QAbstractListModel>
#include <QStringList>

#include "catalog/catalog.h"

namespace noctaris {

class PlaceListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // `listed` must outlive the model; its rows come first and cannot be changed.
    PlaceListModel(const std::vector<Place>& listed, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Rows are added and removed among the own places only (after the listed ones).
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

private:
    int listedCount() const { return static_cast<int>(listed_.size()); }

    const std::vector<Place>& listed_;
    QStringList own_;
};

}  // namespace noctaris
