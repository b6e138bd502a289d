#include <gtest/gtest.h>

#include "invoice/RechnungPoLogik.h"
#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"
#include "support/Feldwerte.h"

using namespace tav;

class RechnungPoLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(QStringLiteral("DELETE FROM tbSteuerschluessel"));
        db().execute(
            QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard) VALUES (1, 19, True), (2, 7, "
                           "False)"));
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (1, '101'), (2, '102')"));
        gast_ = adresse(QStringLiteral("Brandt"));
        firma_ = adresse(QStringLiteral("Nordwerk"));
    }
    int adresse(const QString& name) {
        db().execute(QStringLiteral("INSERT INTO Address (LastName) VALUES (?)"), {name});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    }
    int buchung(double proNacht, double preis, int zimmer = 1) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung, PreisProNacht, Preis, "
                                    "Abgerechnet, AnzahlGäste, Belegungsart) VALUES (?, ?, ?, ?, ?, ?, ?, 0, 2, 2)"),
                     {zimmer, QDate(2024, 7, 1), QDate(2024, 7, 4), gast_, gast_, proNacht, preis});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    PostenEingabe minibar() {
        PostenEingabe e;
        e.artikel = QStringLiteral("Minibar");
        e.menge = QStringLiteral("2");
        e.preis = QStringLiteral("3,50");
        e.mwstSchluessel = 1;
        e.datum = QStringLiteral("02.07.24");
        return e;
    }
    const PoZeile& zeile(RechnungPoLogik& l, bool buchungsZeile, int id) {
        for (const PoZeile& z : l.zeilen())
            if (z.buchung == buchungsZeile && z.id == id) return z;
        throw std::runtime_error("row missing");
    }
    // Every column of the booking and its items, in order: the database's exact state.
    QStringList stand(int buchungId) {
        QStringList s;
        for (Recordset rs = db().openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE ID = ?"), {buchungId}); !rs.eof();
             rs.moveNext())
            for (int i = 0; i < rs.fieldCount(); ++i) s << rs.fieldName(i) + QLatin1Char('=') + rs.value(i).toString();
        for (Recordset rs =
                 db().openRecordset(QStringLiteral("SELECT * FROM tbRePosten WHERE IDBelegung = ? ORDER BY IDRePosten"), {buchungId});
             !rs.eof(); rs.moveNext())
            for (int i = 0; i < rs.fieldCount(); ++i) s << rs.fieldName(i) + QLatin1Char('=') + rs.value(i).toString();
        s << QString::number(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten")).toInt());
        return s;
    }
    int anzahl(const QString& sql) { return db().scalar(sql).toInt(); }
    RechnungPoLogik& logik(int buchung, RechnungPoLogik::Modus modus = RechnungPoLogik::Modus::Rechnung) {
        logik_ = std::make_unique<RechnungPoLogik>(db(), dialogs_);
        logik_->laden(buchung, modus, heute_);
        return *logik_;
    }
    static RechnungPoLogik::Belegdaten beleg(int adresse, const QString& datum = QStringLiteral("04.07.24")) {
        RechnungPoLogik::Belegdaten d;
        d.adressId = adresse;
        d.datum = datum;
        return d;
    }

    ScriptedDialogs dialogs_;
    std::unique_ptr<RechnungPoLogik> logik_;
    int gast_ = 0, firma_ = 0;
    const QDate heute_{2024, 7, 4};
};

