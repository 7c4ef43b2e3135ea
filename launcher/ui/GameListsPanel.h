#pragma once
// GameListsPanel: the game-list area of the main window. It shows the four
// game lists (favourites or search results on the left, the list without
// duplicates or the complete list in the middle, each pair under its own
// tabs), the search box, the game's preview picture with the skin's title
// picture, the drive panel DF0..DF4 and the list buttons.
//
// The rules live in launcher/library (GameList, Favorites, GameSearch,
// DriveSelection, PreviewPictures); this class forwards the widgets' events
// to them and shows the outcome. It is the library's LibraryHost: the title
// text shows in the main window's caption and title label (TitleDisplay),
// the status text in its `LoadingBtn`.
//
// Starting a game is the window's business: a double-click or Enter in a
// list, or the start button, emits launchRequested with the game's full
// path; the drive slots are read with driveSlot().
//
// Created once in main(); the main window takes widget() as its child, so
// the panel must be destroyed before the window or the window before the
// panel, either way works. UI thread only.
#include "launch/WinUaeConfig.h"
#include "library/DriveSelection.h"
#include "library/GameSearch.h"
#include "library/LibraryHost.h"
#include "ui/MainWindowParts.h"
#include "ui/PanelPicture.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class FocusStyle;
class GameListModel;
class MainWindow;
struct PreviewFolders;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QWidget;

class GameListsPanel : public QObject, public GameListsPart, public LibraryHost {
    Q_OBJECT
public:
    // Focus areas of the four lists and the search box, as the window numbers them.
    enum Area { Favourites = 1, Simple = 2, Complete = 3, SearchResults = 4, SearchBox = 7 };

    explicit GameListsPanel(MainWindow* window, QObject* parent = nullptr);
    ~GameListsPanel() override;

    // GameListsPart
    QWidget* widget() override;
    void LoadFavorites() override;
    void clearLists() override;
    void clearPictures() override;
    void loadGameList() override;
    void LoadBtn_Click() override;
    void restoreListCacheView() override;
    int favouritesCount() const override;
    void focusFirstEntry() override;
    void setPanelsVisible(bool visible) override;
    QRect listsArea() const override;
    void relayout() override;
    void applySettings() override;
    QPoint drivePanelPosition() const override;
    void restoreGamePreview() override;
    void showEmulatorPicture(const QString& file) override;
    void startSearch(const QString& text) override;
    void setListFontSize(int points) override;
    void setDrivePanelPicture(const QPixmap& picture) override { PanelPicture::set(m_drivePanel, picture); }

    // LibraryHost
    QString titleText() const override;
    void setTitleText(const QString& text) override;
    QString statusText() const override;
    void setStatusText(const QString& text) override;
    void beep() override;
    void setListsVisible(bool visible) override;
    void setRebuildControlsEnabled(bool enabled) override;
    void hideEmulatorList() override;
    void reloadEmulatorView() override;

    // For the launch side and pad/keyboard navigation.
    QString driveSlot(int i) const;
    bool driveTicked(int i) const;
    bool fullScreenChecked() const;
    QListView* listView(int focusArea) const;
    QLineEdit* searchBox() const { return m_searchBox; }
    // Shows the list's tab, gives it the focus and selects its first entry
    // when nothing is selected (running that entry's selection handling).
    void focusList(int focusArea);
    // The full path of the game the list's selection stands for; empty when none.
    QString selectedFullPath(int focusArea) const;
    void addFavouriteClick();
    void removeFavouriteClick();
    bool addFavouriteVisible() const { return m_addFavouriteVisible; }
    bool removeFavouriteVisible() const { return m_removeFavouriteVisible; }
    // The focus marks of the window's controls.
    FocusStyle* focusStyle() const { return m_focusStyle; }
    // The list that last had the focus (Area).
    int focusArea() const { return m_focusArea; }
    // Starts the game selected in the list `focusArea` (its double-click action).
    void startSelected(int focusArea);

