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

struct Form {
    QWidget window;
    QLineEdit* edit = new QLineEdit;
    QPushButton* button = new QPushButton(QStringLiteral("Start"));
    QLabel* label = new QLabel(QStringLiteral("Games"));
    QLabel* overPicture = new QLabel(QStringLiteral("Title"));
    QListWidget* list = new QListWidget;
    QComboBox* combo = new QComboBox;
    QGroupBox* group = new QGroupBox(QStringLiteral("Drive"));
    QLineEdit* nestedEdit = new QLineEdit;
    QCheckBox* check = new QCheckBox(QStringLiteral("Full screen"));
    QPushButton* nestedButton = new QPushButton(QStringLiteral("OK"));
    QTextEdit* text = new QTextEdit;
    QSpinBox* spin = new QSpinBox;
    QDialog* ownedDialog = new QDialog(&window);

    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{edit, button, label, overPicture, list, combo, group, text, spin})
            layout->addWidget(w);
        auto* inner = new QVBoxLayout(group);
        for (QWidget* w : std::initializer_list<QWidget*>{nestedEdit, check, nestedButton})
            inner->addWidget(w);
        overPicture->setProperty("skinTransparent", true);
        combo->setEditable(true);
        window.resize(400, 700);
        window.show();
    }
};

QColor role(const QWidget* w, QPalette::ColorRole r) { return w->palette().color(QPalette::Active, r); }
QColor shownAt(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }

TEST(SetColors, TextBoxesAreSwappedButtonsUntouchedOthersColoured)
{
    Form f;
    const QColor back(0x00, 0x52, 0xbc), font(0xff, 0xff, 0xff);
    const QPalette buttonBefore = f.nestedButton->palette();
    const QPalette dialogBefore = f.ownedDialog->palette();
    SetColors(&f.window, 0xbc5200, 0xffffff, QString());

    for (QWidget* textBox : std::initializer_list<QWidget*>{f.edit, f.nestedEdit, f.text, f.spin}) {
        EXPECT_EQ(role(textBox, QPalette::Base), font) << textBox->metaObject()->className();
        EXPECT_EQ(role(textBox, QPalette::Text), back) << textBox->metaObject()->className();
    }
    for (QWidget* control : std::initializer_list<QWidget*>{f.label, f.list, f.combo, f.check}) {
        EXPECT_EQ(role(control, QPalette::Window), back) << control->metaObject()->className();
        EXPECT_EQ(role(control, QPalette::Base), back) << control->metaObject()->className();
        EXPECT_EQ(role(control, QPalette::Text), font) << control->metaObject()->className();
    }
    for (auto r : {QPalette::Button, QPalette::ButtonText}) {
        EXPECT_EQ(role(f.button, r), buttonBefore.color(QPalette::Active, r));
        EXPECT_EQ(role(f.nestedButton, r), buttonBefore.color(QPalette::Active, r));
    }
    // The combo box's own line edit belongs to the combo box: not swapped.
    EXPECT_EQ(role(f.combo->lineEdit(), QPalette::Base), back);
    // A dialog owned by the window is a window of its own, not a control.
    EXPECT_EQ(f.ownedDialog->palette(), dialogBefore);

    SkinColorPair remembered;
    ASSERT_TRUE(CurrentSkinColors(&f.window, remembered));
    EXPECT_EQ(remembered.back, 0xbc5200);
    EXPECT_EQ(remembered.font, 0xffffff);
}

TEST(SetColors, ColoursReallyShowWhenRendered)
{
    Form f;
    SetColors(&f.window, HexToColor(QStringLiteral("#204060")), HexToColor(QStringLiteral("#f0e0d0")), QString());
    const QColor back(0x20, 0x40, 0x60), font(0xf0, 0xe0, 0xd0);
    // Inside each control, away from text and frame.
    EXPECT_EQ(shownAt(f.edit, QPoint(f.edit->width() - 6, f.edit->height() / 2)), font);
    EXPECT_EQ(shownAt(f.label, QPoint(f.label->width() - 3, f.label->height() / 2)), back);
    EXPECT_EQ(shownAt(f.list, QPoint(f.list->width() / 2, f.list->height() - 6)), back);
    EXPECT_EQ(shownAt(f.check, QPoint(f.check->width() - 3, f.check->height() / 2)), back);
    EXPECT_FALSE(f.overPicture->autoFillBackground());  // stays transparent over a picture
    EXPECT_NE(shownAt(f.button, QPoint(f.button->width() / 2, 4)), back);
}

TEST(SetColors, NegativeColoursComeFromTheSkinFileOrItsDefaults)
{
    TempDir dir;
    const QString ini = dir.write(QStringLiteral("Skin/Skin.ini"),
                                  "[Settings]\r\nBackColor=#102030\r\nFontColor=#C0D0E0\r\n");
    Form f;
    SkinColorPair applied = SetColors(&f.window, -1, -1, ini);
    EXPECT_EQ(applied.back, 0x302010);
    EXPECT_EQ(applied.font, 0xe0d0c0);
    EXPECT_EQ(role(f.label, QPalette::Window), QColor(0x10, 0x20, 0x30));
    applied = SetColors(&f.window, 0x0000ff, -5, ini);  // only the negative one is read
    EXPECT_EQ(applied.back, 0x0000ff);
    EXPECT_EQ(applied.font, 0xe0d0c0);

    applied = SetColors(&f.window, -1, -1, dir.file(QStringLiteral("Skin/Missing.ini")));
    EXPECT_EQ(applied.back, 0xbc5200);  // white on the default blue
    EXPECT_EQ(applied.font, 0xffffff);
    EXPECT_EQ(role(f.list, QPalette::Base), QColor(0x00, 0x52, 0xbc));
}

} // namespace
