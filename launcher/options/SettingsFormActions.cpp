// The options window's behaviour: opening, the model <-> control binding,
// the reactions of the fields, the buttons and the closing rules.
#include "options/SettingsForm.h"

#include "config/Language.h"
#include "config/WriteFailures.h"
#include "launch/PathOps.h"
#include "launch/StartScript.h"
#include "options/KnownEmulatorCheck.h"
#include "options/OptionsHost.h"
#include "options/PathChecks.h"
#include "options/ProfileFolders.h"
#include "services/Prompt.h"
#include "services/files/FileChooser.h"
#include "ui/ColorText.h"
#include "ui/Skin.h"
#include "ui/SkinColors.h"
#include "ui/WindowUtils.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

// The maker's home page (Label7).
const QString kHomepage = QStringLiteral("https://arvex.example.org/");

} // namespace

// ---- binding ---------------------------------------------------------------

void SettingsForm::connectControls()
{
    using F = EmulatorField;
    EmulatorFields& fields = m_model.fields();
    const std::pair<QLineEdit*, F> edits[] = {
        {txtWinUAEExe, F::EmulatorPath},         {TxtRomPath, F::RomPath},
        {DirBefehleTxt, F::DirParameter},        {UAELaunchParaneter, F::EmulatorParameter},
        {SecondsTimerTxt, F::SplashTimer},       {UAEMasterConfigLaunchParameter, F::MasterConfigParameter},
        {TxtKickstartRomFile, F::KickstartRom},
    };
    for (const auto& [edit, field] : edits)
        connect(edit, &QLineEdit::textChanged, this, [this, field = field](const QString& text) {
            if (!m_showing)
                m_model.fields().setText(field, text);
        });
    const std::pair<QCheckBox*, F> boxes[] = {
        {UAELaunchParameterAddPath, F::AddDiskPath}, {ParameterWithoutPath, F::AddDiskPathWithoutPath},
        {UseAnfz, F::UseQuote},                      {IntelligenteRomauswahl, F::SmartRomSelection},
        {DeMulAutostart, F::RunStartScript},         {AutoMoundDeamonTools, F::AutoMountImage},
        {UseMasterConfig, F::UseMasterConfig},       {FullscreenCheck, F::FullScreen},
    };
    for (const auto& [box, field] : boxes)
        connect(box, &QCheckBox::toggled, this, [this, field = field](bool on) {
            if (!m_showing)
                m_model.fields().setOn(field, on);
        });
    connect(TxtMasterConfig, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_model.fields().setText(F::MasterConfigText, TxtMasterConfig->toPlainText().replace(u'\n', QStringLiteral("\r\n")));
    });
    connect(&fields, &EmulatorFields::fieldChanged, this, [this](EmulatorField field, const QString& value) {
        showField(field, value);
        fieldReaction(field);
    });
    connect(&fields, &EmulatorFields::saveEnabledChanged, SaveBtn, &QWidget::setEnabled);

    // Global options.
    connect(DeamonPath, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_showing)
            m_model.setDeamonToolPath(text);
        deamonPathChanged();
    });
    connect(ResetScreenRes, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            m_model.setResetScreen(on);
    });
    connect(Joystickcheck, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            m_model.setUseJoystick(on);
        KillButtonKombo->setEnabled(on);
        SetJOyBtn->setVisible(on);
    });
    connect(KillButtonKombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_showing && index >= 0)
            m_model.setKillButton(index);
    });
    connect(FontSizeCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_showing || index < 0)
            return;
        m_host.setFontSizeIndex(index);
        m_model.setFontSize(index);
        FontSizeCombo->setFocus();
    });
    connect(FensterRahmChk, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            m_host.setWindowBorder(on);
    });

    // Buttons.
    connect(SaveBtn, &QPushButton::clicked, this, [this] { SaveBtn_Click(); });
    connect(ExitBtn, &QPushButton::clicked, this, [this] { ExitBtn_Click(); });
    connect(Command2, &QPushButton::clicked, this, &SettingsForm::Command2_Click);
    connect(BrowseDir, &QPushButton::clicked, this, &SettingsForm::BrowseDir_Click);
    connect(BrowseKickromBtn, &QPushButton::clicked, this, &SettingsForm::BrowseKickromBtn_Click);
    connect(Command4, &QPushButton::clicked, this, &SettingsForm::Command4_Click);
    connect(FehlerIcon[0], &QToolButton::clicked, this, &SettingsForm::Command2_Click);
    connect(FehlerIcon[1], &QToolButton::clicked, this, &SettingsForm::BrowseDir_Click);
    connect(FehlerIcon[2], &QToolButton::clicked, this, &SettingsForm::BrowseKickromBtn_Click);
    connect(LaunchButton, &QPushButton::clicked, this, &SettingsForm::LaunchButton_Click);
    connect(Command3, &QPushButton::clicked, this, &SettingsForm::Command3_Click);
    connect(LoadBtn, &QPushButton::clicked, this, &SettingsForm::LoadBtn_Click);
    connect(ReloadAllBtn, &QPushButton::clicked, this, &SettingsForm::ReloadAllBtn_Click);
    connect(Command1, &QPushButton::clicked, this, &SettingsForm::Command1_Click);
    connect(IniBtn, &QPushButton::clicked, this, &SettingsForm::IniBtn_Click);
    connect(OpenVBS, &QPushButton::clicked, this, &SettingsForm::OpenVBS_Click);
    connect(SetJOyBtn, &QPushButton::clicked, this, &SettingsForm::SetJOyBtn_Click);
    connect(Command5, &QPushButton::clicked, this, &SettingsForm::Command5_Click);
    connect(NewEmulatorBtn, &QPushButton::clicked, this, &SettingsForm::NewEmulatorBtn_Click);
    connect(RemoveEmulatorBtn, &QPushButton::clicked, this, &SettingsForm::RemoveEmulatorBtn_Click);
    connect(DeamonButton, &QPushButton::clicked, this, [this] { showPanel(DeamonFrame, !DeamonFrame->isVisible()); });
    connect(WinUAEBtn, &QPushButton::clicked, this, [this] {
        showPanel(UAEFrame, !UAEFrame->isVisible());
        setWinUaeControlsEnabled();
    });
    connect(FavoritenReparierenLabel, &QPushButton::clicked, this, [this] { m_host.repairFavourites(); });
    connect(EmuDownload, &QPushButton::clicked, this, [this] { openAddressButton(EmuDownload, m_downloadUrl); });
    connect(Label7, &QPushButton::clicked, this, [this] { openAddressButton(Label7, kHomepage); });
    connect(DonateBtn, &QPushButton::clicked, this, [this] {
        DonateBtn->hide();
        m_host.donate();
        DonateBtn->show();
    });
    connect(Label5, &QPushButton::clicked, this, [this] { m_host.onlineUpdate(); });
    connect(BackColorBtn, &QPushButton::clicked, this, [this] { pickColour(true); });
    connect(FontColorBtn, &QPushButton::clicked, this, [this] { pickColour(false); });

    txtWinUAEExe->installEventFilter(this);
    TxtMasterConfig->viewport()->installEventFilter(this);
}

