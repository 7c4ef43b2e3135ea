// Colour text and colour values: the conversions skins and the options
// window rely on, including text that is not a colour at all.
#include "support/QtPrint.h"
#include "ui/ColorText.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(ColorText, HexToColorPutsRedInTheLowByteAndSurvivesAnyText)
{
    const struct {
        const char* text;
        ColorValue value;
    } cases[] = {
        {"#0052bc", 0xbc5200}, {"#FFFFFF", 0xffffff}, {"#ff0000", 0x0000ff},
        {"0052bc", 0xbc5200},       // the "#" is optional
        {"#00#52#bc", 0xbc5200},    // every "#" is removed
        {"  #102030  ", 0x302010},  // blanks around are dropped
        {"#ff00ff80", 0xff00ff},    // digits after the sixth are ignored
        {"", 0}, {"#", 0}, {"#12", 0x000012}, {"#1", 0x000001},  // missing parts are 0
        {"zzzzzz", 0},
        {"#1z2y3x", 0x030201},      // each part up to its first non-digit
        {"#-1-1-1", 0}, {"#+f+f+f", 0},  // signs are not digits: never negative
        {"#ff 0ff", 0xff00ff},
        {"#\xef\xbd\x86\xef\xbd\x86" "0000", 0},  // full-width letters are not digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(HexToColor(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(ColorText, ColorToHexWritesTwoUpperCaseDigitsPerPartAndRoundTrips)
{
    EXPECT_EQ(ColorToHex(0), QStringLiteral("#000000"));
    EXPECT_EQ(ColorToHex(0xbc5200), QStringLiteral("#0052BC"));
    EXPECT_EQ(ColorToHex(0x030201), QStringLiteral("#010203"));
    EXPECT_EQ(ColorToHex(0x7f123456), QStringLiteral("#563412"));  // high byte unused
    EXPECT_EQ(ColorToHex(HexToColor(QStringLiteral("#FFFFFF"))), QStringLiteral("#FFFFFF"));
    for (ColorValue v = 0; v <= 0xffffff; v += 0x010307)
        ASSERT_EQ(HexToColor(ColorToHex(v)), v);
    EXPECT_EQ(ToQColor(0xbc5200), QColor(0x00, 0x52, 0xbc));
    EXPECT_EQ(FromQColor(QColor(0x00, 0x52, 0xbc)), 0xbc5200);
}

TEST(ColorText, IsColorTextAcceptsOnlySixHexDigits)
{
    for (const char* good : {"#0052bc", "0052BC", " #abcdef ", "#abcdef12"})
        EXPECT_TRUE(IsColorText(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "#", "#12345", "zzzzzz", "#12345g", "#-12345", "red"})
        EXPECT_FALSE(IsColorText(QString::fromLatin1(bad))) << bad;
}

TEST(ColorText, SystemColoursFollowThePaletteAndUnknownOnesAreBlack)
{
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0xc0, 0xc1, 0xc2));
    QApplication::setPalette(palette);
    EXPECT_EQ(ColorToHex(SystemColor(5)), QStringLiteral("#123456"));   // window background
    EXPECT_EQ(ColorToHex(SystemColor(15)), QStringLiteral("#C0C1C2"));  // button face
    palette.setColor(QPalette::Active, QPalette::Base, QColor(0xfe, 0xdc, 0xba));
    QApplication::setPalette(palette);
    EXPECT_EQ(ToQColor(SystemColor(5)), QColor(0xfe, 0xdc, 0xba));
    QApplication::setPalette(saved);

    for (quint32 unknown : {0x80000019u, 0x8000001fu, 0xffffffffu, 0x80ff0005u})
        EXPECT_EQ(ColorToHex(ColorValue(unknown)), QStringLiteral("#000000")) << std::hex << unknown;
}

} // namespace
