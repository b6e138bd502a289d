#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/ui/frmReservierung.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// Every menu entry and button of the main window and of the reservation form, as the program
// wires its windows, is enabled unless the program's own rules disable it in that state.
// A window that exists nowhere in the program shows up here as a disabled entry.
class MenueVollstaendigTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))),
                                         ordner.file(QStringLiteral("Beispiel.mdb")), ordner.file(QStringLiteral("Beispiel.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
        // The sibling programs of the family are installed beside the program.
        for (const char* p : {"Qubero.exe", "Tosmek.exe", "Yorvak.exe", "Lomvix.exe", "Pelvar.exe", "Fendrix.exe", "Sendrak.exe",
                              "Wernic.exe", "Gavrol.exe"})
            shell.addProgram(ordner.file(QString::fromUtf8(p)));
        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        dialogs.expectUnanswered();  // stale offers of the sample data may be asked about at start
        ASSERT_EQ(hauptfenster->laden(), MainLogik::Ergebnis::Bereit);
        dialogs.clear();
        hauptfenster->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(hauptfenster.get()));
    }
    void TearDown() override {
        hauptfenster.reset();
        variablen() = Variablen{};
    }

    // The names of the disabled entries and buttons under w (menus walked through their
    // sub-menus; separators and unnamed entries left out).
    static QStringList gesperrt(QWidget& w) {
        QStringList aus;
        const auto menue = [&aus](auto&& selbst, const QList<QAction*>& eintraege) -> void {
            for (QAction* a : eintraege) {
                if (a->isSeparator() || !a->isVisible()) continue;
                const QString name = a->objectName().isEmpty() ? a->text() : a->objectName();
                if (!a->isEnabled()) aus << name;
                if (a->menu()) selbst(selbst, a->menu()->actions());
            }
        };
        for (QMenuBar* leiste : w.findChildren<QMenuBar*>()) menue(menue, leiste->actions());
        for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
            if (!b->objectName().isEmpty() && !b->isEnabled() && b->isVisibleTo(&w)) aus << b->objectName();
        aus.removeDuplicates();
        aus.sort();
        return aus;
    }

    static QStringList unerlaubt(const QStringList& gesperrt, const QMap<QString, const char*>& erlaubt) {
        QStringList r;
        for (const QString& n : gesperrt)
            if (!erlaubt.contains(n)) r << n;
        return r;
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs};
    std::unique_ptr<frmMain> hauptfenster;
};

}  // namespace

TEST_F(MenueVollstaendigTest, NoEntryOfTheMainWindowIsDisabled) {
    // The main window disables nothing by a rule of its own.
    const QMap<QString, const char*> erlaubt;
    EXPECT_EQ(unerlaubt(gesperrt(*hauptfenster), erlaubt), QStringList());
}

TEST_F(MenueVollstaendigTest, TheReservationFormDisablesOnlyWhatItsStateForbids) {
    const int id = variablen().db->scalar(QStringLiteral("SELECT Min(ID) FROM tblBelegung WHERE Gelöscht = False AND (Abgerechnet = 0 OR "
                                                         "Abgerechnet Is Null) AND ID NOT IN (SELECT IDBelegung FROM tbBlockbuchung)"))
                       .toInt();
    ASSERT_NE(id, 0) << "an open sample booking";
    frmReservierung w(*variablen().db, variablen().beispielDb.get(), FormularEinstellungen::lesen(*variablen().db, variablen().beispielDb.get()),
                      AdressUmgebung::ausVariablen(), nullptr, &dialogs, nullptr, &fenster, &shell);
    Uebergabe u;
    u.buchungId = id;
    ASSERT_TRUE(w.starten(u));
    w.show();
    const QMap<QString, const char*> erlaubt = {
        {QStringLiteral("cmdAbgerechnet"), "shows the settled state; settling is done by a document"},
        {QStringLiteral("mnuDok_1"), "a further-documents entry without a stored file"},
        {QStringLiteral("mnuDok_2"), "a further-documents entry without a stored file"},
        {QStringLiteral("mnuDok_3"), "a further-documents entry without a stored file"},
        {QStringLiteral("mnuDok_4"), "a further-documents entry without a stored file"},
        {QStringLiteral("mnuDok_5"), "a further-documents entry without a stored file"},
    };
    EXPECT_EQ(unerlaubt(gesperrt(w), erlaubt), QStringList());
}
