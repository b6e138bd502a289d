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
using namespace Qt::StringLiterals;

class AdressLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        setUserNameForTests(u"rezeption"_s);
        db().execute(u"INSERT INTO tbLänder (Länder) VALUES ('Deutschland')"_s);
        db().execute(u"INSERT INTO tbLänder (Länder) VALUES ('Österreich')"_s);
        db().execute(u"INSERT INTO tbAnreden (Anrede) VALUES ('Frau')"_s);
        db().execute(u"INSERT INTO tbAnreden (Anrede) VALUES ('Herr')"_s);
    }
    void TearDown() override {
        setUserNameForTests({});
        DatabaseFixture::TearDown();
    }
    AdressUmgebung umgebung(int instanz = 0) {
        AdressUmgebung u;
        u.instanz = instanz;
        u.programmName = u"Tavomera"_s;
        u.programmordner = folder();
        u.plzDatei = file(u"Feiertag.mdb"_s);
        return u;
    }
    int address(const QString& name, const QString& vorname = {}, const QString& ort = {}) {
        db().execute(u"INSERT INTO Address (Lastname, Firstname, city, Country, IDLand) VALUES (?, ?, ?, 'Deutschland', 1)"_s,
                     {name, vorname, ort});
        return db().scalar(u"SELECT Max(ID) FROM Address"_s).toInt();
    }
    int booking(int gast, int rechnung = 0, const QDate& von = QDate(2024, 5, 1)) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung, Kürzel, Abgerechnet) "
                                    "VALUES (1, ?, ?, ?, ?, 'k', 0)"),
                     {von, von.addDays(2), gast == 0 ? QVariant() : QVariant(gast), rechnung == 0 ? QVariant() : QVariant(rechnung)});
        return db().scalar(u"SELECT Max(ID) FROM tblBelegung"_s).toInt();
    }
    QVariant field(int id, const QString& name) { return db().scalar(u"SELECT "_s + name + u" FROM Address WHERE ID = ?"_s, {id}); }
    // Stored fields of an address as text (Null empty): many fields, one comparison.
    QStringList felder(int id, const QStringList& namen) {
        Recordset rs = db().openRecordset(u"SELECT * FROM Address WHERE ID = ?"_s, {id});
        QStringList out;
        for (const QString& n : namen) out << (rs.eof() ? u"<keine Adresse>"_s : rs.text(n));
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
        {u"Li"_s, u"Deutschland"_s, u"Bitte den Namen des Gastes eingeben. Der Name muss mindestens drei Zeichen lang sein."_s},
        {u"  Li  "_s, u"Deutschland"_s, u"Bitte den Namen des Gastes eingeben. Der Name muss mindestens drei Zeichen lang sein."_s},
        {u"Lin"_s, u" "_s, u"Bitte das Herkunftsland  des Gastes eingeben"_s},
        {u"Lin"_s, u"Deutschland"_s, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.nachname.toStdString() + "|" + f.land.toStdString());
        dialogs_.clear();
        AdressLogik a(db(), dialogs_, umgebung());
        a.cmdNeuAdress(f.nachname);
        a.setFeld(AdressFeld::Land, f.land);
        const bool gespeichert = f.meldung.isEmpty();
        EXPECT_EQ(a.AdressSpeichern(), gespeichert);
        EXPECT_EQ(dialogs_.texts(), gespeichert ? QStringList() : QStringList{f.meldung});
        EXPECT_TRUE(gespeichert || dialogs_.last().caption == u"Adresse speichern"_s);
        EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), gespeichert ? 1 : 0);
        EXPECT_EQ(std::tuple(a.felder().id != 0, a.felder().modus),
                  std::tuple(gespeichert, gespeichert ? AdressModus::Anzeigen : AdressModus::Neu));
    }
}

