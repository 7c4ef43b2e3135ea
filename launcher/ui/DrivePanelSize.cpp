#include "ui/DrivePanelSize.h"

#include "launch/WinUaeConfig.h"

#include <QLabel>
#include <QLayout>
#include <QWidget>

namespace {

constexpr int kTwipsPerPixel = 15;
const char* const kExpandedMargins = "arvexExpandedMargins";

} // namespace

void ShowDrivePanelSize(const DrivePanel& state, QWidget* panel, QLabel* resizeLabel)
{
    if (!panel || !resizeLabel)
        return;
    const bool collapsed = !state.autoSize();
    // Everything on the panel but the resize label goes while it is collapsed.
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != resizeLabel)
            child->setVisible(!collapsed);
    resizeLabel->setText(state.resizeLabel());
    QLayout* layout = panel->layout();
    if (collapsed) {
        // The small size leaves no room for the margins.
        if (layout) {
            if (!panel->property(kExpandedMargins).isValid())
                panel->setProperty(kExpandedMargins, QVariant::fromValue(layout->contentsMargins()));
            layout->setContentsMargins(0, 0, 0, 0);
        }
        panel->setFixedSize(state.widthTwips() / kTwipsPerPixel, state.heightTwips() / kTwipsPerPixel);
        return;
    }
    if (layout && panel->property(kExpandedMargins).isValid())
        layout->setContentsMargins(panel->property(kExpandedMargins).value<QMargins>());
    panel->setMinimumSize(0, 0);
    panel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}
