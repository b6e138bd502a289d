#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "invoice/clsRechnung.h"
#include "invoice/ui/frmRechnungPo.h"
#include "plan/PlanModel.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/Plantafel.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "support/Beispielinstallation.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"

using namespace tav;

namespace {

// The main window on the sample database with the program's own windows and the shipped
// invoice template, as a hotel owner meets it after the installation.
class RechnungBedienungTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(TAVOMERA_SOURCE_DIR "/templates/rechnung.html"), ordner.file(QStringLiteral("rechnung.doc"))));
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

    // Runs `was` on the items editor once it is open.
    void imEditor(std::function<void(frmRechnungPo&)> was, bool* geoeffnet) {
        auto* warten = new QTimer(qApp);
        auto versuche = std::make_shared<int>(0);
        QObject::connect(warten, &QTimer::timeout, warten, [warten, was, geoeffnet, versuche] {
            auto* w = qobject_cast<frmRechnungPo*>(QApplication::activeModalWidget());
            if (!w && ++*versuche < 500) return;
            warten->stop();
            warten->deleteLater();
            if (!w) return;
            *geoeffnet = true;
            was(*w);
        });
        warten->start(10);
    }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs, &shell};
    std::unique_ptr<frmMain> hauptfenster;
};

int zeileVon(frmRechnungPo& w, bool buchung, int id) {
    const auto& z = w.logik().zeilen();
    for (int i = 0; i < z.size(); ++i)
        if (z[i].buchung == buchung && z[i].id == id) return i;
    return -1;
}

}  // namespace