void SettingsForm::showField(EmulatorField field, const QString& value)
{
    using F = EmulatorField;
    m_showing = true;
    auto setEdit = [&](QLineEdit* edit) {
        if (edit->text() != value)
            edit->setText(value);
    };
    auto setBox = [&](QCheckBox* box) { box->setChecked(m_model.fields().isOn(field)); };
    switch (field) {
    case F::EmulatorPath: setEdit(txtWinUAEExe); break;
    case F::RomPath: setEdit(TxtRomPath); break;
    case F::DirParameter: setEdit(DirBefehleTxt); break;
    case F::EmulatorParameter: setEdit(UAELaunchParaneter); break;
    case F::SplashTimer: setEdit(SecondsTimerTxt); break;
    case F::MasterConfigParameter: setEdit(UAEMasterConfigLaunchParameter); break;
    case F::KickstartRom: setEdit(TxtKickstartRomFile); break;
    case F::AddDiskPath: setBox(UAELaunchParameterAddPath); break;
    case F::AddDiskPathWithoutPath: setBox(ParameterWithoutPath); break;
    case F::UseQuote: setBox(UseAnfz); break;
    case F::SmartRomSelection: setBox(IntelligenteRomauswahl); break;
    case F::RunStartScript: setBox(DeMulAutostart); break;
    case F::AutoMountImage: setBox(AutoMoundDeamonTools); break;
    case F::UseMasterConfig: setBox(UseMasterConfig); break;
    case F::FullScreen: setBox(FullscreenCheck); break;
    case F::MasterConfigText: {
        QString shown = value;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (TxtMasterConfig->toPlainText() != shown)
            TxtMasterConfig->setPlainText(shown);
        break;
    }
    }
    m_showing = false;
}

