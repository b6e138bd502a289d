#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>

#include "engine/Recordset.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserName.h"
#include "reservation/AdressLogik.h"
#include "reservation/WeitereLogik.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class AdressLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        setUserNameForTests(QStringLiteral("rezeption"));
        db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES ('Deutschland')"));
        db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES ('Österreich')"));
        db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES ('Frau')"));
        db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES ('Herr')"));
    }
    void TearDown() override {
        setUserNameForTests({});
        DatabaseFixture::TearDown();
    }
    AdressUmgebung umgebung(int instanz = 0) {
        AdressUmgebung u;
        u.instanz = instanz;
        u.programmName = QStringLiteral("Tavomera");
        u.programmordner = folder();
        u.plzDatei = file(QStringLiteral("Feiertag.mdb"));
        return u;
    }
    int address(const QString& name, const QString& vorname = {}, const QString& ort = {}) {
        db().execute(QStringLiteral("INSERT INTO Address (Lastname, Firstname, city, Country, IDLand) VALUES (?, ?, ?, 'Deutschland', 1)"),
                     {name, vorname, ort});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM Address")).toInt();
    }
    int booking(int gast, int rechnung = 0, const QDate& von = QDate(2024, 5, 1)) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung, Kürzel, Abgerechnet) "
                                    "VALUES (1, ?, ?, ?, ?, 'k', 0)"),
                     {von, von.addDays(2), gast == 0 ? QVariant() : QVariant(gast), rechnung == 0 ? QVariant() : QVariant(rechnung)});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }
    QVariant field(int id, const QString& name) {
        return db().scalar(QStringLiteral("SELECT ") + name + QStringLiteral(" FROM Address WHERE ID = ?"), {id});
    }
    // Stored fields of an address as text (Null empty): many fields, one comparison.
    QStringList felder(int id, const QStringList& namen) {
        Recordset rs = db().openRecordset(QStringLiteral("SELECT * FROM Address WHERE ID = ?"), {id});
        QStringList out;
        for (const QString& n : namen) out << (rs.eof() ? QStringLiteral("<keine Adresse>") : rs.text(n));
        return out;
    }
    int count(const QString& sql) { return db().scalar(sql).toInt(); }

    ScriptedDialogs dialogs_;
};

TEST_F(AdressLogikTest, SavingRefusesShortNamesAndMissingCountry) {
    struct Fall {
        QString nachname, land;
        QString meldung;  // empty: saved
    } faelle[] = {
        {QStringLiteral("Li"), QStringLiteral("Deutschland"),
         QStringLiteral("Bitte den Namen des Gastes eingeben. Der Name muss mindestens drei Zeichen lang sein.")},
        {QStringLiteral("  Li  "), QStringLiteral("Deutschland"),
         QStringLiteral("Bitte den Namen des Gastes eingeben. Der Name muss mindestens drei Zeichen lang sein.")},
        {QStringLiteral("Lin"), QStringLiteral(" "), QStringLiteral("Bitte das Herkunftsland  des Gastes eingeben")},
        {QStringLiteral("Lin"), QStringLiteral("Deutschland"), {}},
    };
    for (const Fall& f : faelle) {
        dialogs_.clear();
        AdressLogik a(db(), dialogs_, umgebung());
        a.cmdNeuAdress(f.nachname);
        a.setFeld(AdressFeld::Land, f.land);
        const int vorher = count(QStringLiteral("SELECT Count(*) FROM Address"));
        EXPECT_EQ(a.AdressSpeichern(), f.meldung.isEmpty()) << qPrintable(f.nachname);
        if (f.meldung.isEmpty()) {
            EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
            EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), vorher + 1);
            EXPECT_NE(a.felder().id, 0);
            EXPECT_EQ(a.felder().modus, AdressModus::Anzeigen);
        } else {
            ASSERT_EQ(dialogs_.shown().size(), 1);
            EXPECT_EQ(dialogs_.last().text, f.meldung);
            EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Adresse speichern"));
            EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), vorher);
        }
    }
}

