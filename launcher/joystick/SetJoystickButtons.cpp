#include "joystick/SetJoystickButtons.h"

#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "joystick/Joystick.h"
#include "joystick/Navigator.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Captions keep the carriage returns of their texts; labels break on "\n".
QString forLabel(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

SetJoystickButtons::SetJoystickButtons(Navigator& navigator, Joystick& pads,
                                       const QString& globalSettingsFile, QWidget* parent)
    : QDialog(parent), m_navigator(navigator), m_pads(pads), m_globalFile(globalSettingsFile)
{
    setWindowTitle(QStringLiteral("Joystick / Gamepad"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setObjectName(QStringLiteral("SetJoystickButtons"));

    m_UiGerman = currentLanguage() == kLanguageGerman;

    m_JoystickIcon = new QToolButton(this);
    m_JoystickIcon->setObjectName(QStringLiteral("JoystickIcon"));
    m_JoystickIcon->setAutoRaise(true);
    m_JoystickIcon->setFocusPolicy(Qt::NoFocus);
    m_JoystickIcon->setIconSize(QSize(32, 32));
    connect(m_JoystickIcon, &QToolButton::clicked, this, &QDialog::reject);

    m_InfoLabel = new QLabel(QStringLiteral("Gamepad / Joystick "), this);
    m_InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    m_InfoLabel->setAlignment(Qt::AlignCenter);
    m_InfoLabel->setMinimumSize(320, 120);

    m_Label1 = new QLabel(QStringLiteral("Tastatur drücken zum Überspringen"), this);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setAlignment(Qt::AlignCenter);

    m_CalibrateBtn = new QPushButton(m_UiGerman ? QStringLiteral("Buttons anpassen")
                                                : QStringLiteral("Set Buttons"),
                                     this);
    m_CalibrateBtn->setObjectName(QStringLiteral("CalibrateBtn"));
    m_CalibrateBtn->setFocusPolicy(Qt::NoFocus);
    m_CalibrateBtn->setAutoDefault(false);
    connect(m_CalibrateBtn, &QPushButton::clicked, this, &SetJoystickButtons::CalibrateBtn_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_JoystickIcon, 0, Qt::AlignLeft);
    layout->addWidget(m_InfoLabel, 1);
    layout->addWidget(m_Label1);
    layout->addWidget(m_CalibrateBtn);

    m_ShowTimer.setInterval(kShowInterval);
    m_PollingTimer.setInterval(kPollingInterval);
    connect(&m_ShowTimer, &QTimer::timeout, this, &SetJoystickButtons::ShowTimer_Timer);
    connect(&m_PollingTimer, &QTimer::timeout, this, &SetJoystickButtons::PollingTimer_Timer);
    connect(&m_navigator, &Navigator::buttonForSetup, this, &SetJoystickButtons::SetNextButton);
}

SetJoystickButtons::~SetJoystickButtons()
{
    m_closing = true; // no closed() from a half-destroyed window
    stopCollecting();
}

void SetJoystickButtons::setIconPixmap(const QPixmap& pixmap)
{
    m_JoystickIcon->setIcon(QIcon(pixmap));
}

QString SetJoystickButtons::infoText() const
{
    return m_InfoLabel->text();
}

QString SetJoystickButtons::hintText() const
{
    return m_Label1->text();
}

void SetJoystickButtons::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    setFocus();
    CalibrateBtn_Click();
}

void SetJoystickButtons::CalibrateBtn_Click()
{
    m_navigator.SetJoystickButtonSetupModus(true);
    m_InfoLabel->show();
    m_CalibrateBtn->hide();
    m_Prompts = ButtonAssignment::Prompts(m_UiGerman, AppEnvironment::exeName());
    if (!m_UiGerman)
        m_Label1->setText(QStringLiteral("Press keyboard to skip button"));

    // Without navigation the pads are closed; open them for this window.
    if (!m_pads.isOpen()) {
        m_pads.InitJoysticks(&m_navigator, Navigator::kThreshold);
        m_ownPads = true;
    }
    m_assignment.start();
    m_collecting = true;
    ShowTimer_Timer();
    m_ShowTimer.start();
    m_PollingTimer.start();
}

void SetJoystickButtons::ShowTimer_Timer()
{
    const int slot = m_assignment.NextSlot();
    if (slot >= ButtonAssignment::kSlots || slot >= m_Prompts.size())
        return;
    m_InfoLabel->setText(
        forLabel(m_Prompts[slot] + QStringLiteral("\r\r") + m_assignment.counterText()));
}

void SetJoystickButtons::PollingTimer_Timer()
{
    m_pads.PollJoysticks();
}

void SetJoystickButtons::SetNextButton(int ButtonNr)
{
    if (!m_collecting)
        return;
    switch (m_assignment.SetNextButton(ButtonNr)) {
    case ButtonAssignment::Outcome::Ignored: break;
    case ButtonAssignment::Outcome::Stored: ShowTimer_Timer(); break;
    case ButtonAssignment::Outcome::Complete: finishCollection(); break;
    }
}

void SetJoystickButtons::finishCollection()
{
    m_saved = m_assignment.save(m_globalFile);
    stopCollecting();
    const QString word = m_UiGerman ? QStringLiteral("Fertig!") : QStringLiteral("Done!");
    if (m_saved) // a failed save has told the user already; no "Done!" then
        m_InfoLabel->setText(forLabel(QStringLiteral("\r\r\r") + word));
    accept();
}

void SetJoystickButtons::stopCollecting()
{
    m_ShowTimer.stop();
    m_PollingTimer.stop();
    if (m_collecting)
        m_navigator.SetJoystickButtonSetupModus(false);
    m_collecting = false;
    if (m_ownPads) {
        // Only give the pads back when nobody else has taken them over since.
        if (m_pads.owner() == &m_navigator && !m_navigator.isEnabled())
            m_pads.ReleaseJoysticks();
        m_ownPads = false;
    }
}

void SetJoystickButtons::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Closing early saves nothing.
        reject();
        return;
    }
    if (!event->text().isEmpty()) {
        SetNextButton(ButtonAssignment::kSkipped);
        return;
    }
    event->ignore();
}

void SetJoystickButtons::done(int result)
{
    stopCollecting();
    const bool wasClosing = m_closing;
    m_closing = true;
    QDialog::done(result);
    m_loaded = false; // shown again, the window starts a new collection
    if (!wasClosing)
        emit closed();
    m_closing = false;
}
