#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <memory>

#include "app/ProgrammFenster.h"
#include "engine/Database.h"
#include "invoice/clsRechnung.h"
#include "payment/Zahlungen.h"
#include "payment/ui/frmZahlungAdr.h"
#include "plan/PlanModel.h"
#include "plan/ui/Planbereich.h"
#include "plan/ui/frmMain.h"
#include "platform/ScriptedDialogs.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "reservation/ui/Blockfenster.h"
#include "store/Geld.h"
#include "store/Variablen.h"
#include "store/Verknuepfung.h"
#include "store/mdBlockbuchung.h"
#include "support/Beispielinstallation.h"
#include "support/Child.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"

using namespace tav;
using test::child;

namespace {

// A block of three rooms as a user makes it: a booking in the plan, the block window on it,
// two free rooms added, saved; the plan shows three bars; the block is invoiced together and
// paid, and the guest's account shows every sum agreeing.
class BlockBedienungTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::beispielInstallation(ordner, settings);
        verknuepfung::alleNeuVerknuepfen(*Database::open(ordner.file(QStringLiteral("Lokal.mdb"))),
                                         ordner.file(QStringLiteral("Beispiel.mdb")), ordner.file(QStringLiteral("Beispiel.mdb")));
        variablen() = Variablen{};
        variablen().programmordner = ordner.path();
        hauptfenster = std::make_unique<frmMain>(variablen(), dialogs, settings, shell, fenster);
        dialogs.expectUnanswered();  // stale offers of the sample data may be asked about at start
        ASSERT_EQ(hauptfenster->laden(), MainLogik::Ergebnis::Bereit);
        dialogs.clear();
        hauptfenster->resize(1400, 800);
        hauptfenster->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(hauptfenster.get()));
        // Half a year ahead the sample hotel is empty.
        hauptfenster->plan()->zeigeAb(QDate::currentDate().addDays(180));
    }
    void TearDown() override {
        hauptfenster.reset();
        variablen() = Variablen{};
    }
    Database& db() { return *variablen().db; }
    PlanModel& model() { return hauptfenster->plan()->model(); }

    test::TempFolder ordner;
    SettingsStore settings;
    ScriptedDialogs dialogs;
    ScriptedShell shell;
    ProgrammFenster fenster{variablen(), dialogs};
    std::unique_ptr<frmMain> hauptfenster;
};

}  // namespace

