#include "ui/NameLabel.h"

#include "ui/NameLabelFit.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int kLines = 2;
// A name may be drawn up to a quarter smaller, in steps of a point (or a
// pixel for fonts sized in pixels), before it is cut; never below 7 points.
constexpr qreal kSmallestShare = 0.75;
constexpr qreal kSmallestPoints = 7.0;

// The label's font `step` points smaller; false when that is below the limit.
bool shrunk(const QFont& base, int step, QFont& out)
{
    out = base;
    if (step == 0)
        return true;
    if (base.pointSizeF() > 0) {
        const qreal size = base.pointSizeF() - step;
        if (size < std::max(kSmallestPoints, base.pointSizeF() * kSmallestShare))
            return false;
        out.setPointSizeF(size);
    } else if (base.pixelSize() > 0) {
        const int size = base.pixelSize() - step;
        if (size < std::max(9, int(base.pixelSize() * kSmallestShare)))
            return false;
        out.setPixelSize(size);
    } else {
        return false;
    }
    return true;
}

} // namespace

NameLabel::NameLabel(QLabel* label) : QObject(label), m_label(label), m_baseFont(label->font())
{
    setObjectName(QStringLiteral("NameLabelFitter"));
    m_full = label->text();
    label->setTextFormat(Qt::PlainText);
    // The fitter makes the lines; Qt's own wrapping would break them again
    // where it likes and ask the row for more height.
    label->setWordWrap(false);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    policy.setHorizontalStretch(1);
    label->setSizePolicy(policy);
    const QMargins margins = label->contentsMargins();
    label->setFixedHeight(kLines * QFontMetrics(m_baseFont).lineSpacing() + margins.top() + margins.bottom()
                          + 2 * label->margin());
    label->installEventFilter(this);
}

NameLabel* NameLabel::attach(QLabel* label)
{
    if (!label)
        return nullptr;
    if (auto* existing = label->findChild<NameLabel*>(QStringLiteral("NameLabelFitter"), Qt::FindDirectChildrenOnly))
        return existing;
    return new NameLabel(label);
}

void NameLabel::show(QLabel* label, const QString& text)
{
    if (NameLabel* fitter = attach(label))
        fitter->setFullText(text);
}

void NameLabel::setFullText(const QString& text)
{
    m_full = text;
    refit();
}

bool NameLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label && (event->type() == QEvent::Resize || event->type() == QEvent::Show)) {
        // Someone else wrote into the label: that is its text now.
        if (m_label->text() != m_shown)
            m_full = m_label->text();
        refit();
    }
    return QObject::eventFilter(watched, event);
}

void NameLabel::refit()
{
    if (m_fitting)
        return;
    m_fitting = true;
    const QRect box = m_label->contentsRect().adjusted(m_label->margin(), m_label->margin(), -m_label->margin(),
                                                       -m_label->margin());
    // The label's own font first; smaller ones only when they show the whole
    // text, otherwise the text is cut in the label's own font.
    NameLabelFit chosen;
    QFont chosenFont = m_baseFont;
    QFont font;
    for (int step = 0; shrunk(m_baseFont, step, font); ++step) {
        const QFontMetrics metrics(font);
        const LabelTextMeasure measure = [&metrics](QStringView text) {
            return metrics.horizontalAdvance(text.toString());
        };
        const int lines = std::max(1, box.height() / std::max(1, metrics.lineSpacing()));
        const NameLabelFit fit = FitNameLabel(m_full, box.width(), lines, measure);
        if (step == 0 || fit.whole) {
            chosen = fit;
            chosenFont = font;
        }
        if (fit.whole)
            break;
    }
    m_cut = !chosen.whole;
    m_shown = chosen.text;
    if (m_label->font() != chosenFont)
        m_label->setFont(chosenFont);
    m_label->setText(chosen.text);
    m_fitting = false;
}
