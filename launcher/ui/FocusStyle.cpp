#include "ui/FocusStyle.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPainter>
#include <QWidget>

#include <cmath>

namespace {

double channel(double c)
{
    c /= 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

QColor mix(const QColor& from, const QColor& to, double share)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    const auto blend = [share](int x, int y) { return int(std::lround(x + (y - x) * share)); };
    return QColor(blend(a.red(), b.red()), blend(a.green(), b.green()), blend(a.blue(), b.blue()));
}

// Text below this contrast to its background is hard to read (WCAG's
// limit for large text); the focus marks need at least as much.
constexpr double kLegible = 3.0;
// How far an unfocused list's selection moves from the back colour towards
// the text colour: clearly a selection, clearly not the focused one.
constexpr double kDimShare = 0.3;

} // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    double la = luminance(a);
    double lb = luminance(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

FocusColours FocusColoursFor(const QColor& back, const QColor& font)
{
    FocusColours c;
    c.base = back.toRgb();
    c.text = font.toRgb();
    if (ContrastRatio(c.base, c.text) < kLegible) {
        const QColor white(Qt::white);
        const QColor black(Qt::black);
        c.text = ContrastRatio(c.base, white) >= ContrastRatio(c.base, black) ? white : black;
    }
    c.ring = c.text;
    c.ringEdge = c.base;
    c.selected = c.text;
    c.selectedText = c.base;
    c.dimmed = mix(c.base, c.text, kDimShare);
    c.dimmedText = c.text;
    return c;
}

// The ring: a see-through widget over the window that paints only its
// border bands; mouse clicks go through it.
class FocusStyle::Ring : public QWidget {
public:
    explicit Ring(QWidget* window) : QWidget(window)
    {
        setObjectName(QStringLiteral("FocusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    void setColours(const QColor& band, const QColor& edge)
    {
        m_band = band;
        m_edge = edge;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect r = rect();
        const auto band = [&painter, r](int inset, int width, const QColor& colour) {
            const QRect outer = r.adjusted(inset, inset, -inset, -inset);
            const QRect inner = outer.adjusted(width, width, -width, -width);
            painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), width), colour);
            painter.fillRect(QRect(outer.left(), inner.bottom() + 1, outer.width(), width), colour);
            painter.fillRect(QRect(outer.left(), inner.top(), width, inner.height()), colour);
            painter.fillRect(QRect(inner.right() + 1, inner.top(), width, inner.height()), colour);
        };
        // Edge, band, edge: the band stands out on light and dark neighbours.
        band(0, 1, m_edge);
        band(1, kRingWidth - 2, m_band);
        band(kRingWidth - 1, 1, m_edge);
    }

private:
    QColor m_band = Qt::white;
    QColor m_edge = Qt::black;
};

FocusStyle::FocusStyle(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window), m_colours(FocusColoursFor(QColor(0x00, 0x52, 0xbc), Qt::white))
{
    if (!window)
        return;
    auto* ring = new Ring(window);
    ring->setColours(m_colours.ring, m_colours.ringEdge);
    m_ring = ring;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

FocusStyle::~FocusStyle()
{
    setTarget(nullptr);
    delete m_ring.data();
}

QWidget* FocusStyle::ring() const { return m_ring.data(); }

FocusStyle::Ring* FocusStyle::ringWidget() const { return static_cast<Ring*>(m_ring.data()); }

void FocusStyle::addList(QAbstractItemView* view)
{
    if (!view)
        return;
    m_lists.append(view);
    colourLists();
}

void FocusStyle::setColours(const QColor& back, const QColor& font)
{
    m_colours = FocusColoursFor(back, font);
    if (Ring* ring = ringWidget())
        ring->setColours(m_colours.ring, m_colours.ringEdge);
    colourLists();
}

void FocusStyle::focusChanged(QWidget* now)
{
    // Focus in a pop-up or another window, or none at all: the marks stay
    // where they are, ready for the window's return.
    if (!m_window || !now || now->window() != m_window)
        return;
    QWidget* target = now == m_window ? nullptr : now;
    // Inner parts of a control stand for the control.
    if (target && target->parentWidget()
        && (qobject_cast<QComboBox*>(target->parentWidget()) || qobject_cast<QAbstractSpinBox*>(target->parentWidget())))
        target = target->parentWidget();
    setTarget(target);
    colourLists();
}

void FocusStyle::setTarget(QWidget* target)
{
    for (const QPointer<QWidget>& w : std::as_const(m_watched)) {
        if (w)
            w->removeEventFilter(this);
    }
    m_watched.clear();
    m_target = target;
    if (target && m_window) {
        // The ring follows the control when it or any parent moves or changes size.
        for (QWidget* w = target; w; w = w->parentWidget()) {
            w->installEventFilter(this);
            m_watched.append(w);
            if (w == m_window)
                break;
        }
    }
    placeRing();
}

bool FocusStyle::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched->isWidgetType())
            placeRing();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FocusStyle::placeRing()
{
    if (!m_ring)
        return;
    if (!m_target || !m_window || !m_target->isVisible()) {
        m_ring->hide();
        return;
    }
    const QRect control(m_target->mapTo(m_window.data(), QPoint(0, 0)), m_target->size());
    m_ring->setGeometry(control.adjusted(-kRingWidth, -kRingWidth, kRingWidth, kRingWidth));
    m_ring->show();
    m_ring->raise();
}

void FocusStyle::colourLists()
{
    for (const QPointer<QAbstractItemView>& view : std::as_const(m_lists)) {
        if (!view)
            continue;
        const bool focused = view.data() == m_target;
        QPalette palette = view->palette();
        // Every group alike: whether the window is active decides nothing,
        // only which list has the focus. Background and text are the skin's
        // (SetColors).
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Highlight, focused ? m_colours.selected : m_colours.dimmed);
            palette.setColor(group, QPalette::HighlightedText,
                             focused ? m_colours.selectedText : m_colours.dimmedText);
        }
        view->setPalette(palette);
        view->viewport()->setPalette(palette);
    }
}
