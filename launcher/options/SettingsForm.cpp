// The options window's controls, their layout and their wiring to the model.
// The handlers of the buttons live in SettingsFormActions.cpp.
#include "options/SettingsForm.h"

#include "config/Language.h"
#include "options/OptionsHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit* lineEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Return on a focused button presses it.
    b->setAutoDefault(true);
    return b;
}

QPushButton* browseButton(QWidget* parent, const char* name)
{
    QPushButton* b = button(parent, name, QStringLiteral(">"));
    b->setFixedWidth(28);
    return b;
}

QLabel* label(QWidget* parent, const QString& caption, QWidget* buddy = nullptr)
{
    auto* l = new QLabel(caption, parent);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

// A panel's closing picture: a small cross in its top right corner.
QToolButton* panelCloser(QFrame* panel)
{
    auto* closer = new QToolButton(panel);
    closer->setObjectName(panel->objectName() + QStringLiteral("Close"));
    closer->setText(QStringLiteral("✕"));
    closer->setAutoRaise(true);
    closer->setToolTip(Msg(QStringLiteral("Schliessen"), QStringLiteral("Close")));
    QObject::connect(closer, &QToolButton::clicked, panel, &QWidget::hide);
    return closer;
}

QFrame* panelFrame(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setAutoFillBackground(true);
    frame->hide();
    return frame;
}

} // namespace

SettingsForm::SettingsForm(OptionsHost& host, QWidget* parent)
    : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildControls();
    connectControls();
}

SettingsForm::~SettingsForm() { delete m_background; }