void SettingsForm::showGlobals()
{
    const GlobalOptions& g = m_model.globals();
    m_showing = true;
    DeamonPath->setText(g.deamonToolPath);
    ResetScreenRes->setChecked(g.resetScreen);
    Joystickcheck->setChecked(g.useJoystick);
    KillButtonKombo->setCurrentIndex(g.killButton);
    if (g.fontSize >= 0 && g.fontSize < FontSizeCombo->count())
        FontSizeCombo->setCurrentIndex(g.fontSize);
    FensterRahmChk->setChecked(m_host.windowBorder());
    m_showing = false;
    KillButtonKombo->setEnabled(g.useJoystick);
    SetJOyBtn->setVisible(g.useJoystick);
}

void SettingsForm::fieldReaction(EmulatorField field)
{
    using F = EmulatorField;
    const EmulatorFields& f = m_model.fields();
    switch (field) {
    case F::EmulatorPath:
        if (!m_loading)
            executableChanged(true);
        break;
    case F::RomPath:
        if (!m_loading)
            romPathChanged();
        break;
    case F::KickstartRom:
        if (!m_loading)
            kickstartChanged();
        break;
    case F::AutoMountImage:
        DeamonButton->setVisible(f.isOn(field));
        if (!f.isOn(field))
            DeamonFrame->hide();
        break;
    case F::RunStartScript: OpenVBS->setVisible(f.isOn(field)); break;
    case F::AddDiskPath:
        // Switching it off also switches the quotes off (the field set does that).
        UseAnfz->setVisible(f.isOn(field));
        ParameterWithoutPath->setVisible(f.isOn(field));
        break;
    case F::UseMasterConfig: setWinUaeControlsEnabled(); break;
    default: break;
    }
}

// ---- the path fields' reactions --------------------------------------------

void SettingsForm::setErrorPicture(int index, bool shown) { FehlerIcon[size_t(index)]->setVisible(shown); }

bool SettingsForm::errorPictureShown(int index) const { return !FehlerIcon[size_t(index)]->isHidden(); }

void SettingsForm::executableChanged(bool byUser)
{
    const QString exe = m_model.fields().text(EmulatorField::EmulatorPath);
    setErrorPicture(0, IsInvalidFilePath(exe));
    if (exe.toLower().contains(QStringLiteral("winuae.exe"))) {
        WinUAEBtn->show();
        return;
    }
    WinUAEBtn->hide();
    UAEFrame->hide();
    // Opening only shows the pictures: what is stored stays as stored.
    if (!byUser)
        return;
    EmulatorFields& fields = m_model.fields();
    fields.setText(EmulatorField::KickstartRom, QString());
    fields.setOn(EmulatorField::SmartRomSelection, false);
    fields.setOn(EmulatorField::UseMasterConfig, false);
    fields.setText(EmulatorField::MasterConfigParameter, QString());
    fields.setOn(EmulatorField::FullScreen, false);
}

void SettingsForm::romPathChanged()
{
    switch (CheckRomFolder(m_model.fields().text(EmulatorField::RomPath))) {
    case RomFolderState::Valid: setErrorPicture(1, false); break;
    case RomFolderState::Invalid: setErrorPicture(1, true); break;
    case RomFolderState::WalkLimit: prompt().message(QString(), RomFolderWalkLimitText(), PromptIcon::Critical); break;
    }
}