TEST_F(AdressLogikTest, SavingWritesEveryFieldAndTheModeDecidesBetweenNewAndEdit) {
    ClockOverride uhr(QDateTime(QDate(2024, 3, 5), QTime(10, 30)));
    AdressLogik a(db(), dialogs_, umgebung());
    QSignalSpy neueListe(&a, &AdressLogik::adressenGeaendert);
    a.cmdNeuAdress(u"Lindner"_s);
    a.setFeld(AdressFeld::Vorname, u"Eva"_s);
    a.setFeld(AdressFeld::Strasse, u"Hauptstr. 1"_s);
    a.setFeld(AdressFeld::Plz, u"89073"_s);
    a.setFeld(AdressFeld::Ort, u"Ulm"_s);
    a.setFeld(AdressFeld::Land, u"Österreich"_s);
    a.setFeld(AdressFeld::Anrede, u"Frau"_s);
    a.setFeld(AdressFeld::Telefon, u"0731 1234"_s);
    a.setFeld(AdressFeld::Email, u"eva@example.org"_s);
    a.setStammkunde(true);
    ASSERT_TRUE(a.AdressSpeichern());
    const int id = a.felder().id;
    EXPECT_FALSE(a.felder().geaendert);
    EXPECT_EQ(neueListe.count(), 1);
    EXPECT_EQ(felder(id, {"Firstname", "postalcode", "Country", "IDLand", "IDAnrede", "OwnerID", "WerErstellt", "CompanyName"}),
              QStringList({"Eva", "89073", "Österreich", "2", "1", "1", "rezeption", ""}))
        << "an empty box stores no value";
    EXPECT_EQ(field(id, u"WannErstellt"_s).toDateTime().date(), QDate(2024, 3, 5));

    // Editing: the same row, the creation stays, the change is recorded.
    ClockOverride spaeter(QDate(2024, 4, 1));
    setUserNameForTests(u"chef"_s);
    ASSERT_TRUE(a.cmdEditAdress());
    a.setFeld(AdressFeld::Ort, u"Neu-Ulm"_s);
    a.setStammkunde(false);
    ASSERT_TRUE(a.AdressSpeichern());
    EXPECT_EQ(a.felder().id, id);
    EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), 1);
    EXPECT_EQ(felder(id, {"city", "OwnerID", "WerErstellt", "WerGeändert"}), QStringList({"Neu-Ulm", "0", "rezeption", "chef"}));
    EXPECT_EQ(field(id, u"WannGeändert"_s).toDateTime().date(), QDate(2024, 4, 1));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << qPrintable(dialogs_.texts().join(u" | "_s));
}

TEST_F(AdressLogikTest, AnAddressWithoutIdAsksBeforeANewRowUnlessInChangeMode) {
    AdressLogik a(db(), dialogs_, umgebung());
    // Nothing matched the typed name and the user declined "Neue Adresse anlegen?".
    dialogs_.answer(Answer::Cancel);
    EXPECT_EQ(a.tippen(u"Keller"_s), 0);
    EXPECT_EQ(std::tuple(a.felder().modus, a.felder().nachname), std::tuple(AdressModus::Anzeigen, u"Keller"_s));
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(a.AdressSpeichern());
    EXPECT_EQ(dialogs_.last().text, u"Möchten Sie eine neue Adresse mit diesen Daten anlegen?"_s);
    EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), 0);
    dialogs_.answer(Answer::Ok);
    EXPECT_TRUE(a.AdressSpeichern());
    EXPECT_EQ(count(u"SELECT Count(*) FROM Address"_s), 1);

    // With no address chosen, "Adresse ändern" is refused.
    AdressLogik b(db(), dialogs_, umgebung());
    dialogs_.clear();
    EXPECT_FALSE(b.cmdEditAdress());
    EXPECT_EQ(dialogs_.last().text, u"Es ist keine Adresse zum Ändern ausgewählt."_s);
    EXPECT_TRUE(b.felderGesperrt());
}

