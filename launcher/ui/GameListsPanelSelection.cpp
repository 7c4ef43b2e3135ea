// GameListsPanel: what selecting, searching, starting and the keys of the
// lists do, and the preview picture.
#include "ui/GameListsPanel.h"
#include "ui/GameListsPanelLibrary.h"

#include "config/Language.h"
#include "launch/PathOps.h"
#include "library/DisplayNames.h"
#include "library/FileNames.h"
#include "library/GameListModel.h"
#include "library/PreviewPictures.h"
#include "ui/MainWindow.h"
#include "ui/NameLabel.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>

#include <algorithm>

namespace {

constexpr int kFavouritesTab = 0;
constexpr int kResultsTab = 1;
constexpr int kSimpleTab = 0;
constexpr int kCompleteTab = 1;

// Holds the panel's "selection set by the panel itself" flag for a scope.
class ProgrammaticSelection {
public:
    explicit ProgrammaticSelection(int& depth) : m_depth(depth) { ++m_depth; }
    ~ProgrammaticSelection() { --m_depth; }
    ProgrammaticSelection(const ProgrammaticSelection&) = delete;
    ProgrammaticSelection& operator=(const ProgrammaticSelection&) = delete;

private:
    int& m_depth;
};

} // namespace

// ---- Focus and tabs --------------------------------------------------------

QListView* GameListsPanel::listView(int focusArea) const
{
    switch (focusArea) {
    case Favourites: return m_favouritesView;
    case Simple: return m_simpleView;
    case Complete: return m_completeView;
    case SearchResults: return m_resultsView;
    default: return nullptr;
    }
}

void GameListsPanel::setFocusArea(int area)
{
    m_focusArea = area;
    m_window->FocusArea = QString::number(area);
    emit focusAreaChanged(area);
}

void GameListsPanel::showLeftTab(int area)
{
    const bool results = area == SearchResults;
    m_leftStack->setCurrentWidget(results ? m_resultsView : m_favouritesView);
    m_leftTabs->setCurrentIndex(results ? kResultsTab : kFavouritesTab);
}

void GameListsPanel::showMainTab(int area)
{
    const bool complete = area == Complete;
    m_enlarged = false;
    m_mainStack->setCurrentWidget(complete ? m_completeView : m_simpleView);
    m_mainTabs->setCurrentIndex(complete ? kCompleteTab : kSimpleTab);
    updatePicturePixmaps();
}

void GameListsPanel::focusList(int focusArea)
{
    QListView* view = listView(focusArea);
    if (!view)
        return;
    if (focusArea == Favourites || focusArea == SearchResults)
        showLeftTab(focusArea);
    else
        showMainTab(focusArea);
    setFocusArea(focusArea);
    showSelectedRow(view);
    view->setFocus(Qt::OtherFocusReason);
}

void GameListsPanel::showSelectedRow(QListView* view)
{
    // A list that takes the focus shows which entry Enter would start: its
    // current entry selected, or its first one. (Qt's own focus handling
    // would only make the first entry current, without selecting it.)
    if (view->model()->rowCount() == 0)
        return;
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) {
        view->setCurrentIndex(view->model()->index(0, 0)); // runs the entry's selection handling
    } else if (!view->selectionModel()->hasSelection()) {
        const ProgrammaticSelection guard(m_selectionDepth);
        view->selectionModel()->select(current, QItemSelectionModel::Select);
    }
}