void SettingsForm::kickstartChanged()
{
    setErrorPicture(2, IsInvalidFilePath(m_model.fields().text(EmulatorField::KickstartRom)));
}

void SettingsForm::deamonPathChanged() { setErrorPicture(3, IsInvalidFilePath(DeamonPath->text())); }

void SettingsForm::setWinUaeControlsEnabled()
{
    const bool on = m_model.fields().isOn(EmulatorField::UseMasterConfig);
    for (QWidget* w : std::initializer_list<QWidget*>{TxtMasterConfig, UAEMasterConfigLaunchParameter, Command1,
                                                      FullscreenCheck, Command3})
        w->setEnabled(on);
}

void SettingsForm::txtWinUAEExe_GotFocus() { m_exeTextAtFocus = txtWinUAEExe->text(); }

void SettingsForm::txtWinUAEExe_LostFocus()
{
    const QString exe = txtWinUAEExe->text();
    if (exe != m_exeTextAtFocus) {
        m_exeTextAtFocus = exe;
        CheckKnownEmulator(m_model.fields(), exe, m_host.programFolder());
    }
    if (errorPictureShown(1))
        m_model.fields().setText(EmulatorField::RomPath, GuessRomFolder(m_model.fields().text(EmulatorField::EmulatorPath)));
}

// ---- opening ---------------------------------------------------------------

OptionsFiles SettingsForm::currentFiles()
{
    OptionsFiles files;
    files.programFolder = m_host.programFolder();
    files.settingsFile = m_host.settingsFile();
    files.globalFile = m_host.globalSettingsFile();
    files.masterTemplate = m_host.masterConfig();
    files.fontSizeIndex = m_host.fontSizeIndex();
    return files;
}

void SettingsForm::loadValues()
{
    m_loading = true;
    m_showing = true;
    KillButtonKombo->clear();
    KillButtonKombo->addItem(Msg(QStringLiteral("Keinen"), QStringLiteral("None")));
    for (int i = 1; i < kKillButtonEntries; ++i)
        KillButtonKombo->addItem(QStringLiteral("Button: ") + QString::number(i));
    FontSizeCombo->clear();
    FontSizeCombo->addItems(m_host.fontSizes());
    m_showing = false;

    m_model.fields().setText(EmulatorField::MasterConfigText, QString());
    m_model.load(currentFiles());
    // Every field once into its control, whether or not the read changed it.
    for (int i = 0; i < kEmulatorFieldCount; ++i) {
        const auto field = EmulatorField(i);
        showField(field, m_model.fields().text(field));
        fieldReaction(field);
    }
    showGlobals();
    m_loading = false;

    applySkinColours();
    delete m_background;
    m_background = nullptr;
    const QPixmap picture = Skin::LoadPicture(
        Skin::FindPictureFile(m_host.startFolder() + QStringLiteral("Skin/"), QStringLiteral("Settings")));
    if (!picture.isNull())
        m_background = new QPixmap(picture);
    update();

    QString toolTip;
    m_downloadUrl = m_host.emuDownloadPath(toolTip);
    EmuDownload->setVisible(!m_downloadUrl.isEmpty());
    EmuDownload->setToolTip(QStringLiteral("Download: ") + toolTip);
    DonateBtn->setVisible(m_host.donationAvailable());
    RemoveEmulatorBtn->setEnabled(!m_host.currentEmulator().isEmpty());

    executableChanged(false);
    romPathChanged();
    kickstartChanged();
    deamonPathChanged();
    m_exeTextAtFocus = txtWinUAEExe->text();
    m_model.fields().setSaveEnabled(false);
    SaveBtn->setEnabled(false);
}

void SettingsForm::Form_Load()
{
    setWindowIcon(parentWidget() ? parentWidget()->windowIcon() : QIcon());
    show();
    loadValues();
    placePanels();
    txtWinUAEExe->setFocus();
}

void SettingsForm::reload() { loadValues(); }