TEST_F(AdressLogikTest, SavingWritesEveryFieldAndTheModeDecidesBetweenNewAndEdit) {
    ClockOverride uhr(QDateTime(QDate(2024, 3, 5), QTime(10, 30)));
    AdressLogik a(db(), dialogs_, umgebung());
    QSignalSpy neueListe(&a, &AdressLogik::adressenGeaendert);
    a.cmdNeuAdress(QStringLiteral("Lindner"));
    a.setFeld(AdressFeld::Vorname, QStringLiteral("Eva"));
    a.setFeld(AdressFeld::Strasse, QStringLiteral("Hauptstr. 1"));
    a.setFeld(AdressFeld::Plz, QStringLiteral("89073"));
    a.setFeld(AdressFeld::Ort, QStringLiteral("Ulm"));
    a.setFeld(AdressFeld::Land, QStringLiteral("Österreich"));
    a.setFeld(AdressFeld::Anrede, QStringLiteral("Frau"));
    a.setFeld(AdressFeld::Telefon, QStringLiteral("0731 1234"));
    a.setFeld(AdressFeld::Email, QStringLiteral("eva@example.org"));
    a.setStammkunde(true);
    ASSERT_TRUE(a.AdressSpeichern());
    const int id = a.felder().id;
    EXPECT_FALSE(a.felder().geaendert);
    EXPECT_EQ(neueListe.count(), 1);
    EXPECT_EQ(felder(id, {"Firstname", "postalcode", "Country", "IDLand", "IDAnrede", "OwnerID", "WerErstellt", "CompanyName"}),
              QStringList({"Eva", "89073", "Österreich", "2", "1", "1", "rezeption", ""}))
        << "an empty box stores no value";
    EXPECT_EQ(field(id, QStringLiteral("WannErstellt")).toDateTime().date(), QDate(2024, 3, 5));

    // Editing: the same row, the creation stays, the change is recorded.
    ClockOverride spaeter(QDate(2024, 4, 1));
    setUserNameForTests(QStringLiteral("chef"));
    ASSERT_TRUE(a.cmdEditAdress());
    a.setFeld(AdressFeld::Ort, QStringLiteral("Neu-Ulm"));
    a.setStammkunde(false);
    ASSERT_TRUE(a.AdressSpeichern());
    EXPECT_EQ(a.felder().id, id);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), 1);
    EXPECT_EQ(felder(id, {"city", "OwnerID", "WerErstellt", "WerGeändert"}), QStringList({"Neu-Ulm", "0", "rezeption", "chef"}));
    EXPECT_EQ(field(id, QStringLiteral("WannGeändert")).toDateTime().date(), QDate(2024, 4, 1));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(QStringLiteral(" | ")));
}

TEST_F(AdressLogikTest, AnAddressWithoutIdAsksBeforeANewRowUnlessInChangeMode) {
    AdressLogik a(db(), dialogs_, umgebung());
    // Nothing matched the typed name and the user declined "Neue Adresse anlegen?".
    dialogs_.answer(Answer::Cancel);
    EXPECT_EQ(a.tippen(QStringLiteral("Keller")), 0);
    EXPECT_EQ(a.felder().modus, AdressModus::Anzeigen);
    EXPECT_EQ(a.felder().nachname, QStringLiteral("Keller"));
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(a.AdressSpeichern());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Möchten Sie eine neue Adresse mit diesen Daten anlegen?"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), 0);
    dialogs_.answer(Answer::Ok);
    EXPECT_TRUE(a.AdressSpeichern());
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM Address")), 1);

    // With no address chosen, "Adresse ändern" is refused.
    AdressLogik b(db(), dialogs_, umgebung());
    dialogs_.clear();
    EXPECT_FALSE(b.cmdEditAdress());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Es ist keine Adresse zum Ändern ausgewählt."));
    EXPECT_TRUE(b.felderGesperrt());
}

