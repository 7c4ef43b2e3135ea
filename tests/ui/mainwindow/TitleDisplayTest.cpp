// How the title text is drawn in the window caption and the title label,
// and that the text read back is the one given (the library restores it).
#include "config/SettingsPaths.h"
#include "support/TempDir.h"
#include "ui/MainWindow.h"
#include "ui/TitleDisplay.h"

#include <QLabel>

#include <gtest/gtest.h>

TEST(TitleDisplay, LineBreaksShowAsASeparatorInTheCaptionAndAsABreakInTheLabel)
{
    struct Row {
        QString text;
        QString caption;
        QString label;
    } rows[] = {
        {"Suche: *.adf\r/games/", "Suche: *.adf — /games/", "Suche: *.adf\n/games/"},
        {"a\r\nb", "a — b", "a\nb"},
        {"a\nb\rc", "a — b — c", "a\nb\nc"},
        {"Saving List..", "Saving List..", "Saving List.."},
        // Qt's modified-marker placeholder stays visible in a caption.
        {"Suche: *.*\r/g/[*]/", "Suche: *.* — /g/[*][*]/", "Suche: *.*\n/g/[*]/"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TitleDisplay::forWindowTitle(r.text), r.caption) << r.caption.toStdString();
        EXPECT_EQ(TitleDisplay::forLabel(r.text), r.label) << r.caption.toStdString();
    }
}

TEST(TitleDisplay, GivesBackTheTextAsGivenUntilTheCaptionIsSetElsewhere)
{
    TempDir dir;
    MainWindow window(SettingsPaths(dir.path(), "arvex"));
    TitleDisplay title(window);

    title.setText("Suche: <b>*.adf</b>\r/games/");
    EXPECT_EQ(title.text(), "Suche: <b>*.adf</b>\r/games/");
    EXPECT_EQ(window.windowTitle(), "Suche: <b>*.adf</b> — /games/");
    EXPECT_EQ(window.TitleStr->text(), "Suche: <b>*.adf</b>\n/games/");
    EXPECT_EQ(window.TitleStr->textFormat(), Qt::PlainText); // folder names are no markup

    window.setWindowTitle("Amiga Corner");
    EXPECT_EQ(title.text(), "Amiga Corner");

    window.TitleString = "Amiga Corner";
    window.MyCaptionLabel->setText("Joysticks: 1");
    title.setText("Saving List..");
    title.showTitleString();
    EXPECT_EQ(window.windowTitle(), "Amiga Corner");
    EXPECT_EQ(window.TitleStr->text(), "Amiga Corner");
    EXPECT_EQ(window.MyCaptionLabel->text(), "Amiga Corner");
}