TEST_F(RechnungPoLogikTest, SplittingDividesThePricePerNightOrTheTotal) {
    struct Fall {
        const char* name;
        double proNacht, preis;
        QString teile;
        int anzahl;
        double menge, einzelpreis;
    };
    const Fall faelle[] = {
        {"3 nights at 80,00 in 2", 80, 240, "2", 2, 3, 40},
        {"total 300,00 without a price per night in 3", 0, 300, "3", 3, 1, 100},
        {"one part keeps the whole price", 80, 240, "1", 1, 3, 80},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        const int b = buchung(f.proNacht, f.preis);
        RechnungPoLogik& l = logik(b);
        dialogs_.answerText(f.teile);
        ASSERT_TRUE(l.teilen(b));
        EXPECT_EQ(dialogs_.last().caption, RechnungPoLogik::kTeilenTitel);
        // Each part: night item, open, with the standard key valid today, the guest and the stay.
        const QString teil =
            QStringLiteral("Übernachtungen|%1|%2|Y|Nein|1|%3|2024-07-01|2024-07-04").arg(f.menge).arg(f.einzelpreis).arg(gast_);
        EXPECT_EQ(
            test::zeilen(db(),
                         QStringLiteral("SELECT ArtikelPo, MengePo, PreisPo, IST_Belegung, AbgerechnetPo, IDSteuerschlüssel, IDAdressePo, "
                                        "DatumPo, DatumPoBis FROM tbRePosten WHERE IDBelegung = ?"),
                         {b}),
            QStringList(f.anzahl, teil));
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT IST_Geteilt FROM tblBelegung WHERE ID = ?"), {b}).toString(), QStringLiteral("Y"));
    }
}

TEST_F(RechnungPoLogikTest, BadSplitAnswersChangeNothing) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    const QStringList vorher = stand(b);
    for (const QString& antwort : {QStringLiteral("0"), QStringLiteral("zwei"), QString(), QStringLiteral("-2")}) {
        SCOPED_TRACE(antwort.toStdString());
        dialogs_.answerText(antwort);
        EXPECT_FALSE(l.teilen(b));
        EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kKeineTeilung);
        EXPECT_EQ(stand(b), vorher);
    }
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {b});
    EXPECT_FALSE(l.teilen(b)) << "a settled booking";
    EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Diese Reservierung wurde bereits abgerechnet.")));
}

TEST_F(RechnungPoLogikTest, UndoingASplitRestoresTheBookingExactly) {
    const int b = buchung(80, 240);
    db().execute(QStringLiteral("UPDATE tblBelegung SET IST_Geteilt = 'N' WHERE ID = ?"), {b});
    RechnungPoLogik& l = logik(b);
    ASSERT_TRUE(l.postenSpeichern(0, minibar(), gast_));
    const QStringList vorher = stand(b);

    EXPECT_FALSE(l.teilungAufheben(b));
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kNichtGeteilt);

    dialogs_.answerText(QStringLiteral("2"));
    ASSERT_TRUE(l.teilen(b));
    EXPECT_NE(stand(b), vorher);
    ASSERT_TRUE(l.teilungAufheben(b));
    EXPECT_EQ(stand(b), vorher) << "the extra item stays, the night items and the flag go";

    // A settled night item holds the split.
    dialogs_.answerText(QStringLiteral("2"));
    ASSERT_TRUE(l.teilen(b));
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDBelegung = ? AND IST_Belegung = 'Y' AND IDRePosten = "
                                "(SELECT Max(IDRePosten) FROM tbRePosten)"),
                 {b});
    const QStringList geteilt = stand(b);
    EXPECT_FALSE(l.teilungAufheben(b));
    EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Eine oder mehrere der aufgeteilten Reservierungen")));
    EXPECT_EQ(stand(b), geteilt);
}

