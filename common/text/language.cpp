#include "language.h"

#include "qttranslation.h"

#include <atomic>

namespace {
std::atomic<int> g_language = kLanguageNotChosen;
}

void SetLanguage(int language)
{
    g_language = language;
    QLocale::setDefault(LanguageLocale(language));
    InstallQtTranslation(language);
}

int CurrentLanguage() { return g_language; }

bool IsEnglish() { return g_language == kLanguageEnglish; }

QLocale LanguageLocale(int language)
{
    return QLocale(language == kLanguageEnglish ? QStringLiteral("en_GB") : QStringLiteral("it_IT"));
}
