// The name label and the focus marks in the real main window (offscreen),
// over a temporary collection of two emulators: "Amiga" with a skin and a
// favourite, "Arcade" in the built-in look with alias names.
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include "config/AppEnvironment.h"
#include "ui/FocusStyle.h"
#include "ui/GameListsPanel.h"
#include "ui/LauncherAssembly.h"
#include "ui/MainWindow.h"
#include "ui/NameLabelFit.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

const QColor kAmigaBack("#1c2a4a");
const QColor kAmigaFont("#ffb347");
const QString k1942 = QStringLiteral("1942 (1984)(Capcom)");
const QString kStreetFighter = QStringLiteral("Street Fighter II - The World Warrior (1991)(Capcom)");

struct Collection {
    TempDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<LauncherAssembly> app;
    MainWindow* window = nullptr;
    GameListsPanel* panel = nullptr;

    Collection()
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");
        dir.write("Config/Amiga/arvex.ini", "[Settings]\r\nRomPath=./Amiga/\r\nDir_Parameter=*.adf\r\n");
        dir.write("Config/Amiga/Skin/Skin.ini", "[Settings]\r\nBackColor=#1c2a4a\r\nFontColor=#ffb347\r\n");
        dir.write("Config/Amiga/Favoriten.ini",
                  "[Favoriten]\r\nFav0_Name=Lemmings\r\nFav0_FullPath=./Amiga/Lemmings.adf\r\n");
        QByteArray cache;
        for (const QByteArray name : {"Lemmings", "Turrican", "Zool"}) {
            dir.write("Amiga/" + QString::fromLatin1(name) + ".adf", "ADF");
            cache += "./Amiga/" + name + ".adf\r\n" + name + "\r\n";
        }
        dir.write("Config/Amiga/arvex_Cache.txt", cache);
        dir.write("Config/Arcade/arvex.ini", "[Settings]\r\nRomPath=./Arcade/\r\nDir_Parameter=*.zip\r\n");
        dir.write("Arcade/1942.zip", "ZIP");
        dir.write("Arcade/sf2.zip", "ZIP");
        dir.write("Config/Arcade/arvex_Cache.txt", "./Arcade/1942.zip\r\n" + k1942.toUtf8()
                                                       + "\r\n./Arcade/sf2.zip\r\n" + kStreetFighter.toUtf8() + "\r\n");
        app = std::make_unique<LauncherAssembly>(SettingsPaths(dir.path(), QStringLiteral("arvex")));
        window = &app->window();
        panel = &app->lists();
        window->setEndProcess([](int) {});
    }
    ~Collection()
    {
        app.reset();
        AppEnvironment::setOverrides({}, {});
    }

    void load()
    {
        ASSERT_EQ(window->Form_Load(), MainWindow::StartResult::Running);
        window->resize(900, 600);
        window->show();
        window->activateWindow();
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    void switchTo(const QString& emulator)
    {
        const int row = window->EmuListbox->findText(emulator);
        ASSERT_GE(row, 0) << emulator.toStdString();
        window->ShowEmulatorList(true);
        window->EmulatorLongListbox->setCurrentRow(row);
        window->EmulatorLongListbox_Click();
        window->SelectEmulator();
        settle();
        ASSERT_EQ(window->currentEmulator(), emulator);
    }
    void key(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers);
        QCoreApplication::sendEvent(target, &event);
        settle();
    }
    QRect inWindow(const QWidget* w) const { return {w->mapTo(window, QPoint(0, 0)), w->size()}; }
};

// Empty when `shown` is `name` whole, or a beginning of it ending in an
// ellipsis, with only blanks left out at line breaks; else the fault.
std::string gapIn(const QString& name, const QString& shown)
{
    qsizetype i = 0;
    for (qsizetype j = 0; j < shown.size(); ++j) {
        if (shown[j] == QChar(kNameLabelEllipsis) && j == shown.size() - 1)
            return {};
        if (shown[j] == u'\n') {
            while (i < name.size() && name[i] == u' ')
                ++i;
            continue;
        }
        if (i >= name.size() || name[i] != shown[j])
            return "gap at character " + std::to_string(i) + " of '" + shown.toStdString() + "'";
        ++i;
    }
    return i == name.size() ? std::string() : "ends early: '" + shown.toStdString() + "'";
}

