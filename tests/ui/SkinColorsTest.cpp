// SetColors on a real widget tree rendered offscreen: which controls get the
// colours, swapped or not at all, and that the colours really show.
#include "support/QtPrint.h"
#include "support/TempDir.h"
#include "ui/SkinColors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const QColor kBack(0x00, 0x52, 0xbc);
const QColor kFont(0xff, 0xff, 0xff);
const ColorValue kBackValue = 0xbc5200;
const ColorValue kFontValue = 0xffffff;

struct Form {
    QWidget window;
    QLineEdit* edit;
    QPushButton* button;
    QLabel* label;
    QLabel* overPicture;
    QListWidget* list;
    QComboBox* combo;
    QGroupBox* group;
    QLineEdit* nestedEdit;
    QCheckBox* check;
    QPushButton* nestedButton;
    QTextEdit* text;
    QSpinBox* spin;
    QDialog* ownedDialog;

    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit = new QLineEdit);
        layout->addWidget(button = new QPushButton(QStringLiteral("Start")));
        layout->addWidget(label = new QLabel(QStringLiteral("Games")));
        layout->addWidget(overPicture = new QLabel(QStringLiteral("Title")));
        overPicture->setProperty("skinTransparent", true);
        layout->addWidget(list = new QListWidget);
        list->addItem(QStringLiteral("Monkey Island 2"));
        layout->addWidget(combo = new QComboBox);
        combo->setEditable(true);
        layout->addWidget(group = new QGroupBox(QStringLiteral("Drive")));
        auto* inner = new QVBoxLayout(group);
        inner->addWidget(nestedEdit = new QLineEdit);
        inner->addWidget(check = new QCheckBox(QStringLiteral("Full screen")));
        inner->addWidget(nestedButton = new QPushButton(QStringLiteral("OK")));
        layout->addWidget(text = new QTextEdit);
        layout->addWidget(spin = new QSpinBox);
        ownedDialog = new QDialog(&window);
        window.resize(400, 700);
        window.show();
    }
};

QColor role(const QWidget* w, QPalette::ColorRole r) { return w->palette().color(QPalette::Active, r); }

// The colour a widget shows at a point of its own rendering.
QColor shownAt(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }

TEST(SetColors, TextBoxesAreSwappedButtonsUntouchedOthersColoured)
{
    Form f;
    const QPalette buttonBefore = f.button->palette();
    const QPalette nestedButtonBefore = f.nestedButton->palette();
    const QPalette dialogBefore = f.ownedDialog->palette();

    const SkinColorPair applied = SetColors(&f.window, kBackValue, kFontValue, QString());
    EXPECT_EQ(applied.back, kBackValue);
    EXPECT_EQ(applied.font, kFontValue);

    for (QWidget* textBox : {static_cast<QWidget*>(f.edit), static_cast<QWidget*>(f.nestedEdit),
                             static_cast<QWidget*>(f.text), static_cast<QWidget*>(f.spin)}) {
        SCOPED_TRACE(textBox->metaObject()->className());
        EXPECT_EQ(role(textBox, QPalette::Base), kFont);
        EXPECT_EQ(role(textBox, QPalette::Text), kBack);
    }
    for (QWidget* control : {static_cast<QWidget*>(f.label), static_cast<QWidget*>(f.list),
                             static_cast<QWidget*>(f.combo), static_cast<QWidget*>(f.check)}) {
        SCOPED_TRACE(control->metaObject()->className());
        EXPECT_EQ(role(control, QPalette::Window), kBack);
        EXPECT_EQ(role(control, QPalette::WindowText), kFont);
        EXPECT_EQ(role(control, QPalette::Base), kBack);
        EXPECT_EQ(role(control, QPalette::Text), kFont);
    }
    for (auto [button, before] : {std::pair{f.button, buttonBefore}, std::pair{f.nestedButton, nestedButtonBefore}}) {
        EXPECT_EQ(role(button, QPalette::Button), before.color(QPalette::Active, QPalette::Button));
        EXPECT_EQ(role(button, QPalette::ButtonText), before.color(QPalette::Active, QPalette::ButtonText));
    }
    // The combo box's own line edit belongs to the combo box: not swapped.
    ASSERT_NE(f.combo->lineEdit(), nullptr);
    EXPECT_EQ(role(f.combo->lineEdit(), QPalette::Base), kBack);
    EXPECT_EQ(role(f.combo->lineEdit(), QPalette::Text), kFont);
    // A dialog owned by the window is a window of its own, not a control.
    EXPECT_EQ(f.ownedDialog->palette(), dialogBefore);
}

