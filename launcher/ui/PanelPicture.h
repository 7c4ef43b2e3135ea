#pragma once
// A picture drawn as a panel's own picture: stretched over the whole panel,
// above its background colour and below its controls. The labels and check
// boxes on the panel are made see-through (they keep their text colours), so
// the picture shows around their texts; text boxes keep their own fill.
// Used for the drive panel, whose picture a skin may replace. UI thread.
#include <QPixmap>

class QWidget;

namespace PanelPicture {

// Shows `picture` on `panel`; a null picture removes it (the panel shows its
// background colour alone). Null panels are ignored.
void set(QWidget* panel, const QPixmap& picture);
// The picture `panel` draws now (null when none).
QPixmap picture(const QWidget* panel);

} // namespace PanelPicture
