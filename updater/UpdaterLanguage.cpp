#include "UpdaterLanguage.h"

#include <QLocale>

namespace {
bool g_german = false;
}

bool SystemLanguageIsGerman()
{
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        return false;
    return QLocale::languageToString(locale.language()).toUpper().contains(QLatin1String("GERMAN"));
}

void SetUpdaterGerman(bool german) { g_german = german; }

bool UpdaterIsGerman() { return g_german; }

QString Tx(const QString& german, const QString& english) { return g_german ? german : english; }