TEST_F(RechnungPoLogikTest, SaveChecksComeInTheirOrderAndARefusalWritesNothing) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    struct Fall {
        const char* name;
        std::function<void(PostenEingabe&)> aendern;
        QString meldung;
    };
    const Fall faelle[] = {
        {"no date and no article", [](PostenEingabe& e) { e.datum.clear(), e.artikel.clear(); },
         "Das Feld 'Datum' darf zum Speichern nicht leer sein"},
        {"30.02.", [](PostenEingabe& e) { e.datum = "30.02.24"; }, RechnungPoLogik::kDatumPruefen},
        {"date-to empty", [](PostenEingabe& e) { e.bisInGebrauch = true; }, "Das Feld 'Datum (Bis)' darf zum Speichern nicht leer sein."},
        {"date-to before date", [](PostenEingabe& e) { e.bisInGebrauch = true, e.datumBis = "01.07.24"; },
         "Das Enddatum liegt vor dem Anfangsdatum. Bitte korrigieren Sie die Einträge."},
        {"equal period", [](PostenEingabe& e) { e.bisInGebrauch = e.zeitraumNoetig = true, e.datumBis = e.datum; },
         "Das Anfangs- und das Enddatum sind gleich. Bitte korrigieren Sie die Einträge."},
        {"no article and no price", [](PostenEingabe& e) { e.artikel.clear(), e.preis.clear(); },
         "Das Feld 'Artikel' darf zum Speichern nicht leer sein"},
        {"quantity 0", [](PostenEingabe& e) { e.menge = "0"; },
         "Bitte geben Sie als Menge eine Zahl größer als 0 ein, zum Beispiel 2 oder 1,5."},
        {"quantity in letters", [](PostenEingabe& e) { e.menge = "zwei"; },
         "Bitte geben Sie als Menge eine Zahl größer als 0 ein, zum Beispiel 2 oder 1,5."},
        {"no price and no VAT", [](PostenEingabe& e) { e.preis.clear(), e.mwstSchluessel = 0; },
         "Das Feld 'Preis' darf zum Speichern nicht leer sein"},
        {"three decimals", [](PostenEingabe& e) { e.preis = "3,505"; },
         "Bitte geben Sie den Preis als Betrag mit höchstens zwei Nachkommastellen ein, zum Beispiel 1.234,50."},
        {"VAT not in the list", [](PostenEingabe& e) { e.mwstSchluessel = 9; }, RechnungPoLogik::kAuswahl},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        PostenEingabe e = minibar();
        f.aendern(e);
        EXPECT_FALSE(l.postenSpeichern(0, e, gast_));
        EXPECT_EQ(dialogs_.last().text, f.meldung);
        EXPECT_EQ(anzahl(QStringLiteral("SELECT Count(*) FROM tbRePosten")), 0);
    }
    PostenEingabe ohneMenge = minibar();
    ohneMenge.menge.clear();
    const auto id = l.postenSpeichern(0, ohneMenge, gast_);
    ASSERT_TRUE(id);
    EXPECT_DOUBLE_EQ(db().scalar(QStringLiteral("SELECT MengePo FROM tbRePosten WHERE IDRePosten = ?"), {*id}).toDouble(), 1)
        << "an empty quantity is filled in";
}

TEST_F(RechnungPoLogikTest, AnotherInvoiceAddressIsKeptOnlyOnYes) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    for (const auto& [antwort, erwartet] : {std::pair{Answer::Yes, firma_}, std::pair{Answer::No, gast_}}) {
        dialogs_.answer(antwort);
        const auto id = l.postenSpeichern(0, minibar(), firma_);
        ASSERT_TRUE(id);
        EXPECT_TRUE(dialogs_.last().text.startsWith(QStringLiteral("Die Rechnungsadresse dieses Zusatzpostens")));
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT IDAdressePo FROM tbRePosten WHERE IDRePosten = ?"), {*id}).toInt(), erwartet);
    }
}

TEST_F(RechnungPoLogikTest, DeletingBookingRowsAndSettledItemsIsRefused) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    const int offen = *l.postenSpeichern(0, minibar(), gast_);
    const int erledigt = *l.postenSpeichern(0, minibar(), gast_);
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDRePosten = ?"), {erledigt});
    l.eintraegeLaden();

    EXPECT_FALSE(l.loeschen(zeile(l, true, b)));
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kNichtLoeschbar);
    EXPECT_FALSE(l.loeschen(zeile(l, false, erledigt)));
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kAbgerechnetLoeschen);
    EXPECT_FALSE(l.postenSpeichern(erledigt, minibar(), gast_)) << "a settled item cannot be changed";
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kAbgerechnetAendern);

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(l.loeschen(zeile(l, false, offen)));
    EXPECT_EQ(anzahl(QStringLiteral("SELECT Count(*) FROM tbRePosten")), 2);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.loeschen(zeile(l, false, offen)));
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kLoeschenFrage);
    EXPECT_EQ(anzahl(QStringLiteral("SELECT Count(*) FROM tbRePosten")), 1);
}

