#include <gtest/gtest.h>

#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"
#include "support/Feldwerte.h"
#include "support/FremdeSperre.h"

using namespace tav;

class clsRechnungTest : public test::DatabaseFixture {
protected:
    int buchung(const QString& geteilt = {}) {
        db().execute(
            QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Abgerechnet, IST_Geteilt) VALUES (1, ?, ?, 7, 0, ?)"),
            {QDate(2024, 3, 1), QDate(2024, 3, 4), geteilt.isEmpty() ? QVariant() : QVariant(geteilt)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    int posten(int idBelegung, const QString& artikel, double preis, const QString& zustand = QStringLiteral("Nein")) {
        db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, AbgerechnetPo) "
                                    "VALUES (?, ?, 1, ?, 1, ?)"),
                     {idBelegung, artikel, preis, zustand});
        return db().scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
    }
    void zahlung(const QVariant& idBelegung, const QVariant& idRechnung, double betrag) {
        db().execute(QStringLiteral("INSERT INTO tbZahlung (IDBelegung, IdRechnung, ZahlDatum, Betrag) VALUES (?, ?, ?, ?)"),
                     {idBelegung, idRechnung, QDate(2024, 3, 1), betrag});
    }
    // A document row as older data holds it, without link rows.
    void dokumentZeile(int reNummer, const QString& art, qint64 zaehler) {
        db().execute(QStringLiteral(
                         "INSERT INTO tbRechnungen (ReNummer, IST_Rechnung, ReZaehler, Beszaehler, Renummer_eigen) VALUES (?, ?, ?, ?, ?)"),
                     {reNummer, art, art == QLatin1String("R") ? QVariant(zaehler) : QVariant(),
                      art == QLatin1String("R") ? QVariant() : QVariant(zaehler), art + QString::number(reNummer)});
    }
    void muster(const QString& praefix, const QString& datum, const QString& zaehler, const QString& schluessel) {
        Parameter(db()).write(QStringLiteral("ReNummer"), {{1, praefix}, {2, datum}, {4, zaehler}, {5, schluessel}});
    }
    NeuesDokument rechnung(const QList<DokumentEintrag>& eintraege) {
        NeuesDokument d;
        d.adressId = 7;
        d.eintraege = eintraege;
        d.datum = QDate(2024, 3, 4);
        d.summen.brutto = 0.1 + 0.2 + 249.7;
        d.summen.mwst = 19.0;
        return d;
    }
    QVariant wert(const QString& sql, const QVariantList& p = {}) { return db().scalar(sql, p); }

    ScriptedDialogs dialogs_;
};

TEST_F(clsRechnungTest, KeysAndCountersFollowTheReuseRule) {
    clsRechnung r(db(), dialogs_);
    EXPECT_EQ(r.naechsteReNummer(true), 1) << "empty table";
    EXPECT_EQ(r.naechsterReZaehler(true), 1);
    EXPECT_EQ(r.naechsterBesZaehler(false), 1);

    for (int i = 1; i <= 10; ++i) dokumentZeile(i, QStringLiteral("R"), i);
    EXPECT_EQ(r.naechsterReZaehler(true), 11) << "1..10 without gaps; no candidate below 1";
    EXPECT_EQ(r.naechsteReNummer(true), 11);
    EXPECT_EQ(r.naechsterBesZaehler(true), 1) << "confirmations count on their own";

    for (int i = 11; i <= 60; ++i) dokumentZeile(i, QStringLiteral("R"), i);
    db().execute(QStringLiteral("DELETE * FROM tbRechnungen WHERE ReNummer IN (5, 58)"));
    struct Fall {
        const char* name;
        bool alle;
        qint64 zaehler;
        int schluessel;
    } faelle[] = {
        {"reuse: 58 lies within the 51 candidates", true, 58, 5},
        {"no reuse: highest + 1", false, 61, 61},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(r.naechsterReZaehler(f.alle), f.zaehler);
        EXPECT_EQ(r.naechsteReNummer(f.alle), f.schluessel);
    }
    dokumentZeile(58, QStringLiteral("R"), 58);
    EXPECT_EQ(r.naechsterReZaehler(true), 61) << "5 lies more than 51 below the highest";
    EXPECT_FALSE(r.reZaehlerVergeben(5));
    EXPECT_TRUE(r.reZaehlerVergeben(58));
}

