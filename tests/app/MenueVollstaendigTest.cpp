#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QMap>
#include <QMenuBar>

#include "app/ProgrammFixture.h"
#include "reservation/ui/frmReservierung.h"

using namespace tav;

namespace {

// Every menu entry and button of the main window and of the reservation form, as the program
// wires its windows, is enabled unless the program's own rules disable it in that state.
// A window that exists nowhere in the program shows up here as a disabled entry.
class MenueVollstaendigTest : public test::ProgrammFixture {
protected:
    void SetUp() override {
        beispielEinrichten();
        // The sibling programs of the family are installed beside the program.
        for (const char* p : {"Qubero.exe", "Tosmek.exe", "Yorvak.exe", "Lomvix.exe", "Pelvar.exe", "Fendrix.exe", "Sendrak.exe",
                              "Wernic.exe", "Gavrol.exe"}) {
            // Files in the program folder for the windows that look for them themselves, and
            // the same programs for the main window's scripted shell.
            QFile datei(Shell::programPath(ordner.file(QString::fromUtf8(p))));
            ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
            shell.addProgram(ordner.file(QString::fromUtf8(p)));
        }
        dialogs.expectUnanswered();  // stale offers of the sample data may be asked about at start
        ASSERT_EQ(starten(), MainLogik::Ergebnis::Bereit);
        dialogs.clear();
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
};

}  // namespace

TEST_F(MenueVollstaendigTest, NoEntryOfTheMainWindowIsDisabled) {
    // The main window disables nothing by a rule of its own; an entry stays disabled only while
    // the window it opens is missing from the program.
    const QMap<QString, const char*> erlaubt = {};
    EXPECT_EQ(unerlaubt(gesperrt(*hauptfenster), erlaubt), QStringList());
}

TEST_F(MenueVollstaendigTest, TheReservationFormDisablesOnlyWhatItsStateForbids) {
    const int id = db().scalar(QStringLiteral("SELECT Min(ID) FROM tblBelegung WHERE Gelöscht = False AND (Abgerechnet = 0 OR "
                                              "Abgerechnet Is Null) AND ID NOT IN (SELECT IDBelegung FROM tbBlockbuchung)"))
                       .toInt();
    ASSERT_NE(id, 0) << "an open sample booking";
    // Opened as the plan opens it: through the window service.
    QStringList gefunden;
    bool offen = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<frmReservierung*>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr) << "the reservation form is open";
        offen = true;
        gefunden = gesperrt(*w);
        w->reject();
    });
    Aufruf a;
    a.buchungId = id;
    fenster.oeffnen(Ziel::Reservierung, a, hauptfenster.get());
    ASSERT_TRUE(offen);
    QMap<QString, const char*> erlaubt = {
        {QStringLiteral("cmdAbgerechnet"), "shows the settled state; settling is done by a document"},
        {QStringLiteral("cmdAdresseSpeichern"), "the guest's stored address shows no change to save"},
    };
    // Windows and printouts the program does not have: the entries are disabled, never dead ends.
    for (int i = 1; i <= 5; ++i) erlaubt.insert(QStringLiteral("mnuDok_%1").arg(i), "a further-documents entry without a stored file");
    EXPECT_EQ(unerlaubt(gefunden, erlaubt), QStringList());
}
