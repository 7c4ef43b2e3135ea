#include "ui/MainWindow.h"

#include "config/Ini.h"
#include "config/Language.h"
#include "config/Profiles.h"
#include "config/WriteFailures.h"
#include "launch/PathOps.h"
#include "services/Prompt.h"
#include "ui/AlwaysOnTop.h"
#include "ui/CaptionControls.h"
#include "ui/NameLabel.h"
#include "ui/SingleInstance.h"
#include "ui/Skin.h"
#include "ui/SkinColors.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMetaMethod>
#include <QPushButton>
#include <QPainter>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kSettings = QStringLiteral("Settings");
// As designed: a fixed frame; start-up adds the resizable frame and its buttons.
constexpr Qt::WindowFlags kDesignedFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;

bool isLetter(const QString& text)
{
    if (text.size() != 1)
        return false;
    const QChar c = text.at(0);
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// The ASCII code a key press delivers, as the emulator controls see it.
int asciiOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Backspace: return kKeyBackspace;
    case Qt::Key_Space: return kKeySpace;
    default: break;
    }
    const QString text = event->text();
    return text.size() == 1 && text.at(0).unicode() < 128 ? text.at(0).unicode() : 0;
}

} // namespace

MainWindow::MainWindow(const SettingsPaths& paths, QWidget* parent)
    : QWidget(parent), m_paths(paths)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(kDesignedFrame);
    m_endProcess = [](int code) { QCoreApplication::exit(code); };
    buildControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls()
{
    resize(1024, 700);
    setMinimumSize(640, 480);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(6);

    // Caption row: pin, captions, clock and the window's buttons.
    auto* top = new QHBoxLayout;
    PinControl = new AlwaysOnTop(this);
    MyCaptionLabel = new QLabel(this);
    MyCaptionLabel->setObjectName(QStringLiteral("MyCaptionLabel"));
    QFont captionFont = MyCaptionLabel->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 1.4);
    captionFont.setBold(true);
    MyCaptionLabel->setFont(captionFont);
    TitleStr = new QLabel(this);
    TitleStr->setObjectName(QStringLiteral("TitleStr"));
    TimeString = new QLabel(this);
    TimeString->setObjectName(QStringLiteral("TimeString"));
    JoystickIcon = CaptionControls::makeJoystickIcon(this);
    AppRunningPicture = CaptionControls::makeRunningPicture(this);
    Label5 = CaptionControls::makeMinimiseLabel(this);
    DonateBtn = new QPushButton(QStringLiteral("Spenden"), this);
    DonateBtn->setObjectName(QStringLiteral("DonateBtn"));
    // There is no donation page to open yet; the button waits hidden.
    DonateBtn->hide();
    SettingsBtn = new QPushButton(QStringLiteral("⚙"), this);
    SettingsBtn->setObjectName(QStringLiteral("SettingsBtn"));
    SettingsBtn->setToolTip(QStringLiteral("Optionen.."));
    ExitBtn = new QPushButton(QStringLiteral("Beenden"), this);
    ExitBtn->setObjectName(QStringLiteral("ExitBtn"));
    top->addWidget(PinControl);
    top->addWidget(MyCaptionLabel);
    top->addSpacing(12);
    top->addWidget(TitleStr);
    top->addStretch(1);
    top->addWidget(TimeString);
    top->addWidget(JoystickIcon);
    top->addWidget(AppRunningPicture);
    top->addWidget(DonateBtn);
    top->addWidget(SettingsBtn);
    top->addWidget(Label5);
    top->addWidget(ExitBtn);
    // The row is as high as what a running game shows in it (its icons and
    // the caption) from the start, so that showing them does not push the
    // window's rows down.
    top->addSpacerItem(new QSpacerItem(0, std::max(AppRunningPicture->sizeHint().height(),
                                                   QFontMetrics(MyCaptionLabel->font()).height()),
                                       QSizePolicy::Fixed, QSizePolicy::Fixed));
    root->addLayout(top);

    // Emulator row: the combo, the small loading indicator and the name label.
    auto* emuRow = new QHBoxLayout;
    EmuListbox = new QComboBox(this);
    EmuListbox->setObjectName(QStringLiteral("EmuListbox"));
    EmuListbox->setMinimumWidth(260);
    EmuListbox->setToolTip(QStringLiteral("Emulator auswählen"));
    Current_LoadingSmallBtn = new QLabel(QStringLiteral("Loading ..."), this);
    Current_LoadingSmallBtn->hide();
    Current_ProgramNameFull = new QLabel(this);
    Current_ProgramNameFull->setObjectName(QStringLiteral("Current_ProgramNameFull"));
    NameLabel::attach(Current_ProgramNameFull);
    FontSizeList = new QComboBox(this);
    FontSizeList->setObjectName(QStringLiteral("FontSizeList"));
    emuRow->addWidget(EmuListbox);
    emuRow->addWidget(Current_LoadingSmallBtn);
    emuRow->addWidget(Current_ProgramNameFull, 1);
    emuRow->addWidget(FontSizeList);
    root->addLayout(emuRow);

    // Centre: the game-list area; the long emulator list is laid over its
    // list panels when open, so the emulator's picture beside it stays visible.
    m_centreHost = new QWidget(this);
    m_centre = new QVBoxLayout(m_centreHost);
    m_centre->setContentsMargins(0, 0, 0, 0);
    m_emptyLists = new QWidget(m_centreHost);
    m_centre->addWidget(m_emptyLists);
    EmulatorLongListbox = new QListWidget(m_centreHost);
    EmulatorLongListbox->setObjectName(QStringLiteral("EmulatorLongListbox"));
    EmulatorLongListbox->hide();
    m_centreHost->installEventFilter(this);
    root->addWidget(m_centreHost, 1);

    LoadingBtn = new QPushButton(this);
    LoadingBtn->setObjectName(QStringLiteral("LoadingBtn"));
    LoadingBtn->setFlat(true);
    FavoritenAlleBtn = CaptionControls::addStatusRow(root, LoadingBtn);

    EmuListbox->installEventFilter(this);
    EmuListbox->view()->installEventFilter(this);
    EmulatorLongListbox->installEventFilter(this);
    EmulatorLongListbox->viewport()->installEventFilter(this);

    connect(EmuListbox, &QComboBox::activated, this, [this](int index) {
        // The long list follows the combo; choosing is confirmed with Enter,
        // Space or a double click.
        if (EmulatorLongListbox->currentRow() != index)
            EmulatorLongListbox->setCurrentRow(index);
        FocusArea = QStringLiteral("5");
    });
    connect(EmulatorLongListbox, &QListWidget::itemClicked, this,
            [this] { EmulatorLongListbox_Click(); });
    connect(EmulatorLongListbox, &QListWidget::itemDoubleClicked, this, [this] { SelectEmulator(); });
    connect(ExitBtn, &QPushButton::clicked, this, &MainWindow::ExitBtn_Click);
    connect(SettingsBtn, &QPushButton::clicked, this, &MainWindow::settingsRequested);
    connect(FontSizeList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_lists && index >= 0)
            m_lists->setListFontSize(8 + index);
    });

    m_clockTimer = new QTimer(this);
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::updateClock);
    m_clockTimer->start(1000);
}

