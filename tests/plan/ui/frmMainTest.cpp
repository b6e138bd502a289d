#include <gtest/gtest.h>

#include <QAction>
#include <QSignalSpy>

#include "engine/Database.h"
#include "plan/ui/PlanMenue.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Beispieldaten.h"
#include "store/Datenbankdateien.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/ScriptedFenster.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

class frmMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        v.programmordner = ordner.path();
    }
    void TearDown() override { v.db.reset(); }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    test::ScriptedFenster fenster;
    Variablen v;
};

}  // namespace

TEST_F(frmMainTest, TheWindowCarriesTheTitleThePlanAndAsksBeforeClosing) {
    // The working database behind the links is empty: the first-start question comes.
    settings.saveSetting(QStringLiteral("Pfad"), ordner.file(QStringLiteral("Tavomera.mdb")));
    settings.saveSetting(QStringLiteral("Zentral"), ordner.file(QStringLiteral("Zentral.mdb")));
    fenster.setVorhanden(Ziel::Datensicherung);
    frmMain f(v, dialogs, settings, shell, fenster);
    dialogs.answer(Answer::No);
    EXPECT_EQ(f.laden(), MainLogik::Ergebnis::Bereit);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Tavomera Version 3.62"));

    EXPECT_EQ(f.centralWidget(), f.plan()) << "the plan fills the centre";
    QSignalSpy dialog(&f, &frmMain::datenbankDialogGewuenscht);
    f.findChild<QAction*>(QStringLiteral("mnuDatenbank"))->trigger();
    EXPECT_EQ(dialog.count(), 1);

    f.show();
    QSignalSpy zu(&f, &frmMain::geschlossen);
    dialogs.clear();
    dialogs.answer(Answer::Cancel);
    f.findChild<QAction*>(QStringLiteral("mnuDateiBeenden"))->trigger();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("Möchten Sie die Datenbanken jetzt sichern?")});
    dialogs.clear();
    dialogs.answer(Answer::No);
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(zu.count(), 1);
}

TEST_F(frmMainTest, ARestartClosesWithoutAQuestionAndTheSampleItemRestarts) {
    // As the start-up leaves it: the links reach the sample file named by both settings.
    verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))), ordner.file(QStringLiteral("Beispiel.mdb")),
                                     ordner.file(QStringLiteral("Beispiel.mdb")));
    frmMain f(v, dialogs, settings, shell, fenster);
    EXPECT_EQ(f.laden(), MainLogik::Ergebnis::Bereit);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    f.show();
    QSignalSpy neustart(&f, &frmMain::neustartGewuenscht);
    QSignalSpy zu(&f, &frmMain::geschlossen);
    f.findChild<QAction*>(QStringLiteral("mnuBeispiedaten"))->trigger();
    EXPECT_EQ(neustart.count(), 1);
    EXPECT_TRUE(v.beispieldaten);
    EXPECT_TRUE(f.findChild<QAction*>(QStringLiteral("mnuBeispiedaten"))->isChecked());
    f.close();
    EXPECT_TRUE(dialogs.shown().isEmpty()) << "closing for a restart never asks";
    EXPECT_EQ(zu.count(), 0) << "and is no end of the program";
}
