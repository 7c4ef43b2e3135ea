// The game-list area's buttons in a real main window (offscreen): their
// captions in both interface languages and what the favourite button reports.
#include "WindowFixture.h"

#include "config/Language.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

struct LanguageGuard {
    int saved = currentLanguage();
    ~LanguageGuard() { setCurrentLanguage(saved); }
};

TEST(ListButtons, CaptionsFollowTheInterfaceLanguage)
{
    struct Row {
        const char* control;
        const char* german;
        const char* english;
    };
    const Row rows[] = {
        {"LoadBtn", "Liste Neu einlesen", "Rescan list"},
        {"AddToFavorit", "+ Favorit", "+ Favorite"},
        {"DeLFav", "- Favorit", "- Favorite"},
        {"FavoritenReparierenLabel", "Favoriten reparieren", "Repair favorites"},
        {"StartBtn", "Starten", "Start"},
    };
    const LanguageGuard guard;
    Program p;
    p.start();
    for (int language : {kLanguageGerman, kLanguageEnglish}) {
        setCurrentLanguage(language);
        p.window->LoadSettings();
        for (const Row& row : rows) {
            auto* button = p.window->findChild<QPushButton*>(QString::fromLatin1(row.control));
            ASSERT_NE(button, nullptr) << row.control;
            EXPECT_EQ(button->text(),
                      QString::fromUtf8(language == kLanguageGerman ? row.german : row.english))
                << row.control << " " << language;
        }
        EXPECT_EQ(p.window->findChild<QCheckBox*>("FullscreenCheck")->text(),
                  language == kLanguageGerman ? "Vollbild" : "Full screen");
    }
}

} // namespace