void MainWindow::setGameListsPart(GameListsPart* part)
{
    m_lists = part;
    if (part && part->widget()) {
        m_centre->removeWidget(m_emptyLists);
        m_emptyLists->hide();
        part->widget()->setParent(m_centreHost);
        m_centre->addWidget(part->widget());
        EmulatorLongListbox->raise();
    }
}

void MainWindow::updateClock()
{
    TimeString->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).left(5));
}

int MainWindow::Get_Current_Language() const { return currentLanguage(); }

void MainWindow::ApplyLanguageCaptions()
{
    if (currentLanguage() == kLanguageGerman)
        return; // the designed captions are German
    DonateBtn->setText(QStringLiteral("Donate"));
    ExitBtn->setText(QStringLiteral("Exit"));
    SettingsBtn->setToolTip(QStringLiteral("Options.."));
    EmuListbox->setToolTip(QStringLiteral("Select emulator"));
    CaptionControls::applyEnglishToolTips(AppRunningPicture, JoystickIcon, Label5);
}

QString MainWindow::getEmuDownloadPath(QString& toolTip) const
{
    return Skin::getEmuDownloadPath(GetColorsIniName(), toolTip);
}

MainWindow::StartResult MainWindow::Form_Load(const QString& commandLine)
{
    setCurrentLanguage(kLanguageGerman);
    SelectedEmulatorIndex = -1;
    updateClock();

    setCurrentLanguage(IsGermanSystem() ? kLanguageGerman : kLanguageEnglish);
    ApplyLanguageCaptions();
    // The options button is live only once an options window listens to it.
    SettingsBtn->setEnabled(isSignalConnected(QMetaMethod::fromSignal(&MainWindow::settingsRequested)));

    if (m_singleInstance) {
        if (m_singleInstance->notifyRunningInstance())
            return StartResult::AnotherInstance;
        connect(m_singleInstance, &SingleInstance::activationRequested, this,
                &MainWindow::raiseFromAnotherStart);
    }

    m_paths.createConfigRoot();
    m_paths.selectNone();
    Current_ProgramNameFull->clear();
    m_commandLine = commandLine;
    ChangeBorderstyle(this, 1); // the designed window gets its resizable frame, minimise and maximise
    fillEmulatorLists();
    WindowPlacement::restore(getBaseIniName(), *this);

    const QString last = ReadIniValue(kSettings, QStringLiteral("LastEmulator"), getBaseIniName(),
                                      QString(), true);
    if (!last.isEmpty()) {
        const int index = EmuListbox->findText(last, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            EmuListbox->setCurrentIndex(index);
            SelectEmulator();
        }
    } else {
        EmuListbox->setPlaceholderText(QStringLiteral("Default"));
        LoadEmulatorView();
    }
    if (m_ended)
        return StartResult::Ended;

    Current_LoadingSmallBtn->hide();
    EmuListbox->setPlaceholderText(EmuListbox->count() == 0
                                       ? QStringLiteral("No Emulator found")
                                       : Msg(QStringLiteral("Emulator auswählen:"),
                                             QStringLiteral("Select Emulator:")));
    return StartResult::Running;
}