TEST_F(AdressLogikTest, TypingFindsLowerCasePrefixesWithUmlautsAndWalksTheHits) {
    const int mueller = address(QStringLiteral("Müller"), QStringLiteral("Hans"));
    address(QStringLiteral("Mueller"));
    const int doppel = address(QStringLiteral("MÜLLER-Lüdenscheidt"));
    address(QStringLiteral("Maier"));
    const int sternchen = address(QStringLiteral("M*rtens"));
    db().execute(QStringLiteral("UPDATE Address SET IDAnrede = 2 WHERE ID = ?"), {mueller});

    AdressLogik a(db(), dialogs_, umgebung());
    struct Fall {
        QString getippt;
        QList<int> treffer;
    } faelle[] = {
        {QStringLiteral("mü"), {mueller, doppel}}, {QStringLiteral("MÜ"), {mueller, doppel}},
        {QStringLiteral("Müller-"), {doppel}},     {QStringLiteral("m*"), {sternchen}},  // a typed * is a letter, not a wildcard
        {QStringLiteral("mue"), {mueller + 1}},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(a.tippen(f.getippt), f.treffer.first()) << qPrintable(f.getippt);
        EXPECT_EQ(a.treffer(), f.treffer) << qPrintable(f.getippt);
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    a.tippen(QStringLiteral("mü"));
    EXPECT_EQ(a.felder().vorname, QStringLiteral("Hans"));
    EXPECT_EQ(a.felder().anrede, QStringLiteral("Herr")) << "the salutation comes from tbAnreden";
    EXPECT_EQ(a.felder().land, QStringLiteral("Deutschland"));
    EXPECT_EQ(a.naechsterTreffer(), doppel);
    EXPECT_EQ(a.naechsterTreffer(), doppel) << "the last hit stays";
    EXPECT_EQ(a.vorigerTreffer(), mueller);
    EXPECT_EQ(a.vorigerTreffer(), mueller);
    EXPECT_EQ(a.AdrSuchen(QStringLiteral("MA")), mueller + 3);
    EXPECT_EQ(a.AdrSuchen(QStringLiteral("x")), 0);
    EXPECT_TRUE(a.AdrSuchenID(doppel));
    EXPECT_FALSE(a.AdrSuchenID(9999));

    for (QChar c : {QChar(u'~'), QChar(u'\''), QChar(u';')}) EXPECT_FALSE(AdressLogik::tasteErlaubt(c));
    for (QChar c : {QChar(u'a'), QChar(0xFC), QChar(u'-'), QChar(u' ')}) EXPECT_TRUE(AdressLogik::tasteErlaubt(c));
}

TEST_F(AdressLogikTest, NoHitAsksForANewAddressWithTheRegularGuestDefault) {
    address(QStringLiteral("Huber"));
    AdressUmgebung u = umgebung();
    u.stammkundenVorgabe = true;
    AdressLogik a(db(), dialogs_, u);
    a.tippen(QStringLiteral("hu"));
    ASSERT_NE(a.felder().id, 0);

    dialogs_.answer(Answer::Ok);
    EXPECT_EQ(a.tippen(QStringLiteral("Hux")), 0);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Neue Adresse anlegen?"));
    EXPECT_EQ(dialogs_.last().buttons, Buttons::OkCancel);
    const AdressFelder& f = a.felder();
    EXPECT_EQ(f.modus, AdressModus::Neu);
    EXPECT_EQ(f.id, 0);
    EXPECT_EQ(f.nachname, QStringLiteral("Hux"));
    EXPECT_TRUE(f.vorname.isEmpty()) << "the fields of the address found before are emptied";
    EXPECT_EQ(f.land, QStringLiteral("Deutschland"));
    EXPECT_TRUE(f.stammkunde);
    EXPECT_FALSE(a.felderGesperrt());
    // Typing on in new-address mode only extends the name; nothing is asked again.
    a.tippen(QStringLiteral("Huxley"));
    EXPECT_EQ(a.felder().nachname, QStringLiteral("Huxley"));
    EXPECT_EQ(dialogs_.shown().size(), 1);
}

TEST_F(AdressLogikTest, QuotesAreBalancedOnLeavingATextField) {
    struct Fall {
        QString ein, aus;
    } faelle[] = {
        {QStringLiteral("Gasthof \"Linde"), QStringLiteral("Gasthof \"Linde\"")},
        {QStringLiteral("\"Linde\""), QStringLiteral("\"Linde\"")},
        {QStringLiteral("a\"b\"c\""), QStringLiteral("a\"b\"c\"\"")},
        {QStringLiteral("ohne"), QStringLiteral("ohne")},
    };
    AdressLogik a(db(), dialogs_, umgebung());
    a.cmdNeuAdress();
    for (const Fall& f : faelle) {
        a.setFeld(AdressFeld::Firma, f.ein);
        a.feldVerlassen(AdressFeld::Firma);
        EXPECT_EQ(a.felder().firma, f.aus);
    }
    a.setFeld(AdressFeld::Plz, QStringLiteral("8\""));
    a.feldVerlassen(AdressFeld::Plz);
    EXPECT_EQ(a.felder().plz, QStringLiteral("8\"")) << "the postcode is no text field of this rule";
}

// Installation 0 marks slot 1, installation 1 slot 3, installation 2 slot 4; the origin mark is
// set once and never cleared.
TEST_F(AdressLogikTest, UsageMarksFollowTheInstallationSlot) {
    const QStringList marken = {"BenutztVon1", "BenutztVon3", "BenutztVon4", "Herkunft1", "Herkunft3", "Herkunft4"};
    for (int instanz = 0; instanz < 3; ++instanz) {
        SCOPED_TRACE(instanz);
        const int id = address(QStringLiteral("Slot%1").arg(instanz));
        AdressUmgebung u = umgebung(instanz);
        u.programmName = QStringLiteral("Hotel %1").arg(instanz);
        AdressLogik a(db(), dialogs_, u);
        QStringList erwartet(6);
        erwartet[instanz] = erwartet[instanz + 3] = u.programmName;
        a.AdresseBenutzt(id, true);
        EXPECT_EQ(felder(id, marken), erwartet);
        a.AdresseBenutzt(id, false);
        erwartet[instanz].clear();
        EXPECT_EQ(felder(id, marken), erwartet);
    }
    const int id = address(QStringLiteral("Erstnutzer"));
    db().execute(QStringLiteral("UPDATE Address SET Herkunft1 = 'Altprogramm' WHERE ID = ?"), {id});
    AdressLogik(db(), dialogs_, umgebung()).AdresseBenutzt(id, true);
    EXPECT_EQ(felder(id, {"BenutztVon1", "Herkunft1"}), QStringList({"Tavomera", "Altprogramm"}));
}

TEST_F(AdressLogikTest, ClearingTheUsageMarkWaitsForTheLastBookingOfTheGuest) {
    const int gast = address(QStringLiteral("Stammgast"));
    const int erste = booking(gast);
    const int zweite = booking(gast, 0, QDate(2024, 6, 1));
    AdressLogik a(db(), dialogs_, umgebung());
    a.AdresseBenutzt(gast, true);

    db().execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ?"), {erste});
    a.adresseBenutzt(gast, false);
    EXPECT_EQ(field(gast, QStringLiteral("BenutztVon1")).toString(), QStringLiteral("Tavomera")) << "another booking still uses it";

    db().execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ?"), {zweite});
    a.adresseBenutzt(gast, false);
    EXPECT_TRUE(field(gast, QStringLiteral("BenutztVon1")).isNull());
}

TEST_F(AdressLogikTest, OrphanCleanUpClearsOnlyThisInstallationsMarkOfAddressesWithoutBooking) {
    const int gast = address(QStringLiteral("Gast"));
    const int waise = address(QStringLiteral("Waise"));
    const int fremd = address(QStringLiteral("Fremd"));
    booking(gast);
    db().execute(QStringLiteral("UPDATE Address SET BenutztVon1 = 'Tavomera', BenutztVon3 = 'Tavomera 2'"));
    db().execute(QStringLiteral("UPDATE Address SET BenutztVon1 = Null, BenutztVon2 = 'Qubero' WHERE ID = ?"), {fremd});
    const QStringList marken = {"BenutztVon1", "BenutztVon2", "BenutztVon3"};
    EXPECT_EQ(AdressLogik(db(), dialogs_, umgebung()).AdressenOhneBelegung(), 1);
    EXPECT_EQ(felder(gast, marken) + felder(waise, marken) + felder(fremd, marken),
              QStringList({"Tavomera", "", "Tavomera 2", "", "", "Tavomera 2", "", "Qubero", "Tavomera 2"}))
        << "only the orphan's mark of this installation is cleared";
    // The reorganisation of the second installation clears its own slot.
    EXPECT_EQ(AdressLogik::AdressenOhneBelegung(db(), 1), 2);
    EXPECT_EQ(felder(gast, marken) + felder(waise, marken), QStringList({"Tavomera", "", "Tavomera 2", "", "", ""}));
}

TEST_F(AdressLogikTest, AnAddressChosenInTheAddressProgramIsOfferedForTheFocusedBox) {
    const int erste = address(QStringLiteral("Erste"));
    const int zweite = address(QStringLiteral("Zweite"));
    AdressLogik a(db(), dialogs_, umgebung());
    a.laden(erste);
    EXPECT_FALSE(a.adresseUebernehmen(erste, false));
    EXPECT_FALSE(a.adresseUebernehmen(9999, false));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "the same or a missing address is not offered";

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(a.adresseUebernehmen(zweite, false));
    EXPECT_EQ(a.gastId(), erste);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Adresse übernehmen?"));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Adresse übernehmen"));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.adresseUebernehmen(zweite, false));
    EXPECT_EQ(a.gastId(), zweite);
    EXPECT_EQ(a.felder().nachname, QStringLiteral("Zweite"));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.adresseUebernehmen(erste, true));
    EXPECT_EQ(a.rechnungsadresseId(), erste);
    EXPECT_EQ(a.gastId(), zweite);
}