TEST_F(RechnungPoLogikTest, WaitingEntriesStayOutOfTheInvoiceAndCancelBringsTheRestBack) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    const int warten = *l.postenSpeichern(0, minibar(), gast_);
    const int minibar2 = *l.postenSpeichern(0, minibar(), gast_);
    l.eintraegeLaden();
    ASSERT_TRUE(l.zustandSetzen(zeile(l, false, warten), QStringLiteral("Warten")));
    EXPECT_FALSE(l.zustandSetzen(zeile(l, false, warten), QStringLiteral("Vielleicht")));
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kAuswahl);
    l.eintraegeLaden();

    const auto d = beleg(gast_);
    QList<int> gedruckt;
    const auto nr = l.drucken(Dokumentart::RechnungEditor, d, [&](int n, Dokumentart) {
        gedruckt << n;
        return true;
    });
    ASSERT_TRUE(nr);
    EXPECT_EQ(gedruckt, QList<int>{*nr});
    EXPECT_EQ(anzahl(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten")), 2) << "booking and one item";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {warten}).toString(),
              QStringLiteral("Warten"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {minibar2}).toString(),
              QStringLiteral("Ja"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {b}).toInt(), 1);

    l.eintraegeLaden();
    EXPECT_FALSE(l.drucken(Dokumentart::RechnungEditor, d, {}));
    EXPECT_EQ(dialogs_.last().text, clsRechnung::kKeineEintraege) << "nothing left but the waiting item";

    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(l.stornieren(zeile(l, true, b)));
    l.eintraegeLaden();
    EXPECT_EQ(zeile(l, true, b).zustand, QStringLiteral("Nein"));
    EXPECT_EQ(zeile(l, false, minibar2).zustand, QStringLiteral("Nein"));
    EXPECT_EQ(zeile(l, false, warten).zustand, QStringLiteral("Warten"));
    EXPECT_FALSE(l.stornieren(zeile(l, false, minibar2)));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Dieser Posten wurde noch nicht abgerechnet."));
}

TEST_F(RechnungPoLogikTest, DocumentInputIsCheckedBeforeAnythingIsWritten) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    struct Fall {
        const char* name;
        QString datum, rabatt;
        QString meldung;
    };
    const Fall faelle[] = {
        {"30.02.", "30.02.24", {}, RechnungPoLogik::kDatumPruefen},
        {"discount above 100 %", "04.07.24", "120%", "Ein Rabatt von mehr als 100 % ist nicht möglich."},
        {"discount in letters", "04.07.24", "viel", "Bitte geben Sie den Rabatt als Betrag oder mit '%' als Prozentsatz ein."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        auto d = beleg(gast_, f.datum);
        d.rabattBetrag = f.rabatt;
        EXPECT_FALSE(l.drucken(Dokumentart::RechnungEditor, d, {}));
        EXPECT_EQ(dialogs_.last().text, f.meldung);
        EXPECT_EQ(anzahl(QStringLiteral("SELECT Count(*) FROM tbRechnungen")), 0);
    }
    const auto d = beleg(firma_);
    EXPECT_FALSE(l.drucken(Dokumentart::RechnungEditor, d, {})) << "nothing is addressed to the firm";
    EXPECT_EQ(dialogs_.last().text, clsRechnung::kKeineEintraege);
}

TEST_F(RechnungPoLogikTest, AssigningAnAddressSkipsSettledRows) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b);
    const int erledigt = *l.postenSpeichern(0, minibar(), gast_);
    db().execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDRePosten = ?"), {erledigt});
    l.eintraegeLaden();
    EXPECT_FALSE(l.adresseZuordnen({}, firma_));
    EXPECT_EQ(dialogs_.last().text, RechnungPoLogik::kKeineAuswahl);
    ASSERT_TRUE(l.adresseZuordnen(l.zeilen(), firma_));
    l.eintraegeLaden();
    EXPECT_EQ(zeile(l, true, b).adressId, firma_);
    EXPECT_EQ(zeile(l, true, b).adresse, QStringLiteral("Nordwerk"));
    EXPECT_EQ(zeile(l, false, erledigt).adressId, gast_);
}