TEST_F(BlockBedienungTest, ABlockOfThreeRoomsIsBookedInvoicedPaidAndAgreesInTheAccount) {
    const QDate von = model().start().addDays(3);
    db().execute(QStringLiteral("INSERT INTO Address (Firstname, Lastname, city) VALUES ('Liederkranz', 'Harmonie', 'Ulm')"));
    const int gast = db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, Gelöscht, Abgerechnet, Belegungsart, GastID, "
                                "AnzahlGäste, PreisProNacht, Preis, AnzahlÜbernachtungen, BelegNummer) VALUES (1, ?, ?, 'Chorreise', "
                                "False, 0, 1, ?, 2, 80, 240, 3, 99001)"),
                 {von, von.addDays(3), gast});
    const int leiter = db().scalar(QStringLiteral("SELECT ID FROM tblBelegung WHERE Kürzel = 'Chorreise'")).toInt();

    Blockfenster block(db(), dialogs);
    ASSERT_TRUE(block.laden(leiter));
    block.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&block));
    EXPECT_EQ(block.windowTitle(), QStringLiteral("Blockbuchung"));
    auto* frei = child<QListWidget>(block, "lstFreieZimmer");
    auto* hinzu = child<QPushButton>(block, "cmdHinzufuegen");
    for (int i = 0; i < 2; ++i) {
        ASSERT_GT(frei->count(), 0) << "free rooms for the same nights";
        frei->setCurrentRow(0);
        hinzu->click();
    }
    EXPECT_EQ(child<QTableWidget>(block, "tblMitglieder")->rowCount(), 3);
    test::saveScreenshot(block, QStringLiteral("Blockbuchung"));
    child<QPushButton>(block, "cmdSpeichern")->click();
    EXPECT_TRUE(dialogs.shown().isEmpty()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    const int nummer = mdBlockbuchung::BlocknummerDerBelegung(db(), leiter);
    ASSERT_NE(nummer, 0);
    const QList<int> mitglieder = mdBlockbuchung::mitglieder(db(), nummer);
    ASSERT_EQ(mitglieder.size(), 3);

    // The plan, reloaded as the refresh flag asks, shows three bars over the same nights.
    hauptfenster->plan()->neuLaden();
    const int spalte = int(model().start().daysTo(von)) + 1;
    QSet<int> balken;
    for (int z = 1; z <= model().bildschirmZeilen(); ++z) {
        const int id = model().zelle(z, spalte).buchungId;
        if (mitglieder.contains(id)) {
            balken << id;
            for (int s = spalte; s < spalte + 3; ++s) EXPECT_EQ(model().zelle(z, s).buchungId, id) << "row " << z << " night " << s;
            EXPECT_FALSE(model().zelle(z, spalte + 3).buchungId == id) << "the departure night stays free";
        }
    }
    EXPECT_EQ(balken.size(), 3);
    test::saveScreenshot(*hauptfenster, QStringLiteral("Hauptfenster_Block"));

    // The block is invoiced together (one document for the three stays) and paid in full.
    NeuesDokument rechnung;
    rechnung.adressId = gast;
    rechnung.datum = QDate::currentDate();
    double summe = 0;
    for (int id : mitglieder) {
        rechnung.eintraege << DokumentEintrag::buchung(id);
        summe += db().scalar(QStringLiteral("SELECT Preis FROM tblBelegung WHERE ID = ?"), {id}).toDouble();
    }
    rechnung.summen.brutto = summe;
    const std::optional<int> dokument = clsRechnung(db(), dialogs).ReZuordnungen(rechnung);
    ASSERT_TRUE(dokument.has_value()) << qPrintable(dialogs.texts().join(QLatin1Char('|')));
    EXPECT_EQ(Zahlungen(db()).bezahlen(false, QDate::currentDate(), QStringLiteral("Bar"), *dokument, leiter), geld::cent(summe));

    // The guest's account shows the three stays, the invoice, the payment and nothing open,
    // every sum agreeing.
    const QString betrag = geld::text(summe);
    frmZahlungAdr konto(db(), dialogs, fenster, gast);
    konto.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&konto));
    EXPECT_EQ(konto.txtSumBelegungen->text(), betrag);
    EXPECT_EQ(konto.ctrFlexBelegung->model()->rowCount(), 3);
    test::saveScreenshot(konto, QStringLiteral("frmZahlungAdr"));
    konto.tabKonto->setCurrentIndex(1);
    EXPECT_EQ(konto.ctrFlexRechnungen->model()->rowCount(), 3) << "one document with its two sum rows";
    EXPECT_EQ(konto.txtSumRechnung->text(), betrag);
    EXPECT_EQ(konto.txtSumZahlRechnung->text(), betrag);
    EXPECT_EQ(konto.txtDiffRechZahl->text(), QStringLiteral("0,00"));
    test::saveScreenshot(konto, QStringLiteral("frmZahlungAdr_Rechnungen"));
    konto.tabKonto->setCurrentIndex(2);
    EXPECT_EQ(konto.txtSumZahlungRechnung->text(), betrag);
    EXPECT_EQ(konto.txtSumZahlungOhne->text(), QStringLiteral("0,00"));
    test::saveScreenshot(konto, QStringLiteral("frmZahlungAdr_Zahlungen"));
    konto.tabKonto->setCurrentIndex(3);
    EXPECT_EQ(konto.txtSumOffenPosten->text(), QStringLiteral("0,00")) << "the invoice settled the three stays";
    EXPECT_EQ(konto.flexOffene->model()->rowCount(), 0);
}