TEST_F(AdressLogikTest, TypingFindsLowerCasePrefixesWithUmlautsAndWalksTheHits) {
    const int mueller = address(u"Müller"_s, u"Hans"_s);
    address(u"Mueller"_s);
    const int doppel = address(u"MÜLLER-Lüdenscheidt"_s);
    address(u"Maier"_s);
    const int sternchen = address(u"M*rtens"_s);
    db().execute(u"UPDATE Address SET IDAnrede = 2 WHERE ID = ?"_s, {mueller});

    AdressLogik a(db(), dialogs_, umgebung());
    struct Fall {
        QString getippt;
        QList<int> treffer;
    } faelle[] = {
        {u"mü"_s, {mueller, doppel}}, {u"MÜ"_s, {mueller, doppel}},
        {u"Müller-"_s, {doppel}},     {u"m*"_s, {sternchen}},  // a typed * is a letter, not a wildcard
        {u"mue"_s, {mueller + 1}},
    };
    for (const Fall& f : faelle) {
        EXPECT_EQ(a.tippen(f.getippt), f.treffer.first()) << qPrintable(f.getippt);
        EXPECT_EQ(a.treffer(), f.treffer) << qPrintable(f.getippt);
    }
    EXPECT_TRUE(dialogs_.shown().isEmpty());

    a.tippen(u"mü"_s);
    EXPECT_EQ(QStringList({a.felder().vorname, a.felder().anrede, a.felder().land}), QStringList({"Hans", "Herr", "Deutschland"}))
        << "the salutation comes from tbAnreden";
    // Walking the hits stops at either end.
    const QList<int> gang = {a.naechsterTreffer(), a.naechsterTreffer(), a.vorigerTreffer(), a.vorigerTreffer()};
    EXPECT_EQ(gang, QList<int>({doppel, doppel, mueller, mueller}));
    EXPECT_EQ(QList<int>({a.AdrSuchen(u"MA"_s), a.AdrSuchen(u"x"_s)}), QList<int>({mueller + 3, 0}));
    EXPECT_TRUE(a.AdrSuchenID(doppel));
    EXPECT_FALSE(a.AdrSuchenID(9999));

    for (QChar c : {QChar(u'~'), QChar(u'\''), QChar(u';')}) EXPECT_FALSE(AdressLogik::tasteErlaubt(c));
    for (QChar c : {QChar(u'a'), QChar(0xFC), QChar(u'-'), QChar(u' ')}) EXPECT_TRUE(AdressLogik::tasteErlaubt(c));
}

TEST_F(AdressLogikTest, NoHitAsksForANewAddressWithTheRegularGuestDefault) {
    address(u"Huber"_s);
    AdressUmgebung u = umgebung();
    u.stammkundenVorgabe = true;
    AdressLogik a(db(), dialogs_, u);
    a.tippen(u"hu"_s);
    ASSERT_NE(a.felder().id, 0);

    dialogs_.answer(Answer::Ok);
    EXPECT_EQ(a.tippen(u"Hux"_s), 0);
    EXPECT_EQ(dialogs_.last().text, u"Neue Adresse anlegen?"_s);
    EXPECT_EQ(dialogs_.last().buttons, Buttons::OkCancel);
    const AdressFelder& f = a.felder();
    EXPECT_EQ(std::tuple(f.modus, f.id, f.stammkunde, a.felderGesperrt()), std::tuple(AdressModus::Neu, 0, true, false));
    EXPECT_EQ(QStringList({f.nachname, f.vorname, f.land}), QStringList({"Hux", "", "Deutschland"}))
        << "the fields of the address found before are emptied";
    // Typing on in new-address mode only extends the name; nothing is asked again.
    a.tippen(u"Huxley"_s);
    EXPECT_EQ(a.felder().nachname, u"Huxley"_s);
    EXPECT_EQ(dialogs_.shown().size(), 1);
}