void SettingsForm::buildControls()
{
    setWindowTitle(Msg(QStringLiteral("Optionen"), QStringLiteral("Options")));
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    root->addLayout(grid);
    int row = 0;

    // Executable: label, error picture, field, browse, start.
    txtWinUAEExe = lineEdit(this, "txtWinUAEExe");
    grid->addWidget(label(this, Msg(QStringLiteral("Emulator (Winuae, Mame, x64, Project64, Fusion.exe...) inkl. Pfad: "),
                                    QStringLiteral("Emulator (Winuae.exe, x64.exe, Fusion.exe...) incl. path: ")),
                          txtWinUAEExe),
                    row++, 0, 1, 4);
    for (int i = 0; i < 4; ++i) {
        FehlerIcon[size_t(i)] = new QToolButton(this);
        FehlerIcon[size_t(i)]->setObjectName(QStringLiteral("FehlerIcon%1").arg(i));
        FehlerIcon[size_t(i)]->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
        FehlerIcon[size_t(i)]->setAutoRaise(true);
        FehlerIcon[size_t(i)]->setFocusPolicy(Qt::NoFocus);
        FehlerIcon[size_t(i)]->setToolTip(Msg(QStringLiteral("Pfad ungültig"), QStringLiteral("Invalid path")));
        FehlerIcon[size_t(i)]->hide();
    }
    auto* exeRow = new QHBoxLayout;
    exeRow->addWidget(FehlerIcon[0]);
    exeRow->addWidget(txtWinUAEExe, 1);
    Command2 = browseButton(this, "Command2");
    exeRow->addWidget(Command2);
    LaunchButton = button(this, "LaunchButton", Msg(QStringLiteral("Starten"), QStringLiteral("Run")));
    exeRow->addWidget(LaunchButton);
    grid->addLayout(exeRow, row++, 0, 1, 4);

    // Game folder.
    TxtRomPath = lineEdit(this, "TxtRomPath");
    grid->addWidget(label(this, Msg(QStringLiteral("Disketten - Images (Roms):"), QStringLiteral("Image / Rom directory:")),
                          TxtRomPath),
                    row++, 0, 1, 4);
    auto* romRow = new QHBoxLayout;
    romRow->addWidget(FehlerIcon[1]);
    romRow->addWidget(TxtRomPath, 1);
    BrowseDir = browseButton(this, "BrowseDir");
    romRow->addWidget(BrowseDir);
    LoadBtn = button(this, "LoadBtn", Msg(QStringLiteral("Images neu einlesen"), QStringLiteral("Reload Directory")));
    romRow->addWidget(LoadBtn);
    ReloadAllBtn = button(this, "ReloadAllBtn", Msg(QStringLiteral("Alle (!)"), QStringLiteral("All (!)")));
    ReloadAllBtn->setToolTip(Msg(QStringLiteral("Alle Verzeichnisse aller Emulatoren neu einlesen."),
                                 QStringLiteral("Rescan all directories for all emulators.")));
    romRow->addWidget(ReloadAllBtn);
    grid->addLayout(romRow, row++, 0, 1, 4);

    // Patterns and launch parameters.
    DirBefehleTxt = lineEdit(this, "DirBefehleTxt");
    grid->addWidget(label(this, Msg(QStringLiteral("Datei-Erweiterung(en): "), QStringLiteral("File extension:")),
                          DirBefehleTxt),
                    row, 0);
    grid->addWidget(DirBefehleTxt, row++, 1, 1, 3);
    UAELaunchParaneter = lineEdit(this, "UAELaunchParaneter");
    grid->addWidget(label(this, QStringLiteral("Parameter:"), UAELaunchParaneter), row, 0);
    grid->addWidget(UAELaunchParaneter, row++, 1, 1, 3);
    auto* pathRow = new QHBoxLayout;
    UAELaunchParameterAddPath = checkBox(this, "UAELaunchParameterAddPath", Msg(QStringLiteral("Rom-Pfad"), QStringLiteral("Rom path")));
    ParameterWithoutPath = checkBox(this, "ParameterWithoutPath",
                                    Msg(QStringLiteral("Nur Datei ohne Pfad"), QStringLiteral("File name only")));
    UseAnfz = checkBox(this, "UseAnfz", Msg(QStringLiteral("In Anführungszeichen (\"Pfad\")"), QStringLiteral("Add quotes")));
    pathRow->addWidget(UAELaunchParameterAddPath);
    pathRow->addWidget(ParameterWithoutPath);
    pathRow->addWidget(UseAnfz);
    pathRow->addStretch(1);
    grid->addLayout(pathRow, row++, 1, 1, 3);

    SecondsTimerTxt = lineEdit(this, "SecondsTimerTxt");
    SecondsTimerTxt->setMaximumWidth(60);
    grid->addWidget(label(this, Msg(QStringLiteral("Spiel-Splashscreen (Sek)"), QStringLiteral("Game loading screen (sec.)")),
                          SecondsTimerTxt),
                    row, 0);
    auto* splashRow = new QHBoxLayout;
    splashRow->addWidget(SecondsTimerTxt);
    IntelligenteRomauswahl = checkBox(this, "IntelligenteRomauswahl",
                                      Msg(QStringLiteral("Autom. Multi-ROM Auswahl"), QStringLiteral("Intelligent Rom selection")));
    splashRow->addWidget(IntelligenteRomauswahl);
    splashRow->addStretch(1);
    grid->addLayout(splashRow, row++, 1, 1, 3);

    // Kickstart: the error picture stands before the field and pushes it right.
    TxtKickstartRomFile = lineEdit(this, "TxtKickstartRomFile");
    grid->addWidget(label(this, QStringLiteral("WinUAE - OS-Rom (Kickstart)"), TxtKickstartRomFile), row, 0);
    auto* kickRow = new QHBoxLayout;
    kickRow->addWidget(FehlerIcon[2]);
    kickRow->addWidget(TxtKickstartRomFile, 1);
    BrowseKickromBtn = browseButton(this, "BrowseKickromBtn");
    kickRow->addWidget(BrowseKickromBtn);
    grid->addLayout(kickRow, row++, 1, 1, 3);

    // Start script, disc mounting, WinUAE panel.
    auto* extrasRow = new QHBoxLayout;
    DeMulAutostart = checkBox(this, "DeMulAutostart", QStringLiteral("Startscript (vbs)"));
    OpenVBS = button(this, "OpenVBS", QStringLiteral("vbs"));
    AutoMoundDeamonTools = checkBox(this, "AutoMoundDeamonTools",
                                    Msg(QStringLiteral("Auto-Mount Images (CD/DVD/BR)"), QStringLiteral("Auto-Mount (Deamon-Tools)")));
    DeamonButton = button(this, "DeamonButton", QStringLiteral("Deamon Tools >"));
    WinUAEBtn = button(this, "WinUAEBtn", Msg(QStringLiteral("WinUAE Einstellungen"), QStringLiteral("WinUAE settings")));
    extrasRow->addWidget(DeMulAutostart);
    extrasRow->addWidget(OpenVBS);
    extrasRow->addSpacing(12);
    extrasRow->addWidget(AutoMoundDeamonTools);
    extrasRow->addWidget(DeamonButton);
    extrasRow->addStretch(1);
    extrasRow->addWidget(WinUAEBtn);
    grid->addLayout(extrasRow, row++, 0, 1, 4);

    // The user's global options.
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    grid->addWidget(line, row++, 0, 1, 4);
    auto* globalsRow = new QHBoxLayout;
    ResetScreenRes = checkBox(this, "ResetScreenRes",
                              Msg(QStringLiteral("Bildschirmauflösung zurücksetzen"),
                                  QStringLiteral("Restore your original Screen resolution after game ends")));
    globalsRow->addWidget(ResetScreenRes);
    globalsRow->addStretch(1);
    FensterRahmChk = checkBox(this, "FensterRahmChk", Msg(QStringLiteral("Fensterrahmen"), QStringLiteral("Window frame")));
    globalsRow->addWidget(FensterRahmChk);
    grid->addLayout(globalsRow, row++, 0, 1, 4);
    auto* padRow = new QHBoxLayout;
    Joystickcheck = checkBox(this, "Joystickcheck",
                             Msg(QStringLiteral("Joystick / Gamepad Menüsteuerung"), QStringLiteral("Use Joystick navigation")));
    KillButtonKombo = new QComboBox(this);
    KillButtonKombo->setObjectName(QStringLiteral("KillButtonKombo"));
    SetJOyBtn = button(this, "SetJOyBtn", QStringLiteral("Set"));
    padRow->addWidget(Joystickcheck);
    padRow->addSpacing(12);
    padRow->addWidget(label(this, Msg(QStringLiteral("Button zum Spiel killen:"), QStringLiteral("Button to kill the game:")),
                            KillButtonKombo));
    padRow->addWidget(KillButtonKombo);
    padRow->addWidget(SetJOyBtn);
    padRow->addStretch(1);
    grid->addLayout(padRow, row++, 0, 1, 4);
    auto* lookRow = new QHBoxLayout;
    FontSizeCombo = new QComboBox(this);
    FontSizeCombo->setObjectName(QStringLiteral("FontSizeCombo"));
    Command5 = button(this, "Command5", Msg(QStringLiteral("Schrift && Farben .."), QStringLiteral("Font && colours ..")));
    lookRow->addWidget(FontSizeCombo);
    lookRow->addWidget(Command5);
    lookRow->addStretch(1);
    NewEmulatorBtn = button(this, "NewEmulatorBtn", Msg(QStringLiteral("Neuer Emulator..."), QStringLiteral("New emulator...")));
    RemoveEmulatorBtn = button(this, "RemoveEmulatorBtn",
                               Msg(QStringLiteral("Emulator entfernen..."), QStringLiteral("Remove emulator...")));
    lookRow->addWidget(NewEmulatorBtn);
    lookRow->addWidget(RemoveEmulatorBtn);
    grid->addLayout(lookRow, row++, 0, 1, 4);
    grid->setColumnStretch(1, 1);

    // Links and small actions.
    auto* linkRow = new QHBoxLayout;
    FavoritenReparierenLabel = button(this, "FavoritenReparierenLabel",
                                      Msg(QStringLiteral("Favoriten reparieren"), QStringLiteral("Repair favorites")));
    EmuDownload = button(this, "EmuDownload", QStringLiteral("Download"));
    Label7 = button(this, "Label7", QStringLiteral("Homepage"));
    Label5 = button(this, "Label5", QStringLiteral("Online-Update"));
    DonateBtn = button(this, "DonateBtn", Msg(QStringLiteral("Spenden"), QStringLiteral("Donate")));
    IniBtn = button(this, "IniBtn", QStringLiteral("Ini"));
    for (QPushButton* b : {FavoritenReparierenLabel, EmuDownload, Label7, Label5, DonateBtn, IniBtn}) {
        b->setFlat(true);
        linkRow->addWidget(b);
    }
    EmuDownload->hide();
    linkRow->addStretch(1);
    root->addLayout(linkRow);
    root->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    SaveBtn = button(this, "SaveBtn", Msg(QStringLiteral("Speichern"), QStringLiteral("&Save")));
    ExitBtn = button(this, "ExitBtn", Msg(QStringLiteral("Schliessen"), QStringLiteral("&Close")));
    bottom->addWidget(SaveBtn);
    bottom->addWidget(ExitBtn);
    root->addLayout(bottom);

    DeamonFrame = buildDeamonPanel();
    UAEFrame = buildWinUaePanel();
    DarstellungFrame = buildAppearancePanel();
    SaveBtn->setEnabled(false);
}