    // State shown, for the window and tests.
    // The complete list's paths and names and the favourites' names as loaded.
    QStringList completePaths() const;
    QStringList completeNames() const;
    QStringList simpleNames() const;
    QStringList favouriteNames() const;
    QString tabCaption(int focusArea) const;
    // The tab shown in the left pane (Favourites or SearchResults) and the
    // middle pane (Simple or Complete).
    int leftTab() const;
    int mainTab() const;
    // The picture file shown in the preview; empty while the preview is hidden.
    QString previewFile() const { return m_previewFile; }
    bool previewShown() const;
    bool previewEnlarged() const { return m_enlarged; }
    void togglePreviewSize();
    bool drivePanelShown() const;
    // Collapses the drive panel to its small fixed size or expands it again.
    void DrivesResizeLabel_Click();
    bool drivePanelCollapsed() const { return !m_driveState.autoSize(); }
    // A drive box released: it stays unticked while its slot is empty.
    void Check_Dfx_MouseUp(int index);
    // The favourites' repair (`FavoritenReparierenLabel`).
    void repairFavourites();
    // Asks for a new name for favourite i.
    void editFavouriteName(int i);

signals:
    void launchRequested(const QString& fullPath);
    void focusAreaChanged(int focusArea);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tab bars and list stacks of both columns.
    std::array<QWidget*, 4> listPanels() const;
    void buildWidgets();
    QWidget* buildDrivePanel();
    void connectList(QListView* view, int area);
    void refreshGameModels();
    void refreshFavouritesModel();
    void updateCaptions();
    void setFocusArea(int area);
    void showLeftTab(int area);
    void showMainTab(int area);
    void selectRow(QListView* view, int row);
    void showSelectedRow(QListView* view);
    int currentRow(int area) const;
    QString smartRomSelection() const;

    // Selection handling of each list (what a click does).
    void currentChanged(int area, int row);
    void completeListClick(int row);
    void simpleListClick(int row);
    void favouritesClick(int row);
    void searchResultClick(int row);
    void selectCompleteFromOtherList(int completeIndex);
    void applyCompleteSelection(const QList<int>& rows);
    void setDrives(const DriveSlots& drives);
    void setFavouriteButtons(bool addVisible, bool removeVisible);
    void showGameName(int completeIndex);

    // Search box.
    void searchTextChanged(const QString& text);
    bool searchKey(QKeyEvent* event);
    void showSearchResults();

    // Preview.
    PreviewFolders previewFolders() const;
    void showPreviewFor(int completeIndex);
    void showPicture(const QString& file);
    void hidePreview();
    void updatePicturePixmaps();
    void loadTitlePicture();

    // Key handling of the lists.
    bool listKey(int area, QKeyEvent* event);

    MainWindow* m_window;
    // The game list and the favourites (kept out of this header so that it
    // can be included beside headers that use the name GameList otherwise).
    struct Library;
    std::unique_ptr<Library> m_lib;
    GameSearch m_search;

    QPointer<QWidget> m_root;
    QWidget* m_content = nullptr;
    QLineEdit* m_searchBox = nullptr;
    QTabBar* m_leftTabs = nullptr;
    QTabBar* m_mainTabs = nullptr;
    QStackedWidget* m_leftStack = nullptr;
    QStackedWidget* m_mainStack = nullptr;
    QListView* m_favouritesView = nullptr;
    QListView* m_simpleView = nullptr;
    QListView* m_completeView = nullptr;
    QListView* m_resultsView = nullptr;
    GameListModel* m_favouritesModel = nullptr;
    GameListModel* m_simpleModel = nullptr;
    GameListModel* m_completeModel = nullptr;
    GameListModel* m_resultsModel = nullptr;
    QPushButton* m_loadButton = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_addFavouriteButton = nullptr;
    QPushButton* m_removeFavouriteButton = nullptr;
    QPushButton* m_repairButton = nullptr;
    QLabel* m_titlePicture = nullptr;
    QLabel* m_gamePicture = nullptr;
    QLabel* m_enlargedPicture = nullptr;
    QWidget* m_drivePanel = nullptr;
    QLabel* m_drivesResizeLabel = nullptr;
    QWidget* m_driveRows = nullptr;
    // The four lists' viewports, indexed by area - 1 (compared, never followed,
    // in the event filter).
    std::array<QObject*, 4> m_viewports{};
    // The window's name label, compared only: while the window is torn down its
    // members must not be read, yet its labels still send events.
    QObject* m_nameLabel = nullptr;
    std::array<QCheckBox*, kDriveCount> m_driveBoxes{};
    std::array<QLineEdit*, kDriveCount> m_driveNames{};
    QCheckBox* m_fullScreen = nullptr;
    FocusStyle* m_focusStyle = nullptr;

    DriveSlots m_drives;
    DrivePanel m_driveState; // collapsed or sized to its content
    QImage m_picture;
    QImage m_titleImage;
    QString m_previewFile;
    int m_previewIndex = -1;
    int m_focusArea = Favourites;
    int m_selectionDepth = 0; // >0 while selections are set by the panel itself
    bool m_enlarged = false;
    bool m_rebuilding = false;
    bool m_addFavouriteVisible = false;
    bool m_removeFavouriteVisible = false;
};
