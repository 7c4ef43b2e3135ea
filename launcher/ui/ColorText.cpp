#include "ui/ColorText.h"

#include "config/TextFile.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// Up to two characters of `hex` from `from`, read as a hexadecimal number
// up to the first character that is not a digit (signs and blanks are not
// digits); 0 when there is none.
int hexPart(const QString& hex, int from)
{
    int value = 0;
    for (int i = from; i < from + 2 && i < hex.size(); ++i) {
        const int digit = TextFile::hexDigitValue(hex.at(i));
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

struct SystemColorRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Theme parts by index, matched with the palette role that paints the same thing.
bool roleForSystemIndex(int index, SystemColorRole& out)
{
    using P = QPalette;
    static const struct {
        int index;
        SystemColorRole role;
    } kTable[] = {
        {0, {P::Active, P::Mid}},               // scroll bar
        {1, {P::Active, P::Window}},            // desktop
        {2, {P::Active, P::Highlight}},         // active caption
        {3, {P::Inactive, P::Mid}},             // inactive caption
        {4, {P::Active, P::Window}},            // menu
        {5, {P::Active, P::Base}},              // window background
        {6, {P::Active, P::Shadow}},            // window frame
        {7, {P::Active, P::WindowText}},        // menu text
        {8, {P::Active, P::Text}},              // window text
        {9, {P::Active, P::HighlightedText}},   // caption text
        {10, {P::Active, P::Window}},           // active border
        {11, {P::Inactive, P::Window}},         // inactive border
        {12, {P::Active, P::Dark}},             // application workspace
        {13, {P::Active, P::Highlight}},        // selection
        {14, {P::Active, P::HighlightedText}},  // selected text
        {15, {P::Active, P::Button}},           // button face
        {16, {P::Active, P::Dark}},             // button shadow
        {17, {P::Disabled, P::Text}},           // grey text
        {18, {P::Active, P::ButtonText}},       // button text
        {19, {P::Inactive, P::WindowText}},     // inactive caption text
        {20, {P::Active, P::Light}},            // button highlight
        {21, {P::Active, P::Shadow}},           // 3D dark shadow
        {22, {P::Active, P::Midlight}},         // 3D light
        {23, {P::Active, P::ToolTipText}},      // tool tip text
        {24, {P::Active, P::ToolTipBase}},      // tool tip background
        {26, {P::Active, P::Link}},             // hot-tracked item
        {27, {P::Active, P::Highlight}},        // active caption gradient
        {28, {P::Inactive, P::Mid}},            // inactive caption gradient
        {29, {P::Active, P::Highlight}},        // menu highlight
        {30, {P::Active, P::Window}},           // menu bar
    };
    for (const auto& row : kTable) {
        if (row.index == index) {
            out = row.role;
            return true;
        }
    }
    return false;
}

} // namespace

ColorValue HexToColor(const QString& text)
{
    QString hex = text;
    hex.remove(QLatin1Char('#'));
    hex = hex.trimmed();
    const int red = hexPart(hex, 0);
    const int green = hexPart(hex, 2);
    const int blue = hexPart(hex, 4);
    return ColorValue(red | (green << 8) | (blue << 16));
}

bool IsColorText(const QString& text)
{
    QString hex = text;
    hex.remove(QLatin1Char('#'));
    hex = hex.trimmed();
    if (hex.size() < 6)
        return false;
    for (int i = 0; i < 6; ++i) {
        if (TextFile::hexDigitValue(hex.at(i)) < 0)
            return false;
    }
    return true;
}

ColorValue TranslateSystemColor(ColorValue colour)
{
    if (colour >= 0)
        return colour;
    const int index = int(quint32(colour) & 0x7fffffffu);
    SystemColorRole role{};
    if ((quint32(colour) & 0x7fff0000u) != 0 || !roleForSystemIndex(index, role))
        return 0;
    const QPalette palette = QGuiApplication::palette();
    return FromQColor(palette.color(role.group, role.role));
}

QString ColorToHex(ColorValue colour)
{
    const quint32 rgb = quint32(TranslateSystemColor(colour));
    return QStringLiteral("#%1%2%3")
        .arg(rgb & 0xff, 2, 16, QLatin1Char('0'))
        .arg((rgb >> 8) & 0xff, 2, 16, QLatin1Char('0'))
        .arg((rgb >> 16) & 0xff, 2, 16, QLatin1Char('0'))
        .toUpper();
}

QColor ToQColor(ColorValue colour)
{
    const quint32 rgb = quint32(TranslateSystemColor(colour));
    return QColor(int(rgb & 0xff), int((rgb >> 8) & 0xff), int((rgb >> 16) & 0xff));
}

ColorValue FromQColor(const QColor& colour)
{
    const QColor c = colour.toRgb();
    return ColorValue(c.red() | (c.green() << 8) | (c.blue() << 16));
}
