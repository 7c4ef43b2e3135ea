#pragma once
// ButtonAssignment: the rules of assigning joystick buttons to the twelve
// navigation functions, one function after the other. The window
// SetJoystickButtons shows the prompts and feeds it buttons (from the pads
// through Navigator::buttonForSetup) and skips (keys, -2).
//  - a button already assigned to an earlier function is ignored, which
//    also absorbs the repeats of a held button;
//  - a skip (-2) is never ignored; a skipped function gets no button;
//  - after the twelfth function the assignments are complete and can be
//    saved as the keys Button1 .. Button12 of the global settings file.
// UI thread; no Qt widgets.
#include <QString>
#include <QStringList>
#include <array>

class ButtonAssignment {
public:
    static constexpr int kSlots = 12;
    static constexpr qint16 kUnassigned = -1;
    static constexpr qint16 kSkipped = -2;

    enum class Outcome { Ignored, Stored, Complete };

    // The prompt per function slot, head + CR CR + function text.
    static QStringList Prompts(bool german, const QString& exeName);

    // Starts a new collection: every slot unassigned, the first one next.
    void start();
    // Offers a button (1-based) or kSkipped for the slot NextSlot.
    Outcome SetNextButton(int ButtonNr);

    int NextSlot() const { return m_NextSlot; }
    bool isComplete() const { return m_NextSlot >= kSlots; }
    // Slots 0 .. 11, slot 12 is the end mark 0.
    const std::array<qint16, kSlots + 1>& AssignedButtons() const { return m_AssignedButtons; }
    // "n / 12" for the slot prompted now (1-based).
    QString counterText() const;

    // Writes Button1 .. Button12 into section Settings of `globalSettingsFile`.
    // Only a complete collection is saved; false otherwise.
    bool save(const QString& globalSettingsFile) const;

private:
    std::array<qint16, kSlots + 1> m_AssignedButtons{};
    int m_NextSlot = 0;
};
