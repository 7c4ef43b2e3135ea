#include "ui/GameListsPanel.h"
#include "ui/GameListsPanelLibrary.h"

#include "config/Language.h"
#include "library/GameListModel.h"
#include "services/Prompt.h"
#include "ui/DrivePanelSettings.h"
#include "ui/DrivePanelSize.h"
#include "ui/FocusStyle.h"
#include "ui/ListButtonCaptions.h"
#include "ui/MainWindow.h"
#include "ui/NameLabel.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

constexpr int kTwipsPerPixel = 15;

// Tab indexes inside the two tab bars.
constexpr int kFavouritesTab = 0;
constexpr int kResultsTab = 1;
constexpr int kSimpleTab = 0;
constexpr int kCompleteTab = 1;
constexpr int kEnlargedPage = 2;

QListView* makeList(QWidget* parent, const QString& name, GameListModel* model)
{
    auto* view = new QListView(parent);
    view->setObjectName(name);
    view->setModel(model);
    // Every row has the same height: the view then lays out 30,000 rows at once.
    view->setUniformItemSizes(true);
    view->setLayoutMode(QListView::SinglePass);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setTextElideMode(Qt::ElideRight);
    view->setMinimumSize(120, 80);
    return view;
}

QLabel* makePicture(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    // The pixmap is scaled to the label, never the label to the pixmap.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    label->setMinimumSize(1, 1);
    label->setProperty("skinTransparent", true);
    return label;
}

} // namespace

GameListsPanel::GameListsPanel(MainWindow* window, QObject* parent)
    : QObject(parent), m_window(window), m_lib(std::make_unique<Library>(*this, *window))
{
    buildWidgets();
}

GameListsPanel::~GameListsPanel()
{
    // The window normally owns the area; one never handed over is ours.
    if (m_root && !m_root->parent())
        delete m_root.data();
}

QWidget* GameListsPanel::widget() { return m_root; }