TEST_F(AdressLogikTest, QuotesAreBalancedOnLeavingATextField) {
    struct Fall {
        QString ein, aus;
    } faelle[] = {
        {u"Gasthof \"Linde"_s, u"Gasthof \"Linde\""_s},
        {u"\"Linde\""_s, u"\"Linde\""_s},
        {u"a\"b\"c\""_s, u"a\"b\"c\"\""_s},
        {u"ohne"_s, u"ohne"_s},
    };
    AdressLogik a(db(), dialogs_, umgebung());
    a.cmdNeuAdress();
    for (const Fall& f : faelle) {
        a.setFeld(AdressFeld::Firma, f.ein);
        a.feldVerlassen(AdressFeld::Firma);
        EXPECT_EQ(a.felder().firma, f.aus);
    }
    a.setFeld(AdressFeld::Plz, u"8\""_s);
    a.feldVerlassen(AdressFeld::Plz);
    EXPECT_EQ(a.felder().plz, u"8\""_s) << "the postcode is no text field of this rule";
}

// Installation 0 marks slot 1, installation 1 slot 3, installation 2 slot 4; the origin mark is
// set once and never cleared.
TEST_F(AdressLogikTest, UsageMarksFollowTheInstallationSlot) {
    const QStringList marken = {"BenutztVon1", "BenutztVon3", "BenutztVon4", "Herkunft1", "Herkunft3", "Herkunft4"};
    for (int instanz = 0; instanz < 3; ++instanz) {
        SCOPED_TRACE(instanz);
        const int id = address(u"Slot%1"_s.arg(instanz));
        AdressUmgebung u = umgebung(instanz);
        u.programmName = u"Hotel %1"_s.arg(instanz);
        AdressLogik a(db(), dialogs_, u);
        QStringList erwartet(6);
        erwartet[instanz] = erwartet[instanz + 3] = u.programmName;
        a.AdresseBenutzt(id, true);
        EXPECT_EQ(felder(id, marken), erwartet);
        a.AdresseBenutzt(id, false);
        erwartet[instanz].clear();
        EXPECT_EQ(felder(id, marken), erwartet);
    }
    const int id = address(u"Erstnutzer"_s);
    db().execute(u"UPDATE Address SET Herkunft1 = 'Altprogramm' WHERE ID = ?"_s, {id});
    AdressLogik(db(), dialogs_, umgebung()).AdresseBenutzt(id, true);
    EXPECT_EQ(felder(id, {"BenutztVon1", "Herkunft1"}), QStringList({"Tavomera", "Altprogramm"}));
}

TEST_F(AdressLogikTest, ClearingTheUsageMarkWaitsForTheLastBookingOfTheGuest) {
    const int gast = address(u"Stammgast"_s);
    const int erste = booking(gast);
    const int zweite = booking(gast, 0, QDate(2024, 6, 1));
    AdressLogik a(db(), dialogs_, umgebung());
    a.AdresseBenutzt(gast, true);

    db().execute(u"DELETE * FROM tblBelegung WHERE ID = ?"_s, {erste});
    a.adresseBenutzt(gast, false);
    EXPECT_EQ(field(gast, u"BenutztVon1"_s).toString(), u"Tavomera"_s) << "another booking still uses it";

    db().execute(u"DELETE * FROM tblBelegung WHERE ID = ?"_s, {zweite});
    a.adresseBenutzt(gast, false);
    EXPECT_TRUE(field(gast, u"BenutztVon1"_s).isNull());
}

TEST_F(AdressLogikTest, OrphanCleanUpClearsOnlyThisInstallationsMarkOfAddressesWithoutBooking) {
    const int gast = address(u"Gast"_s);
    const int waise = address(u"Waise"_s);
    const int fremd = address(u"Fremd"_s);
    booking(gast);
    db().execute(u"UPDATE Address SET BenutztVon1 = 'Tavomera', BenutztVon3 = 'Tavomera 2'"_s);
    db().execute(u"UPDATE Address SET BenutztVon1 = Null, BenutztVon2 = 'Qubero' WHERE ID = ?"_s, {fremd});
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
    const int erste = address(u"Erste"_s);
    const int zweite = address(u"Zweite"_s);
    AdressLogik a(db(), dialogs_, umgebung());
    a.laden(erste);
    EXPECT_FALSE(a.adresseUebernehmen(erste, false));
    EXPECT_FALSE(a.adresseUebernehmen(9999, false));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "the same or a missing address is not offered";

    dialogs_.answer(Answer::No);
    EXPECT_FALSE(a.adresseUebernehmen(zweite, false));
    EXPECT_EQ(a.gastId(), erste);
    EXPECT_EQ(QStringList({dialogs_.last().text, dialogs_.last().caption}), QStringList({"Adresse übernehmen?", "Adresse übernehmen"}));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.adresseUebernehmen(zweite, false));
    EXPECT_EQ(std::tuple(a.gastId(), a.felder().nachname), std::tuple(zweite, u"Zweite"_s));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.adresseUebernehmen(erste, true));
    EXPECT_EQ(std::tuple(a.rechnungsadresseId(), a.gastId()), std::tuple(erste, zweite));
}

