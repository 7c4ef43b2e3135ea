#pragma once
// The small controls of the main window's caption and status rows,
// built with their built-in pictures and design texts: the running-game
// picture (clicked: ends the game; the launch side connects it), the joystick
// icon (the pad side connects it), the minimise label `Label5`, and the
// "<<  Favoriten / Alle  >>" button, which the window shows but gives no
// action. The main window creates them once while building its controls.
// UI thread.
class QBoxLayout;
class QPushButton;
class QToolButton;
class QWidget;

namespace CaptionControls {

// Picture size of the running picture and the joystick icon, in pixels.
inline constexpr int kIconSize = 24;
inline constexpr char kFavouritesAllCaption[] = "<<  Favoriten / Alle  >>";

// `AppRunningPicture`: the built-in running picture, hidden until a game runs.
QToolButton* makeRunningPicture(QWidget* parent);
// `JoystickIcon`: the built-in joystick picture with the German tool tip
// "Joysticksteuerung aktiv", hidden until pad navigation is on.
QToolButton* makeJoystickIcon(QWidget* parent);
// `Label5`: a click minimises `window`.
QToolButton* makeMinimiseLabel(QWidget* window);
// The window's bottom row: the loading button (status texts) over the whole
// width, then the favourites / all button, which has no action. Returns it.
QPushButton* addStatusRow(QBoxLayout* root, QPushButton* loadingButton);

// The English tool tips of the controls above (the design texts are German).
void applyEnglishToolTips(QToolButton* runningPicture, QToolButton* joystickIcon, QToolButton* minimiseLabel);

} // namespace CaptionControls
