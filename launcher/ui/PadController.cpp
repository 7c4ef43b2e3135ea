#include "ui/PadController.h"

#include "joystick/SetJoystickButtons.h"
#include "launch/GameLauncher.h"
#include "ui/AlwaysOnTop.h"
#include "ui/GameListsPanel.h"
#include "ui/KeyCodes.h"
#include "ui/LaunchController.h"
#include "ui/MainWindow.h"
#include "ui/Skin.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolButton>

namespace {

bool isGameListControl(KeyControl control)
{
    return control == KeyControl::FavouritesList || control == KeyControl::WithoutDuplicatesList
           || control == KeyControl::CompleteList || control == KeyControl::SearchResultsList;
}

} // namespace

PadController::PadController(MainWindow& window, GameListsPanel& panel, LaunchController& launch,
                             Joystick& pads, QObject* parent)
    : QObject(parent),
      m_window(window),
      m_panel(panel),
      m_launch(launch),
      m_windowAlive(&window),
      m_navigator(*this, pads),
      m_keyboard(*this, m_navigator)
{
    m_window.setKeyPreview([this](QKeyEvent* event, QWidget* focused) { return keyPreview(event, focused); });

    // The tick first mirrors the launcher's running-game state, then polls:
    // a game started by mouse or keyboard must silence the pad as one
    // started by the pad does.
    QTimer& timer = m_navigator.JoystickTimer();
    disconnect(&timer, &QTimer::timeout, &m_navigator, &Navigator::JoystickTimer_Timer);
    connect(&timer, &QTimer::timeout, this, &PadController::pollTick);
    connect(&m_launch.monitor(), &GameMonitor::gameEnded, this, [this] { m_navigator.setGameRunning(false); });

    m_iconClickTimer.setSingleShot(true);
    connect(&m_iconClickTimer, &QTimer::timeout, this, &PadController::JoystickIcon_Click);
    m_window.JoystickIcon->installEventFilter(this);
    // Space or Enter on the focused icon: the same as a single click.
    connect(m_window.JoystickIcon, &QToolButton::clicked, this, [this] {
        if (!m_iconClickTimer.isActive())
            JoystickIcon_Click();
    });
}

PadController::~PadController()
{
    if (m_windowAlive)
        m_windowAlive->setKeyPreview({});
}

void PadController::pollTick()
{
    if (m_launch.monitor().gameRunning())
        m_navigator.setGameRunning(true);
    m_navigator.JoystickTimer_Timer();
}

void PadController::loadPadSettings()
{
    m_navigator.LoadJoystickSettings(m_window.getBaseIniName());
}

void PadController::setJoystickNavigation(bool on)
{
    if (on) {
        m_navigator.setGameRunning(false);
        m_navigator.JoystickEnable(true);
    } else {
        m_navigator.setGameRunning(true);
        m_navigator.JoystickEnable(false);
    }
}

// ---- keys ------------------------------------------------------------------

KeyControl PadController::controlOf(const QWidget* focused) const
{
    if (!focused)
        return KeyControl::Other;
    const auto is = [focused](const QAbstractItemView* view) {
        return view && (focused == view || focused == view->viewport());
    };
    if (is(m_panel.listView(GameListsPanel::Favourites)))
        return KeyControl::FavouritesList;
    if (is(m_panel.listView(GameListsPanel::Simple)))
        return KeyControl::WithoutDuplicatesList;
    if (is(m_panel.listView(GameListsPanel::Complete)))
        return KeyControl::CompleteList;
    if (is(m_panel.listView(GameListsPanel::SearchResults)))
        return KeyControl::SearchResultsList;
    if (focused == m_panel.searchBox())
        return KeyControl::SearchBox;
    if (focused == m_window.EmuListbox || focused == m_window.EmuListbox->view())
        return KeyControl::EmulatorBox;
    if (is(m_window.EmulatorLongListbox))
        return KeyControl::EmulatorLongList;
    return KeyControl::Other;
}

bool PadController::keyPreview(QKeyEvent* event, QWidget* focused)
{
    using namespace KeyCodes;
    const int code = virtualKey(*event);
    // Tab moves the focus between controls; no rule of ours takes it.
    if (code == kTab || event->key() == Qt::Key_Backtab)
        return false;
    KeyControl control = controlOf(focused);
    if (control == KeyControl::EmulatorBox || control == KeyControl::EmulatorLongList) {
        // The window itself applies, leaves and searches from the emulator
        // controls; only the window-wide hotkeys are ours there.
        int keyCode = code;
        return keyCode != 0 && m_keyboard.Form_KeyDown(keyCode, shiftState(event->modifiers()));
    }
    // Enter and Delete are the game lists' own keys (start, remove favourite).
    // Space would apply the emulator selection again, which moves FocusArea
    // away from the list that has the focus; the list keeps it instead.
    if (isGameListControl(control) && (code == kReturn || code == kDelete || code == kSpace))
        control = KeyControl::Other;
    return m_keyboard.handleKeyPress(*event, control);
}