void GameListsPanel::buildWidgets()
{
    m_root = new QWidget;
    m_root->setObjectName(QStringLiteral("GameListsPanel"));
    auto* rootLayout = new QVBoxLayout(m_root);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    m_content = new QWidget(m_root);
    rootLayout->addWidget(m_content);

    auto* column = new QVBoxLayout(m_content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    // Search box and the list buttons.
    auto* top = new QHBoxLayout;
    m_searchBox = new QLineEdit(m_content);
    m_searchBox->setObjectName(QStringLiteral("SearchDblsTxt"));
    m_searchBox->setText(GameSearch::placeholderText());
    m_loadButton = new QPushButton(m_content);
    m_loadButton->setObjectName(QStringLiteral("LoadBtn"));
    m_addFavouriteButton = new QPushButton(m_content);
    m_addFavouriteButton->setObjectName(QStringLiteral("AddToFavorit"));
    m_removeFavouriteButton = new QPushButton(m_content);
    m_removeFavouriteButton->setObjectName(QStringLiteral("DeLFav"));
    m_repairButton = new QPushButton(m_content);
    m_repairButton->setObjectName(QStringLiteral("FavoritenReparierenLabel"));
    m_startButton = new QPushButton(m_content);
    m_startButton->setObjectName(QStringLiteral("StartBtn"));
    top->addWidget(m_searchBox, 1);
    top->addWidget(m_addFavouriteButton);
    top->addWidget(m_removeFavouriteButton);
    top->addWidget(m_repairButton);
    top->addWidget(m_loadButton);
    top->addWidget(m_startButton);
    column->addLayout(top);

    m_favouritesModel = new GameListModel(this);
    m_simpleModel = new GameListModel(this);
    m_completeModel = new GameListModel(this);
    m_resultsModel = new GameListModel(this);

    // Left: favourites or search results.
    auto* body = new QHBoxLayout;
    body->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->setSpacing(0);
    m_leftTabs = new QTabBar(m_content);
    m_leftTabs->setObjectName(QStringLiteral("LeftTabs"));
    m_leftTabs->setExpanding(false);
    m_leftTabs->setDrawBase(false);
    m_leftTabs->setUsesScrollButtons(false);
    m_leftTabs->setElideMode(Qt::ElideRight);
    m_leftTabs->addTab(FavouritesTabLabel()); // Label1
    m_leftTabs->addTab(SearchTabLabel());     // Label4
    m_leftStack = new QStackedWidget(m_content);
    m_favouritesView = makeList(m_leftStack, QStringLiteral("FavoritenListe"), m_favouritesModel);
    m_resultsView = makeList(m_leftStack, QStringLiteral("SuchErgList"), m_resultsModel);
    m_leftStack->addWidget(m_favouritesView);
    m_leftStack->addWidget(m_resultsView);
    left->addWidget(m_leftTabs);
    left->addWidget(m_leftStack, 1);

    // Middle: the list without duplicates or the complete list; the enlarged
    // preview takes their place.
    auto* middle = new QVBoxLayout;
    middle->setSpacing(0);
    m_mainTabs = new QTabBar(m_content);
    m_mainTabs->setObjectName(QStringLiteral("MainTabs"));
    m_mainTabs->setExpanding(false);
    m_mainTabs->setDrawBase(false);
    m_mainTabs->setUsesScrollButtons(false);
    m_mainTabs->setElideMode(Qt::ElideRight);
    m_mainTabs->addTab(SimpleTabLabel());   // Label2
    m_mainTabs->addTab(CompleteTabLabel()); // Label3
    m_mainStack = new QStackedWidget(m_content);
    m_simpleView = makeList(m_mainStack, QStringLiteral("WIthoutDoubles"), m_simpleModel);
    m_completeView = makeList(m_mainStack, QStringLiteral("UAE_Short"), m_completeModel);
    m_completeView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_enlargedPicture = makePicture(m_mainStack, QStringLiteral("GamePictureLarge"));
    m_enlargedPicture->setCursor(Qt::PointingHandCursor);
    m_mainStack->addWidget(m_simpleView);
    m_mainStack->addWidget(m_completeView);
    m_mainStack->addWidget(m_enlargedPicture);
    middle->addWidget(m_mainTabs);
    middle->addWidget(m_mainStack, 1);

    // Right: the title picture, the game's preview and the drive panel.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    m_titlePicture = makePicture(m_content, QStringLiteral("TopRightPic"));
    m_gamePicture = makePicture(m_content, QStringLiteral("GamePicture"));
    m_gamePicture->setCursor(Qt::PointingHandCursor);
    m_gamePicture->setToolTip(QStringLiteral("Vergrößern / Enlarge"));
    right->addWidget(m_titlePicture, 1);
    right->addWidget(m_gamePicture, 3);
    right->addWidget(buildDrivePanel());

    for (QWidget* panel : listPanels()) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
    }
    body->addLayout(left, 3);
    body->addLayout(middle, 5);
    body->addLayout(right, 4);
    column->addLayout(body, 1);

    connectList(m_favouritesView, Favourites);
    connectList(m_simpleView, Simple);
    connectList(m_completeView, Complete);
    connectList(m_resultsView, SearchResults);
    connect(m_completeView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        // Ticking further entries of the complete list fills further drives.
        if (m_selectionDepth == 0 && m_focusArea == Complete)
            completeListClick(m_completeView->currentIndex().row());
    });

    connect(m_leftTabs, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab == kResultsTab)
            m_leftTabs->setTabText(kResultsTab, GameSearch::SearchResultsTabCaption(m_resultsModel->rowCount()));
        focusList(tab == kResultsTab ? SearchResults : Favourites);
    });
    connect(m_mainTabs, &QTabBar::tabBarClicked, this, [this](int tab) {
        focusList(tab == kCompleteTab ? Complete : Simple);
    });
    connect(m_searchBox, &QLineEdit::textChanged, this, &GameListsPanel::searchTextChanged);
    connect(m_loadButton, &QPushButton::clicked, this, &GameListsPanel::LoadBtn_Click);
    connect(m_addFavouriteButton, &QPushButton::clicked, this, &GameListsPanel::addFavouriteClick);
    connect(m_removeFavouriteButton, &QPushButton::clicked, this, &GameListsPanel::removeFavouriteClick);
    connect(m_repairButton, &QPushButton::clicked, this, &GameListsPanel::repairFavourites);
    connect(m_startButton, &QPushButton::clicked, this, [this] { startSelected(m_focusArea); });

    m_searchBox->installEventFilter(this);
    m_gamePicture->installEventFilter(this);
    m_enlargedPicture->installEventFilter(this);
    m_titlePicture->installEventFilter(this);
    // Double-clicking the name of the selected game starts it.
    m_nameLabel = m_window->Current_ProgramNameFull;
    if (m_nameLabel)
        m_nameLabel->installEventFilter(this);
    NameLabel::attach(m_window->Current_ProgramNameFull);

    m_focusStyle = new FocusStyle(m_window, this);
    for (QListView* view : {m_favouritesView, m_simpleView, m_completeView, m_resultsView})
        m_focusStyle->addList(view);

    setFavouriteButtons(false, false);
    hidePreview();
    m_drivePanel->hide();
}

