// Colour text and colour values: the conversions the skins and the options
// window rely on, including text that is not a colour at all.
#include "support/QtPrint.h"
#include "ui/ColorText.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

struct HexCase {
    const char* text;
    ColorValue value;
};

class HexToColorTable : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexToColorTable, GivesRedInTheLowByte)
{
    const HexCase c = GetParam();
    EXPECT_EQ(HexToColor(QString::fromUtf8(c.text)), c.value) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HexToColorTable,
    ::testing::Values(HexCase{"#0052bc", 0xbc5200}, HexCase{"#FFFFFF", 0xffffff},
                      HexCase{"#ff0000", 0x0000ff}, HexCase{"#00FF00", 0x00ff00},
                      HexCase{"0052bc", 0xbc5200},        // the "#" is optional
                      HexCase{"#00#52#bc", 0xbc5200},     // every "#" is removed
                      HexCase{"  #102030  ", 0x302010},   // blanks around are dropped
                      HexCase{"#ff00ff80", 0xff00ff},     // digits after the sixth are ignored
                      HexCase{"", 0}, HexCase{"#", 0},
                      HexCase{"#12", 0x000012},           // missing parts count as 0
                      HexCase{"#1", 0x000001},
                      HexCase{"zzzzzz", 0},               // not hexadecimal at all
                      HexCase{"#1z2y3x", 0x030201},       // each part up to its first non-digit
                      HexCase{"#-1-1-1", 0},              // signs are not digits: never negative
                      HexCase{"#+f+f+f", 0}, HexCase{"#ff 0ff", 0xff00ff},  // a part starting with a blank is 0
                      HexCase{"#\xef\xbd\x86\xef\xbd\x86""0000", 0})); // full-width letters

struct ToHexCase {
    ColorValue value;
    const char* text;
};

class ColorToHexTable : public ::testing::TestWithParam<ToHexCase> {};

TEST_P(ColorToHexTable, WritesRedGreenBlueWithTwoDigitsEach)
{
    EXPECT_EQ(ColorToHex(GetParam().value), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, ColorToHexTable,
                         ::testing::Values(ToHexCase{0, "#000000"}, ToHexCase{0xffffff, "#FFFFFF"},
                                           ToHexCase{0xbc5200, "#0052BC"},
                                           ToHexCase{0x030201, "#010203"},
                                           ToHexCase{0x7f123456, "#563412"})); // high byte unused

TEST(ColorText, EveryColourSurvivesTheRoundTrip)
{
    for (ColorValue v = 0; v <= 0xffffff; v += 0x010307) {
        const QString text = ColorToHex(v);
        ASSERT_EQ(text.size(), 7) << v;
        ASSERT_EQ(HexToColor(text), v) << text.toStdString();
    }
    EXPECT_EQ(ColorToHex(HexToColor(QStringLiteral("#FFFFFF"))), QStringLiteral("#FFFFFF"));
}

TEST(ColorText, IsColorTextAcceptsOnlySixHexDigits)
{
    for (const char* good : {"#0052bc", "0052BC", " #abcdef ", "#abcdef12"})
        EXPECT_TRUE(IsColorText(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "#", "#12345", "zzzzzz", "#12345g", "#-12345", "red"})
        EXPECT_FALSE(IsColorText(QString::fromLatin1(bad))) << bad;
}

TEST(ColorText, SystemColoursFollowTheCurrentPalette)
{
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(0x12, 0x34, 0x56));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0xc0, 0xc1, 0xc2));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(0x01, 0x02, 0x03));
    QApplication::setPalette(palette);

    EXPECT_EQ(ColorToHex(SystemColor(5)), QStringLiteral("#123456"));   // window background
    EXPECT_EQ(ColorToHex(SystemColor(15)), QStringLiteral("#C0C1C2"));  // button face
    EXPECT_EQ(ColorToHex(SystemColor(8)), QStringLiteral("#010203"));   // window text
    EXPECT_EQ(ToQColor(SystemColor(5)), QColor(0x12, 0x34, 0x56));

    palette.setColor(QPalette::Active, QPalette::Base, QColor(0xfe, 0xdc, 0xba));
    QApplication::setPalette(palette);
    EXPECT_EQ(ColorToHex(SystemColor(5)), QStringLiteral("#FEDCBA"));
    QApplication::setPalette(saved);
}

TEST(ColorText, UnknownSystemColoursGiveBlackInsteadOfGarbage)
{
    EXPECT_EQ(ColorToHex(SystemColor(25)), QStringLiteral("#000000"));
    EXPECT_EQ(ColorToHex(SystemColor(31)), QStringLiteral("#000000"));
    EXPECT_EQ(ColorToHex(ColorValue(0xffffffffu)), QStringLiteral("#000000"));
    EXPECT_EQ(ColorToHex(ColorValue(0x80ff0005u)), QStringLiteral("#000000"));
}

TEST(ColorText, QtColoursConvertBothWays)
{
    EXPECT_EQ(ToQColor(0xbc5200), QColor(0x00, 0x52, 0xbc));
    EXPECT_EQ(FromQColor(QColor(0x00, 0x52, 0xbc)), 0xbc5200);
    EXPECT_EQ(FromQColor(QColor::fromHsv(0, 255, 255)), 0x0000ff);
}

} // namespace
