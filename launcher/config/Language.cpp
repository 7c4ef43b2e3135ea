#include "config/Language.h"

#include <QLocale>

namespace {
int g_language = kLanguageEnglish;
}

QString GetLocaleText(int type)
{
    if (type != kLocaleEnglishLanguageName)
        return {};
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        return {};
    return QLocale::languageToString(locale.language());
}

bool IsGermanSystem()
{
    return GetLocaleText(kLocaleEnglishLanguageName).toUpper().contains(QLatin1String("GERMAN"));
}

int currentLanguage() { return g_language; }

void setCurrentLanguage(int language)
{
    g_language = language == kLanguageGerman ? kLanguageGerman : kLanguageEnglish;
}

QString Msg(const QString& german, const QString& english)
{
    return g_language == kLanguageGerman ? german : english;
}