// ---- joystick icon ---------------------------------------------------------

bool PadController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window.JoystickIcon)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        if (m_swallowIconRelease)
            m_swallowIconRelease = false;
        else
            m_iconClickTimer.start(QApplication::doubleClickInterval());
        return true;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        // A double click is no pair of single clicks.
        m_iconClickTimer.stop();
        m_swallowIconRelease = true;
        JoystickIcon_DblClick();
        return true;
    default: return QObject::eventFilter(watched, event);
    }
}

void PadController::JoystickIcon_Click()
{
    m_iconClickTimer.stop();
    m_navigator.JoystickIcon_Click();
}

void PadController::JoystickIcon_DblClick()
{
    AlwaysOnTop* pin = m_window.PinControl;
    // Only a pinned window goes back on top afterwards; an unpinned one
    // must not become pinned by opening the assignment window.
    const bool wasOnTop = pin && pin->GetIsOnTop();
    if (pin)
        pin->SetToNormal();
    SetJoystickButtons assignment(m_navigator, m_navigator.pads(), m_window.getBaseIniName(), &m_window);
    assignment.setIconPixmap(m_window.JoystickIcon->icon().pixmap(32, 32));
    assignment.exec();
    // New assignments count at once, not only after the next settings load.
    if (assignment.saved() && m_navigator.isEnabled())
        m_navigator.LoadJoystickSettings(m_window.getBaseIniName());
    if (pin && wasOnTop)
        pin->SetToTop();
}

// ---- NavigationHost: selection state --------------------------------------

int PadController::FocusArea() const
{
    bool ok = false;
    const int area = m_window.FocusArea.trimmed().toInt(&ok);
    return ok ? area : 0;
}

void PadController::setFocusArea(int area) { m_window.FocusArea = QString::number(area); }

// ---- NavigationHost: game lists -------------------------------------------

QListView* PadController::view(GameList list) const { return m_panel.listView(int(list)); }

int PadController::listCount(GameList list) const
{
    const QListView* v = view(list);
    return v && v->model() ? v->model()->rowCount() : 0;
}

