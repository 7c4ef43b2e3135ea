#pragma once
// FirstStartView: the main window's face while no emulator is registered.
// A message in the interface language covers the game-list area, saying that
// no emulator is registered yet and how to add one; it goes away as soon as
// the emulator list has an entry and comes back when the last one is
// removed. Once the window shows, the offer to register the installed native
// emulators (FirstStart) is made; profiles it creates are listed and the
// first one is selected. Built by the program beside the launcher's parts.
// UI thread.
#include <QObject>
#include <QPointer>
#include <QString>

class LauncherAssembly;
class QLabel;

class FirstStartView : public QObject {
    Q_OBJECT
public:
    FirstStartView(LauncherAssembly& launcher, const QString& programFolder, const QString& exeName);

    // The message text in the current interface language.
    static QString hintText();

    // True while the message is shown.
    bool hintShown() const;

    // Makes the offer when it is due (after the window shows).
    void offerNativeEmulators();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateHint();

    LauncherAssembly& m_launcher;
    QString m_programFolder;
    QString m_exeName;
    QPointer<QLabel> m_hint;
};
