#include "ui/SkinColors.h"

#include "ui/Skin.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QWidget>

namespace {

constexpr char kBackProperty[] = "arvexSkinBackColor";
constexpr char kFontProperty[] = "arvexSkinFontColor";
constexpr char kTransparentProperty[] = "skinTransparent";

enum class Kind { CommandButton, TextBox, Control, Container };

Kind kindOf(const QWidget* w)
{
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return Kind::Control;
    if (qobject_cast<const QAbstractButton*>(w))
        return Kind::CommandButton;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w)
        || qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
        return Kind::TextBox;
    // A scroll area holds other controls; item views are controls themselves.
    if (qobject_cast<const QScrollArea*>(w))
        return Kind::Container;
    if (qobject_cast<const QLabel*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSlider*>(w)
        || qobject_cast<const QProgressBar*>(w))
        return Kind::Control;
    return Kind::Container;
}

void colour(QWidget* w, const QColor& background, const QColor& text, bool fill)
{
    QPalette palette = w->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button,
                                     QPalette::AlternateBase})
        palette.setColor(role, background);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    w->setPalette(palette);
    if (fill)
        w->setAutoFillBackground(true);
}

void colourContainer(QWidget* w, const QColor& background, const QColor& text)
{
    // Only the roles a container paints itself with: buttons inside it keep
    // their own button colours.
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    w->setPalette(palette);
}

void visitChildren(QWidget* parent, const QColor& back, const QColor& font)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        // Own windows (dialogs, pop-ups) placed on the window are not its controls.
        if (!w || w->isWindow())
            continue;
        switch (kindOf(w)) {
        case Kind::CommandButton:
            break;
        case Kind::TextBox:
            colour(w, font, back, false);
            break;
        case Kind::Control: {
            const bool transparent = w->property(kTransparentProperty).toBool();
            const bool paintsOwnBackground = qobject_cast<QAbstractItemView*>(w)
                || qobject_cast<QComboBox*>(w);
            colour(w, back, font, !transparent && !paintsOwnBackground);
            break;
        }
        case Kind::Container:
            colourContainer(w, back, font);
            visitChildren(w, back, font);
            break;
        }
    }
}

} // namespace

SkinColorPair ResolveSkinColors(ColorValue back, ColorValue font, const QString& skinFile)
{
    SkinColorPair pair{back, font};
    if (back < 0)
        pair.back = Skin::BackColor(skinFile);
    if (font < 0)
        pair.font = Skin::FontColor(skinFile);
    return pair;
}

SkinColorPair SetColors(QWidget* target, ColorValue back, ColorValue font, const QString& skinFile)
{
    const SkinColorPair pair = ResolveSkinColors(back, font, skinFile);
    if (!target)
        return pair;
    visitChildren(target, ToQColor(pair.back), ToQColor(pair.font));
    target->setProperty(kBackProperty, pair.back);
    target->setProperty(kFontProperty, pair.font);
    return pair;
}

bool CurrentSkinColors(const QWidget* target, SkinColorPair& out)
{
    if (!target || !target->property(kBackProperty).isValid())
        return false;
    out.back = target->property(kBackProperty).toInt();
    out.font = target->property(kFontProperty).toInt();
    return true;
}