TEST_F(AdressLogikTest, AnyReferenceKeepsTheAddressFromBeingDeleted) {
    struct Verweis {
        QString sql;
    } verweise[] = {
        {u"INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID) VALUES (1, #05-01-2024#, #05-02-2024#, ?)"_s},
        {QStringLiteral(
            "INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, IDAdressRechnung) VALUES (1, #05-01-2024#, #05-02-2024#, 0, ?)")},
        {u"INSERT INTO tbRechnungen (ReNummer, IDAdresseRe) VALUES (1, ?)"_s},
        {u"INSERT INTO tbAdress_zu_Adress (IDAdresseOber, idAdresseUnter) VALUES (?, 0)"_s},
        {u"INSERT INTO tbAdress_zu_Adress (IDAdresseOber, idAdresseUnter) VALUES (0, ?)"_s},
        {u"INSERT INTO tbRePosten (IDBelegung, IDAdressePo) VALUES (0, ?)"_s},
        {u"INSERT INTO WeitereGäste (ID_Belegung, ID_Adresse, Name) VALUES (0, ?, 'x')"_s},
    };
    AdressLogik a(db(), dialogs_, umgebung());
    for (const Verweis& v : verweise) {
        const int id = address(u"Verwiesen"_s);
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
    const int rechnung = address(u"Firma Rechnung"_s);
    booking(address(u"Gast"_s), rechnung);
    db().execute(u"UPDATE Address SET BenutztVon1 = 'Tavomera' WHERE ID = ?"_s, {rechnung});
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.adresseLoeschen(rechnung));
    EXPECT_EQ(dialogs_.texts(), QStringList({u"Soll die ausgewählte Adresse gelöscht werden?"_s,
                                             u"Die ausgewählte Adresse wird noch  benutzt und kann deswegen nicht gelöscht werden."_s}))
        << "the orphan clean-up removed the stale mark first";

    // The guest of a booking, also used by the address program.
    const int gast = address(u"Dauergast"_s);
    booking(gast);
    a.AdresseBenutzt(gast, true);
    db().execute(u"UPDATE Address SET BenutztVon2 = 'Qubero' WHERE ID = ?"_s, {gast});
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.adresseLoeschen(gast));
    EXPECT_EQ(dialogs_.last().text, u"Die ausgewählte Adresse wird noch von folgenden Programmen benutzt: Tavomera, Qubero"_s);

    // A free address: No keeps it, Yes deletes it and empties the fields.
    const int frei = address(u"Einmalgast"_s);
    a.laden(frei);
    a.setRechnungsadresse(frei);
    dialogs_.clear();
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(a.adresseLoeschen(frei));
    EXPECT_TRUE(a.AdrSuchenID(frei));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.adresseLoeschen(frei));
    EXPECT_FALSE(a.AdrSuchenID(frei));
    EXPECT_EQ(std::tuple(a.felder().id, a.felder().nachname, a.felder().land, a.rechnungsadresseId()),
              std::tuple(0, QString(), u"Deutschland"_s, 0));
}