// ---- saving and closing ----------------------------------------------------

bool SettingsForm::SaveBtn_Click()
{
    const WriteFailures::Scope action; // the save and the settings load: one message
    const bool ok = m_model.save();
    m_host.loadSettings();
    applySkinColours();
    if (!ok)
        m_model.fields().setSaveEnabled(true);
    return ok;
}

void SettingsForm::applySkinColours()
{
    // A profile without a skin gets the built-in colours; no skin file is
    // made for it just by looking.
    const QString skin = m_host.skinFile();
    const SkinColorPair colours =
        QFileInfo::exists(skin) ? SetColors(this, -1, -1, skin)
                                : SetColors(this, HexToColor(QStringLiteral("#0052bc")), HexToColor(QStringLiteral("#FFFFFF")), skin);
    // The window itself and its panels show the back colour behind the controls.
    for (QWidget* w : std::initializer_list<QWidget*>{this, DeamonFrame, UAEFrame, DarstellungFrame}) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, ToQColor(colours.back));
        palette.setColor(QPalette::WindowText, ToQColor(colours.font));
        w->setPalette(palette);
    }
    // The flat link buttons lie on the back colour: their text takes the font colour.
    for (QPushButton* link : {FavoritenReparierenLabel, EmuDownload, Label7, Label5, DonateBtn, IniBtn}) {
        QPalette palette = link->palette();
        palette.setColor(QPalette::ButtonText, ToQColor(colours.font));
        link->setPalette(palette);
    }
}

bool SettingsForm::ExitBtn_Click()
{
    if (m_model.unsaved()) {
        const PromptAnswer answer = prompt().ask(
            Msg(QStringLiteral("Änderungen verwerfen?"), QStringLiteral("Undo changes and exit?")),
            Msg(QStringLiteral("Sie haben noch nicht gespeichert, Änderungen verwerfen?"),
                QStringLiteral("You have not saved your settings! \r\r Refuse changes?")),
            PromptButtons::OkCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Cancel)
            return false;
    }
    return finishClose();
}

bool SettingsForm::finishClose()
{
    m_closeApproved = true;
    close();
    return true;
}

void SettingsForm::closeEvent(QCloseEvent* event)
{
    if (!m_closeApproved && !ExitBtn_Click()) {
        event->ignore();
        return;
    }
    // QDialog's own close handling would reject, which here means Escape.
    hide();
    event->accept();
    emit closed();
}

void SettingsForm::reject() { escapePressed(); }

void SettingsForm::escapePressed()
{
    if (DeamonFrame->isVisible())
        DeamonFrame->hide();
    else if (UAEFrame->isVisible())
        UAEFrame->hide();
    else if (DarstellungFrame->isVisible())
        DarstellungFrame->hide();
    else
        ExitBtn_Click();
}

bool SettingsForm::deamonPanelOpen() const { return DeamonFrame->isVisible(); }
bool SettingsForm::winUaePanelOpen() const { return UAEFrame->isVisible(); }
bool SettingsForm::appearancePanelOpen() const { return DarstellungFrame->isVisible(); }

void SettingsForm::showPanel(QFrame* panel, bool show)
{
    if (!show) {
        panel->hide();
        return;
    }
    placePanels();
    panel->show();
    panel->raise();
    if (QWidget* first = panel->nextInFocusChain(); first && panel->isAncestorOf(first))
        first->setFocus();
}

void SettingsForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        escapePressed();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SettingsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtWinUAEExe && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // Switching to another window or a menu does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn)
                txtWinUAEExe_GotFocus();
            else
                txtWinUAEExe_LostFocus();
        }
    } else if (watched == TxtMasterConfig->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        TxtMasterConfig_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SettingsForm::mousePressEvent(QMouseEvent* event)
{
    // A press on the window's background moves the window.
    DragWindow(this);
    QDialog::mousePressEvent(event);
}

void SettingsForm::paintEvent(QPaintEvent* event)
{
    if (m_background) {
        QPainter painter(this);
        painter.drawPixmap(rect(), *m_background);
    }
    QDialog::paintEvent(event);
}