int PadController::listIndex(GameList list) const
{
    const QListView* v = view(list);
    if (!v)
        return -1;
    const QModelIndex current = v->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void PadController::selectAndHandle(QListView* v, int row)
{
    if (!v || !v->model() || row < 0 || row >= v->model()->rowCount())
        return;
    QItemSelectionModel* selection = v->selectionModel();
    const QModelIndex target = v->model()->index(row, 0);
    // The list reacts to a change of its current entry; make it one.
    if (selection->currentIndex() == target)
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    selection->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    v->scrollTo(target);
}

void PadController::setListIndex(GameList list, int index) { selectAndHandle(view(list), index); }

void PadController::focusList(GameList list, bool clearActiveFlag)
{
    // The panel's focus handling always does its whole work.
    (void)clearActiveFlag;
    m_panel.focusList(int(list));
}

void PadController::listClick(GameList list) { selectAndHandle(view(list), listIndex(list)); }

bool PadController::startSelectedGame(GameList list)
{
    const QString path = m_panel.selectedFullPath(int(list));
    if (path.isEmpty())
        return false;
    if (list == GameList::Complete) {
        // As a double click on the complete list: the captions go back to
        // the default title while the game starts.
        const QString title = QString::fromLatin1(Skin::kDefaultTitle);
        m_panel.setTitleText(title);
        m_panel.setStatusText(title);
    }
    return m_launch.launcher().LaunchBtn_Click(path) == GameLauncher::Result::Started;
}

void PadController::toggleCompleteListMark()
{
    QListView* v = view(GameList::Complete);
    if (!v)
        return;
    const QModelIndex current = v->currentIndex();
    if (current.isValid())
        v->selectionModel()->select(current, QItemSelectionModel::Toggle);
}

QString PadController::selectedEntryText(GameList list) const
{
    const QListView* v = view(list);
    return v ? v->currentIndex().data(Qt::DisplayRole).toString() : QString();
}

// ---- NavigationHost: emulator box -----------------------------------------

bool PadController::isEmulatorListVisible() const
{
    return m_window.EmulatorLongListbox->isVisibleTo(&m_window);
}

int PadController::emulatorCount() const { return m_window.EmuListbox->count(); }

int PadController::emulatorIndex() const { return m_window.EmuListbox->currentIndex(); }

void PadController::setEmulatorIndexQuietly(int index)
{
    if (index < 0 || index >= m_window.EmuListbox->count())
        return;
    const bool before = m_window.SuppressSelection;
    m_window.SuppressSelection = true;
    m_window.EmuListbox->setCurrentIndex(index);
    // The open long list shows which emulator the box now stands for.
    if (m_window.EmulatorLongListbox->currentRow() != index)
        m_window.EmulatorLongListbox->setCurrentRow(index);
    m_window.SuppressSelection = before;
}

void PadController::setEmulatorBoxEnabled(bool enabled) { m_window.EmuListbox->setEnabled(enabled); }

void PadController::clearEmulatorBoxTextSelection()
{
    if (QLineEdit* edit = m_window.EmuListbox->lineEdit())
        edit->deselect();
}

void PadController::emulatorBoxFocusHandling()
{
    m_window.FocusArea = QStringLiteral("5");
    m_window.showAllPanels();
    m_window.ShowEmulatorList(true);
}

void PadController::focusEmulatorBox() { m_window.EmuListbox->setFocus(Qt::OtherFocusReason); }

void PadController::emulatorBoxClick()
{
    // What choosing an entry in the box does: the long list follows it and
    // shows the emulator's picture and game count.
    const int index = m_window.EmuListbox->currentIndex();
    if (index >= 0 && index < m_window.EmulatorLongListbox->count()) {
        if (m_window.EmulatorLongListbox->currentRow() != index)
            m_window.EmulatorLongListbox->setCurrentRow(index);
        m_window.EmulatorLongListbox_Click();
    }
    m_window.FocusArea = QStringLiteral("5");
}

void PadController::ShowEmulatorList(bool open) { m_window.ShowEmulatorList(open); }

void PadController::LeaveEmulatorBox() { m_window.LeaveEmulatorBox(); }

void PadController::SelectEmulator() { m_window.SelectEmulator(); }

// ---- NavigationHost: search box --------------------------------------------

void PadController::setSearchBoxEnabled(bool enabled)
{
    QLineEdit* box = m_panel.searchBox();
    if (!box)
        return;
    // Disabling the focused box would push the focus on to the next control
    // (the emulator box would open its list); the key that asked for it is
    // already used up by the key preview.
    if (!enabled && box->hasFocus())
        return;
    box->setEnabled(enabled);
}

QString PadController::searchText() const
{
    const QLineEdit* box = m_panel.searchBox();
    return box ? box->text() : QString();
}

void PadController::focusSearchBox()
{
    QLineEdit* box = m_panel.searchBox();
    if (!box)
        return;
    box->setEnabled(true);
    box->setFocus(Qt::ShortcutFocusReason);
    // The box's own focus handling sets this too, but only once the window
    // is active; the hotkey must hold in any case.
    m_window.FocusArea = QString::number(Focus::SearchBox);
}

void PadController::startSearchWith(QChar letter)
{
    // The emulator box is not editable: its text is always its entry.
    m_panel.startSearch(QString(letter));
}

// ---- NavigationHost: window ------------------------------------------------

bool PadController::isMaximized() const { return m_window.windowState() & Qt::WindowMaximized; }

void PadController::setMaximized(bool maximized)
{
    const Qt::WindowStates state = m_window.windowState();
    m_window.setWindowState(maximized ? (state | Qt::WindowMaximized) : (state & ~Qt::WindowMaximized));
}

bool PadController::isNormalState() const
{
    return !(m_window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void PadController::resizeByTwips(int dWidth, int dHeight)
{
    const QSize size(m_window.width() + WindowPlacement::toPixels(dWidth),
                     m_window.height() + WindowPlacement::toPixels(dHeight));
    m_window.resize(size.expandedTo(m_window.minimumSize()));
}

void PadController::ExitBtn_Click() { m_window.ExitBtn_Click(); }

void PadController::beep() { QApplication::beep(); }

// ---- NavigationHost: favourites, running game, captions --------------------

bool PadController::addFavouriteVisible() const { return m_panel.addFavouriteVisible(); }

void PadController::addFavouriteClick() { m_panel.addFavouriteClick(); }

bool PadController::removeFavouriteVisible() const { return m_panel.removeFavouriteVisible(); }

void PadController::removeFavouriteClick() { m_panel.removeFavouriteClick(); }

bool PadController::runningGameIndicatorVisible() const
{
    return m_window.AppRunningPicture->isVisibleTo(&m_window);
}

void PadController::killRunningGame() { m_launch.monitor().AppRunningPicture_Click(); }

void PadController::setJoystickIconVisible(bool visible) { m_window.JoystickIcon->setVisible(visible); }

void PadController::setCaptionLabel(const QString& caption) { m_window.MyCaptionLabel->setText(caption); }

QString PadController::statusCaption() const { return m_window.Current_LoadingSmallBtn->text(); }

void PadController::setStatusCaption(const QString& caption) { m_window.Current_LoadingSmallBtn->setText(caption); }

void PadController::showStatusLabel() { m_window.Current_LoadingSmallBtn->show(); }
