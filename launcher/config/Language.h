#pragma once
// The interface language: 1 German, 2 English, taken from the user's locale
// at start-up (German when the language's English name contains "GERMAN").
// Every message is picked at the moment it is shown with Msg(de, en).
#include <QString>

constexpr int kLanguageGerman = 1;
constexpr int kLanguageEnglish = 2;

// Locale information types understood by GetLocaleText.
constexpr int kLocaleEnglishLanguageName = 4097;

// The user locale's text for an information type; empty when unknown.
QString GetLocaleText(int type);
bool IsGermanSystem();

// The language of the running program (1 or 2); English until set.
int currentLanguage();
void setCurrentLanguage(int language);

// The German text when the current language is 1, else the English text.
QString Msg(const QString& german, const QString& english);