TEST_F(AdressLogikTest, CountriesAreAddedByEnterAndRemovedOnlyWhenUnused) {
    AdressLogik a(db(), dialogs_, umgebung());
    const int schweiz = a.landEnter(u"Schweiz"_s);
    EXPECT_GT(schweiz, 2);
    EXPECT_EQ(a.landEnter(u"schweiz"_s), schweiz) << "a listed country is not added twice";
    EXPECT_EQ(std::tuple(a.laender().size(), a.laender().first().text, a.felder().land), std::tuple(3, u"Deutschland"_s, u"schweiz"_s));

    address(u"Benutzt"_s);  // IDLand 1
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.landEntfernen(1));
    EXPECT_EQ(dialogs_.texts(), QStringList({"Soll dieser Eintrag aus der Liste entfernt werden?",
                                             "Der Eintrag wird noch benutzt, und kann deshalb nicht entfernt werden."}));
    EXPECT_EQ(QStringList({dialogs_.shown()[0].caption, dialogs_.last().caption}),
              QStringList({"Listeneinträge löschen", "Ländereinträge löschen"}));

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
    a.anredeEnter(u"Familie"_s);
    a.anredeEnter(u"Familie"_s);
    EXPECT_EQ(a.anreden(), QStringList({u"Familie"_s, u"Frau"_s, u"Herr"_s}));
    db().execute(u"INSERT INTO Address (Lastname, IDAnrede) VALUES ('Mit Anrede', 2)"_s);
    dialogs_.answer(Answer::Yes);
    EXPECT_FALSE(a.anredeEntfernen(u"Herr"_s)) << "an address uses it";
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.anredeEntfernen(u"Familie"_s));
    EXPECT_EQ(a.anreden().size(), 2);
}

TEST_F(AdressLogikTest, PostcodeLookupFillsPlacesAndCompletesThePostcode) {
    {
        auto feiertag = open(u"Feiertag.mdb"_s);
        for (const auto& [plz, ort] : {std::pair{"89073", "Ulm"}, {"89075", "Ulm"}, {"89231", "Neu-Ulm"}, {"80331", "München"}})
            feiertag->execute(u"INSERT INTO tbPLZ (PLZ, Ort) VALUES (?, ?)"_s, {QString::fromUtf8(plz), QString::fromUtf8(ort)});
    }
    AdressLogik a(db(), dialogs_, umgebung());
    a.cmdNeuAdress(u"Post"_s);
    a.setFeld(AdressFeld::Plz, u"89"_s);
    const QList<PlzOrt> orte = a.plzVerlassen();
    ASSERT_EQ(orte.size(), 3);
    EXPECT_EQ(orte[0].ort, u"Neu-Ulm"_s) << "sorted by place";
    EXPECT_TRUE(a.felder().ort.isEmpty()) << "several places wait for a choice";
    a.ortGewaehlt(u"Neu-Ulm"_s);
    EXPECT_EQ(QStringList({a.felder().plz, a.felder().ort}), QStringList({"89231", "Neu-Ulm"}));

    // A place already typed is kept; an emptied place starts a new lookup.
    a.setFeld(AdressFeld::Plz, u"803"_s);
    EXPECT_TRUE(a.plzVerlassen().isEmpty());
    a.setFeld(AdressFeld::Ort, {});
    EXPECT_EQ(a.plzVerlassen().size(), 1);
    EXPECT_EQ(QStringList({a.felder().plz, a.felder().ort}), QStringList({"80331", "München"})) << "a single place is taken at once";

    // A complete postcode is not replaced by another place's.
    a.setFeld(AdressFeld::Ort, {});
    a.setFeld(AdressFeld::Plz, u"89075"_s);
    a.plzVerlassen();
    a.ortGewaehlt(u"Ulm"_s);
    EXPECT_EQ(a.felder().plz, u"89075"_s);

    AdressUmgebung ohne = umgebung();
    ohne.plzDatei = file(u"fehlt.mdb"_s);
    EXPECT_TRUE(AdressLogik(db(), dialogs_, ohne).orteFuerPlz(u"89"_s).isEmpty());
}

