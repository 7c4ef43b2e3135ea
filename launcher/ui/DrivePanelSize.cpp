#include "ui/DrivePanelSize.h"

#include "launch/WinUaeConfig.h"

#include <QLabel>
#include <QLayout>
#include <QWidget>

namespace {

constexpr int kTwipsPerPixel = 15;
const char* const kExpandedMargins = "arvexExpandedMargins";

// Sets the alignment of `widget` in whichever layout below `layout` holds it.
bool alignInLayout(QLayout* layout, QWidget* widget, Qt::Alignment alignment)
{
    if (!layout)
        return false;
    if (layout->indexOf(widget) >= 0)
        return layout->setAlignment(widget, alignment);
    for (int i = 0; i < layout->count(); ++i)
        if (alignInLayout(layout->itemAt(i)->layout(), widget, alignment))
            return true;
    return false;
}

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
        // Aligned, the small panel no longer bounds the width of the column
        // it sits in: the pictures above it keep theirs.
        if (panel->parentWidget())
            alignInLayout(panel->parentWidget()->layout(), panel, Qt::AlignRight | Qt::AlignBottom);
        return;
    }
    if (layout && panel->property(kExpandedMargins).isValid())
        layout->setContentsMargins(panel->property(kExpandedMargins).value<QMargins>());
    panel->setMinimumSize(0, 0);
    panel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (panel->parentWidget())
        alignInLayout(panel->parentWidget()->layout(), panel, {});
}