TEST(NameLabel, ShowsTheWholeNameOrItsBeginningAfterAnEmulatorSwitchAtEveryWidth)
{
    // A large desktop font, as on a television across the room: the label
    // is then narrow for the names.
    const QFont desktopFont = QApplication::font();
    QFont large = desktopFont;
    large.setPointSize(22);
    QApplication::setFont(large);
    struct RestoreFont {
        QFont font;
        ~RestoreFont() { QApplication::setFont(font); }
    } restore{desktopFont};

    Collection c;
    c.load();
    QLabel* label = c.window->Current_ProgramNameFull;
    c.switchTo(QStringLiteral("Arcade"));
    QListView* complete = c.panel->listView(GameListsPanel::Complete);
    c.panel->focusList(GameListsPanel::Complete);
    c.settle();
    ASSERT_EQ(complete->model()->rowCount(), 2);

    int wrapped = 0;
    // From roomy down to the window's smallest width.
    for (int width = 1400; width >= 300; width -= 40) {
        c.window->resize(width, 600);
        c.settle();
        for (int row = 0; row < 2; ++row) {
            complete->setCurrentIndex(complete->model()->index(row, 0));
            c.settle();
            const QString name = row == 0 ? k1942 : kStreetFighter;
            const QString shown = label->text();
            const std::string where = name.toStdString() + " at window width " + std::to_string(c.window->width())
                + ", label width " + std::to_string(label->contentsRect().width());
            EXPECT_EQ(gapIn(name, shown), "") << where;
            // Every line lies inside the label: nothing is clipped at its edges.
            const QFontMetrics metrics(label->font());
            const QStringList lines = shown.split(u'\n');
            EXPECT_LE(int(lines.size()) * metrics.lineSpacing(), label->contentsRect().height()) << where;
            for (const QString& line : lines) {
                EXPECT_LE(metrics.horizontalAdvance(line), label->contentsRect().width())
                    << where << ": " << line.toStdString();
            }
            wrapped += lines.size() > 1 ? 1 : 0;
            if (label->contentsRect().width() > QFontMetrics(label->parentWidget()->font()).horizontalAdvance(name) + 4) {
                EXPECT_EQ(shown, name) << where;
            }
        }
    }
    // Some width needed a second line.
    EXPECT_GT(wrapped, 0);

    // Roomy again: the name is whole again in one line.
    c.window->resize(1400, 600);
    c.settle();
    EXPECT_EQ(label->text(), kStreetFighter);
}

TEST(FocusStyle, TheFocusedListIsFramedAndOnlyItsSelectionIsBright)
{
    Collection c;
    c.load();
    QListView* favourites = c.panel->listView(GameListsPanel::Favourites);
    QListView* simple = c.panel->listView(GameListsPanel::Simple);
    FocusStyle* style = c.panel->focusStyle();
    ASSERT_NE(style, nullptr);
    const FocusColours colours = FocusColoursFor(kAmigaBack, kAmigaFont);

    // Both lists have a selected row; the focus goes from the favourites to
    // the simple list with Right, as on the keyboard.
    c.panel->focusList(GameListsPanel::Favourites);
    c.settle();
    c.key(favourites, Qt::Key_Right);
    ASSERT_EQ(QApplication::focusWidget(), simple);
    ASSERT_TRUE(favourites->currentIndex().isValid());
    ASSERT_TRUE(simple->currentIndex().isValid());

    // The style may shade a selection a little: near is enough.
    const auto near = [](const QImage& shot, QPoint windowPoint, const QColor& expected) {
        const QColor seen(shot.pixel(windowPoint));
        return std::abs(seen.red() - expected.red()) <= 12 && std::abs(seen.green() - expected.green()) <= 12
            && std::abs(seen.blue() - expected.blue()) <= 12;
    };
    // A point in the thick band of the ring below a control, and one at the
    // right end of a list's selected row (no text there).
    const auto besides = [&c](const QWidget* w) {
        const QRect r = c.inWindow(w);
        return QPoint(r.center().x(), r.bottom() + 3);
    };
    const auto selectedRow = [&c](const QListView* view) {
        const QRect row = view->visualRect(view->currentIndex());
        return view->viewport()->mapTo(c.window, QPoint(row.right() - 4, row.center().y()));
    };

    QImage shot = c.window->grab().toImage();
    EXPECT_EQ(style->framedControl(), simple);
    EXPECT_TRUE(style->ring()->isVisible());
    EXPECT_TRUE(style->ring()->geometry().contains(c.inWindow(simple)));
    EXPECT_TRUE(near(shot, besides(simple), kAmigaFont));
    EXPECT_FALSE(near(shot, besides(favourites), kAmigaFont));
    EXPECT_TRUE(near(shot, selectedRow(simple), kAmigaFont));
    EXPECT_TRUE(near(shot, selectedRow(favourites), colours.dimmed));
    // Dimmed in every palette group, so an inactive window does not bring
    // the bright selection back to the unfocused list.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        EXPECT_EQ(favourites->palette().color(group, QPalette::Highlight), colours.dimmed);

    // Left: the marks move with the focus.
    c.key(simple, Qt::Key_Left);
    ASSERT_EQ(QApplication::focusWidget(), favourites);
    shot = c.window->grab().toImage();
    EXPECT_EQ(style->framedControl(), favourites);
    EXPECT_TRUE(near(shot, besides(favourites), kAmigaFont));
    EXPECT_FALSE(near(shot, besides(simple), kAmigaFont));
    EXPECT_TRUE(near(shot, selectedRow(favourites), kAmigaFont));
    EXPECT_TRUE(near(shot, selectedRow(simple), colours.dimmed));
}