namespace {
QStringList zeilenDerDatei(const QString& pfad, QByteArray* roh = nullptr) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray inhalt = f.readAll();
    if (roh) *roh = inhalt;
    QStringList zeilen = QString::fromUtf8(inhalt.mid(3)).split(u"\r\n"_s);
    if (!zeilen.isEmpty() && zeilen.last().isEmpty()) zeilen.removeLast();
    return zeilen;
}
}  // namespace

TEST_F(AdressLogikTest, SavingWritesTheAddressDataFileWithTwoLinesOfTwelveFields) {
    AdressLogik a(db(), dialogs_, umgebung());
    a.cmdNeuAdress(u"Brenner; \"Zur Post\""_s);
    a.setFeld(AdressFeld::Vorname, u"Jörg"_s);
    a.setFeld(AdressFeld::Bemerkung, u"Zeile 1\r\nZeile 2\nZeile 3"_s);
    a.setFeld(AdressFeld::Firma, u"A;B;C"_s);
    a.setFeld(AdressFeld::Anrede, u"Herr"_s);
    ASSERT_TRUE(a.AdressSpeichern());

    QByteArray roh;
    const QStringList zeilen = zeilenDerDatei(folder() + u"/adresse.doc"_s, &roh);
    EXPECT_TRUE(roh.startsWith("\xEF\xBB\xBF")) << "UTF-8 with a byte order mark";
    EXPECT_EQ(roh.count("\r\n"), 2);
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_EQ(zeilen[0], u"Name;Vorname;Telefon;Fax;Strasse;PLZ;Ort;Land;Bemerkungen;Email;Anrede;Firma"_s);
    // Separators become commas, quotes single quotes, line breaks blanks.
    EXPECT_EQ(zeilen[1], u"Brenner, 'Zur Post';Jörg;;;;;;Deutschland;Zeile 1 Zeile 2 Zeile 3;;Herr;A,B,C"_s);
    // The database keeps the value as typed; only the file is cleaned.
    EXPECT_EQ(field(a.felder().id, u"Lastname"_s).toString(), u"Brenner; \"Zur Post\""_s);
}

TEST_F(AdressLogikTest, ExportWritesAnyAddressIntoAGivenFolder) {
    const int id = address(u"Export"_s, u"Erika"_s, u"Köln"_s);
    AdressLogik a(db(), dialogs_, umgebung());
    test::TempFolder ziel;
    const QString pfad = a.Adress_Export(id, ziel.path());
    EXPECT_TRUE(pfad.endsWith(u"adresse.doc"_s));
    const QStringList zeilen = zeilenDerDatei(ziel.file(u"adresse.doc"_s));
    ASSERT_EQ(zeilen.size(), 2);
    EXPECT_EQ(zeilen[1], u"Export;Erika;;;;;Köln;Deutschland;;;;"_s);
    EXPECT_TRUE(a.Adress_Export(id, ziel.file(u"gibt/es/nicht"_s)).isEmpty());
    EXPECT_TRUE(a.Adress_Export(9999, ziel.path()).isEmpty());
}

