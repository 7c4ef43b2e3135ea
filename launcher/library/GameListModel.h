#pragma once
// GameListModel: a list model the window's QListView shows for one game list
// (complete, simple, favourites or search results). It holds a snapshot of
// the names, replaced whole with setNames (one model reset), so tens of
// thousands of entries appear at once without per-item widgets. Handing it
// the list it already shows (the same shared copy) changes nothing: no
// reset, the view keeps its selection and scroll position.
// Fonts and colours are the view's business. UI thread.
#include <QAbstractListModel>
#include <QStringList>

class GameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit GameListModel(QObject* parent = nullptr);

    // True when the names were replaced (the model was reset).
    bool setNames(const QStringList& names);
    const QStringList& names() const { return m_names; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QStringList m_names;
};