void MainWindow::raiseFromAnotherStart()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void MainWindow::fillEmulatorLists()
{
    EmuListbox->clear();
    EmulatorLongListbox->clear();
    const QStringList profiles = Profiles::list(m_paths.configRoot());
    EmuListbox->addItems(profiles);
    EmulatorLongListbox->addItems(profiles);
    EmuListbox->setCurrentIndex(-1);
    if (profiles.isEmpty())
        EmuListbox->setPlaceholderText(QStringLiteral("No Emulator found"));
}

QString MainWindow::currentEmulator() const { return EmuListbox->currentText(); }

void MainWindow::setPanelsVisible(bool visible)
{
    if (m_lists)
        m_lists->setPanelsVisible(visible);
}

void MainWindow::relayout()
{
    if (m_lists)
        m_lists->relayout();
}

void MainWindow::SelectEmulator()
{
    Current_LoadingSmallBtn->show();
    if (EmuListbox->currentIndex() == SelectedEmulatorIndex) {
        EmuListbox->setEnabled(false);
        FocusArea = QStringLiteral("1");
        ShowEmulatorList(false);
        relayout();
        EmuListbox->setEnabled(true);
        Current_LoadingSmallBtn->hide();
        return;
    }
    if (m_lists)
        m_lists->clearLists();
    EmuListbox->setEnabled(false);
    setPanelsVisible(false);
    EmulatorLongListbox->setCurrentRow(EmuListbox->currentIndex());

    if (!SuppressSelection) {
        const WriteFailures::Scope action; // the whole view load and LastEmulator: one message
        SavedEmulatorIndex = EmuListbox->currentIndex();
        const QString remembered = EmuListbox->currentText();
        ShowEmulatorList(false);
        m_paths.selectEmulator(remembered);
        LoadEmulatorView();
        if (m_ended)
            return;
        WriteIniValue(kSettings, QStringLiteral("LastEmulator"), remembered, getBaseIniName(), true);
        const bool hasFavourites = m_lists && m_lists->favouritesCount() > 0;
        if (m_lists)
            m_lists->focusFirstEntry();
        setPanelsVisible(true);
        FocusArea = hasFavourites ? QStringLiteral("1") : QStringLiteral("2");
        relayout();
    }
    Current_LoadingSmallBtn->hide();
    EmuListbox->setEnabled(true);
}

void MainWindow::showEmulatorPictureFor(int index)
{
    if (!m_lists || index < 0 || index >= EmulatorLongListbox->count())
        return;
    m_lists->showEmulatorPicture(
        Skin::FindEmulatorPicture(m_paths.configRoot(), EmulatorLongListbox->item(index)->text()));
}

void MainWindow::placeEmulatorList()
{
    m_centre->activate();
    QRect area;
    if (m_lists && m_lists->widget()) {
        const QRect lists = m_lists->listsArea();
        QWidget* part = m_lists->widget();
        area = lists.isEmpty() ? part->geometry()
                               : QRect(part->mapTo(m_centreHost, lists.topLeft()), lists.size());
    }
    if (area.isEmpty())
        area = m_centreHost->rect();
    EmulatorLongListbox->setGeometry(area);
}

