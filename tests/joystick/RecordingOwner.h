#pragma once
// A JoystickOwner that writes every event as a short word:
// "R1/1" = Right from pad 1 on panel 1, "B2:3" = button 3 on pad 2.
#include "joystick/Joystick.h"

#include <QStringList>
#include <functional>

class RecordingOwner : public JoystickOwner {
public:
    QStringList events;
    QString caption = QStringLiteral("old caption");
    QStringList captionsShown;
    bool labelShown = false;
    std::function<void(const QString&)> onEvent;

    void Joystick_Right(int, int nr, int panel) override { add(QStringLiteral("R%1/%2").arg(nr).arg(panel)); }
    void Joystick_Left(int, int nr, int panel) override { add(QStringLiteral("L%1/%2").arg(nr).arg(panel)); }
    void Joystick_Down(int, int nr, int panel) override { add(QStringLiteral("D%1/%2").arg(nr).arg(panel)); }
    void Joystick_UP(int, int nr, int panel) override { add(QStringLiteral("U%1/%2").arg(nr).arg(panel)); }
    void Joystick_Button(int nr, int b) override { add(QStringLiteral("B%1:%2").arg(nr).arg(b)); }
    QString statusCaption() const override { return caption; }
    void setStatusCaption(const QString& c) override
    {
        caption = c;
        captionsShown << c;
    }
    void showStatusLabel() override { labelShown = true; }

    QStringList take()
    {
        QStringList e = events;
        events.clear();
        return e;
    }

private:
    void add(const QString& e)
    {
        events << e;
        if (onEvent)
            onEvent(e);
    }
};
