#include "config/Language.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The locale is read once per process, so each case runs the probe as a child.
int languageFor(const QStringList& env)
{
    QProcess child;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        e.remove(name);
    for (const QString& kv : env)
        e.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
    child.setProcessEnvironment(e);
    child.start(QStringLiteral(ARVEX_TEST_BIN_DIR) + "/arvex_config_probe", {"language"});
    child.waitForFinished(10000);
    return child.readAllStandardOutput().trimmed().toInt();
}

} // namespace

TEST(Language, FollowsTheLocale)
{
    EXPECT_EQ(languageFor({"LANG=de_DE.UTF-8"}), kLanguageGerman);
    EXPECT_EQ(languageFor({"LANG=de_CH.UTF-8"}), kLanguageGerman);
    EXPECT_EQ(languageFor({"LANG=en_US.UTF-8", "LC_ALL=de_AT.UTF-8"}), kLanguageGerman);
    EXPECT_EQ(languageFor({"LANG=gsw_CH.UTF-8"}), kLanguageGerman); // Swiss German
    EXPECT_EQ(languageFor({"LANG=en_GB.UTF-8"}), kLanguageEnglish);
    EXPECT_EQ(languageFor({"LANG=fr_FR.UTF-8"}), kLanguageEnglish);
    EXPECT_EQ(languageFor({"LANG=C"}), kLanguageEnglish);
    EXPECT_EQ(languageFor({}), kLanguageEnglish);
}

TEST(Language, MessagesFollowTheCurrentLanguage)
{
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(Msg("Beenden", "Exit"), "Beenden");
    setCurrentLanguage(kLanguageEnglish);
    EXPECT_EQ(Msg("Beenden", "Exit"), "Exit");
    setCurrentLanguage(7);
    EXPECT_EQ(currentLanguage(), kLanguageEnglish);
}