void MainWindow::ShowEmulatorList(bool open)
{
    if (open) {
        SettingsBtn->hide();
        setPanelsVisible(false);
        placeEmulatorList();
        EmulatorLongListbox->show();
        EmulatorLongListbox->raise();
        SavedEmulatorIndex = EmuListbox->currentIndex();
        if (EmulatorLongListbox->currentRow() != EmuListbox->currentIndex())
            EmulatorLongListbox->setCurrentRow(EmuListbox->currentIndex());
        SuppressSelection = false;
        FocusArea = QStringLiteral("5");
        showEmulatorPictureFor(EmulatorLongListbox->currentRow());
        // The long list is always drawn black on white, whatever the skin.
        EmulatorLongListbox->setStyleSheet(
            QStringLiteral("QListWidget { color: #000000; background: #FFFFFF; }"));
        return;
    }
    SuppressSelection = true;
    if (m_lists)
        m_lists->restoreGamePreview();
    if (EmuListbox->currentIndex() != SavedEmulatorIndex)
        EmuListbox->setCurrentIndex(SavedEmulatorIndex);
    SuppressSelection = false;
    setPanelsVisible(true);
    EmulatorLongListbox->hide();
    SettingsBtn->show();
}

void MainWindow::LeaveEmulatorBox()
{
    setPanelsVisible(true);
    ShowEmulatorList(false);
    EmuListbox->setCurrentIndex(SelectedEmulatorIndex);
    focusListsAfterEmulatorBox();
}

void MainWindow::focusListsAfterEmulatorBox()
{
    FocusArea = (m_lists && m_lists->favouritesCount() > 0) ? QStringLiteral("1")
                                                              : QStringLiteral("2");
    relayout();
}

void MainWindow::showAllPanels()
{
    setPanelsVisible(true);
    relayout();
}

void MainWindow::EmulatorLongListbox_Click()
{
    FocusArea = QStringLiteral("10");
    const int row = EmulatorLongListbox->currentRow();
    if (row < 0)
        return;
    if (row != EmuListbox->currentIndex()) {
        SuppressSelection = true;
        EmuListbox->setCurrentIndex(row);
        SuppressSelection = false;
    }
    showEmulatorPictureFor(row);
    const QString name = EmulatorLongListbox->item(row)->text();
    const QString roms = Profiles::romCountSuffix(m_paths.settingsFileOf(name));
    NameLabel::show(Current_ProgramNameFull, roms.isEmpty() ? name : name + u'\n' + roms);
}

void MainWindow::ReloadEmulatorsAll()
{
    for (int i = 0; i < EmuListbox->count(); ++i) {
        EmuListbox->setCurrentIndex(i);
        SelectEmulator();
        if (m_lists)
            m_lists->LoadBtn_Click();
        QCoreApplication::processEvents();
    }
}

void MainWindow::StartEmulator(const QString& name, bool askFirst)
{
    const QString path = MakeAbsolutePath(
        m_paths.programFolder(),
        ReadIniValue(kSettings, QStringLiteral("EmulatorPath"), m_paths.settingsFileOf(name),
                     QString(), false));
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        prompt().message(Msg(QStringLiteral("Emulator nicht gefunden!"),
                             QStringLiteral("Emulator not found!")),
                         Msg(name + QStringLiteral("-Emulator wurde nicht gefunden:\r\r") + path,
                             name + QStringLiteral("-Emulator not found:\r\r") + path));
        return;
    }
    if (askFirst) {
        const PromptAnswer answer =
            prompt().ask(FileNameOf(path) + QStringLiteral(" starten?"),
                         name + QStringLiteral("-Emulator zum Einstellen jetzt starten?"),
                         PromptButtons::YesNo, PromptIcon::Question);
        if (answer != PromptAnswer::Yes)
            return;
    }
    LoadingBtn->setText(QStringLiteral("Setup:\r") + name + QStringLiteral("\r->") + FileNameOf(path));
    if (m_launch)
        m_launch->startProgram(path);
}

