// The main window in German and in English: menus, actions and toolbar read German with the
// German translation installed and exactly as before without it, and every menu's mnemonics
// stay unique in both languages (a doubled one makes Alt+letter pick the wrong item).
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolButton>

#include "main_window_fixture.h"
#include "platform/language.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

class MainWindowLanguage : public MainWindowFixture {
protected:
    void TearDown() override { InstallLanguage(Language::English); }
};

QStringList MenuTitles(const MainWindow& w) {
    QStringList titles;
    for (const QAction* a : w.menuBar()->actions()) titles << a->text();
    return titles;
}

QString Text(const MainWindow& w, const char* action) { return Child<QAction>(w, action)->text(); }

// The mnemonic letter of a caption ("&Datei" -> 'd'), or none.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') ++i;
        else return text[i + 1].toLower();
    }
    return {};
}

// Fails for a menu whose items share a mnemonic, or a menu bar whose menus do.
void ExpectUniqueMnemonics(const MainWindow& w) {
    auto check = [](const QList<QAction*>& actions, const QString& where) {
        QSet<QChar> seen;
        for (const QAction* a : actions) {
            if (a->isSeparator()) continue;
            const QChar m = Mnemonic(a->text());
            EXPECT_FALSE(m.isNull()) << where.toStdString() << ": \"" << a->text().toStdString() << "\" has no mnemonic";
            EXPECT_FALSE(seen.contains(m)) << where.toStdString() << ": '" << QString(m).toStdString()
                                           << "' again in \"" << a->text().toStdString() << '"';
            seen.insert(m);
        }
    };
    check(w.menuBar()->actions(), "menu bar");
    for (const QAction* m : w.menuBar()->actions()) check(m->menu()->actions(), m->text());
}

}  // namespace

TEST_F(MainWindowLanguage, EnglishMenusActionsAndToolbar) {
    auto w = Create();
    EXPECT_EQ(MenuTitles(*w), QStringList({"&File", "&Simulation", "&Display", "Di&rection", "&View",
                                           "&Information", "&Help"}));
    EXPECT_EQ(Text(*w, "closeAction"), "&Close");
    EXPECT_EQ(Text(*w, "saveChartAction"), QString::fromUtf8("&Save chart as\u2026"));
    EXPECT_EQ(Text(*w, "showConstellationBordersAction"), "Constellation &boundaries");
    EXPECT_EQ(Text(*w, "eastInCenterAction"), "Facing &east");
    EXPECT_EQ(Text(*w, "aboutAction"), "&About Noctaris");
    const Ui ui(*w);
    EXPECT_EQ(ui.stepCombo->itemText(0), "15 seconds");
    EXPECT_EQ(ui.stepCombo->itemText(14), "23 h 56 min");
    EXPECT_EQ(ui.stepCombo->toolTip(), "Time step");
    EXPECT_EQ(Child<QToolButton>(*w, "nowButton")->text(), "Now");
    EXPECT_EQ(w->windowTitle(), "Noctaris");
    ExpectUniqueMnemonics(*w);
}

TEST_F(MainWindowLanguage, GermanMenusActionsAndToolbar) {
    ASSERT_TRUE(InstallLanguage(Language::German));
    auto w = Create();
    EXPECT_EQ(MenuTitles(*w), QStringList({"&Datei", "&Simulation", "&Anzeige", "&Richtung", "A&nsicht",
                                           "&Zusatzinformationen", "&?"}));
    EXPECT_EQ(Text(*w, "closeAction"), QString::fromUtf8("&Schließen"));
    EXPECT_EQ(Text(*w, "showEclipticAction"), "&Ekliptik");
    EXPECT_EQ(Text(*w, "showEquatorAction"), QString::fromUtf8("&Himmelsäquator"));
    EXPECT_EQ(Text(*w, "moonPhaseCalendarAction"), "Mond&phasenkalender");
    EXPECT_EQ(Text(*w, "eventCalendarAction"), "Astronomischer &Kalender");
    EXPECT_EQ(Text(*w, "eastInCenterAction"), "&Osten in der Mitte");
    EXPECT_EQ(Text(*w, "fullScreenAction"), "&Vollbild");
    const Ui ui(*w);
    EXPECT_EQ(ui.stepCombo->itemText(0), "15 Sekunden");
    EXPECT_EQ(ui.stepCombo->itemText(9), "1 Stunde");
    EXPECT_EQ(Child<QToolButton>(*w, "nowButton")->text(), "Jetzt");
    EXPECT_EQ(ui.placeCombo->toolTip(), "Beobachtungsort");
    EXPECT_EQ(w->windowTitle(), "Noctaris");
    ExpectUniqueMnemonics(*w);
}