QFrame* SettingsForm::buildDeamonPanel()
{
    QFrame* panel = panelFrame(this, "DeamonFrame");
    auto* grid = new QGridLayout(panel);
    DeamonPath = lineEdit(panel, "DeamonPath");
    grid->addWidget(label(panel, QStringLiteral("Deamon Tools:"), DeamonPath), 0, 0);
    grid->addWidget(panelCloser(panel), 0, 3, Qt::AlignRight);
    auto* row = new QHBoxLayout;
    FehlerIcon[3]->setParent(panel);
    row->addWidget(FehlerIcon[3]);
    row->addWidget(DeamonPath, 1);
    Command4 = browseButton(panel, "Command4");
    row->addWidget(Command4);
    grid->addLayout(row, 1, 0, 1, 4);
    auto* info = label(panel, Msg(QStringLiteral("Wichtig: Sicheren Modus abschalten: Rechts-klick auf  Deamon-Tool  im Tray -> "
                                                 "Einstellungen -> Sicherer Modus = Aus"),
                                  QStringLiteral("Disable secure-Modus (Right-click on Deamon-Tool  in Tray -> Settings -> "
                                                 "Secure-Mode = Off)")));
    info->setObjectName(QStringLiteral("DeamonToolsIinfo"));
    info->setWordWrap(true);
    grid->addWidget(info, 2, 0, 1, 4);
    grid->setRowStretch(3, 1);
    return panel;
}

