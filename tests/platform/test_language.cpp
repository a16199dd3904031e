// The language follows the system locale unless --lang names one, and installing German makes
// both the program's texts and Qt's own standard texts German; English removes every translator.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "platform/language.h"

using namespace noctaris;

namespace {

// A text of the main window and one of Qt's standard buttons, as a user sees them.
QString FileMenu() { return QCoreApplication::translate("noctaris::MainWindow", "&File"); }
QString QtCancel() { return QCoreApplication::translate("QPlatformTheme", "Cancel"); }

class LanguageInstall : public ::testing::Test {
protected:
    void TearDown() override { InstallLanguage(Language::English); }
};

}  // namespace

TEST(Language, GermanForEveryGermanLocaleEnglishForTheRest) {
    for (const char* name : {"de_DE", "de_AT", "de_CH", "de_LU", "de"})
        EXPECT_EQ(LanguageForLocale(QLocale(QString::fromLatin1(name))), Language::German) << name;
    for (const char* name : {"en_US", "en_GB", "fr_FR", "nl_NL", "da_DK", "C"})
        EXPECT_EQ(LanguageForLocale(QLocale(QString::fromLatin1(name))), Language::English) << name;
    EXPECT_EQ(LanguageForLocale(QLocale::c()), Language::English);
}

TEST(Language, TheOptionTakesDeOrEnOnly) {
    EXPECT_EQ(ParseLanguage("de"), Language::German);
    EXPECT_EQ(ParseLanguage("en"), Language::English);
    for (const char* bad : {"", "DE", "En", "german", "de_DE", "fr", " de", "de "})
        EXPECT_FALSE(ParseLanguage(QString::fromLatin1(bad)).has_value()) << '"' << bad << '"';
}

TEST(Language, TheOptionOverridesTheLocaleAndABadValueIsNoLanguage) {
    const QLocale german("de_AT"), french("fr_FR");
    EXPECT_EQ(ChooseLanguage(std::nullopt, german), Language::German);
    EXPECT_EQ(ChooseLanguage(std::nullopt, french), Language::English);
    EXPECT_EQ(ChooseLanguage(QStringLiteral("en"), german), Language::English);
    EXPECT_EQ(ChooseLanguage(QStringLiteral("de"), french), Language::German);
    EXPECT_FALSE(ChooseLanguage(QStringLiteral("fr"), french).has_value());
    EXPECT_FALSE(ChooseLanguage(QStringLiteral("xx"), german).has_value()) << "no fallback to the locale";
}

TEST_F(LanguageInstall, GermanTranslatesOursAndQtsEnglishRemovesBoth) {
    ASSERT_EQ(FileMenu(), "&File");
    ASSERT_EQ(QtCancel(), "Cancel");
    EXPECT_EQ(CurrentLanguage(), Language::English);
    ASSERT_TRUE(InstallLanguage(Language::German)) << "the built-in translations are missing";
    EXPECT_EQ(CurrentLanguage(), Language::German);
    EXPECT_EQ(FileMenu(), "&Datei");
    EXPECT_EQ(QtCancel(), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("TimeStep", "1 hour"), QString::fromUtf8("1 Stunde"));
    ASSERT_TRUE(InstallLanguage(Language::English));
    EXPECT_EQ(CurrentLanguage(), Language::English);
    EXPECT_EQ(FileMenu(), "&File");
    EXPECT_EQ(QtCancel(), "Cancel");
}

TEST_F(LanguageInstall, InstallingTwiceKeepsOneSetOfTranslators) {
    ASSERT_TRUE(InstallLanguage(Language::German));
    ASSERT_TRUE(InstallLanguage(Language::German));
    EXPECT_EQ(FileMenu(), "&Datei");
    ASSERT_TRUE(InstallLanguage(Language::English));
    EXPECT_EQ(FileMenu(), "&File") << "a translator of the first call was left behind";
}

TEST_F(LanguageInstall, NumbersAndDatesKeepTheLocale) {
    // The language changes words only: German texts under an English locale keep its numbers.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(InstallLanguage(Language::German));
    EXPECT_EQ(QLocale().name(), "en_US");
    EXPECT_EQ(QLocale().toString(1.5, 'f', 1), "1.5");
    QLocale::setDefault(before);
}