TEST_F(AdressLogikTest, OldBookingsOfAnAddressAreSetToSettled) {
    ClockOverride uhr(QDate(2024, 6, 30));
    const QString titel = u"Korrektur vorhandener Reservierungsdaten"_s;
    const int gast = address(u"Altkunde"_s);
    const int alt = booking(gast, 0, QDate(2024, 1, 10));
    booking(gast, 0, QDate(2024, 6, 20));
    booking(address(u"Andere"_s), 0, QDate(2024, 1, 10));
    db().execute(u"INSERT INTO tbRePosten (IDBelegung, IDAdressePo, AbgerechnetPo) VALUES (?, ?, 'Nein')"_s, {alt, gast});
    AdressLogik a(db(), dialogs_, umgebung());

    a.AlteReservierungenAendern(0);
    EXPECT_EQ(dialogs_.last().text, u"Wählen Sie zunächst eine Adresse aus."_s);
    EXPECT_EQ(dialogs_.last().caption, titel);

    dialogs_.clear();
    dialogs_.answerText({});
    a.AlteReservierungenAendern(gast);
    EXPECT_EQ(dialogs_.last().text, u"Geben Sie eine Anzahl Tage ein."_s);

    dialogs_.clear();
    dialogs_.answerText(u"30"_s);
    a.AlteReservierungenAendern(gast);
    ASSERT_EQ(dialogs_.shown().size(), 3);
    EXPECT_TRUE(
        dialogs_.shown()[0].text.startsWith(u"Die Korrekturen sind nötig, um Daten aus früheren Versionen des Tavomeras anzupassen."_s));
    EXPECT_EQ(dialogs_.shown()[1].kind, ScriptedDialogs::Kind::Input);
    EXPECT_EQ(dialogs_.last().text, u" Es wurden 1 Reservierungen und 1 Zusatzposten geändert."_s);
    EXPECT_EQ(count(u"SELECT Count(*) FROM tblBelegung WHERE Abgerechnet = 1"_s), 1);
    EXPECT_EQ(db().scalar(u"SELECT AbgerechnetPo FROM tbRePosten"_s).toString(), u"Ja"_s);

    dialogs_.clear();
    dialogs_.answerText(u"365"_s);
    a.AlteReservierungenAendern(gast);
    EXPECT_EQ(dialogs_.last().text, u"Vor dem angegbenen Datum gab es keine nicht abgerechneten Daten."_s);
}

TEST_F(AdressLogikTest, TheBookingSaveReachesTheAddressThroughItsInterface) {
    AdressLogik logik(db(), dialogs_, umgebung(1));
    AdressTeil& teil = logik;
    const int rechnung = address(u"Firma Meier"_s);
    logik.cmdNeuAdress(u"Neugast"_s);
    logik.setFeld(AdressFeld::Land, {});
    EXPECT_TRUE(teil.land().isEmpty());
    EXPECT_FALSE(teil.adressSpeichern());

    logik.setFeld(AdressFeld::Land, u"Deutschland"_s);
    ASSERT_TRUE(teil.adressSpeichern());
    const int gast = teil.gastId();
    EXPECT_NE(gast, 0);
    EXPECT_EQ(teil.rechnungsadresseId(), 0);
    teil.setRechnungsadresse(rechnung);
    EXPECT_EQ(teil.rechnungsadresseId(), rechnung);
    booking(gast, rechnung);
    teil.adresseBenutzt(gast, true);
    EXPECT_EQ(felder(gast, {"BenutztVon3", "Herkunft3"}), QStringList({"Tavomera", "Tavomera"}));
    // Right mouse button on the invoice box: the invoice address becomes the guest as well.
    EXPECT_TRUE(logik.rechnungsadresseAlsGast());
    EXPECT_EQ(teil.gastId(), rechnung);
    EXPECT_EQ(logik.rechnungsadresseTippen(u"neu"_s), gast);
}

// "Neue Adresse anlegen?" is asked once per name: after Cancel, typing on in the same name or
// taking characters back asks no more; a hit, an emptied box or another name starts afresh.
TEST_F(AdressLogikTest, NewAddressIsAskedOncePerNameAfterCancel) {
    address(u"Huber"_s);
    const QString frage = u"Neue Adresse anlegen?"_s;
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
    db().execute(u"INSERT INTO tbLänder (Länder) VALUES ('')"_s);
    db().execute(u"INSERT INTO tbLänder (Länder) VALUES (Null)"_s);
    db().execute(u"INSERT INTO tbAnreden (Anrede) VALUES (' ')"_s);
    AdressLogik a(db(), dialogs_, umgebung());
    for (const ListenEintrag& l : a.laender()) EXPECT_FALSE(l.text.trimmed().isEmpty()) << "country " << l.id;
    EXPECT_FALSE(a.laender().isEmpty());
    for (const QString& anrede : a.anreden()) EXPECT_FALSE(anrede.trimmed().isEmpty());
    ScriptedDialogs weitereDialoge;
    WeitereLogik w(db(), weitereDialoge);
    EXPECT_FALSE(w.laender().contains(QString()));
    EXPECT_FALSE(w.anreden().contains(u" "_s));
}