TEST(SetColors, ColoursReallyShowWhenRendered)
{
    Form f;
    SetColors(&f.window, HexToColor(QStringLiteral("#204060")), HexToColor(QStringLiteral("#f0e0d0")),
              QString());
    const QColor back(0x20, 0x40, 0x60);
    const QColor font(0xf0, 0xe0, 0xd0);
    // Away from the text and frame: the inside of each control.
    EXPECT_EQ(shownAt(f.edit, QPoint(f.edit->width() - 6, f.edit->height() / 2)), font);
    EXPECT_EQ(shownAt(f.label, QPoint(f.label->width() - 3, f.label->height() / 2)), back);
    EXPECT_EQ(shownAt(f.list, QPoint(f.list->width() / 2, f.list->height() - 6)), back);
    EXPECT_EQ(shownAt(f.check, QPoint(f.check->width() - 3, f.check->height() / 2)), back);
    // A label on a background picture stays transparent.
    EXPECT_FALSE(f.overPicture->autoFillBackground());
    EXPECT_NE(shownAt(f.button, QPoint(f.button->width() / 2, 4)), back);
}

TEST(SetColors, NegativeColoursComeFromTheSkinFile)
{
    TempDir dir;
    const QString ini = dir.write(QStringLiteral("Skin/Skin.ini"),
                                  "[Settings]\r\nBackColor=#102030\r\nFontColor=#C0D0E0\r\n");
    Form f;
    const SkinColorPair applied = SetColors(&f.window, -1, -1, ini);
    EXPECT_EQ(applied.back, 0x302010);
    EXPECT_EQ(applied.font, 0xe0d0c0);
    EXPECT_EQ(role(f.label, QPalette::Window), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(role(f.edit, QPalette::Base), QColor(0xc0, 0xd0, 0xe0));

    // Only the negative one is read; a given colour is used as it is.
    const SkinColorPair mixed = SetColors(&f.window, 0x0000ff, -5, ini);
    EXPECT_EQ(mixed.back, 0x0000ff);
    EXPECT_EQ(mixed.font, 0xe0d0c0);
}

TEST(SetColors, MissingSkinGivesWhiteOnTheDefaultBlue)
{
    TempDir dir;
    dir.mkdir(QStringLiteral("Skin"));
    Form f;
    const SkinColorPair applied = SetColors(&f.window, -1, -1, dir.file(QStringLiteral("Skin/Skin.ini")));
    EXPECT_EQ(applied.back, kBackValue);
    EXPECT_EQ(applied.font, kFontValue);
    EXPECT_EQ(role(f.list, QPalette::Base), kBack);
    EXPECT_EQ(role(f.list, QPalette::Text), kFont);
}

TEST(SetColors, RemembersTheColoursOnTheWindow)
{
    Form f;
    SkinColorPair out;
    EXPECT_FALSE(CurrentSkinColors(&f.window, out));
    SetColors(&f.window, 0x123456, 0x654321, QString());
    ASSERT_TRUE(CurrentSkinColors(&f.window, out));
    EXPECT_EQ(out.back, 0x123456);
    EXPECT_EQ(out.font, 0x654321);
    EXPECT_FALSE(CurrentSkinColors(nullptr, out));
    SetColors(nullptr, 1, 2, QString());  // ignored
}

} // namespace