TEST_F(RechnungBedienungTest, CheckOutInvoiceWithAMinibarItemCancelledAndPrintedAgain) {
    // A checked-in guest of a real room in the window the plan shows, without payments.
    PlanModel& m = plan().model();
    int zeile = 0, spalte = 0, buchung = 0;
    for (int z = 1; z <= m.bildschirmZeilen() && !buchung; ++z) {
        if (m.istWarteZeile(z) || m.zimmerDerZeile(z) > m.einstellungen().raeume) continue;
        for (int s = 1; s <= m.einstellungen().tage && !buchung; ++s)
            if (m.zelle(z, s).belegt() && !m.zelle(z, s).angebot) {
                zeile = z;
                spalte = s;
                buchung = m.zelle(z, s).buchungId;
            }
    }
    ASSERT_NE(buchung, 0) << "the sample plan shows a booking";
    db().execute(QStringLiteral("UPDATE tblBelegung SET Checked = True, Abgerechnet = 0 WHERE ID = ?"), {buchung});
    db().execute(QStringLiteral("DELETE IDZahlung FROM tbZahlung WHERE IDBelegung = ?"), {buchung});
    db().execute(QStringLiteral("DELETE IDRechnung FROM tbRechnungen_zu_Posten WHERE IDBelegung = ?"), {buchung});
    // Freed invoice counters are given out again; an older invoice holds counter 3, so 1 and 2
    // are free.
    Parameter(db()).write(QStringLiteral("ReNummer"), {{1, QString()}, {2, QString()}, {4, QStringLiteral("Alle")}});
    db().execute(QStringLiteral("DELETE ReNummer FROM tbRechnungen"));
    db().execute(
        QStringLiteral("INSERT INTO tbRechnungen (ReNummer, Renummer_eigen, IST_Rechnung, ReZaehler, DatumRe) VALUES "
                       "(40, 'R 0003', 'R', 3, Date())"));

    dialogs.answer(Answer::Yes);  // "Rechnung schreiben?"
    dialogs.answer(Answer::Yes);  // "Möchen Sie die Rechnung stornieren?"
    bool geoeffnet = false;
    QString erstePdf, ersteNummer, zweiteNummer;
    int ersteRe = 0;
    QStringList fehler;
    imEditor(
        [&](frmRechnungPo& w) {
            // A minibar item: two bottles at 3,50.
            w.CmdNeueDaten->click();
            QTest::keyClicks(w.cboArtikel->lineEdit(), QStringLiteral("Minibar"));
            // The sample's article fills its own price and quantity; the user types over them.
            w.txtMenge->clear();
            QTest::keyClicks(w.txtMenge, QStringLiteral("2"));
            w.txtPreis->clear();
            QTest::keyClicks(w.txtPreis, QStringLiteral("3,50"));
            if (w.txtPreisGesamt->text() != QStringLiteral("7,00")) fehler << QStringLiteral("Gesamt ") + w.txtPreisGesamt->text();
            w.cboMwSt->setCurrentIndex(0);
            w.cmdSpeichern->click();
            const int posten =
                w.logik().zeilen().isEmpty() ? 0 : db().scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
            if (zeileVon(w, false, posten) < 0) fehler << QStringLiteral("the item is not listed");

            // Print: the PDF appears and is opened.
            w.zeileWaehlen(zeileVon(w, true, buchung));
            w.cmdDrucken->click();
            erstePdf = w.letztesPdf();
            ersteRe = db().scalar(QStringLiteral("SELECT IDRechnung FROM tbRechnungen_zu_Posten WHERE IDPostenRe = ?"), {posten}).toInt();
            ersteNummer = db().scalar(QStringLiteral("SELECT Renummer_eigen FROM tbRechnungen WHERE ReNummer = ?"), {ersteRe}).toString();
            w.zeileWaehlen(zeileVon(w, true, buchung));
            if (w.logik().zeilen()[zeileVon(w, true, buchung)].zustand != QStringLiteral("Ja")) fehler << QStringLiteral("not settled");
            test::saveScreenshot(w, QStringLiteral("frmRechnungPo-gedruckt"));

            // Cancel it, then print again.
            w.cmdEinzelRechnung->click();
            w.zeileWaehlen(zeileVon(w, true, buchung));
            w.cmdDrucken->click();
            const int zweiteRe =
                db().scalar(QStringLiteral("SELECT IDRechnung FROM tbRechnungen_zu_Posten WHERE IDPostenRe = ?"), {posten}).toInt();
            zweiteNummer = db().scalar(QStringLiteral("SELECT Renummer_eigen FROM tbRechnungen WHERE ReNummer = ?"), {zweiteRe}).toString();
            w.close();
        },
        &geoeffnet);

    QTimer::singleShot(0, [] {
        auto* menue = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menue, nullptr) << "the booking menu is open";
        QAction* a = menue->findChild<QAction*>(QStringLiteral("mnuKontCheck_aus"));
        ASSERT_NE(a, nullptr);
        menue->close();
        a->trigger();
    });
    Plantafel* v = plan().view();
    QTest::mousePress(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));
    QTest::mouseRelease(v, Qt::RightButton, {}, v->zellMitte(zeile, spalte));

    ASSERT_TRUE(geoeffnet) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    EXPECT_TRUE(fehler.isEmpty()) << qPrintable(fehler.join(QLatin1Char('|')) + QStringLiteral(" / ") +
                                                dialogs.texts().join(QLatin1Char('|')));
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral("Rechnung schreiben?")));
    EXPECT_TRUE(dialogs.texts().contains(clsRechnung::stornoFrage(QStringLiteral("R"))));
    ASSERT_FALSE(erstePdf.isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    EXPECT_TRUE(QFileInfo(erstePdf).size() > 1000) << "a real PDF";
    EXPECT_FALSE(shell.opened().isEmpty()) << "the PDF is shown";
    EXPECT_TRUE(ersteNummer == QStringLiteral("R 0001") || ersteNummer == QStringLiteral("R 0002")) << "a free counter below 3";
    EXPECT_EQ(zweiteNummer, ersteNummer) << "the cancelled invoice's number is free again and given to the new one";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen WHERE IST_Rechnung = 'R'")).toInt(), 2)
        << "the older invoice and the new one; the cancelled one is gone";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {buchung}).toInt(), 1);
    EXPECT_FALSE(db().scalar(QStringLiteral("SELECT Checked FROM tblBelegung WHERE ID = ?"), {buchung}).toBool()) << "checked out";
}
