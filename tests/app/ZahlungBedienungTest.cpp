#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "invoice/clsRechnung.h"
#include "payment/Zahlungen.h"
#include "payment/ui/frmAbrechnen.h"
#include "payment/ui/frmZahlung.h"
#include "plan/PlanModel.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/Plantafel.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/Child.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"

using namespace tav;
using test::child;

namespace {

// The main window on the sample database with the program's own windows, as a user meets it.
class ZahlungBedienungTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))),
                                         ordner.file(QStringLiteral("Beispiel.mdb")), ordner.file(QStringLiteral("Beispiel.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        ASSERT_EQ(hauptfenster->laden(), MainLogik::Ergebnis::Bereit) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
        hauptfenster->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(hauptfenster.get()));
    }
    void TearDown() override {
        hauptfenster.reset();
        variablen() = Variablen{};
    }

    Planbereich& plan() { return *hauptfenster->plan(); }
    Database& db() { return *variablen().db; }

    // Runs `was` on the modal window of that type once it is open.
    template <typename Fenster>
    void imModalenFenster(std::function<void(Fenster&)> was, bool* geoeffnet) {
        auto* warten = new QTimer(qApp);
        auto versuche = std::make_shared<int>(0);
        QObject::connect(warten, &QTimer::timeout, warten, [warten, was, geoeffnet, versuche] {
            auto* w = qobject_cast<Fenster*>(QApplication::activeModalWidget());
            if (!w && ++*versuche < 500) return;
            warten->stop();
            warten->deleteLater();
            if (!w) return;
            *geoeffnet = true;
            was(*w);
        });
        warten->start(10);
    }

    void zahlungenUeberMenue(int zeile, int spalte) {
        QTimer::singleShot(0, [] {
            auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menue, nullptr) << "the booking menu is open";
            QAction* a = menue->findChild<QAction*>(QStringLiteral("mnuKontZahlungen"));
            ASSERT_NE(a, nullptr);
            EXPECT_TRUE(a->isEnabled());
            menue->close();
            a->trigger();
        });
        Plantafel* v = plan().view();
        QTest::mousePress(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
        QTest::mouseRelease(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs};
    std::unique_ptr<frmMain> hauptfenster;
};

}  // namespace

TEST_F(ZahlungBedienungTest, ADepositTheInvoiceAndTheSettlementTurnThePaidIndicator) {
    // A booked night of a real room in the window the plan shows.
    PlanModel& m = plan().model();
    int zeile = 0, spalte = 0, buchung = 0;
    for (int z = 1; z <= m.bildschirmZeilen() && !buchung; ++z) {
        if (m.istWarteZeile(z) || m.zimmerDerZeile(z) > m.einstellungen().raeume) continue;
        for (int s = 1; s <= m.einstellungen().tage && !buchung; ++s)
            if (m.zelle(z, s).belegt()) {
                zeile = z;
                spalte = s;
                buchung = m.zelle(z, s).buchungId;
            }
    }
    ASSERT_NE(buchung, 0) << "the sample plan shows a booking";
    db().execute(QStringLiteral("DELETE IDZahlung FROM tbZahlung WHERE IDBelegung = ?"), {buchung});
    auto* bezahlt = child<QLabel>(plan(), "cmdBezahlt");
    QTest::mouseMove(plan().view(), plan().view()->zellMitte(zeile, spalte));
    EXPECT_EQ(bezahlt->text(), QStringLiteral("Offen"));

    // 1. A deposit of 100,00 from the booking menu.
    bool geoeffnet = false;
    imModalenFenster<frmZahlung>(
        [](frmZahlung& w) {
            w.txtPreis->setText(QString());
            QTest::keyClicks(w.txtPreis, QStringLiteral("100"));
            w.cmdSpeichern->click();
            w.cmdSchliessen->click();
        },
        &geoeffnet);
    zahlungenUeberMenue(zeile, spalte);
    ASSERT_TRUE(geoeffnet);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IDBelegung = ? AND Betrag = 100"), {buchung}).toInt(), 1);

    // 2. Its invoice, created as the items editor creates it: the deposit is attached, the
    //    booking settled.
    NeuesDokument dokument;
    dokument.adressId = db().scalar(QStringLiteral("SELECT GastID FROM tblBelegung WHERE ID = ?"), {buchung}).toInt();
    dokument.eintraege = {DokumentEintrag::buchung(buchung)};
    dokument.datum = QDate::currentDate();
    dokument.zahlart = QStringLiteral("Bar");
    dokument.summen.brutto = 250;
    const std::optional<int> erstellt = clsRechnung(db(), dialogs).ReZuordnungen(dokument);
    ASSERT_TRUE(erstellt.has_value());
    const int nr = *erstellt;
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IDBelegung = ? AND IdRechnung = ?"), {buchung, nr}).toInt(),
              1);
    EXPECT_NE(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {buchung}).toInt(), 0);

    // 3. The settlement books the 150,00 still open.
    geoeffnet = false;
    imModalenFenster<frmAbrechnen>(
        [](frmAbrechnen& w) {
            EXPECT_EQ(w.txtBetrag->text(), QStringLiteral("150,00"));
            test::saveScreenshot(w, QStringLiteral("frmAbrechnen-beispiel"));
            w.cmdOK->click();
        },
        &geoeffnet);
    ASSERT_TRUE(fenster.vorhanden(Ziel::Abrechnen));
    Aufruf a;
    a.nummer = nr;
    a.buchungId = buchung;
    fenster.oeffnen(Ziel::Abrechnen, a, &plan());
    ASSERT_TRUE(geoeffnet);
    EXPECT_TRUE(Zahlungen(db()).vollBezahlt(nr));

    // 4. The payments window shows the invoice paid; when it closes the indicator has turned
    //    without another mouse move.
    EXPECT_EQ(bezahlt->text(), QStringLiteral("Offen")) << "nothing told the plan yet";
    geoeffnet = false;
    QString offen;
    imModalenFenster<frmZahlung>(
        [&offen](frmZahlung& w) {
            offen = w.rechnungsModell().data(w.rechnungsModell().index(w.rechnungsModell().rowCount() - 1, 3)).toString();
            test::saveScreenshot(w, QStringLiteral("frmZahlung-beispiel"));
            w.cmdSchliessen->click();
        },
        &geoeffnet);
    zahlungenUeberMenue(zeile, spalte);
    ASSERT_TRUE(geoeffnet);
    EXPECT_EQ(offen, QStringLiteral("0,00"));
    EXPECT_EQ(bezahlt->text(), QStringLiteral("Bezahlt"));
}