TEST_F(AdressLogikTest, AnyReferenceKeepsTheAddressFromBeingDeleted) {
    struct Verweis {
        QString sql;
    } verweise[] = {
        {QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID) VALUES (1, #05-01-2024#, #05-02-2024#, ?)")},
        {QStringLiteral(
            "INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung) VALUES (1, #05-01-2024#, #05-02-2024#, 0, ?)")},
        {QStringLiteral("INSERT INTO tbRechnungen (ReNummer, IDAdresseRe) VALUES (1, ?)")},
        {QStringLiteral("INSERT INTO tbAdress_zu_Adress (IDAdresseOber, idAdresseUnter) VALUES (?, 0)")},
        {QStringLiteral("INSERT INTO tbAdress_zu_Adress (IDAdresseOber, idAdresseUnter) VALUES (0, ?)")},
        {QStringLiteral("INSERT INTO tbRePosten (IDBelegung, IDAdressePo) VALUES (0, ?)")},
        {QStringLiteral("INSERT INTO WeitereGäste (ID_Belegung, ID_Adresse, Name) VALUES (0, ?, 'x')")},
    };
    AdressLogik a(db(), dialogs_, umgebung());
    for (const Verweis& v : verweise) {
        const int id = address(QStringLiteral("Verwiesen"));
        EXPECT_TRUE(a.AdresseInGebrauch(id));
        db().execute(v.sql, {id});
        EXPECT_FALSE(a.AdresseInGebrauch(id)) << qPrintable(v.sql);
        dialogs_.clear();
        dialogs_.answer(Answer::Yes);
        EXPECT_FALSE(a.adresseLoeschen(id)) << qPrintable(v.sql);
        EXPECT_TRUE(a.AdrSuchenID(id));
    }
}

TEST_F(AdressLogikTest, DeletingTellsWhoStillUsesTheAddress) {
    AdressLogik a(db(), dialogs_, umgebung());
    // Only the invoice address of a booking: no usage mark, the plain refusal.
    const int rechnung = address(QStringLiteral("Firma Rechnung"));
    booking(address(QStringLiteral("Gast")), rechnung);
    db().execute(QStringLiteral("UPDATE Address SET BenutztVon1 = 'Tavomera' WHERE ID = ?"), {rechnung});
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.adresseLoeschen(rechnung));
    EXPECT_EQ(dialogs_.texts(),
              QStringList({QStringLiteral("Soll die ausgewählte Adresse gelöscht werden?"),
                           QStringLiteral("Die ausgewählte Adresse wird noch  benutzt und kann deswegen nicht gelöscht werden.")}))
        << "the orphan clean-up removed the stale mark first";

    // The guest of a booking, also used by the address program.
    const int gast = address(QStringLiteral("Dauergast"));
    booking(gast);
    a.AdresseBenutzt(gast, true);
    db().execute(QStringLiteral("UPDATE Address SET BenutztVon2 = 'Qubero' WHERE ID = ?"), {gast});
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.adresseLoeschen(gast));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Die ausgewählte Adresse wird noch von folgenden Programmen benutzt: Tavomera, Qubero"));

    // A free address: No keeps it, Yes deletes it and empties the fields.
    const int frei = address(QStringLiteral("Einmalgast"));
    a.laden(frei);
    a.setRechnungsadresse(frei);
    dialogs_.clear();
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(a.adresseLoeschen(frei));
    EXPECT_TRUE(a.AdrSuchenID(frei));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.adresseLoeschen(frei));
    EXPECT_FALSE(a.AdrSuchenID(frei));
    EXPECT_EQ(a.felder().id, 0);
    EXPECT_TRUE(a.felder().nachname.isEmpty());
    EXPECT_EQ(a.felder().land, QStringLiteral("Deutschland"));
    EXPECT_EQ(a.rechnungsadresseId(), 0);
}