void MainWindow::LoadEmulatorView()
{
    applySkinPictures();
    if (m_lists)
        m_lists->LoadFavorites();
    if (m_launch)
        m_launch->setSplashCounter(4);

    if (toInt16(ReadIniValue(kSettings, QStringLiteral("ResetScreenResolution"), getBaseIniName(),
                             QStringLiteral("0"), true)) != 0
        && m_launch)
        m_launch->saveModeAndSwitch();

    if (m_lists)
        m_lists->clearPictures();
    SelectedEmulatorIndex = EmuListbox->currentIndex();

    const QString defaultTitle = QString::fromLatin1(Skin::kDefaultTitle);
    TitleStr->setText(defaultTitle);
    setWindowTitle(defaultTitle);
    MyCaptionLabel->setText(defaultTitle);

    if (m_lists)
        m_lists->clearLists();

    masterConfigPath = toInt16(ReadIniValue(kSettings, QStringLiteral("WinUAE_UseMasterConfig"),
                                            GetIniPath(), QStringLiteral("1"), true))
                               == 1
                           ? m_paths.masterConfigFile()
                           : QString();

    {
        const QSignalBlocker block(FontSizeList);
        FontSizeList->clear();
        for (int size = 8; size <= 80; ++size)
            FontSizeList->addItem(Msg(QStringLiteral("Schriftgröße: "), QStringLiteral("Font size: "))
                                  + QString::number(size));
    }

    if (PinControl)
        PinControl->SetWindowBackToNormal(this);
    LoadSettings();
    if (m_lists)
        m_lists->LoadFavorites();
    ShowEmulatorList(false);

    TitleString = Skin::TitleString(GetColorsIniName());
    DownloadURL = Skin::DownloadURL(GetColorsIniName());
    setWindowTitle(TitleString);
    MyCaptionLabel->setText(TitleString);

    const QString argument = m_commandLine;
    if (argument.contains(u'?')) {
        prompt().message(QString(), QStringLiteral("Command Parameter: Not full supported yet!  *.adf Files should work!"));
        endProcess(0);
        return;
    }
    if (!argument.trimmed().isEmpty()) {
        m_commandLine.clear();
        if (m_launch)
            m_launch->launchGame(StripEnclosingQuotes(argument));
        endProcess(0);
        return;
    }

    if (FontSizeList->currentIndex() < 1)
        FontSizeList->setCurrentIndex(13);

    QCoreApplication::processEvents();
    LoadingBtn->setText(Msg(QStringLiteral("Liste wird geladen..."), QStringLiteral("Loading list...")));
    QCoreApplication::processEvents();
    if (m_lists)
        m_lists->loadGameList();
    Current_ProgramNameFull->clear();
    LoadingBtn->setText(QStringLiteral("Loading.."));

    TitleString = Skin::TitleString(GetColorsIniName());
    setWindowTitle(TitleString);
    MyCaptionLabel->setText(TitleString);
    TitleStr->setText(TitleString);
    if (m_lists)
        m_lists->restoreListCacheView();
    currentEmulatorExecutable = EmulatorPathField;
    SettingsBtn->show();
}

void MainWindow::LoadSettings()
{
    const WriteFailures::Scope action; // defaults written by the reads below
    const QString ini = GetIniPath();
    const QString app = m_paths.programFolder();
    RomPathField = AddTrailingSeparator(MakeAbsolutePath(
        app, ReadIniValue(kSettings, QStringLiteral("RomPath"), ini, QString(), true)));
    EmulatorPathField = MakeAbsolutePath(
        app, ReadIniValue(kSettings, QStringLiteral("EmulatorPath"), ini, QString(), true));
    const qint16 font = toInt16(
        ReadIniValue(kSettings, QStringLiteral("Fontsize"), getBaseIniName(), QStringLiteral("16"), true));
    if (font >= 0 && font < FontSizeList->count())
        FontSizeList->setCurrentIndex(font);
    KickstartField = MakeAbsolutePath(
        app, ReadIniValue(kSettings, QStringLiteral("KickstartRom"), ini, QString(), true));
    FullScreenCheck =
        toInt16(ReadIniValue(kSettings, QStringLiteral("FullScreen"), ini, QStringLiteral("1"), true)) != 0;
    if (m_lists)
        m_lists->applySettings();
    applySkinColours();
    if (m_pads)
        m_pads->loadPadSettings();
    JoystickExitButton = toInt16(ReadIniValue(kSettings, QStringLiteral("UseJoystickExitbutton"),
                                              getBaseIniName(), QStringLiteral("0"), true));
}