TEST(FocusStyle, EveryFocusedControlGetsTheRingInTheLookOfItsEmulator)
{
    Collection c;
    c.load();
    struct Row {
        const char* emulator;
        QColor ring;
    } rows[] = {
        {"Amiga", kAmigaFont},
        {"Arcade", QColor(Qt::white)}, // built-in look: white on blue
    };
    for (const Row& r : rows) {
        c.switchTo(QString::fromLatin1(r.emulator));
        FocusStyle* style = c.panel->focusStyle();
        // The emulator box last: its focus lays the emulator list over the game lists.
        QWidget* controls[] = {c.panel->listView(GameListsPanel::Complete), c.panel->searchBox(), c.window->ExitBtn,
                               c.window->EmuListbox};
        for (QWidget* control : controls) {
            if (qobject_cast<QListView*>(control))
                c.panel->focusList(GameListsPanel::Complete);
            else
                control->setFocus(Qt::TabFocusReason);
            c.settle();
            const std::string where = std::string(r.emulator) + ": " + control->objectName().toStdString();
            ASSERT_EQ(QApplication::focusWidget(), control) << where;
            EXPECT_EQ(style->framedControl(), control) << where;
            const QRect at = c.inWindow(control);
            EXPECT_EQ(style->ring()->geometry(),
                      at.adjusted(-FocusStyle::kRingWidth, -FocusStyle::kRingWidth, FocusStyle::kRingWidth,
                                  FocusStyle::kRingWidth))
                << where;
            const QImage shot = c.window->grab().toImage();
            EXPECT_EQ(QColor(shot.pixel(at.left() - 3, at.center().y())), r.ring) << where;
            EXPECT_EQ(QColor(shot.pixel(at.center().x(), at.bottom() + 3)), r.ring) << where;
        }
        // Tab moves the focus on, and the ring follows.
        QWidget* before = QApplication::focusWidget();
        c.key(before, Qt::Key_Tab);
        QWidget* after = QApplication::focusWidget();
        ASSERT_NE(after, nullptr);
        EXPECT_NE(after, before);
        EXPECT_TRUE(style->ring()->geometry().contains(c.inWindow(after))) << after->objectName().toStdString();
    }
}

TEST(FocusStyle, RingFollowsItsControlWhenTheWindowChangesSizeAndHidesWithIt)
{
    Collection c;
    c.load();
    QListView* simple = c.panel->listView(GameListsPanel::Simple);
    c.panel->focusList(GameListsPanel::Simple);
    c.settle();
    QWidget* ring = c.panel->focusStyle()->ring();
    const QRect before = ring->geometry();
    c.window->resize(1200, 800);
    c.settle();
    EXPECT_NE(ring->geometry(), before);
    EXPECT_TRUE(ring->geometry().contains(c.inWindow(simple)));
    // Hidden lists (while a list is rebuilt): no ring around an empty place;
    // where the focus went, the ring went.
    c.panel->setPanelsVisible(false);
    c.settle();
    EXPECT_FALSE(ring->isVisible() && ring->geometry().contains(c.inWindow(simple)));
    if (ring->isVisible()) {
        ASSERT_NE(c.panel->focusStyle()->framedControl(), nullptr);
        EXPECT_TRUE(c.panel->focusStyle()->framedControl()->isVisible());
    }
    c.panel->setPanelsVisible(true);
    c.panel->focusList(GameListsPanel::Simple);
    c.settle();
    EXPECT_TRUE(ring->isVisible());
    EXPECT_TRUE(ring->geometry().contains(c.inWindow(simple)));
}

} // namespace
