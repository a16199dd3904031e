#include "platform/language.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

namespace noctaris {
namespace {

// The translators live as children of the application, so they go with it.
QPointer<QTranslator> gOwn;
QPointer<QTranslator> gQt;

void Remove(QPointer<QTranslator>& translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator);
    delete translator.data();
}

// Loads one of the built-in .qm files (":/i18n/<name>.qm") and installs it.
bool Install(QPointer<QTranslator>& slot, const QString& name) {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(name, QStringLiteral(":/i18n"))) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    slot = t;
    return true;
}

}  // namespace

Language LanguageForLocale(const QLocale& locale) {
    return locale.language() == QLocale::German ? Language::German : Language::English;
}

std::optional<Language> ParseLanguage(const QString& value) {
    if (value == QLatin1String("de")) return Language::German;
    if (value == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

std::optional<Language> ChooseLanguage(const std::optional<QString>& option, const QLocale& system) {
    if (option) return ParseLanguage(*option);
    return LanguageForLocale(system);
}

bool InstallLanguage(Language language) {
    Remove(gOwn);
    Remove(gQt);
    if (language == Language::English) return true;
    if (QCoreApplication::instance() == nullptr) return false;
    // Qt's own first: the translator installed last is asked first, and ours may word a
    // standard text differently.
    const bool qt = Install(gQt, QStringLiteral("qtbase_de"));
    const bool own = Install(gOwn, QStringLiteral("noctaris_de"));
    return qt && own;
}

Language CurrentLanguage() { return gOwn ? Language::German : Language::English; }

}  // namespace noctaris