QWidget* GameListsPanel::buildDrivePanel()
{
    m_drivePanel = new QWidget(m_content);
    m_drivePanel->setObjectName(QStringLiteral("SettingsSubPicture"));
    m_drivePanel->setAutoFillBackground(true);
    auto* panel = new QVBoxLayout(m_drivePanel);
    panel->setContentsMargins(6, 4, 6, 4);
    panel->setSpacing(2);

    auto* header = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Floppy"), m_drivePanel);
    caption->setObjectName(QStringLiteral("DrivesCaption"));
    m_drivesResizeLabel = new QLabel(QString(10, u' '), m_drivePanel);
    m_drivesResizeLabel->setObjectName(QStringLiteral("DrivesResizeLabel"));
    m_drivesResizeLabel->setCursor(Qt::PointingHandCursor);
    m_drivesResizeLabel->installEventFilter(this);
    header->addWidget(caption, 1);
    header->addWidget(m_drivesResizeLabel);
    panel->addLayout(header);

    m_driveRows = new QWidget(m_drivePanel);
    auto* rows = new QVBoxLayout(m_driveRows);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(2);
    for (int i = 0; i < kDriveCount; ++i) {
        auto* row = new QHBoxLayout;
        auto* box = new QCheckBox(QStringLiteral("Df%1:").arg(i), m_driveRows);
        box->setObjectName(QStringLiteral("Check_Dfx%1").arg(i));
        auto* name = new QLineEdit(m_driveRows);
        name->setObjectName(QStringLiteral("DriveName%1").arg(i));
        name->setReadOnly(true);
        name->setFocusPolicy(Qt::NoFocus);
        row->addWidget(box);
        row->addWidget(name, 1);
        rows->addLayout(row);
        m_driveBoxes[size_t(i)] = box;
        m_driveNames[size_t(i)] = name;
        connect(box, &QCheckBox::clicked, this, [this, i] { Check_Dfx_MouseUp(i); });
    }
    m_fullScreen = new QCheckBox(m_driveRows);
    m_fullScreen->setObjectName(QStringLiteral("FullscreenCheck"));
    rows->addWidget(m_fullScreen);
    panel->addWidget(m_driveRows);
    return m_drivePanel;
}

void GameListsPanel::connectList(QListView* view, int area)
{
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    m_viewports[size_t(area - 1)] = view->viewport();
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, area](const QModelIndex& current) {
                if (current.isValid())
                    currentChanged(area, current.row());
            });
    connect(view, &QListView::doubleClicked, this, [this, area] { startSelected(area); });
}

