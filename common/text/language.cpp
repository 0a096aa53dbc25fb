#include "language.h"

#include <QLocale>

#include <atomic>

namespace {
std::atomic<int> g_language = kLanguageNotChosen;
}

void SetLanguage(int language)
{
    g_language = language;
    QLocale::setDefault(QLocale(language == kLanguageEnglish ? QStringLiteral("en_GB") : QStringLiteral("it_IT")));
}

int CurrentLanguage() { return g_language; }

bool IsEnglish() { return g_language == kLanguageEnglish; }