void MainWindow::ExitBtn_Click()
{
    const WriteFailures::Scope action; // one message for whatever the exit cannot save
    if (m_lists) {
        const QPoint drive = m_lists->drivePanelPosition();
        WriteIniValues(kSettings, {{QStringLiteral("DrvWindowX"), QString::number(drive.x())},
                                   {QStringLiteral("DrvWindowY"), QString::number(drive.y())}}, GetIniPath(), true);
    }
    WindowPlacement::save(getBaseIniName(), *this);
    endProcess(0);
}

void MainWindow::endProcess(int code)
{
    m_ended = true;
    hide();
    if (m_endProcess)
        m_endProcess(code);
}

void MainWindow::Form_KeyPress(int keyAscii)
{
    if (FocusArea == u"5" || keyAscii != kKeyEscape)
        return;
    const QString exe = m_paths.exeName();
    const PromptAnswer answer = prompt().ask(
        Msg(exe + QStringLiteral(" beenden?"), QStringLiteral("Exit ") + exe + QStringLiteral("?")),
        Msg(exe + QStringLiteral(" jetzt wirklich beenden?"), QStringLiteral("Quit ") + exe + QStringLiteral(" now?")),
        PromptButtons::OkCancel, PromptIcon::Question);
    if (answer == PromptAnswer::Ok)
        ExitBtn_Click();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Form_KeyPress(kKeyEscape);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The desktop's close request (its Alt+F4 among them) never leaves a
    // game running unattended: while one runs it ends the game, as the
    // running-game indicator does, and the window stays. Otherwise it ends
    // the program the orderly way.
    if (!m_ended && AppRunningPicture->isVisibleTo(this)) {
        event->ignore();
        AppRunningPicture->click();
        return;
    }
    if (!m_ended) {
        event->ignore();
        ExitBtn_Click();
        return;
    }
    event->accept();
}

bool MainWindow::handleEmulatorControlKey(QObject* control, QKeyEvent* event)
{
    const int ascii = asciiOf(event);
    if (ascii == kKeyEnter || ascii == kKeySpace) {
        if (control == EmuListbox->view())
            EmuListbox->hidePopup();
        SelectEmulator();
        return true;
    }
    if (ascii == kKeyEscape || ascii == kKeyBackspace) {
        if (control == EmuListbox->view())
            EmuListbox->hidePopup();
        LeaveEmulatorBox();
        return true;
    }
    if (isLetter(event->text())) {
        if (m_lists)
            m_lists->startSearch(event->text());
        return true;
    }
    // Other characters are swallowed; cursor keys move within the list.
    return ascii != 0;
}

void MainWindow::setKeyPreview(KeyPreview preview)
{
    if (!m_keyPreview && preview)
        qApp->installEventFilter(this);
    m_keyPreview = std::move(preview);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (m_keyPreview && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        && watched->isWidgetType()) {
        auto* target = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::KeyPress && (target == this || isAncestorOf(target))
            && m_keyPreview(static_cast<QKeyEvent*>(event), target))
            return true;
    }
    if (watched == m_centreHost && event->type() == QEvent::Resize && EmulatorLongListbox->isVisible()) {
        // The panels are laid out after this event; follow them once they are.
        QTimer::singleShot(0, this, [this] {
            if (EmulatorLongListbox->isVisible())
                placeEmulatorList();
        });
    }
    const bool emuControl = watched == EmuListbox || watched == EmuListbox->view()
                            || watched == EmulatorLongListbox;
    if (emuControl && event->type() == QEvent::KeyPress)
        return handleEmulatorControlKey(watched, static_cast<QKeyEvent*>(event));
    if (watched == EmuListbox && event->type() == QEvent::FocusIn && EmuListbox->isEnabled()) {
        FocusArea = QStringLiteral("5");
        setPanelsVisible(true);
        ShowEmulatorList(true);
    }
    if (watched == EmulatorLongListbox->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && mouse->modifiers() == Qt::NoModifier) {
            QListWidgetItem* item = EmulatorLongListbox->itemAt(mouse->position().toPoint());
            if (item) {
                EmulatorLongListbox->setCurrentItem(item);
                StartEmulator(item->text(), true);
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::applySkinPictures()
{
    m_skinPictures.load(GetStartPfad());
    if (m_lists)
        m_lists->setDrivePanelPicture(m_skinPictures.picture(SkinPictures::DriveBox));
    QCoreApplication::processEvents();
    update();
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QPixmap& background = m_skinPictures.picture(SkinPictures::Background);
    if (!background.isNull())
        painter.drawPixmap(rect(), background);
    QWidget::paintEvent(event);
}

void MainWindow::applySkinColours()
{
    SetColors(this, -1, -1, GetColorsIniName());
}