// ---- GameListsPart ---------------------------------------------------------

void GameListsPanel::LoadFavorites()
{
    m_lib->favourites.setFile(m_window->GetFavortitenIni());
    m_lib->favourites.LoadFavorites();
    refreshFavouritesModel();
    updateCaptions();
}

void GameListsPanel::clearLists()
{
    m_lib->games.clear();
    m_search.setSimpleList({});
    refreshGameModels();
    m_favouritesModel->setNames({});
    m_resultsModel->setNames({});
    setDrives({});
    updateCaptions();
}

void GameListsPanel::clearPictures()
{
    m_previewIndex = -1;
    hidePreview();
}

void GameListsPanel::loadGameList()
{
    if (!m_window->paths().hasEmulator())
        return;
    // The first selection after the load looks for its preview; the folders
    // it looks in are read meanwhile.
    m_lib->previewWarmer.warm(previewFolders());
    const GameList::CacheLoad result = m_lib->games.LoadGameListFromCache(m_window->paths().listCacheFile());
    if (result != GameList::CacheLoad::Missing)
        refreshGameModels();
    updateCaptions();
}

void GameListsPanel::LoadBtn_Click()
{
    if (m_rebuilding)
        return;
    if (!m_window->paths().hasEmulator()) {
        prompt().message(Msg(QStringLiteral("Liste Neu einlesen"), QStringLiteral("Rescan list")),
                         Msg(QStringLiteral("Es ist kein Emulator ausgewählt."),
                             QStringLiteral("No emulator is selected.")),
                         PromptIcon::Information);
        return;
    }
    m_rebuilding = true;
    GameList::RebuildInput input;
    input.gameFolder = m_window->RomPathField;
    input.settingsFile = m_window->GetIniPath();
    input.profileFolder = m_window->GetStartPfad();
    input.cacheFile = m_window->paths().listCacheFile();
    m_lib->games.RebuildList(input);
    m_lib->title.showTitleString(); // rebuilt or not, the progress captions end here
    m_rebuilding = false;
    // The rebuild may have been the last chance to repaint for a while.
    refreshGameModels();
    updateCaptions();
}

void GameListsPanel::restoreListCacheView()
{
    refreshGameModels();
    refreshFavouritesModel();
    updateCaptions();
    loadTitlePicture();
}

int GameListsPanel::favouritesCount() const { return m_lib->favourites.count(); }

void GameListsPanel::focusFirstEntry()
{
    focusList(m_lib->favourites.count() > 0 ? Favourites : Simple);
}

void GameListsPanel::setPanelsVisible(bool visible)
{
    // The columns keep their room while hidden, so the pictures and the
    // drive panel beside them neither move nor grow.
    for (QWidget* panel : listPanels())
        panel->setVisible(visible);
}

QRect GameListsPanel::listsArea() const
{
    QRect area;
    for (QWidget* panel : listPanels())
        area |= QRect(panel->mapTo(m_root.data(), QPoint(0, 0)), panel->size());
    return area;
}

std::array<QWidget*, 4> GameListsPanel::listPanels() const
{
    return {m_leftTabs, m_leftStack, m_mainTabs, m_mainStack};
}

void GameListsPanel::relayout()
{
    if (m_root->layout())
        m_root->layout()->activate();
    updatePicturePixmaps();
}