TEST_F(RechnungPoLogikTest, StatusCheckResetsOnlyUncoveredSettledEntries) {
    const int ohneBeleg = buchung(80, 240);
    const int mitBeleg = buchung(80, 240, 2);
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1"));
    db().execute(QStringLiteral("INSERT INTO tbRechnungen (ReNummer, IST_Rechnung) VALUES (1, 'R')"));
    db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (1, ?)"), {mitBeleg});
    db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, AbgerechnetPo) VALUES (?, 'Sauna', 'Ja')"), {ohneBeleg});
    RechnungPoLogik& l = logik(ohneBeleg);
    dialogs_.answer(Answer::Yes);
    EXPECT_EQ(l.statusPruefen(), 2);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Es sind 2 Einträge betroffen. Möchten Sie den Status jetzt ändern?"));
    EXPECT_EQ(dialogs_.last().caption, RechnungPoLogik::kStatusTitel);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {ohneBeleg}).toInt(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {mitBeleg}).toInt(), 1);
    EXPECT_EQ(l.statusPruefen(), 0);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Alle Status sind korrekt"));
}

TEST_F(RechnungPoLogikTest, BlockMembersShowAndAreInvoicedTogether) {
    const int mitglied = buchung(50, 150, 2);
    const int master = buchung(80, 240, 1);
    db().execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (5, ?, False), (5, ?, True)"),
                 {mitglied, master});
    Parameter(db()).write(QStringLiteral("AuchBlock"), {{1, QStringLiteral("Nein")}});
    RechnungPoLogik& l = logik(mitglied);
    EXPECT_FALSE(l.nurBuchung) << "the remembered choice";
    ASSERT_EQ(l.zeilen().size(), 2);
    EXPECT_EQ(l.zeilen()[0].id, master) << "the master first";
    const auto d = beleg(gast_);
    const auto nr = l.drucken(Dokumentart::RechnungEditor, d, {});
    ASSERT_TRUE(nr);
    EXPECT_EQ(anzahl(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDBelegung Is Not Null")), 2);

    l.nurBuchung = true;
    l.eintraegeLaden();
    EXPECT_EQ(l.zeilen().size(), 1);
}

TEST_F(RechnungPoLogikTest, ColumnsAndRememberedChoicesAreStored) {
    const int b = buchung(80, 240);
    RechnungPoLogik& l = logik(b, RechnungPoLogik::Modus::Angebot);
    EXPECT_EQ(l.adressTitel(), QStringLiteral("Adresse für das Angebot"));
    QList<bool> s = l.spaltenSichtbar();
    EXPECT_TRUE(s[0]);
    EXPECT_FALSE(s[7]) << "key columns start hidden";
    s[2] = false;
    l.spaltenSpeichern(s);
    EXPECT_EQ(RechnungPoLogik(db(), dialogs_).spaltenSichtbar(), s);

    l.vorgabeAnzahlung(true);
    l.vorgabeBerechnung(2);
    l.vorgabeNurBuchung(false);
    const auto v = l.vorgabe();
    EXPECT_TRUE(v.anzahlung);
    EXPECT_EQ(v.berechnung, 2);
    EXPECT_FALSE(v.nurBuchung);
    EXPECT_EQ(zeile(l, true, b).zellen()[1], QStringLiteral("Übernachtungen"));
    ASSERT_TRUE(l.nachttextAendern(b, QStringLiteral("Nächte im Turm")));
    l.eintraegeLaden();
    EXPECT_EQ(zeile(l, true, b).artikel, QStringLiteral("Nächte im Turm"));
}

// The reservation form asked the block member how it is invoiced; "No" leaves the room billed
// through its block, and the editor lists only the booking's extra items.
TEST_F(RechnungPoLogikTest, ABlockMemberBilledWithItsExtraItemsOnly) {
    const int mitglied = buchung(50, 150, 2);
    const int master = buchung(80, 240, 1);
    db().execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, Master) VALUES (5, ?, False), (5, ?, True)"),
                 {mitglied, master});
    RechnungPoLogik& l = logik(mitglied);
    const int sekt = *l.postenSpeichern(0, minibar(), gast_);

    l.nurZusatzposten = true;
    l.eintraegeLaden();
    ASSERT_EQ(l.zeilen().size(), 1);
    EXPECT_EQ(l.zeilen()[0].id, sekt);
    EXPECT_FALSE(l.zeilen()[0].buchung);
}
