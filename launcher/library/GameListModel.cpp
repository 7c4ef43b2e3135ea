#include "library/GameListModel.h"

GameListModel::GameListModel(QObject* parent) : QAbstractListModel(parent) {}

bool GameListModel::setNames(const QStringList& names)
{
    // A list sharing our copy's data is this very list: while we hold that
    // data it cannot have been changed or freed and reused.
    if (names.size() == m_names.size() && names.constData() == m_names.constData())
        return false;
    beginResetModel();
    m_names = names;
    endResetModel();
    return true;
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