TEST_F(AdressLogikTest, CountriesAreAddedByEnterAndRemovedOnlyWhenUnused) {
    AdressLogik a(db(), dialogs_, umgebung());
    const int schweiz = a.landEnter(QStringLiteral("Schweiz"));
    EXPECT_GT(schweiz, 2);
    EXPECT_EQ(a.landEnter(QStringLiteral("schweiz")), schweiz) << "a listed country is not added twice";
    EXPECT_EQ(a.laender().size(), 3);
    EXPECT_EQ(a.laender().first().text, QStringLiteral("Deutschland"));
    EXPECT_EQ(a.felder().land, QStringLiteral("schweiz"));

    address(QStringLiteral("Benutzt"));  // IDLand 1
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.landEntfernen(1));
    EXPECT_EQ(dialogs_.shown()[0].text, QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"));
    EXPECT_EQ(dialogs_.shown()[0].caption, QStringLiteral("Listeneinträge löschen"));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Der Eintrag wird noch benutzt, und kann deshalb nicht entfernt werden."));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Ländereinträge löschen"));

    dialogs_.clear();
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(a.landEntfernen(schweiz));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.landEntfernen(schweiz));
    EXPECT_EQ(a.laender().size(), 2);
    EXPECT_EQ(dialogs_.shown().size(), 2);
}

