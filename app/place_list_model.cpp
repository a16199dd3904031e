#include "app/place_list_model.h"

namespace noctaris {

PlaceListModel::PlaceListModel(const std::vector<Place>& listed, QObject* parent)
    : QAbstractListModel(parent), listed_(listed) {}

int PlaceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : listedCount() + static_cast<int>(own_.size());
}

QVariant PlaceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const int row = index.row();
    // Made when asked: the box shows one name at start, the list a screenful.
    if (row < listedCount()) return QString::fromStdString(listed_[static_cast<std::size_t>(row)].name);
    return own_[row - listedCount()];
}

bool PlaceListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int own = index.row() - listedCount();
    if (!index.isValid() || own < 0 || own >= own_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    own_[own] = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags PlaceListModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

bool PlaceListModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || count < 1 || row < listedCount() || row > rowCount()) return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int k = 0; k < count; ++k) own_.insert(row - listedCount(), QString());
    endInsertRows();
    return true;
}

bool PlaceListModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || count < 1 || row < listedCount() || row + count > rowCount()) return false;
    beginRemoveRows(parent, row, row + count - 1);
    own_.remove(row - listedCount(), count);
    endRemoveRows();
    return true;
}

}  // namespace noctaris
