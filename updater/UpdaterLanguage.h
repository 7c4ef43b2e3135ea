#pragma once
// The updater's interface language: German when the English name of the
// user's language (as Qt reads it from LANGUAGE, LC_ALL, LC_MESSAGES, LANG)
// contains "GERMAN", English otherwise. Chosen once at start-up; every text
// is picked with Tx(german, english) when it is shown. UI thread.
#include <QString>

bool SystemLanguageIsGerman();
void SetUpdaterGerman(bool german);
bool UpdaterIsGerman();
QString Tx(const QString& german, const QString& english);