TEST_F(AdressLogikTest, SalutationsFollowTheSameListRules) {
    AdressLogik a(db(), dialogs_, umgebung());
    a.anredeEnter(QStringLiteral("Familie"));
    a.anredeEnter(QStringLiteral("Familie"));
    EXPECT_EQ(a.anreden(), QStringList({QStringLiteral("Familie"), QStringLiteral("Frau"), QStringLiteral("Herr")}));
    db().execute(QStringLiteral("INSERT INTO Address (Lastname, IDAnrede) VALUES ('Mit Anrede', 2)"));
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.anredeEntfernen(QStringLiteral("Herr"))) << "an address uses it";
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.anredeEntfernen(QStringLiteral("Familie")));
    EXPECT_EQ(a.anreden().size(), 2);
}

TEST_F(AdressLogikTest, PostcodeLookupFillsPlacesAndCompletesThePostcode) {
    {
        auto feiertag = open(QStringLiteral("Feiertag.mdb"));
        for (const auto& [plz, ort] : {std::pair{"89073", "Ulm"}, {"89075", "Ulm"}, {"89231", "Neu-Ulm"}, {"80331", "München"}})
            feiertag->execute(QStringLiteral("INSERT INTO tbPLZ (PLZ, Ort) VALUES (?, ?)"),
                              {QString::fromUtf8(plz), QString::fromUtf8(ort)});
    }
    AdressLogik a(db(), dialogs_, umgebung());
    a.cmdNeuAdress(QStringLiteral("Post"));
    a.setFeld(AdressFeld::Plz, QStringLiteral("89"));
    const QList<PlzOrt> orte = a.plzVerlassen();
    ASSERT_EQ(orte.size(), 3);
    EXPECT_EQ(orte[0].ort, QStringLiteral("Neu-Ulm")) << "sorted by place";
    EXPECT_TRUE(a.felder().ort.isEmpty()) << "several places wait for a choice";
    a.ortGewaehlt(QStringLiteral("Neu-Ulm"));
    EXPECT_EQ(a.felder().plz, QStringLiteral("89231"));
    EXPECT_EQ(a.felder().ort, QStringLiteral("Neu-Ulm"));

    // A place already typed is kept; an emptied place starts a new lookup.
    a.setFeld(AdressFeld::Plz, QStringLiteral("803"));
    EXPECT_TRUE(a.plzVerlassen().isEmpty());
    a.setFeld(AdressFeld::Ort, {});
    EXPECT_EQ(a.plzVerlassen().size(), 1);
    EXPECT_EQ(a.felder().ort, QStringLiteral("München")) << "a single place is taken at once";
    EXPECT_EQ(a.felder().plz, QStringLiteral("80331"));

    // A complete postcode is not replaced by another place's.
    a.setFeld(AdressFeld::Ort, {});
    a.setFeld(AdressFeld::Plz, QStringLiteral("89075"));
    a.plzVerlassen();
    a.ortGewaehlt(QStringLiteral("Ulm"));
    EXPECT_EQ(a.felder().plz, QStringLiteral("89075"));

    AdressUmgebung ohne = umgebung();
    ohne.plzDatei = file(QStringLiteral("fehlt.mdb"));
    EXPECT_TRUE(AdressLogik(db(), dialogs_, ohne).orteFuerPlz(QStringLiteral("89")).isEmpty());
}

namespace {
QStringList zeilenDerDatei(const QString& pfad, QByteArray* roh = nullptr) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray inhalt = f.readAll();
    if (roh) *roh = inhalt;
    QStringList zeilen = QString::fromUtf8(inhalt.mid(3)).split(QStringLiteral("\r\n"));
    if (!zeilen.isEmpty() && zeilen.last().isEmpty()) zeilen.removeLast();
    return zeilen;
}
}  // namespace

