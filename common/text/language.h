#pragma once

#include <QLocale>

// The language of the program's texts: 2 is English (locale en_GB), any other value Italian (it_IT).
constexpr int kLanguageNotChosen = 0;
constexpr int kLanguageItalian = 1;
constexpr int kLanguageEnglish = 2;

// Sets the language of the string tables, the default locale and Qt's own texts (InstallQtTranslation);
// call it on the GUI thread.
void SetLanguage(int language);
int CurrentLanguage();
bool IsEnglish();
QLocale LanguageLocale(int language);
