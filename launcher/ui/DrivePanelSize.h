#pragma once
// Shows the drive panel's size state (DrivePanel of the launch side) on its
// widgets. Collapsed, the panel is a fixed 480 x 210 twips holding only its
// resize label (">"); expanded, it sizes itself to its content again and
// the label shows ten blanks, an invisible spot that collapses it once more.
// Called by the game-list area when the resize label is clicked. UI thread.
class DrivePanel;
class QLabel;
class QWidget;

void ShowDrivePanelSize(const DrivePanel& state, QWidget* panel, QLabel* resizeLabel);