QFrame* SettingsForm::buildWinUaePanel()
{
    QFrame* panel = panelFrame(this, "UAEFrame");
    auto* grid = new QGridLayout(panel);
    UseMasterConfig = checkBox(panel, "UseMasterConfig",
                               Msg(QStringLiteral("WinUAE -  Config Vorlage benutzen:"), QStringLiteral("Use WinUAE config template")));
    grid->addWidget(UseMasterConfig, 0, 0, 1, 3);
    grid->addWidget(panelCloser(panel), 0, 3, Qt::AlignRight);
    UAEMasterConfigLaunchParameter = lineEdit(panel, "UAEMasterConfigLaunchParameter");
    UAEMasterConfigLaunchParameter->setMaximumWidth(120);
    grid->addWidget(label(panel, QStringLiteral("Parameter"), UAEMasterConfigLaunchParameter), 1, 0);
    grid->addWidget(UAEMasterConfigLaunchParameter, 1, 1);
    FullscreenCheck = checkBox(panel, "FullscreenCheck",
                               Msg(QStringLiteral("WinUAE Fullscreen starten"), QStringLiteral("Start WinUAE fullscreen")));
    grid->addWidget(FullscreenCheck, 1, 2);
    TxtMasterConfig = new QPlainTextEdit(panel);
    TxtMasterConfig->setObjectName(QStringLiteral("TxtMasterConfig"));
    TxtMasterConfig->setLineWrapMode(QPlainTextEdit::NoWrap);
    TxtMasterConfig->setTabChangesFocus(true);
    grid->addWidget(TxtMasterConfig, 2, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    Command1 = button(panel, "Command1", Msg(QStringLiteral("<   Importieren"), QStringLiteral("Import config")));
    Command3 = button(panel, "Command3", Msg(QStringLiteral("Starten"), QStringLiteral("Run")));
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return panel;
}

QFrame* SettingsForm::buildAppearancePanel()
{
    QFrame* panel = panelFrame(this, "DarstellungFrame");
    auto* grid = new QGridLayout(panel);
    grid->addWidget(label(panel, Msg(QStringLiteral("Farben && Schrift anpassen"), QStringLiteral("Colours && font"))), 0, 0);
    grid->addWidget(panelCloser(panel), 0, 2, Qt::AlignRight);
    BackColorBtn = button(panel, "BackColorBtn", Msg(QStringLiteral("Hintergrundfarbe..."), QStringLiteral("Back colour...")));
    FontColorBtn = button(panel, "FontColorBtn", Msg(QStringLiteral("Schriftfarbe..."), QStringLiteral("Font colour...")));
    grid->addWidget(BackColorBtn, 1, 0);
    grid->addWidget(FontColorBtn, 1, 1);
    auto* note = label(panel, Msg(QStringLiteral("Farben werden in dieser Version  nicht gespeichert!"),
                                  QStringLiteral("Colours are not saved in this version!")));
    note->setWordWrap(true);
    grid->addWidget(note, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return panel;
}

void SettingsForm::placePanels()
{
    // The panels lie over the lower part of the window, above the save row.
    const int margin = 8;
    const int top = txtWinUAEExe->geometry().bottom() + margin;
    const int bottom = SaveBtn->geometry().top() - margin;
    const QRect area(margin, top, width() - 2 * margin, qMax(120, bottom - top));
    DarstellungFrame->setGeometry(area.adjusted(area.width() / 3, 0, 0, -area.height() / 2));
    UAEFrame->setGeometry(area);
    DeamonFrame->setGeometry(area.adjusted(0, area.height() / 3, 0, 0));
}

void SettingsForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placePanels();
}
