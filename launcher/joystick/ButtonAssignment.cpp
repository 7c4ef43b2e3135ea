#include "joystick/ButtonAssignment.h"

#include "config/Ini.h"
#include "config/WriteFailures.h"

#include <algorithm>

QStringList ButtonAssignment::Prompts(bool german, const QString& exeName)
{
    static const char* const kEnglish[kSlots] = {
        nullptr, // built with the executable name below
        " Select",
        " Start",
        " Switch Emulator",
        " switch fullscreen / window",
        " scroll down (+10)",
        "  scroll up (-10)",
        "  scroll down (+100)\"",
        " scroll up (-100)",
        " scroll to top",
        " scroll to end",
        " add favorite",
    };
    static const char* const kGerman[kSlots] = {
        nullptr,
        " Auswählen / Selektieren",
        " Starten ",
        " Emulator wechseln",
        " Umschalten: Vollbild / Fenster",
        " +10 nach unten scrollen",
        " -10 nach oben scrollen",
        " +100 nach unten scrollen",
        " -100 nach oben scrollen",
        "Zum Anfang springen",
        " Zum Ende springen",
        "Favoriten hinzufügen",
    };
    QStringList prompts;
    for (int slot = 0; slot < kSlots; ++slot) {
        const int n = slot + 1;
        QString head, function;
        if (german) {
            head = QStringLiteral("Drücke Button Nr.%1").arg(n);
            function = slot == 0 ? QStringLiteral(" ") + exeName + QStringLiteral(" beenden")
                                 : QString::fromUtf8(kGerman[slot]);
        } else {
            head = QStringLiteral("Press Button %1").arg(n);
            function = slot == 0 ? QStringLiteral(" Quit ") + exeName : QString::fromUtf8(kEnglish[slot]);
        }
        prompts << head + QStringLiteral("\r\r") + function;
    }
    return prompts;
}

void ButtonAssignment::start()
{
    m_AssignedButtons.fill(kUnassigned);
    m_AssignedButtons[kSlots] = 0;
    m_NextSlot = 0;
}

ButtonAssignment::Outcome ButtonAssignment::SetNextButton(int ButtonNr)
{
    if (isComplete())
        return Outcome::Ignored;
    if (ButtonNr >= 0) {
        const auto end = m_AssignedButtons.begin() + m_NextSlot + 1;
        if (std::find(m_AssignedButtons.begin(), end, qint16(ButtonNr)) != end)
            return Outcome::Ignored;
    }
    m_AssignedButtons[size_t(m_NextSlot)] = qint16(std::clamp(ButtonNr, -32768, 32767));
    ++m_NextSlot;
    return isComplete() ? Outcome::Complete : Outcome::Stored;
}

QString ButtonAssignment::counterText() const
{
    return QStringLiteral("%1 / 12").arg(std::min(m_NextSlot, kSlots - 1) + 1);
}

bool ButtonAssignment::save(const QString& globalSettingsFile) const
{
    if (!isComplete() || globalSettingsFile.isEmpty())
        return false;
    // All twelve in one replacement: a pad is never left half old, half new.
    QList<QPair<QString, QString>> buttons;
    for (int n = 1; n <= kSlots; ++n)
        buttons.append({QStringLiteral("Button%1").arg(n), QString::number(m_AssignedButtons[size_t(n - 1)])});
    WriteFailures::Scope action;
    return WritePrivateProfileStrings(QStringLiteral("Settings"), buttons, globalSettingsFile);
}