int GameListsPanel::currentRow(int area) const
{
    const QListView* view = listView(area);
    if (!view)
        return -1;
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void GameListsPanel::selectRow(QListView* view, int row)
{
    const ProgrammaticSelection guard(m_selectionDepth);
    if (row < 0 || row >= view->model()->rowCount()) {
        view->clearSelection();
        return;
    }
    const QModelIndex index = view->model()->index(row, 0);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    view->scrollTo(index);
}

// ---- Selection handling ----------------------------------------------------

void GameListsPanel::currentChanged(int area, int row)
{
    if (m_selectionDepth > 0)
        return; // the panel set it and handles the consequences itself
    switch (area) {
    case Favourites: favouritesClick(row); break;
    case Simple: simpleListClick(row); break;
    case Complete: completeListClick(row); break;
    case SearchResults: searchResultClick(row); break;
    default: break;
    }
}

void GameListsPanel::completeListClick(int row)
{
    if (row < 0 || row >= m_lib->games.count())
        return;
    QList<int> selected;
    for (const QModelIndex& index : m_completeView->selectionModel()->selectedRows())
        selected.append(index.row());
    std::sort(selected.begin(), selected.end());
    const CompleteListClick click = CompleteListClicked(m_lib->games.UAE_FULL(), row, m_focusArea == Complete,
                                                        smartRomSelection(), selected);
    showPreviewFor(click.previewIndex);
    showGameName(click.previewIndex);
    if (click.drivesChanged) {
        setDrives(click.drives);
        applyCompleteSelection(click.selection);
    }
    if (click.noEmptyDrive) {
        beep();
        setStatusText(NoEmptyDriveText());
    }
    setFavouriteButtons(true, m_removeFavouriteVisible && m_focusArea == Favourites);
}

void GameListsPanel::applyCompleteSelection(const QList<int>& rows)
{
    const ProgrammaticSelection guard(m_selectionDepth);
    QItemSelection selection;
    for (int row : rows) {
        if (row < 0 || row >= m_completeModel->rowCount())
            continue;
        const QModelIndex index = m_completeModel->index(row);
        selection.select(index, index);
    }
    m_completeView->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void GameListsPanel::selectCompleteFromOtherList(int completeIndex)
{
    const SimpleListClick click = SelectFromOtherList(m_lib->games.UAE_FULL(), completeIndex, smartRomSelection());
    if (click.completeIndex < 0)
        return;
    selectRow(m_completeView, click.completeIndex);
    applyCompleteSelection(click.selection);
    showPreviewFor(click.completeIndex);
    showGameName(click.completeIndex);
    setDrives(click.drives);
}

void GameListsPanel::simpleListClick(int row)
{
    // The simple list knows which complete-list entry each of its names
    // stands for, so a name that is part of a longer one never selects the
    // longer game.
    selectCompleteFromOtherList(m_lib->games.completeIndexOfSimple(row));
    setFavouriteButtons(true, false);
}

void GameListsPanel::favouritesClick(int row)
{
    const int completeIndex = m_lib->favourites.FavoritenListe_Click(row, m_lib->games);
    if (completeIndex < 0) {
        // The user may have had the favourites repaired: show them as they are now.
        refreshFavouritesModel();
        updateCaptions();
        return;
    }
    selectCompleteFromOtherList(completeIndex);
    setFavouriteButtons(false, true);
}

void GameListsPanel::searchResultClick(int row)
{
    const int simple = m_search.SuchErgList_Click(row);
    if (simple < 0)
        return;
    selectRow(m_simpleView, simple);
    selectCompleteFromOtherList(m_lib->games.completeIndexOfSimple(simple));
    setFavouriteButtons(true, false);
}

void GameListsPanel::setFavouriteButtons(bool addVisible, bool removeVisible)
{
    m_addFavouriteVisible = addVisible;
    m_removeFavouriteVisible = removeVisible;
    m_addFavouriteButton->setVisible(addVisible);
    m_removeFavouriteButton->setVisible(removeVisible);
}

void GameListsPanel::showGameName(int completeIndex)
{
    QLabel* label = m_window->Current_ProgramNameFull;
    if (!label || completeIndex < 0 || completeIndex >= m_lib->games.count())
        return;
    // Fitted to the label's box whenever that changes: whole, smaller, or cut at its end.
    NameLabel::show(label, m_lib->games.UAE_Short().at(completeIndex));
    label->setToolTip(m_lib->games.UAE_FULL().at(completeIndex));
}

QString GameListsPanel::selectedFullPath(int focusArea) const
{
    const GamePaths& full = m_lib->games.UAE_FULL();
    const auto pathAt = [&full](int index) { return index >= 0 && index < full.size() ? full.at(index) : QString(); };
    const int row = currentRow(focusArea);
    if (row < 0)
        return {};
    switch (focusArea) {
    case Complete: return pathAt(row);
    case Simple: return pathAt(m_lib->games.completeIndexOfSimple(row));
    case SearchResults: return pathAt(m_lib->games.completeIndexOfSimple(m_search.SuchErgList_Click(row)));
    case Favourites: {
        if (row >= m_lib->favourites.count())
            return {};
        const QString stored = m_lib->favourites.records().at(row).FullPath;
        const int index = Favorites::locate(m_lib->games, stored);
        if (index >= 0)
            return pathAt(index);
        // Not in the list (yet): the favourite's own file still starts when it exists.
        return isRegularFile(stored) ? stored : QString();
    }
    default: return {};
    }
}

void GameListsPanel::startSelected(int focusArea)
{
    const QString path = selectedFullPath(focusArea);
    if (path.isEmpty())
        return;
    if (focusArea == Complete) {
        setTitleText(QString::fromLatin1(Skin::kDefaultTitle));
        setStatusText(QString::fromLatin1(Skin::kDefaultTitle));
    }
    emit launchRequested(path);
}

// ---- Favourites ------------------------------------------------------------

void GameListsPanel::addFavouriteClick()
{
    const int row = currentRow(Complete);
    if (row < 0 || row >= m_lib->games.count())
        return;
    m_window->EmuListbox->setEnabled(false);
    const QString status = m_lib->favourites.AddToFavorit(m_lib->games, row);
    if (!status.isEmpty())
        setStatusText(status);
    refreshFavouritesModel();
    updateCaptions();
    relayout();
    beep();
    m_window->EmuListbox->setEnabled(true);
}

void GameListsPanel::removeFavouriteClick()
{
    const int row = currentRow(Favourites);
    if (row < 0 || row >= m_lib->favourites.count())
        return;
    m_lib->favourites.DeleteFavorite(row);
    refreshFavouritesModel();
    updateCaptions();
    if (m_lib->favourites.count() == 0)
        setFavouriteButtons(m_addFavouriteVisible, false);
}

void GameListsPanel::repairFavourites()
{
    m_lib->favourites.RepairFavoriten(m_lib->games);
    refreshFavouritesModel();
    updateCaptions();
}

void GameListsPanel::editFavouriteName(int i)
{
    if (i < 0 || i >= m_lib->favourites.count())
        return;
    if (m_lib->favourites.EditAliasName(i)) {
        refreshFavouritesModel();
        updateCaptions();
    }
}

// ---- Search ----------------------------------------------------------------

void GameListsPanel::showSearchResults()
{
    m_resultsModel->setNames(m_search.SuchErgList());
    showLeftTab(SearchResults);
}

void GameListsPanel::searchTextChanged(const QString& text)
{
    const GameSearch::Change change = m_search.SearchDblsTxt_Change(text);
    if (change.ignored)
        return;
    if (change.cleared) {
        m_resultsModel->setNames({});
        return;
    }
    if (!change.searched)
        return;
    showSearchResults();
    m_leftTabs->setTabText(kResultsTab, change.caption);
    if (change.selectSimple >= 0) {
        selectRow(m_simpleView, change.selectSimple);
        simpleListClick(change.selectSimple);
    }
}

bool GameListsPanel::searchKey(QKeyEvent* event)
{
    GameSearch::Key key = GameSearch::Key::Other;
    switch (event->key()) {
    case Qt::Key_F3: key = GameSearch::Key::F3; break;
    case Qt::Key_Down: key = GameSearch::Key::Down; break;
    case Qt::Key_Up: key = GameSearch::Key::Up; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: key = GameSearch::Key::Enter; break;
    default: return false;
    }
    const GameSearch::KeyOutcome outcome =
        m_search.SearchDblsTxt_KeyDown(key, event->modifiers() & Qt::ShiftModifier, m_searchBox->text(),
                                       currentRow(Simple), currentRow(SearchResults));
    if (outcome.searched) {
        showSearchResults();
        m_leftTabs->setTabText(kResultsTab, GameSearch::SearchResultsCaption(int(m_search.SuchErgList().size())));
        if (outcome.selectSimple >= 0) {
            selectRow(m_simpleView, outcome.selectSimple);
            simpleListClick(outcome.selectSimple);
        }
    }
    if (outcome.focusResults) {
        showLeftTab(SearchResults);
        setFocusArea(SearchResults);
        m_resultsView->setFocus(Qt::OtherFocusReason);
        if (outcome.resultIndex >= 0 && outcome.resultIndex < m_resultsModel->rowCount()) {
            if (currentRow(SearchResults) == outcome.resultIndex)
                searchResultClick(outcome.resultIndex);
            else
                m_resultsView->setCurrentIndex(m_resultsModel->index(outcome.resultIndex));
        }
    }
    return true;
}

// ---- Preview ---------------------------------------------------------------

PreviewFolders GameListsPanel::previewFolders() const
{
    PreviewFolders folders;
    folders.profileFolder = m_window->GetStartPfad();
    folders.gameFolder = m_window->RomPathField;
    folders.emulatorFolder = m_window->EmulatorPathField.isEmpty() ? QString()
                                                                   : FolderOf(m_window->EmulatorPathField);
    return folders;
}

void GameListsPanel::showPreviewFor(int completeIndex)
{
    if (completeIndex < 0 || completeIndex >= m_lib->games.count()) {
        hidePreview();
        return;
    }
    m_previewIndex = completeIndex;
    const PreviewChoice choice = ShowPreview(m_lib->games.UAE_FULL().at(completeIndex), previewFolders());
    if (choice.hideArea || choice.picture.isEmpty()) {
        hidePreview();
        return;
    }
    showPicture(choice.picture);
}

void GameListsPanel::showPicture(const QString& file)
{
    const QImage picture = LoadVorschauImageFromPAth(file);
    if (picture.isNull()) {
        hidePreview();
        return;
    }
    m_picture = picture;
    m_previewFile = file;
    updatePicturePixmaps();
}

void GameListsPanel::hidePreview()
{
    m_picture = QImage();
    m_previewFile.clear();
    if (m_enlarged)
        showMainTab(m_mainTabs->currentIndex() == kCompleteTab ? Complete : Simple);
    updatePicturePixmaps();
}

bool GameListsPanel::previewShown() const { return !m_picture.isNull(); }

void GameListsPanel::togglePreviewSize()
{
    if (m_enlarged) {
        showMainTab(m_mainTabs->currentIndex() == kCompleteTab ? Complete : Simple);
        return;
    }
    if (m_picture.isNull())
        return;
    m_enlarged = true;
    m_mainStack->setCurrentWidget(m_enlargedPicture);
    updatePicturePixmaps();
}

void GameListsPanel::updatePicturePixmaps()
{
    QLabel* shown = m_enlarged ? m_enlargedPicture : m_gamePicture;
    QLabel* other = m_enlarged ? m_gamePicture : m_enlargedPicture;
    other->clear();
    if (m_picture.isNull())
        shown->clear();
    else
        shown->setPixmap(QPixmap::fromImage(ScalePreview(m_picture, shown->size())));
    if (m_titleImage.isNull())
        m_titlePicture->clear();
    else
        m_titlePicture->setPixmap(QPixmap::fromImage(ScalePreview(m_titleImage, m_titlePicture->size())));
}

void GameListsPanel::loadTitlePicture()
{
    SkinPictures pictures;
    pictures.load(m_window->GetStartPfad());
    m_titleImage = pictures.picture(SkinPictures::TopRight).toImage();
    updatePicturePixmaps();
}

// ---- Keys and mouse --------------------------------------------------------

bool GameListsPanel::listKey(int area, QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        startSelected(area);
        return true;
    case Qt::Key_Delete:
        if (area == Favourites && m_removeFavouriteVisible && currentRow(Favourites) >= 0) {
            if (m_lib->favourites.DeleteFavoriteAsked(currentRow(Favourites))) {
                refreshFavouritesModel();
                updateCaptions();
            }
            return true;
        }
        return false;
    default: return false;
    }
}

bool GameListsPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_searchBox) {
        if (type == QEvent::KeyPress)
            return searchKey(static_cast<QKeyEvent*>(event)) || QObject::eventFilter(watched, event);
        if (type == QEvent::FocusIn) {
            const QString text = GameSearch::SearchDblsTxt_GotFocus(m_searchBox->text());
            if (text != m_searchBox->text())
                m_searchBox->setText(text);
            setFocusArea(SearchBox);
        } else if (type == QEvent::FocusOut) {
            const QString text = GameSearch::SearchDblsTxt_LostFocus(m_searchBox->text());
            if (text != m_searchBox->text())
                m_searchBox->setText(text);
        }
        return QObject::eventFilter(watched, event);
    }
    if (watched == m_gamePicture || watched == m_enlargedPicture || watched == m_titlePicture) {
        if (type == QEvent::Resize)
            updatePicturePixmaps();
        else if (type == QEvent::MouseButtonRelease && watched != m_titlePicture)
            togglePreviewSize();
        return QObject::eventFilter(watched, event);
    }
    if (watched == m_drivesResizeLabel && type == QEvent::MouseButtonRelease) {
        DrivesResizeLabel_Click();
        return true;
    }
    if (type == QEvent::MouseButtonDblClick && watched == m_nameLabel) {
        startSelected(Complete);
        return true;
    }
    for (int area : {int(Favourites), int(Simple), int(Complete), int(SearchResults)}) {
        QListView* view = listView(area);
        if (watched == view) {
            if (type == QEvent::FocusIn) {
                if (area == Favourites || area == SearchResults)
                    showLeftTab(area);
                setFocusArea(area);
                // A click picks its own row.
                if (static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
                    showSelectedRow(view);
            } else if (type == QEvent::KeyPress && listKey(area, static_cast<QKeyEvent*>(event))) {
                return true;
            }
        } else if (watched == m_viewports[size_t(area - 1)] && area == Favourites
                   && type == QEvent::MouseButtonPress) {
            // The right mouse button renames a favourite.
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                const QModelIndex index = view->indexAt(mouse->position().toPoint());
                if (index.isValid())
                    editFavouriteName(index.row());
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