void GameListsPanel::applySettings()
{
    const ListButtonCaptions captions = ListButtonCaptions::current(); // English ones too: see there
    m_loadButton->setText(captions.rebuild);
    m_addFavouriteButton->setText(captions.addFavourite);
    m_addFavouriteButton->setToolTip(captions.addFavouriteTip);
    m_removeFavouriteButton->setText(captions.removeFavourite);
    m_removeFavouriteButton->setToolTip(captions.removeFavouriteTip);
    m_repairButton->setText(captions.repairFavourites);
    m_startButton->setText(captions.start);
    m_fullScreen->setText(captions.fullScreen);
    if (GameSearch::isPlaceholder(m_searchBox->text()) || m_searchBox->text().isEmpty()) {
        if (!m_searchBox->hasFocus()) {
            const QSignalBlocker block(m_searchBox);
            m_searchBox->setText(GameSearch::placeholderText());
        }
    }

    if (m_resultsModel->rowCount() == 0)
        m_leftTabs->setTabText(kResultsTab, SearchTabLabel());
    m_fullScreen->setChecked(m_window->FullScreenCheck);
    DrivePanelSettings::readPlace(m_window->GetIniPath(), drivePanelPosition());
    m_drivePanel->setVisible(DrivePanelSettings::panelShown(m_window->GetIniPath()));

    // The lists' selections and the focus ring in the skin's colours (the
    // lists' own back and font colour come with the window's SetColors).
    const QString skinFile = m_window->GetColorsIniName();
    m_focusStyle->setColours(ToQColor(Skin::BackColor(skinFile)), ToQColor(Skin::FontColor(skinFile)));
    loadTitlePicture();
}

QPoint GameListsPanel::drivePanelPosition() const
{
    const QPoint pos = m_drivePanel->mapTo(m_window, QPoint(0, 0));
    return {pos.x() * kTwipsPerPixel, pos.y() * kTwipsPerPixel};
}

void GameListsPanel::restoreGamePreview()
{
    if (m_previewIndex >= 0)
        showPreviewFor(m_previewIndex);
    else
        hidePreview();
}

void GameListsPanel::showEmulatorPicture(const QString& file)
{
    if (file.isEmpty())
        hidePreview();
    else
        showPicture(file);
}

void GameListsPanel::startSearch(const QString& text)
{
    m_window->ShowEmulatorList(false);
    m_searchBox->setFocus();
    m_searchBox->setText(text);
    m_searchBox->setCursorPosition(int(text.size()));
    setFocusArea(SearchBox);
}

void GameListsPanel::setListFontSize(int points)
{
    if (points <= 0)
        return;
    for (QListView* view : {m_favouritesView, m_simpleView, m_completeView, m_resultsView}) {
        QFont font = view->font();
        font.setPointSize(points);
        view->setFont(font);
    }
}

// ---- LibraryHost -----------------------------------------------------------

QString GameListsPanel::titleText() const { return m_lib->title.text(); }

void GameListsPanel::setTitleText(const QString& text) { m_lib->title.setText(text); }

QString GameListsPanel::statusText() const { return m_window->LoadingBtn->text(); }

void GameListsPanel::setStatusText(const QString& text) { m_window->LoadingBtn->setText(text); }

void GameListsPanel::beep() { QApplication::beep(); }

void GameListsPanel::setListsVisible(bool visible) { setPanelsVisible(visible); }

void GameListsPanel::setRebuildControlsEnabled(bool enabled)
{
    m_loadButton->setEnabled(enabled);
    m_window->EmuListbox->setEnabled(enabled);
}

void GameListsPanel::hideEmulatorList()
{
    if (m_window->EmulatorLongListbox->isVisible())
        m_window->ShowEmulatorList(false);
}

void GameListsPanel::reloadEmulatorView()
{
    // The rebuilt lists are already in memory; show them as a fresh load would.
    refreshGameModels();
    LoadFavorites();
    relayout();
}

// ---- Drives ----------------------------------------------------------------

QString GameListsPanel::driveSlot(int i) const
{
    if (i < 0 || i >= kDriveCount)
        return {};
    return m_drives[size_t(i)].filePath;
}

bool GameListsPanel::driveTicked(int i) const
{
    return i >= 0 && i < kDriveCount && m_driveBoxes[size_t(i)]->isChecked();
}

bool GameListsPanel::fullScreenChecked() const { return m_fullScreen->isChecked(); }

