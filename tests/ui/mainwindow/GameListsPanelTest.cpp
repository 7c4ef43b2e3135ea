// The game-list area inside a real main window (offscreen) over a real
// temporary collection: profile folder, game tree, list cache, favourites,
// pictures.
#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "library/ListCache.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "ui/GameListsPanel.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString S = QStringLiteral("Settings");

// In list order: the three Alpha disks are neighbours, as are Turrican's two.
const QStringList kGames = {
    "Alpha (1990)(Xenon)(Disk 1 of 3).adf",
    "Alpha (1990)(Xenon)(Disk 2 of 3).adf",
    "Alpha (1990)(Xenon)(Disk 3 of 3).adf",
    "Lemmings (1991)(Psygnosis).adf",
    "Turrican II (1991)(Rainbow Arts)(Disk 1 of 2).adf",
    "Turrican II (1991)(Rainbow Arts)(Disk 2 of 2).adf",
    "Zool (1992)(Gremlin).adf",
};

struct Collection {
    TempDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<GameListsPanel> panel; // destroyed before the window
    QStringList launched;

    explicit Collection(const QString& smart = QStringLiteral("1"), bool withCache = true)
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\nFontsize=4\r\n");
        dir.write("Config/Amiga/arvex.ini", "[Settings]\r\nRomPath=./Games/\r\nDir_Parameter=*.adf\r\n"
                                            "SmartRomSelection=" + smart.toUtf8() + "\r\n");
        for (const QString& game : kGames)
            dir.write("Games/" + game, "disk");
        dir.write("Games/readme.txt", "not a game");
        dir.write("Config/Amiga/Favoriten.ini",
                  "[Favoriten]\r\nFav0_Name=Lemmings\r\nFav0_FullPath=./Games/Lemmings (1991)(Psygnosis).adf\r\n");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        dir.mkdir("Config/Amiga/Pictures");
        picture.save(dir.file("Config/Amiga/Pictures/Zool (1992)(Gremlin).png"));
        if (withCache) {
            QStringList names = {"Alpha (1990)(Xenon)", "Alpha (1990)(Xenon)", "Alpha (1990)(Xenon)",
                                 "Lemmings (1991)(Psygnosis)", "Turrican II (1991)(Rainbow Arts)",
                                 "Turrican II (1991)(Rainbow Arts)", "Zool from the cache"};
            ListCache::write(dir.file("Config/Amiga/arvex_Cache.txt"), paths(), names, dir.path());
        }
    }
    ~Collection() { AppEnvironment::setOverrides({}, {}); }

    QStringList paths() const
    {
        QStringList out;
        for (const QString& game : kGames)
            out << dir.file("Games/" + game);
        return out;
    }

    GameListsPanel& start()
    {
        window = std::make_unique<MainWindow>(SettingsPaths(dir.path(), "arvex"));
        panel = std::make_unique<GameListsPanel>(window.get());
        window->setGameListsPart(panel.get());
        window->setEndProcess([](int) {});
        QObject::connect(panel.get(), &GameListsPanel::launchRequested,
                         [this](const QString& path) { launched << path; });
        window->Form_Load();
        window->resize(800, 600);
        window->show();
        QApplication::processEvents();
        return *panel;
    }

    // Makes `row` the current entry of a list as a click or arrow key does.
    void pick(int area, int row)
    {
        QListView* view = panel->listView(area);
        panel->focusList(area);
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    void key(QWidget* target, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    int rows(int area) { return panel->listView(area)->model()->rowCount(); }
    QString favouritesFile() { return QString::fromUtf8(dir.read("Config/Amiga/Favoriten.ini")); }
};

TEST(GameListsPanel, FillsTheListsAndTabCaptionsFromTheCache)
{
    Collection c;
    GameListsPanel& panel = c.start();
    EXPECT_EQ(c.rows(GameListsPanel::Complete), 7);
    // The cached display name is shown: the list came from the cache, not a scan.
    EXPECT_EQ(panel.listView(GameListsPanel::Complete)->model()->index(6, 0).data().toString(),
              "Zool from the cache");
    EXPECT_EQ(panel.simpleNames(),
              QStringList({"Alpha (1990)(Xenon)", "Lemmings (1991)(Psygnosis)",
                           "Turrican II (1991)(Rainbow Arts)", "Zool from the cache"}));
    EXPECT_EQ(c.rows(GameListsPanel::Simple), 4);
    EXPECT_EQ(c.rows(GameListsPanel::Favourites), 1);
    EXPECT_EQ(panel.tabCaption(GameListsPanel::Complete), " Complete List (7) ");
    EXPECT_EQ(panel.tabCaption(GameListsPanel::Simple), " Simple (4) ");
    EXPECT_EQ(panel.tabCaption(GameListsPanel::Favourites), " Favorites (1) ");
    EXPECT_EQ(panel.tabCaption(GameListsPanel::SearchResults), "Suchergebnisse");
    // With favourites present the window starts on them.
    EXPECT_EQ(c.window->FocusArea, "1");
}

TEST(GameListsPanel, RebuildScansTheGameFolderAndWritesCacheAndCount)
{
    Collection c(QStringLiteral("1"), false);
    GameListsPanel& panel = c.start();
    EXPECT_EQ(c.rows(GameListsPanel::Complete), 0);
    panel.LoadBtn_Click();
    EXPECT_EQ(panel.completePaths(), c.paths());
    EXPECT_EQ(c.rows(GameListsPanel::Complete), 7);
    EXPECT_EQ(c.rows(GameListsPanel::Simple), 4);
    EXPECT_EQ(panel.tabCaption(GameListsPanel::Complete), " Complete List (7) ");
    EXPECT_TRUE(QFileInfo::exists(c.dir.file("Config/Amiga/arvex_Cache.txt")));
    EXPECT_EQ(GetPrivateProfileString(S, "RomCount", c.dir.file("Config/Amiga/arvex.ini")), "7");
    EXPECT_TRUE(c.window->EmuListbox->isEnabled());
    EXPECT_TRUE(c.window->findChild<QPushButton*>("LoadBtn")->isEnabled());
}

TEST(GameListsPanel, CompleteListClickPutsTheRelatedDisksIntoTheDrives)
{
    Collection c;
    GameListsPanel& panel = c.start();
    EXPECT_TRUE(panel.drivePanelShown());
    c.pick(GameListsPanel::Complete, 1); // Alpha disk 2
    const QStringList paths = c.paths();
    EXPECT_EQ(panel.driveSlot(0), paths[0]);
    EXPECT_EQ(panel.driveSlot(1), paths[1]);
    EXPECT_EQ(panel.driveSlot(2), paths[2]);
    EXPECT_EQ(panel.driveSlot(3), QString());
    EXPECT_TRUE(panel.driveTicked(2));
    EXPECT_FALSE(panel.driveTicked(3));
    EXPECT_TRUE(panel.addFavouriteVisible());

    // A click in the simple list takes its game alone (identical file names only).
    c.pick(GameListsPanel::Simple, 2); // Turrican II
    EXPECT_EQ(panel.driveSlot(0), paths[4]);
    EXPECT_EQ(panel.driveSlot(1), QString());
    EXPECT_EQ(panel.listView(GameListsPanel::Complete)->currentIndex().row(), 4);
    EXPECT_EQ(panel.selectedFullPath(GameListsPanel::Simple), paths[4]);
}

TEST(GameListsPanel, MultipleSelectionBeyondFiveDrivesReportsNoEmptyDrive)
{
    Collection c(QStringLiteral("0"));
    GameListsPanel& panel = c.start();
    EXPECT_FALSE(panel.drivePanelShown());
    QListView* view = panel.listView(GameListsPanel::Complete);
    panel.focusList(GameListsPanel::Complete);
    view->clearSelection();
    for (int row = 0; row < 6; ++row)
        view->selectionModel()->setCurrentIndex(view->model()->index(row, 0), QItemSelectionModel::Select);
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(panel.driveSlot(slot), c.paths()[slot]) << slot;
    EXPECT_EQ(c.window->LoadingBtn->text(), "No empty drive");
}

TEST(GameListsPanel, AnEmptyDriveBoxCannotBeTicked)
{
    Collection c;
    GameListsPanel& panel = c.start();
    c.pick(GameListsPanel::Complete, 3); // Lemmings: one disk
    auto* box4 = c.window->findChild<QCheckBox*>("Check_Dfx4");
    ASSERT_NE(box4, nullptr);
    box4->click();
    EXPECT_FALSE(box4->isChecked());
    auto* box0 = c.window->findChild<QCheckBox*>("Check_Dfx0");
    box0->click(); // a filled slot may be unticked and ticked again
    EXPECT_FALSE(panel.driveTicked(0));
    box0->click();
    EXPECT_TRUE(panel.driveTicked(0));
}

TEST(GameListsPanel, SearchFillsResultsSelectsTheGameAndEnterStartsIt)
{
    Collection c;
    GameListsPanel& panel = c.start();
    QLineEdit* box = panel.searchBox();
    EXPECT_EQ(box->text(), "Search here..");
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(box, &in);
    EXPECT_EQ(box->text(), QString());

    box->setText("l");
    EXPECT_EQ(c.rows(GameListsPanel::SearchResults), 0);
    box->setText("lem"); // lower case finds the mixed-case name
    EXPECT_EQ(panel.leftTab(), int(GameListsPanel::SearchResults));
    EXPECT_EQ(c.rows(GameListsPanel::SearchResults), 1);
    EXPECT_EQ(panel.tabCaption(GameListsPanel::SearchResults), " Search results (1) ");
    EXPECT_EQ(panel.listView(GameListsPanel::Simple)->currentIndex().row(), 1);
    EXPECT_EQ(panel.listView(GameListsPanel::Complete)->currentIndex().row(), 3);

    c.key(box, Qt::Key_Return);
    EXPECT_EQ(panel.focusArea(), int(GameListsPanel::SearchResults));
    EXPECT_EQ(panel.listView(GameListsPanel::SearchResults)->currentIndex().row(), 0);
    c.key(panel.listView(GameListsPanel::SearchResults), Qt::Key_Return);
    EXPECT_EQ(c.launched, QStringList{c.paths()[3]});

    box->setText("");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(box, &out);
    EXPECT_EQ(box->text(), "Search here..");
}

TEST(GameListsPanel, F3FindsTheNextMatchAfterTheSelection)
{
    Collection c;
    GameListsPanel& panel = c.start();
    QLineEdit* box = panel.searchBox();
    box->setText("(19"); // every game but Zool, whose cached name has no year
    EXPECT_EQ(c.rows(GameListsPanel::SearchResults), 3);
    EXPECT_EQ(panel.listView(GameListsPanel::Simple)->currentIndex().row(), 0);
    c.key(box, Qt::Key_F3);
    EXPECT_EQ(panel.listView(GameListsPanel::Simple)->currentIndex().row(), 1);
    EXPECT_EQ(c.rows(GameListsPanel::SearchResults), 2); // Lemmings and Turrican
    c.key(box, Qt::Key_Down);
    EXPECT_EQ(panel.focusArea(), int(GameListsPanel::SearchResults));
}

TEST(GameListsPanel, EnterAndDoubleClickStartTheSelectedGame)
{
    Collection c;
    GameListsPanel& panel = c.start();
    c.pick(GameListsPanel::Complete, 6);
    c.key(panel.listView(GameListsPanel::Complete), Qt::Key_Return);
    c.pick(GameListsPanel::Favourites, 0);
    c.key(panel.listView(GameListsPanel::Favourites), Qt::Key_Enter);
    c.pick(GameListsPanel::Simple, 0);
    emit panel.listView(GameListsPanel::Simple)->doubleClicked(panel.listView(GameListsPanel::Simple)->currentIndex());
    EXPECT_EQ(c.launched, QStringList({c.paths()[6], c.paths()[3], c.paths()[0]}));
    // Nothing selected: nothing starts.
    c.panel->listView(GameListsPanel::SearchResults)->setCurrentIndex({});
    panel.startSelected(GameListsPanel::SearchResults);
    EXPECT_EQ(c.launched.size(), 3);
}

TEST(GameListsPanel, AddAndDeleteFavouritesAskingFirst)
{
    Collection c;
    GameListsPanel& panel = c.start();
    c.pick(GameListsPanel::Complete, 6);
    panel.addFavouriteClick();
    EXPECT_EQ(panel.favouriteNames(), QStringList({"Lemmings", "Zool from the cache"}));
    EXPECT_EQ(panel.tabCaption(GameListsPanel::Favourites), " Favorites (2) ");
    EXPECT_EQ(c.window->LoadingBtn->text(), "Favorite add: Zool from the cache");
    EXPECT_TRUE(c.favouritesFile().contains("Fav1_FullPath=./Games/Zool (1992)(Gremlin).adf"));
    c.window->LoadingBtn->setText("Loading..");
    panel.addFavouriteClick(); // the same game again: still one, with the same caption
    EXPECT_EQ(panel.favouritesCount(), 2);
    EXPECT_EQ(c.window->LoadingBtn->text(), "Favorite add: Zool from the cache");

    c.pick(GameListsPanel::Favourites, 1);
    EXPECT_TRUE(panel.removeFavouriteVisible());
    EXPECT_FALSE(panel.addFavouriteVisible());
    QListView* favourites = panel.listView(GameListsPanel::Favourites);
    c.prompt.queue(PromptAnswer::No);
    c.key(favourites, Qt::Key_Delete);
    EXPECT_EQ(c.prompt.lastTitle(), "Remove from Favorite-List?");
    EXPECT_TRUE(c.prompt.lastText().endsWith("Zool from the cache"));
    EXPECT_EQ(panel.favouritesCount(), 2);
    c.prompt.queue(PromptAnswer::Yes);
    c.key(favourites, Qt::Key_Delete);
    EXPECT_EQ(panel.favouriteNames(), QStringList{"Lemmings"});
    EXPECT_EQ(c.rows(GameListsPanel::Favourites), 1);
    EXPECT_FALSE(c.favouritesFile().contains("Zool"));

    c.pick(GameListsPanel::Favourites, 0);
    panel.removeFavouriteClick();
    EXPECT_EQ(panel.favouritesCount(), 0);
    EXPECT_EQ(panel.tabCaption(GameListsPanel::Favourites), " Favorites (0) ");
}

TEST(GameListsPanel, RenamesAFavouriteAndRepairsOneThatMoved)
{
    Collection c;
    c.dir.write("Config/Amiga/Favoriten.ini",
                "[Favoriten]\r\nFav0_Name=Lemmings\r\nFav0_FullPath=./Old/Lemmings (1991)(Psygnosis).adf\r\n");
    GameListsPanel& panel = c.start();
    c.prompt.queueInput("Lemmings Classic");
    panel.editFavouriteName(0);
    EXPECT_EQ(panel.favouriteNames(), QStringList{"Lemmings Classic"});
    EXPECT_TRUE(c.favouritesFile().contains("Fav0_Name=Lemmings Classic"));

    // The file moved: the click finds it by its file name and starts it from its new place.
    c.pick(GameListsPanel::Favourites, 0);
    EXPECT_EQ(panel.selectedFullPath(GameListsPanel::Favourites), c.paths()[3]);
    panel.repairFavourites();
    EXPECT_TRUE(c.favouritesFile().contains("Fav0_FullPath=./Games/Lemmings (1991)(Psygnosis).adf"));
}

TEST(GameListsPanel, AFavouriteWhoseGameIsGoneAsksBeforeRepairing)
{
    Collection c;
    c.dir.write("Config/Amiga/Favoriten.ini",
                "[Favoriten]\r\nFav0_Name=Lemmings\r\nFav0_FullPath=./Games/Lemmings (1991)(Psygnosis).adf\r\n"
                "Fav1_Name=Gone\r\nFav1_FullPath=./Games/Gone (1990).adf\r\n");
    c.prompt.setDefault(PromptAnswer::No);
    GameListsPanel& panel = c.start();
    c.prompt.clear();
    c.pick(GameListsPanel::Favourites, 1);
    EXPECT_EQ(c.prompt.lastTitle(), "Favorite not found - Repair?");
    EXPECT_EQ(panel.favouritesCount(), 2);
    EXPECT_EQ(panel.selectedFullPath(GameListsPanel::Favourites), QString());
    c.prompt.queue(PromptAnswer::Yes);
    c.pick(GameListsPanel::Favourites, 0);
    c.pick(GameListsPanel::Favourites, 1);
    EXPECT_EQ(panel.favouriteNames(), QStringList{"Lemmings"});
    EXPECT_EQ(c.rows(GameListsPanel::Favourites), 1);
}

TEST(GameListsPanel, PreviewShowsTheGamesPictureAndSurvivesABrokenOne)
{
    Collection c;
    c.dir.write("Config/Amiga/Pictures/Turrican II (1991)(Rainbow Arts)(Disk 1 of 2).png", "not a picture");
    GameListsPanel& panel = c.start();
    c.pick(GameListsPanel::Complete, 6);
    EXPECT_TRUE(panel.previewShown());
    EXPECT_EQ(panel.previewFile(), c.dir.file("Config/Amiga/Pictures/Zool (1992)(Gremlin).png"));
    panel.togglePreviewSize();
    EXPECT_TRUE(panel.previewEnlarged());
    c.pick(GameListsPanel::Complete, 4); // broken picture: preview hidden, normal view back
    EXPECT_FALSE(panel.previewShown());
    EXPECT_FALSE(panel.previewEnlarged());
    panel.togglePreviewSize(); // nothing to enlarge
    EXPECT_FALSE(panel.previewEnlarged());
    c.pick(GameListsPanel::Complete, 3); // no picture at all
    EXPECT_FALSE(panel.previewShown());
}

TEST(GameListsPanel, LongEmulatorListCoversTheListsAndLeavesTheEmulatorPictureInView)
{
    Collection c;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    c.dir.mkdir("Config/Amiga/Skin");
    picture.save(c.dir.file("Config/Amiga/Skin/Amiga.png"));
    GameListsPanel& panel = c.start();
    MainWindow& w = *c.window;

    w.ShowEmulatorList(true);
    QApplication::processEvents();
    QWidget* preview = panel.widget()->findChild<QWidget*>(QStringLiteral("GamePicture"));
    QWidget* favourites = panel.listView(GameListsPanel::Favourites);
    QWidget* complete = panel.listView(GameListsPanel::Simple);
    ASSERT_TRUE(preview && favourites && complete);
    const auto inWindow = [&w](QWidget* widget) { return QRect(widget->mapTo(&w, QPoint(0, 0)), widget->size()); };
    EXPECT_TRUE(w.EmulatorLongListbox->isVisible());
    EXPECT_FALSE(favourites->isVisible());
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(panel.previewFile(), c.dir.file("Config/Amiga/Skin/Amiga.png"));
    EXPECT_FALSE(inWindow(w.EmulatorLongListbox).intersects(inWindow(preview)));
    EXPECT_TRUE(inWindow(w.EmulatorLongListbox).contains(inWindow(favourites).center()));
    EXPECT_TRUE(inWindow(w.EmulatorLongListbox).contains(inWindow(complete).center()));

    // It follows the window's size while open.
    w.resize(1200, 900);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(inWindow(w.EmulatorLongListbox).contains(inWindow(complete).center()));
    EXPECT_FALSE(inWindow(w.EmulatorLongListbox).intersects(inWindow(preview)));

    w.LeaveEmulatorBox();
    EXPECT_FALSE(w.EmulatorLongListbox->isVisible());
    EXPECT_TRUE(favourites->isVisible());
}

TEST(GameListsPanel, ListsUseTheSkinColoursAndTheChosenFontSize)
{
    Collection c;
    GameListsPanel& panel = c.start();
    for (int area : {1, 2, 3, 4}) {
        const QPalette palette = panel.listView(area)->palette();
        EXPECT_EQ(palette.color(QPalette::Base), QColor("#0052bc")) << area;
        EXPECT_EQ(palette.color(QPalette::Text), QColor("#FFFFFF")) << area;
        EXPECT_NE(palette.color(QPalette::Highlight), palette.color(QPalette::Base)) << area;
    }
    // Font-size list entry n means 8 + n points; the global settings chose entry 4.
    EXPECT_EQ(panel.listView(GameListsPanel::Simple)->font().pointSize(), 12);
    c.window->FontSizeList->setCurrentIndex(12);
    EXPECT_EQ(panel.listView(GameListsPanel::Complete)->font().pointSize(), 20);
}

TEST(GameListsPanel, RebuildWithoutEmulatorOnlyExplains)
{
    Collection c;
    c.dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=\r\n");
    GameListsPanel& panel = c.start();
    c.prompt.clear();
    panel.LoadBtn_Click();
    EXPECT_EQ(c.prompt.count(), 1);
    EXPECT_EQ(c.rows(GameListsPanel::Complete), 0);
}

TEST(GameListsPanel, NameLabelShowsTheGameAndItsDoubleClickStartsIt)
{
    Collection c;
    c.start();
    c.pick(GameListsPanel::Complete, 3);
    EXPECT_EQ(c.window->Current_ProgramNameFull->text(), "Lemmings (1991)(Psygnosis)");
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(c.window->Current_ProgramNameFull, &dbl);
    EXPECT_EQ(c.launched, QStringList{c.paths()[3]});
}

TEST(GameListsPanel, DrivePanelCollapsesAndExpands)
{
    Collection c;
    GameListsPanel& panel = c.start();
    auto* df0 = c.window->findChild<QCheckBox*>("Check_Dfx0");
    auto* label = c.window->findChild<QLabel*>("DrivesResizeLabel");
    QWidget* drives = c.window->findChild<QWidget*>("SettingsSubPicture");
    const QSize expanded = drives->size();
    QWidget* preview = c.window->findChild<QWidget*>("GamePicture");
    const int previewWidth = preview->width();
    EXPECT_FALSE(df0->isHidden());
    EXPECT_EQ(label->text(), QString(10, u' '));
    panel.DrivesResizeLabel_Click();
    QApplication::processEvents();
    EXPECT_TRUE(panel.drivePanelCollapsed());
    EXPECT_FALSE(df0->isVisible());
    EXPECT_EQ(label->text(), ">");
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(drives->size(), QSize(480 / 15, 210 / 15)); // twips
    EXPECT_EQ(preview->width(), previewWidth); // the column keeps its width
    panel.DrivesResizeLabel_Click();
    QApplication::processEvents();
    EXPECT_FALSE(panel.drivePanelCollapsed());
    EXPECT_TRUE(df0->isVisible());
    EXPECT_EQ(label->text(), QString(10, u' '));
    EXPECT_EQ(drives->size(), expanded);
    // The exit stores the panel's place in twips: a multiple of 15 pixels.
    EXPECT_EQ(panel.drivePanelPosition().x() % 15, 0);
    EXPECT_GT(panel.drivePanelPosition().x(), 0);
}

TEST(GameListsPanel, TheWindowMayGoBeforeThePanel)
{
    Collection c;
    c.start();
    c.pick(GameListsPanel::Complete, 6);
    c.window.reset(); // takes the panel's widgets with it
    EXPECT_EQ(c.panel->widget(), nullptr);
    c.panel.reset();
}

} // namespace

TEST(GameListsPanel, RebuildShowsItsStepsInBothCaptionsThenTheTitleAgain)
{
    Collection c(QStringLiteral("1"), false);
    c.dir.write("Config/Amiga/Skin/Skin.ini", "[Settings]\r\nTitleString=Amiga Corner\r\n");
    GameListsPanel& panel = c.start();
    // Whenever the rebuild lets events run, note what the captions show.
    QStringList captions;
    QStringList labels;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        captions << c.window->windowTitle();
        labels << c.window->TitleStr->text();
    });
    watch.start(0);
    panel.LoadBtn_Click();
    watch.stop();

    const QString folder = c.dir.file("Games/");
    EXPECT_TRUE(captions.contains("Suche: *.adf — " + folder)) << captions.join(" | ").toStdString();
    EXPECT_TRUE(labels.contains("Suche: *.adf\n" + folder)) << labels.join(" | ").toStdString();
    EXPECT_EQ(c.window->windowTitle(), "Amiga Corner");
    EXPECT_EQ(c.window->TitleStr->text(), "Amiga Corner");
    EXPECT_EQ(c.window->MyCaptionLabel->text(), "Amiga Corner");
}
