#include "ui/PanelPicture.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QWidget>

namespace {

constexpr char kPainterName[] = "arvexPanelPicture";

// Lives as a child of the panel and paints the picture before the panel's
// children are drawn (the panel's background fill has already happened).
class Painter : public QObject {
public:
    explicit Painter(QWidget* panel) : QObject(panel), m_panel(panel)
    {
        setObjectName(QString::fromLatin1(kPainterName));
        panel->installEventFilter(this);
    }
    QPixmap picture;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_panel && event->type() == QEvent::Paint && !picture.isNull()) {
            QPainter painter(m_panel);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawPixmap(m_panel->rect(), picture);
        }
        return false;
    }

private:
    QWidget* m_panel;
};

Painter* painterOf(const QWidget* panel)
{
    return panel->findChild<Painter*>(QString::fromLatin1(kPainterName), Qt::FindDirectChildrenOnly);
}

} // namespace

namespace PanelPicture {

void set(QWidget* panel, const QPixmap& picture)
{
    if (!panel)
        return;
    Painter* painter = painterOf(panel);
    if (!painter) {
        if (picture.isNull())
            return;
        painter = new Painter(panel);
    }
    painter->picture = picture;
    // Labels and check boxes fill their background with the skin's back
    // colour, which would cover the picture; over a picture they stay clear.
    const bool clear = !picture.isNull();
    const QList<QWidget*> children = panel->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (qobject_cast<QLabel*>(child) || qobject_cast<QCheckBox*>(child)) {
            child->setProperty("skinTransparent", clear);
            child->setAutoFillBackground(!clear);
        }
    }
    panel->update();
}

QPixmap picture(const QWidget* panel)
{
    const Painter* painter = panel ? painterOf(panel) : nullptr;
    return painter ? painter->picture : QPixmap();
}

} // namespace PanelPicture
