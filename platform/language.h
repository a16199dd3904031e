#pragma once
// The language of the program's texts: German or English. English is the language of the
// source texts, so it needs no translator; German installs the program's own translation and
// Qt's (the standard dialogs' buttons), both built into the program. Numbers and dates follow
// the system locale whatever the language.
#include <optional>

#include <QLocale>
#include <QString>

namespace noctaris {

enum class Language { English, German };

// German for any German locale (de_DE, de_AT, de_CH, ...), English for every other.
Language LanguageForLocale(const QLocale& locale);
// The value of a --lang option: "de" or "en"; anything else is none.
std::optional<Language> ParseLanguage(const QString& value);
// The language named by --lang when given, else the system locale's. Nullopt for a bad value.
std::optional<Language> ChooseLanguage(const std::optional<QString>& option, const QLocale& system);

// Makes the running application's texts appear in `language`: German installs the translators
// (replacing any installed before), English removes them. Call after the application object
// exists. Returns false when a built-in translation could not be loaded; the texts then stay
// English.
bool InstallLanguage(Language language);

// The language InstallLanguage made the texts' (English before any call): the names of places
// and constellations follow it.
Language CurrentLanguage();

}  // namespace noctaris