TEST_F(AdressLogikTest, SavingWritesTheAddressDataFileWithTwoLinesOfTwelveFields) {
    AdressLogik a(db(), dialogs_, umgebung());
    a.cmdNeuAdress(QStringLiteral("Brenner; \"Zur Post\""));
    a.setFeld(AdressFeld::Vorname, QStringLiteral("Jörg"));
    a.setFeld(AdressFeld::Bemerkung, QStringLiteral("Zeile 1\r\nZeile 2\nZeile 3"));
    a.setFeld(AdressFeld::Firma, QStringLiteral("A;B;C"));
    a.setFeld(AdressFeld::Anrede, QStringLiteral("Herr"));
    ASSERT_TRUE(a.AdressSpeichern());

    QByteArray roh;
    const QStringList zeilen = zeilenDerDatei(folder() + QStringLiteral("/adresse.doc"), &roh);
    EXPECT_TRUE(roh.startsWith("\xEF\xBB\xBF")) << "UTF-8 with a byte order mark";
    EXPECT_EQ(roh.count("\r\n"), 2);
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_EQ(zeilen[0], QStringLiteral("Name;Vorname;Telefon;Fax;Strasse;PLZ;Ort;Land;Bemerkungen;Email;Anrede;Firma"));
    const QStringList werte = zeilen[1].split(QLatin1Char(';'));
    ASSERT_EQ(werte.size(), 12) << qPrintable(zeilen[1]);
    EXPECT_EQ(werte[0], QStringLiteral("Brenner, 'Zur Post'"));
    EXPECT_EQ(werte[1], QStringLiteral("Jörg"));
    EXPECT_EQ(werte[7], QStringLiteral("Deutschland"));
    EXPECT_EQ(werte[8], QStringLiteral("Zeile 1 Zeile 2 Zeile 3"));
    EXPECT_EQ(werte[10], QStringLiteral("Herr"));
    EXPECT_EQ(werte[11], QStringLiteral("A,B,C"));
    EXPECT_FALSE(zeilen[1].contains(QLatin1Char('"')));
    // The database keeps the value as typed; only the file is cleaned.
    EXPECT_EQ(field(a.felder().id, QStringLiteral("Lastname")).toString(), QStringLiteral("Brenner; \"Zur Post\""));
}

TEST_F(AdressLogikTest, ExportWritesAnyAddressIntoAGivenFolder) {
    const int id = address(QStringLiteral("Export"), QStringLiteral("Erika"), QStringLiteral("Köln"));
    AdressLogik a(db(), dialogs_, umgebung());
    test::TempFolder ziel;
    const QString pfad = a.Adress_Export(id, ziel.path());
    EXPECT_TRUE(pfad.endsWith(QStringLiteral("adresse.doc")));
    const QStringList zeilen = zeilenDerDatei(ziel.file(QStringLiteral("adresse.doc")));
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_EQ(zeilen[1], QStringLiteral("Export;Erika;;;;;Köln;Deutschland;;;;"));
    EXPECT_TRUE(a.Adress_Export(id, ziel.file(QStringLiteral("gibt/es/nicht"))).isEmpty());
    EXPECT_TRUE(a.Adress_Export(9999, ziel.path()).isEmpty());
}

TEST_F(AdressLogikTest, OldBookingsOfAnAddressAreSetToSettled) {
    ClockOverride uhr(QDate(2024, 6, 30));
    const QString titel = QStringLiteral("Korrektur vorhandener Reservierungsdaten");
    const int gast = address(QStringLiteral("Altkunde"));
    const int alt = booking(gast, 0, QDate(2024, 1, 10));
    booking(gast, 0, QDate(2024, 6, 20));
    booking(address(QStringLiteral("Andere")), 0, QDate(2024, 1, 10));
    db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, IDAdressePo, AbgerechnetPo) VALUES (?, ?, 'Nein')"), {alt, gast});
    AdressLogik a(db(), dialogs_, umgebung());

    a.AlteReservierungenAendern(0);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Wählen Sie zunächst eine Adresse aus."));
    EXPECT_EQ(dialogs_.last().caption, titel);

    dialogs_.clear();
    dialogs_.answerText({});
    a.AlteReservierungenAendern(gast);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Geben Sie eine Anzahl Tage ein."));

    dialogs_.clear();
    dialogs_.answerText(QStringLiteral("30"));
    a.AlteReservierungenAendern(gast);
    ASSERT_EQ(dialogs_.shown().size(), 3);
    EXPECT_TRUE(dialogs_.shown()[0].text.startsWith(
        QStringLiteral("Die Korrekturen sind nötig, um Daten aus früheren Versionen des Tavomeras anzupassen.")));
    EXPECT_EQ(dialogs_.shown()[1].kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral(" Es wurden 1 Reservierungen und 1 Zusatzposten geändert."));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Abgerechnet = 1")), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten")).toString(), QStringLiteral("Ja"));

    dialogs_.clear();
    dialogs_.answerText(QStringLiteral("365"));
    a.AlteReservierungenAendern(gast);
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Vor dem angegbenen Datum gab es keine nicht abgerechneten Daten."));
}