bool GameListsPanel::drivePanelShown() const { return !m_drivePanel->isHidden(); }

void GameListsPanel::setDrives(const DriveSlots& drives)
{
    m_drives = drives;
    for (int i = 0; i < kDriveCount; ++i) {
        const DriveSlot& slot = drives[size_t(i)];
        m_driveBoxes[size_t(i)]->setChecked(slot.ticked && !slot.filePath.isEmpty());
        m_driveBoxes[size_t(i)]->setToolTip(slot.toolTip);
        m_driveNames[size_t(i)]->setText(slot.toolTip);
        m_driveNames[size_t(i)]->setToolTip(slot.filePath);
        m_driveNames[size_t(i)]->setCursorPosition(0);
    }
}

void GameListsPanel::Check_Dfx_MouseUp(int index)
{
    if (index < 0 || index >= kDriveCount)
        return;
    if (m_drives[size_t(index)].filePath.isEmpty())
        m_driveBoxes[size_t(index)]->setChecked(false);
    m_drives[size_t(index)].ticked = m_driveBoxes[size_t(index)]->isChecked();
}

void GameListsPanel::DrivesResizeLabel_Click()
{
    m_driveState.DrivesResizeLabel_Click();
    ShowDrivePanelSize(m_driveState, m_drivePanel, m_drivesResizeLabel);
}

QString GameListsPanel::smartRomSelection() const
{
    return DrivePanelSettings::listHandlersValue(m_window->GetIniPath());
}

// ---- Models and captions ---------------------------------------------------

void GameListsPanel::refreshGameModels()
{
    ++m_selectionDepth;
    m_completeModel->setNames(m_lib->games.UAE_Short());
    const bool simpleChanged = m_simpleModel->setNames(m_lib->games.WIthoutDoubles());
    --m_selectionDepth;
    if (simpleChanged) m_search.setSimpleList(m_lib->games.WIthoutDoubles()); // sorted once per new list
    if (m_previewIndex >= m_lib->games.count())
        m_previewIndex = -1;
}

void GameListsPanel::refreshFavouritesModel()
{
    const int row = currentRow(Favourites);
    ++m_selectionDepth;
    m_favouritesModel->setNames(m_lib->favourites.names());
    if (row >= 0 && row < m_lib->favourites.count())
        m_favouritesView->setCurrentIndex(m_favouritesModel->index(row));
    --m_selectionDepth;
}

void GameListsPanel::updateCaptions()
{
    const ListCaptions captions =
        UpdateListCaptions(m_lib->games.count(), int(m_lib->games.WIthoutDoubles().size()), m_lib->favourites.count());
    m_leftTabs->setTabText(kFavouritesTab, captions.favourites);
    m_mainTabs->setTabText(kSimpleTab, captions.simple);
    m_mainTabs->setTabText(kCompleteTab, captions.complete);
}

QString GameListsPanel::tabCaption(int focusArea) const
{
    switch (focusArea) {
    case Favourites: return m_leftTabs->tabText(kFavouritesTab);
    case SearchResults: return m_leftTabs->tabText(kResultsTab);
    case Simple: return m_mainTabs->tabText(kSimpleTab);
    case Complete: return m_mainTabs->tabText(kCompleteTab);
    default: return {};
    }
}

int GameListsPanel::leftTab() const
{
    return m_leftStack->currentWidget() == m_resultsView ? SearchResults : Favourites;
}

int GameListsPanel::mainTab() const
{
    return m_mainStack->currentWidget() == m_completeView ? Complete : Simple;
}

QStringList GameListsPanel::completePaths() const { return m_lib->games.UAE_FULL().toList(); }
QStringList GameListsPanel::completeNames() const { return m_lib->games.UAE_Short(); }
QStringList GameListsPanel::simpleNames() const { return m_lib->games.WIthoutDoubles(); }
QStringList GameListsPanel::favouriteNames() const { return m_lib->favourites.names(); }