TEST_F(clsRechnungTest, PrintedNumberFromThePattern) {
    struct Fall {
        const char* name;
        QString art, praefix, format;
        qint64 zaehler;
        QDate datum;
        QString erwartet;
    } faelle[] = {
        {"example of the settings", "R", "Üb", "yy", 7, QDate(2002, 1, 13), "R Üb 0007 02"},
        {"confirmation", "B", "Üb", "yyyy", 7, QDate(2002, 1, 13), "B Üb 0007 2002"},
        {"offer, month name", "A", "X", "mmm yy", 12, QDate(2002, 3, 13), "A X 0012 Mrz 02"},
        {"month name, four digits", "R", "X", "mmm yyyy", 1, QDate(2002, 12, 13), "R X 0001 Dez 2002"},
        {"month and year", "R", "X", "mm yyyy", 1, QDate(2002, 1, 13), "R X 0001 01 2002"},
        {"month and short year", "R", "X", "mm yy", 1, QDate(2002, 1, 13), "R X 0001 01 02"},
        {"whole date", "R", "X", "dd mm yy", 1, QDate(2002, 1, 13), "R X 0001 13 01 02"},
        {"week on 01.01.", "R", "X", "ww yy", 1, QDate(2002, 1, 1), "R X 0001 1 02"},
        {"week on 01.01. of a year that starts on a Sunday", "R", "X", "ww yyyy", 1, QDate(2006, 1, 1), "R X 0001 1 2006"},
        {"week on 31.12.", "R", "X", "ww yy", 1, QDate(2002, 12, 31), "R X 0001 53 02"},
        {"no prefix, no date, five digits", "R", "", "", 12345, QDate(2002, 1, 1), "R 12345"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(clsRechnung::nummerEigen(f.art, ReNummerMuster{f.praefix, f.format, true, true}, f.zaehler, f.datum), f.erwartet);
    }
    muster(QStringLiteral("Üb"), QStringLiteral("yy"), QStringLiteral("Alle"), QString());
    const ReNummerMuster m = ReNummerMuster::lesen(db());
    EXPECT_TRUE(m.zaehlerAlle);
    EXPECT_TRUE(m.schluesselAlle) << "a missing F5 counts as Alle";
    muster(QString(), QString(), QStringLiteral("Freilassen"), QStringLiteral("Freilassen"));
    EXPECT_FALSE(ReNummerMuster::lesen(db()).zaehlerAlle);
    EXPECT_FALSE(ReNummerMuster::lesen(db()).schluesselAlle);
}

TEST_F(clsRechnungTest, CreatingAnInvoiceLinksSettlesAndAttachesPayments) {
    muster(QStringLiteral("Üb"), QStringLiteral("yy"), QStringLiteral("Alle"), QStringLiteral("Alle"));
    const int b = buchung();
    const int p1 = posten(b, QStringLiteral("Sekt"), 20);
    const int p2 = posten(b, QStringLiteral("Sauna"), 10);
    zahlung(b, {}, 50);
    zahlung(b, {}, 25);
    clsRechnung r(db(), dialogs_);
    const auto key = r.ReZuordnungen(rechnung({DokumentEintrag::buchung(b), DokumentEintrag::posten(p2), DokumentEintrag::posten(p1)}));
    ASSERT_EQ(key, 1);
    EXPECT_TRUE(dialogs_.shown().isEmpty());
    // The gross total is stored in whole cents.
    EXPECT_EQ(test::zeile(db(), QStringLiteral("SELECT IST_Rechnung, ReZaehler, Beszaehler, Renummer_eigen, Zahlart, Anzahlung, "
                                               "Anz_Vor_Reise, BetragBrutto, DatumRe FROM tbRechnungen WHERE ReNummer = 1")),
              (QStringList{"R", "1", "<null>", "R Üb 0001 24", "Ohne", "N", "Y", "250", "2024-03-04"}));
    EXPECT_EQ(
        test::zeilen(db(), QStringLiteral("SELECT Reihenfolge, IDBelegung, IDPostenRe FROM tbRechnungen_zu_Posten WHERE IDRechnung = 1 "
                                          "ORDER BY Reihenfolge")),
        (QStringList{QStringLiteral("1|%1|<null>").arg(b), QStringLiteral("2|<null>|%1").arg(p2), QStringLiteral("3|<null>|%1").arg(p1)}));

    EXPECT_EQ(wert(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {b}).toInt(), 1);
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE AbgerechnetPo = 'Ja'")).toInt(), 2);
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IdRechnung = 1")).toInt(), 2);
    EXPECT_EQ(r.ZahlungSumme_ProRechnung(1), 75.0);
    EXPECT_FALSE(r.RechnungIstVollstBezahlt(1));
    EXPECT_EQ(r.RechnungFindenBelegung(b), 1);
    EXPECT_EQ(r.RechnungFinden(0, p1), 1);
    EXPECT_EQ(r.AlleBelegungenFindenFuerRechnung(1), QString::number(b));
    EXPECT_FALSE(r.offenePosten(b));
    EXPECT_EQ(r.naechsteNummerEigen(QStringLiteral("R"), QDate(2024, 5, 1)), QStringLiteral("R Üb 0002 24"));

    dialogs_.clear();
    EXPECT_FALSE(r.postenAenderbar(p1));
    EXPECT_EQ(dialogs_.texts(), QStringList{clsRechnung::kBereitsAbgerechnet});
}

TEST_F(clsRechnungTest, PaymentsStayWithABookingThatHasOpenItems) {
    const int b = buchung();
    posten(b, QStringLiteral("Minibar"), 8);  // not on this invoice and not settled
    zahlung(b, {}, 50);
    clsRechnung r(db(), dialogs_);
    ASSERT_TRUE(r.ReZuordnungen(rechnung({DokumentEintrag::buchung(b)})));
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IdRechnung Is Null")).toInt(), 1);
    EXPECT_TRUE(r.offenePosten(b));
    dialogs_.clear();
    EXPECT_FALSE(r.druckPruefen({b}, false));
    EXPECT_EQ(dialogs_.texts(), QStringList{clsRechnung::kNichtZugeordnet + clsRechnung::kZuordnenHinweis});
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    bool ohneDruck = false;
    EXPECT_FALSE(r.druckPruefen({b}, true, &ohneDruck));
    EXPECT_TRUE(ohneDruck);
    EXPECT_EQ(dialogs_.last().caption, clsRechnung::kKonflikteTitel);
    EXPECT_EQ(
        dialogs_.last().text,
        QStringLiteral(
            "Die Rechnung kann noch nicht gedruckt werden, weil es noch nicht zugeordnete Zahlungen gibt. Möchten Sie jetzt die Rechnung ohne Druck erstellen?"));
}

TEST_F(clsRechnungTest, OffersTakeEntriesFromEarlierOffersWithoutSettling) {
    const int b = buchung();
    const int p = posten(b, QStringLiteral("Sekt"), 20);
    clsRechnung r(db(), dialogs_);
    NeuesDokument angebot = rechnung({DokumentEintrag::buchung(b), DokumentEintrag::posten(p)});
    angebot.rechnung = false;
    angebot.angebot = true;
    angebot.abrechnen = false;
    const auto erstes = r.ReZuordnungen(angebot);
    angebot.angebot = false;
    const auto bestaetigung = r.ReZuordnungen(angebot);
    ASSERT_TRUE(erstes && bestaetigung);
    EXPECT_EQ(r.IST_RechnungDB(*erstes), QStringLiteral("A"));
    EXPECT_EQ(r.IST_RechnungDB(*bestaetigung), QStringLiteral("B"));
    EXPECT_EQ(wert(QStringLiteral("SELECT Beszaehler FROM tbRechnungen WHERE ReNummer = ?"), {*bestaetigung}).toInt(), 2)
        << "offers and confirmations share one counter";
    EXPECT_EQ(wert(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {b}).toInt(), 0);
    EXPECT_EQ(wert(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {p}).toString(), QStringLiteral("Nein"));
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDRechnung = ?"), {*erstes}).toInt(), 0);
    EXPECT_FALSE(r.anzeigbar(*erstes));
    EXPECT_EQ(dialogs_.texts(), QStringList{clsRechnung::kPostenGeloescht});
    dialogs_.clear();
    EXPECT_TRUE(r.anzeigbar(*bestaetigung));
}

TEST_F(clsRechnungTest, CancellingKeepsThePaymentsOnTheBooking) {
    const int b = buchung();
    const int geteilt = buchung(QStringLiteral("Y"));
    const int p = posten(b, QStringLiteral("Sekt"), 20);
    zahlung(b, {}, 100);
    clsRechnung r(db(), dialogs_);
    const auto key =
        r.ReZuordnungen(rechnung({DokumentEintrag::buchung(b), DokumentEintrag::buchung(geteilt), DokumentEintrag::posten(p)}));
    ASSERT_TRUE(key);
    zahlung({}, *key, 30);  // booked against the document only
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IdRechnung = ?"), {*key}).toInt(), 2);

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(r.stornieren(*key));
    EXPECT_TRUE(r.vorhanden(*key)) << "No leaves the document";
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Möchen Sie die Rechnung stornieren?"));
    EXPECT_EQ(dialogs_.last().buttons, Buttons::YesNo);

    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(r.stornieren(*key));
    EXPECT_FALSE(r.vorhanden(*key));
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten")).toInt(), 0);
    EXPECT_EQ(wert(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {b}).toInt(), 0);
    EXPECT_EQ(wert(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {geteilt}).toInt(), 1)
        << "a split booking keeps its own state";
    EXPECT_EQ(wert(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {p}).toString(), QStringLiteral("Nein"));
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbZahlung")).toInt(), 2) << "no payment is deleted";
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IdRechnung Is Null AND IDBelegung = ?"), {b}).toInt(), 2);
    EXPECT_EQ(wert(QStringLiteral("SELECT Sum(Betrag) FROM tbZahlung WHERE IDBelegung = ?"), {b}).toDouble(), 130.0);

    struct Fall {
        const char* art;
        const char* frage;
    } faelle[] = {{"R", "Möchen Sie die Rechnung stornieren?"},
                  {"A", "Möchen Sie das Angebot stornieren?"},
                  {"B", "Möchen Sie die Bestätigung stornieren?"}};
    for (const Fall& f : faelle) EXPECT_EQ(clsRechnung::stornoFrage(QString::fromUtf8(f.art)), QString::fromUtf8(f.frage)) << f.art;
}

TEST_F(clsRechnungTest, RefusalsWriteNothing) {
    const int b = buchung();
    clsRechnung r(db(), dialogs_);
    struct Fall {
        const char* name;
        NeuesDokument dokument;
        QString meldung;
    };
    NeuesDokument leer = rechnung({});
    NeuesDokument getippt = rechnung({DokumentEintrag::buchung(b)});
    getippt.nummerEigen = QStringLiteral("R1");
    dokumentZeile(1, QStringLiteral("R"), 1);  // printed number "R1"
    const Fall faelle[] = {
        {"no entry", leer, clsRechnung::kKeineEintraege},
        {"typed number in use", getippt, clsRechnung::kNummerVergeben},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialogs_.clear();
        EXPECT_FALSE(r.ReZuordnungen(f.dokument));
        EXPECT_EQ(dialogs_.texts(), QStringList{f.meldung});
        EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbRechnungen")).toInt(), 1);
        EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten")).toInt(), 0);
    }
    EXPECT_TRUE(r.nummerEigenVergeben(QStringLiteral(" R1 "), 2));
    EXPECT_FALSE(r.nummerEigenVergeben(QStringLiteral("R1"), 1)) << "its own number";
}

TEST_F(clsRechnungTest, ALockedFileGivesTheMessageAndWritesNothing) {
    const int b = buchung();
    clsRechnung r(db(), dialogs_);
    test::FremdeSperre::kurzWarten(db());
    {
        test::FremdeSperre sperre({test::FremdeSperre::dateiDer(db(), QStringLiteral("tbRechnungen"))});
        EXPECT_FALSE(r.ReZuordnungen(rechnung({DokumentEintrag::buchung(b)})));
    }
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(dialogs_.last().text.startsWith(clsRechnung::kVorgangFehler)) << qPrintable(dialogs_.last().text);
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral(".mdb"))) << "names the file";
    EXPECT_FALSE(dialogs_.last().text.contains(QStringLiteral("SELECT"))) << "never SQL";
    EXPECT_EQ(wert(QStringLiteral("SELECT Count(*) FROM tbRechnungen")).toInt(), 0);
    EXPECT_EQ(wert(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {b}).toInt(), 0);
    dialogs_.clear();
    EXPECT_EQ(r.ReZuordnungen(rechnung({DokumentEintrag::buchung(b)})), 1) << "works again once the lock is gone";
}