TEST_F(AdressLogikTest, TheBookingSaveReachesTheAddressThroughItsInterface) {
    AdressLogik logik(db(), dialogs_, umgebung(1));
    AdressTeil& teil = logik;
    const int rechnung = address(QStringLiteral("Firma Meier"));
    logik.cmdNeuAdress(QStringLiteral("Neugast"));
    logik.setFeld(AdressFeld::Land, {});
    EXPECT_TRUE(teil.land().isEmpty());
    EXPECT_FALSE(teil.adressSpeichern());

    logik.setFeld(AdressFeld::Land, QStringLiteral("Deutschland"));
    ASSERT_TRUE(teil.adressSpeichern());
    const int gast = teil.gastId();
    EXPECT_NE(gast, 0);
    EXPECT_EQ(teil.rechnungsadresseId(), 0);
    teil.setRechnungsadresse(rechnung);
    EXPECT_EQ(teil.rechnungsadresseId(), rechnung);
    booking(gast, rechnung);
    teil.adresseBenutzt(gast, true);
    EXPECT_EQ(field(gast, QStringLiteral("BenutztVon3")).toString(), QStringLiteral("Tavomera"));
    EXPECT_EQ(field(gast, QStringLiteral("Herkunft3")).toString(), QStringLiteral("Tavomera"));
    // Right mouse button on the invoice box: the invoice address becomes the guest as well.
    EXPECT_TRUE(logik.rechnungsadresseAlsGast());
    EXPECT_EQ(teil.gastId(), rechnung);
    EXPECT_EQ(logik.rechnungsadresseTippen(QStringLiteral("neu")), gast);
}

// "Neue Adresse anlegen?" is asked once per name: after Cancel, typing on in the same name or
// taking characters back asks no more; a hit, an emptied box or another name starts afresh.
TEST_F(AdressLogikTest, NewAddressIsAskedOncePerNameAfterCancel) {
    address(QStringLiteral("Huber"));
    const QString frage = QStringLiteral("Neue Adresse anlegen?");
    struct Schritt {
        const char* text;
        bool gefragt;
    };
    const Schritt schritte[] = {
        {"Xa", true},      // no hit: asked, the user says Cancel
        {"Xav", false},    // typing on in the same name
        {"Xaver", false},  //
        {"Xave", false},   // a character taken back
        {"X", false},      //
        {"Hu", false},     // a hit: no question, and the refusal is forgotten
        {"Hux", true},     // a new name without a hit: asked again (Cancel)
        {"Huxl", false},   //
        {"", false},       // the box emptied
        {"Hux", true},     // the same name typed anew is asked again
    };
    AdressLogik a(db(), dialogs_, umgebung());
    for (const Schritt& s : schritte) {
        SCOPED_TRACE(s.text);
        dialogs_.clear();
        if (s.gefragt) dialogs_.answer(Answer::Cancel);
        a.tippen(QString::fromUtf8(s.text));
        EXPECT_EQ(dialogs_.texts(), s.gefragt ? QStringList{frage} : QStringList());
        EXPECT_EQ(a.felder().modus, AdressModus::Anzeigen) << "Cancel leaves the new-address mode off";
    }
}

// Empty rows of the country and salutation tables are not offered: choosing one would name
// nothing (and an empty country is refused when the address is saved).
TEST_F(AdressLogikTest, EmptyCountriesAndSalutationsAreNotOffered) {
    db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES ('')"));
    db().execute(QStringLiteral("INSERT INTO tbLänder (Länder) VALUES (Null)"));
    db().execute(QStringLiteral("INSERT INTO tbAnreden (Anrede) VALUES (' ')"));
    AdressLogik a(db(), dialogs_, umgebung());
    for (const ListenEintrag& l : a.laender()) EXPECT_FALSE(l.text.trimmed().isEmpty()) << "country " << l.id;
    EXPECT_FALSE(a.laender().isEmpty());
    for (const QString& anrede : a.anreden()) EXPECT_FALSE(anrede.trimmed().isEmpty());
    ScriptedDialogs weitereDialoge;
    WeitereLogik w(db(), weitereDialoge);
    EXPECT_FALSE(w.laender().contains(QString()));
    EXPECT_FALSE(w.anreden().contains(QStringLiteral(" ")));
}
