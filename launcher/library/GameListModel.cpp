#include "library/GameListModel.h"

GameListModel::GameListModel(QObject* parent) : QAbstractListModel(parent) {}

void GameListModel::setNames(const QStringList& names)
{
    beginResetModel();
    m_names = names;
    endResetModel();
}

int GameListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_names.size());
}

QVariant GameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_names.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_names.at(index.row());
    return {};
}
