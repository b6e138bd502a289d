#include "lists/Tageslisten.h"

#include <QFile>

#include "lists/ListenTestSupport.h"
#include "support/TempFolder.h"

namespace tav::test {

namespace {

class TageslistenTest : public ListenFixture {
protected:
    void SetUp() override {
        ListenFixture::SetUp();
        gast_ = adresse(QStringLiteral("Gast"));
    }

    Listenergebnis liste(Tagesliste l, const QDate& d, bool morgen = false) {
        Listeneinstellungen e;
        e.vorgabeMorgen = morgen;
        Tageslisten t(db(), dialogs_, e);
        return t.erstellen(l, d, tag(1));
    }
    // Bookings of this fixture are the guest's unless another is named.
    int buchung(Neu n) {
        if (!n.gast) n.gast = gast_;
        return ListenFixture::buchung(n);
    }
    QStringList kuerzel(Tagesliste l, const QDate& d) {
        QStringList k;
        for (const auto& s : liste(l, d).saetze) k << s.value(QStringLiteral("Kürzel"));
        return k;
    }

    int gast_ = 0;
};

TEST_F(TageslistenTest, ConsecutiveDaysOnTheMealLists) {
    // Arrives on the 4th, leaves on the 5th, with every meal booked.
    buchung({.von = tag(4), .bis = tag(5), .kuerzel = "kurz", .fruehstueck = true, .mittag = true, .abendessen = true});
    // Three nights: the day in between has every meal.
    buchung({.zimmer = 2, .von = tag(3), .bis = tag(6), .kuerzel = "lang", .fruehstueck = true, .mittag = true, .abendessen = true});
    struct Fall {
        const char* name;
        Tagesliste liste;
        QDate tag;
        QStringList erwartet;
    };
    const QStringList keine;
    const QList<Fall> faelle = {
        {"breakfast on arrival day", Tagesliste::Fruehstueck, tag(4), {"lang"}},
        {"breakfast on departure day", Tagesliste::Fruehstueck, tag(5), {"kurz", "lang"}},
        {"breakfast after departure", Tagesliste::Fruehstueck, tag(7), keine},
        {"lunch on arrival day", Tagesliste::Mittag, tag(4), {"kurz", "lang"}},
        {"lunch on departure day", Tagesliste::Mittag, tag(5), {"lang"}},
        {"dinner on arrival day", Tagesliste::Abendessen, tag(4), {"kurz", "lang"}},
        {"dinner on departure day", Tagesliste::Abendessen, tag(5), {"lang"}},
        {"dinner on the last departure", Tagesliste::Abendessen, tag(6), keine},
        {"day list on arrival", Tagesliste::Tagesliste, tag(4), {"kurz", "lang"}},
        {"day list on departure", Tagesliste::Tagesliste, tag(6), {"lang"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(kuerzel(f.liste, f.tag), f.erwartet);
    }
}

TEST_F(TageslistenTest, LaundryEveryNDaysAndBothOnTheDepartureDay) {
    struct Fall {
        int tag;
        const char* w;
    };
    // W1 = 3, arrival on day 0, departure on day 10.
    const QList<Fall> faelle = {{0, ""}, {1, ""}, {2, ""}, {3, "X"}, {4, ""}, {5, ""}, {6, "X"}, {7, ""}, {9, "X"}, {10, "XX"}};
    const QDate von = tag(1), bis = tag(11);
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.tag);
        EXPECT_EQ(Tageslisten::waeschewechsel(von, bis, von.addDays(f.tag), 3), QString::fromUtf8(f.w));
    }
    EXPECT_EQ(Tageslisten::waeschewechsel(von, bis, tag(5), 0), QString());  // no interval: only the departure day
    EXPECT_EQ(Tageslisten::waeschewechsel(von, bis, bis, 0), QStringLiteral("XX"));

    buchung({.von = tag(1), .bis = tag(11), .kuerzel = "w", .waesche1 = 3, .waesche2 = 5});
    EXPECT_TRUE(liste(Tagesliste::Waesche, tag(3)).saetze.isEmpty());  // nothing due: not written
    const auto wechsel = [](const Listenergebnis& e) {
        QStringList w;
        for (const auto& s : e.saetze) w << s.value(QStringLiteral("Wäsche1")) + QLatin1Char('/') + s.value(QStringLiteral("Wäsche2"));
        return w;
    };
    EXPECT_EQ(wechsel(liste(Tagesliste::Waesche, tag(4))), QStringList{"X/"});
    const auto tag11 = liste(Tagesliste::Waesche, tag(11));
    EXPECT_EQ(wechsel(tag11), QStringList{"XX/XX"});
    EXPECT_EQ(tag11.titel, QStringLiteral("Wäschewechsel: am 11.03.2024"));
    EXPECT_EQ(tag11.vonWann, QStringLiteral("W1 = Wäsche 1"));
}

TEST_F(TageslistenTest, OffersAndWaitingBookings) {
    buchung({.von = tag(2), .bis = tag(4), .kuerzel = "angebot", .art = 4, .fruehstueck = true, .waesche1 = 1});
    buchung({.zimmer = 2, .von = tag(2), .bis = tag(4), .kuerzel = "wartend", .fruehstueck = true, .waesche1 = 1, .geloescht = true});
    buchung({.zimmer = 3, .von = tag(2), .bis = tag(4), .kuerzel = "gast", .fruehstueck = true, .waesche1 = 1});
    for (const QDate& d : {tag(3), tag(4)}) {
        SCOPED_TRACE(d.toString().toStdString());
        EXPECT_EQ(kuerzel(Tagesliste::Fruehstueck, d), QStringList{QStringLiteral("gast")});
        EXPECT_EQ(kuerzel(Tagesliste::Waesche, d), QStringList{QStringLiteral("gast")});
        EXPECT_EQ(kuerzel(Tagesliste::Tagesliste, d), (QStringList{QStringLiteral("angebot"), QStringLiteral("gast")}));
    }
}

TEST_F(TageslistenTest, MealSummaryCountsGroupsAndChildren) {
    struct Fall {
        const char* name;
        QList<QPair<int, int>> gaeste;
        const char* erwartet;
    };
    const QList<Fall> faelle = {
        {"one single", {{1, 0}}, "Gäste insgesamt: 1 (davon 0 Kind(er)), 1 x 1 Person"},
        {"groups in order",
         {{2, 0}, {1, 0}, {2, 1}, {12, 3}},
         "Gäste insgesamt: 17 (davon 4 Kind(er)), 1 x 1 Person, 2 x 2 Personen (davon 1 Kind(er)), 1 x mehr als 10 Personen (davon 3 "
         "Kind(er))"},
        {"ten is still counted", {{10, 0}}, "Gäste insgesamt: 10 (davon 0 Kind(er)), 1 x 10 Personen"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Tageslisten::mahlzeitenUebersicht(f.gaeste), QString::fromUtf8(f.erwartet));
    }
    buchung({.von = tag(1), .bis = tag(3), .kuerzel = "f", .gaeste = 3, .kinder = 1, .fruehstueck = true});
    const auto e = liste(Tagesliste::Fruehstueck, tag(2));
    EXPECT_EQ(e.zusammenfassung, QStringLiteral("Gäste insgesamt: 3 (davon 1 Kind(er)), 1 x 3 Personen (davon 1 Kind(er))"));
    EXPECT_EQ(e.saetze[0].value(QStringLiteral("BisWann")), e.zusammenfassung);
}

TEST_F(TageslistenTest, DayQuestionDefaultsToTomorrowForMealsOnly) {
    Listeneinstellungen e;
    e.vorgabeMorgen = true;
    Tageslisten t(db(), dialogs_, e);
    EXPECT_EQ((QList<QDate>{t.vorgabeTag(Tagesliste::Fruehstueck, tag(1)), t.vorgabeTag(Tagesliste::Abendessen, tag(1)),
                            t.vorgabeTag(Tagesliste::Tagesliste, tag(1))}),
              (QList<QDate>{tag(2), tag(2), tag(1)}));
    dialogs_.answerText(QStringLiteral("31.02.2024"));
    dialogs_.answerText(QStringLiteral("2.3.24"));
    EXPECT_EQ(t.tagAbfragen(Tagesliste::Fruehstueck, tag(1)), tag(2));
    EXPECT_EQ(dialogs_.shown().size(), 2);
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Frühstücksliste"));
    dialogs_.answerText(QString());
    EXPECT_FALSE(t.tagAbfragen(Tagesliste::Waesche, tag(1)));
}

TEST_F(TageslistenTest, ExportWritesTheFileAndOnlyReportsThePath) {
    TempFolder ordner;
    Tageslisten t(db(), dialogs_, {});
    int gedruckt = 0;
    const auto drucker = [&](const QString&, const QString&) { return ++gedruckt > 0; };

    // Nothing: the list's message, no file.
    EXPECT_FALSE(t.ausgeben(t.erstellen(Tagesliste::Fruehstueck, tag(2), tag(1)), false, ordner.path(), drucker));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Keine Gäste zum Frühstück."));
    EXPECT_FALSE(QFile::exists(ordner.file(QStringLiteral("allgdat.doc"))));
    dialogs_.clear();

    buchung({.von = tag(1), .bis = tag(3), .kuerzel = "f", .fruehstueck = true, .mittag = true});
    EXPECT_TRUE(t.ausgeben(t.erstellen(Tagesliste::Fruehstueck, tag(2), tag(1)), false, ordner.path(), drucker));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Die Daten wurden exportiert nach ") +
                                            QDir::toNativeSeparators(ordner.file(QStringLiteral("allgdat.doc"))) + QLatin1Char('.')});
    EXPECT_EQ(gedruckt, 0);
    QFile f(ordner.file(QStringLiteral("allgdat.doc")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("\r\n"), 3);
    dialogs_.clear();

    EXPECT_TRUE(t.ausgeben(t.erstellen(Tagesliste::Mittag, tag(1), tag(1)), false, ordner.path(), drucker));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Die Daten wurden exportiert.")});
    dialogs_.clear();

    // Printing the booking data asks first; Cancel writes nothing new.
    auto belegung = t.ausBuchungsliste(Tagesliste::Belegungsdaten, {1}, tag(1), tag(1), QStringLiteral("Nachname: G"));
    EXPECT_EQ(belegung.vonWann, QStringLiteral("Gesetzte Filter: Nachname: G"));
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(t.ausgeben(belegung, true, ordner.path(), drucker));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Dieser Vorgang druckt 1 Datensätze. Vorgang fortsetzen?"));
    dialogs_.answer(Answer::Ok);
    EXPECT_TRUE(t.ausgeben(belegung, true, ordner.path(), drucker));
    EXPECT_EQ(gedruckt, 1);
}

TEST_F(TageslistenTest, RecordValuesOfTheBreakfastList) {
    const int rechnung = adresse(QStringLiteral("Firma Rechnung"));
    const int id = buchung({.zimmer = 3,
                            .von = tag(1),
                            .bis = tag(3),
                            .kuerzel = "r",
                            .kinder = 1,
                            .fruehstueck = true,
                            .mittag = true,
                            .info = QStringLiteral("Allergie: \"Nüsse\"; bitte"),
                            .preis = 1234.5});
    db().execute(QStringLiteral("UPDATE tblBelegung SET IDAdressRechnung = ? WHERE ID = ?"), {rechnung, id});
    const auto e = liste(Tagesliste::Fruehstueck, tag(2));
    ASSERT_EQ(e.saetze.size(), 1);
    const QString zeile = QString::fromUtf8(e.datei().bytes()).split(QStringLiteral("\r\n"))[2];
    EXPECT_EQ(zeile, QStringLiteral("\"Bem 103\";Nein;;2;Ja;103;Anna;Gast;;;;Bonn;;;;;Einzel;01.03.2024;03.03.2024;;;\"\";"
                                    "\"Allergie: 'Nüsse'; bitte\";r;1234,50;2469,00;2;Nein;;%1;Frühstücksliste;für den 02.03.2024;"
                                    "Gäste insgesamt: 2 (davon 1 Kind(er)), 1 x 2 Personen (davon 1 Kind(er));1")
                         .arg(id));
    // The dinner list names the invoice address and carries the booking's information first.
    const auto abend = liste(Tagesliste::Mittag, tag(1));
    ASSERT_EQ(abend.saetze.size(), 1);
    EXPECT_EQ(abend.saetze[0].value(QStringLiteral("Firma")), QStringLiteral("Firma Rechnung"));
    EXPECT_EQ(abend.saetze[0].value(QStringLiteral("ZimBemerkung")), QStringLiteral("Allergie: \"Nüsse\"; bitte"));
}

}  // namespace

}  // namespace tav::test
