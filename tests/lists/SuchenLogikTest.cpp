#include "lists/SuchenLogik.h"

#include <QSet>

#include "lists/ListenTestSupport.h"
#include "store/Parameter.h"

namespace tav::test {

namespace {

class SuchenLogikTest : public ListenFixture {
protected:
    void SetUp() override {
        ListenFixture::SetUp();
        logik_ = std::make_unique<SuchenLogik>(db(), dialogs_);
    }
    void TearDown() override {
        logik_.reset();
        ListenFixture::TearDown();
    }

    // The Kürzel of the shown rows in list order.
    QStringList kuerzel(const Listenabfrage& a, QStringList* hinweise = nullptr) {
        QStringList l;
        for (const auto& z : logik_->zeilen(logik_->ids(a, caps(), tag(1), hinweise))) l << z.werte[23];
        return l;
    }
    static QStringList caps() { return listen::vorgabeBeschriftungen(QStringLiteral("Zimmer"), QStringLiteral("Art")); }
    static Listenabfrage mitFilter(int spalte, const QString& text) {
        Listenabfrage a;
        a.filter = QStringList(listen::kSpalten, QString());
        a.filter[spalte - 1] = text;
        return a;
    }
    static QSet<QString> menge(const QStringList& l) { return QSet<QString>(l.begin(), l.end()); }

    std::unique_ptr<SuchenLogik> logik_;
};

TEST_F(SuchenLogikTest, PeriodKeepsDeparturesFromTheCutOffOn) {
    const int g = adresse(QStringLiteral("Alt"));
    buchung({.von = tag(1, 1, 2010), .bis = tag(3, 1, 2010), .kuerzel = "uralt", .gast = g});
    buchung({.von = tag(20, 2), .bis = tag(22, 2), .kuerzel = "acht", .gast = g});    // 8 days ago
    buchung({.von = tag(20, 2), .bis = tag(23, 2), .kuerzel = "sieben", .gast = g});  // 7 days ago
    buchung({.von = tag(5), .bis = tag(9), .kuerzel = "neu", .gast = g});
    buchung({.von = tag(1, 10, 2023), .bis = tag(5, 10, 2023), .kuerzel = "oktober", .gast = g});

    struct Fall {
        const char* name;
        int index;
        QSet<QString> erwartet;
    };
    const QList<Fall> faelle = {
        {"Alle", 0, {"uralt", "acht", "sieben", "neu", "oktober"}},
        {"1 Woche", 1, {"sieben", "neu"}},
        {"2 Wochen", 2, {"acht", "sieben", "neu"}},
        {"5 Monate", 9, {"acht", "sieben", "neu", "oktober"}},
        {"4 Monate", 8, {"acht", "sieben", "neu"}},
        {"10 Jahre", 26, {"acht", "sieben", "neu", "oktober"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(SuchenLogik::zeitraeume().value(f.index), QString::fromUtf8(f.name));
        Listenabfrage a;
        a.zeitraum = f.index;
        EXPECT_EQ(menge(kuerzel(a)), f.erwartet);
    }
}

TEST_F(SuchenLogikTest, ColumnFiltersFollowTheRuleOfTheirColumn) {
    const int mueller = adresse(QStringLiteral("Müller"), QStringLiteral("Max"));
    const int leer = adresse(QVariant(), QStringLiteral("Ohne"));
    const int meier = adresse(QStringLiteral("Meier"), QStringLiteral("Eva"));
    buchung(
        {.zimmer = 1, .von = tag(1), .bis = tag(5), .kuerzel = "mue", .gast = mueller, .gaeste = 3, .fruehstueck = true, .preis = 95.5});
    buchung({.zimmer = 2, .von = tag(2), .bis = tag(5), .kuerzel = "leer", .gast = leer, .art = 4});
    buchung({.zimmer = 3, .von = tag(3), .bis = tag(7), .kuerzel = "mei", .gast = meier, .checked = true});
    buchung({.zimmer = 4, .von = tag(6), .bis = tag(8), .kuerzel = "mei2", .gast = meier, .geloescht = true});

    struct Fall {
        const char* name;
        int spalte;
        const char* text;
        QSet<QString> erwartet;
    };
    const QList<Fall> faelle = {
        {"last name keeps empty last names", 8, "Mü", {"mue", "leer"}},
        {"last name ignores case", 8, "mei", {"mei", "mei2", "leer"}},
        {"wildcard % inside", 8, "M%er", {"mue", "mei", "mei2", "leer"}},
        {"wildcard * inside", 8, "*ll", {"mue", "leer"}},
        {"first name", 7, "E", {"mei", "mei2"}},
        {"departure before a date", 19, "<05.03.2024", {}},
        {"departure before a later date", 19, "<06.03.2024", {"mue", "leer"}},
        {"departure after a date", 19, ">7.3.24", {"mei2"}},
        {"departure on a bare date", 19, "05.03.2024", {"mue", "leer"}},
        {"departure on a short date", 19, "7.3.24", {"mei"}},
        {"start of the shown departure", 19, "0", {"mue", "leer", "mei", "mei2"}},
        {"start of the shown arrival", 18, "03.", {"mei"}},
        {"reservation number anywhere", 2, "ei", {"mei", "mei2"}},
        {"breakfast no", 5, "Nein", {"leer", "mei", "mei2"}},
        {"breakfast yes", 5, "j", {"mue"}},
        {"checked-in text", 1, "Ja", {"mei"}},
        {"provisional text", 28, "J", {"mei2"}},
        {"guest count", 4, "3", {"mue"}},
        {"price per night", 25, "95,5", {"mue"}},
        {"room", 6, "10", {"mue", "leer", "mei", "mei2"}},
        {"booking kind", 17, "Ang", {"leer"}},
        {"a pattern character typed is itself", 8, "M[", {"leer"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        QStringList hinweise;
        EXPECT_EQ(menge(kuerzel(mitFilter(f.spalte, QString::fromUtf8(f.text)), &hinweise)), f.erwartet);
        EXPECT_TRUE(hinweise.isEmpty()) << hinweise.join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(SuchenLogikTest, BadFilterTextFiltersNothingAndKeepsTheOtherFilters) {
    const int mueller = adresse(QStringLiteral("Müller"));
    const int meier = adresse(QStringLiteral("Meier"));
    buchung({.von = tag(1), .bis = tag(5), .kuerzel = "mue", .gast = mueller});
    buchung({.von = tag(2), .bis = tag(6), .kuerzel = "mei", .gast = meier});

    struct Fall {
        const char* name;
        int spalte;
        const char* text;
    };
    const QList<Fall> faelle = {
        {"impossible date", 19, "32.13."},    {"lone <", 19, "<"},
        {"> with a non-date", 18, ">morgen"}, {"letters in a date", 18, "abc"},
        {"letters in a price", 26, "zwölf"},  {"letters in the guest count", 4, "zwei"},
        {"neither yes nor no", 3, "x"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        Listenabfrage a = mitFilter(8, QStringLiteral("Mü"));
        a.filter[f.spalte - 1] = QString::fromUtf8(f.text);
        QStringList hinweise;
        EXPECT_EQ(kuerzel(a, &hinweise), QStringList{QStringLiteral("mue")});
        ASSERT_EQ(hinweise.size(), 1);
        EXPECT_TRUE(hinweise[0].startsWith(caps()[f.spalte - 1] + QStringLiteral(": „") + QString::fromUtf8(f.text) + QStringLiteral("“")))
            << hinweise[0].toStdString();
        EXPECT_TRUE(hinweise[0].endsWith(QStringLiteral("diese Spalte filtert nichts.")));
    }
}

TEST_F(SuchenLogikTest, SelectionModesAndSorting) {
    const int a = adresse(QStringLiteral("Adam"), QStringLiteral("A"), QStringLiteral("K-1001"));
    const int b = adresse(QStringLiteral("Berg"), QStringLiteral("B"), QStringLiteral("K-2002"));
    buchung({.von = tag(1), .bis = tag(4), .kuerzel = "drin", .gast = a, .checked = true});
    buchung({.von = tag(1), .bis = tag(4), .kuerzel = "drin-wartend", .gast = b, .geloescht = true, .checked = true});
    buchung({.von = tag(4), .bis = tag(6), .kuerzel = "morgen", .gast = b});
    buchung({.von = tag(20, 2), .bis = tag(1), .kuerzel = "alt-offen", .gast = a});
    buchung({.von = tag(20, 2), .bis = tag(1), .kuerzel = "alt-bezahlt", .gast = b, .abgerechnet = 1});
    buchung({.von = tag(20, 2), .bis = tag(1), .kuerzel = "angebot", .gast = b, .art = 4});
    logik_->abgTempNeuBerechnen();

    struct Fall {
        const char* name;
        Auswahl auswahl;
        QDate tag;
        const char* nummer;
        QSet<QString> erwartet;
    };
    const QList<Fall> faelle = {
        {"guests in the house", Auswahl::AlleMitChecked, {}, "", {"drin"}},
        {"arrivals", Auswahl::Anreise, tag(4), "", {"morgen"}},
        {"departures", Auswahl::Abreise, tag(1), "", {"alt-offen", "alt-bezahlt", "angebot"}},
        {"customer number", Auswahl::Kundennummer, {}, "K-2*", {"drin-wartend", "morgen", "alt-bezahlt", "angebot"}},
        {"open bookings up to today", Auswahl::Offene, {}, "", {"drin", "alt-offen"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        Listenabfrage q;
        q.auswahl = f.auswahl;
        q.tag = f.tag;
        q.kundennummer = QString::fromUtf8(f.nummer);
        EXPECT_EQ(menge(kuerzel(q)), f.erwartet);
    }

    Listenabfrage q;
    q.auswahl = Auswahl::Anreise;
    q.tag = tag(20, 2);
    q.sortSpalte = 8;  // last name
    EXPECT_EQ(kuerzel(q), (QStringList{QStringLiteral("alt-offen"), QStringLiteral("alt-bezahlt"), QStringLiteral("angebot")}));
    q.absteigend = true;
    EXPECT_EQ(kuerzel(q), (QStringList{QStringLiteral("angebot"), QStringLiteral("alt-bezahlt"), QStringLiteral("alt-offen")}));
    Listenabfrage nachAnreise;  // the plain list runs by arrival
    const QStringList alle = kuerzel(nachAnreise);
    EXPECT_EQ(alle.last(), QStringLiteral("morgen"));
}

TEST_F(SuchenLogikTest, AbgTempSaysWhatIsStillToSettle) {
    const int g = adresse(QStringLiteral("Gast"));
    struct Fall {
        const char* name;
        Neu neu;
        const char* posten;  // AbgerechnetPo of an item, "" = none
        const char* erwartet;
    };
    const QList<Fall> faelle = {
        {"open booking", {.von = tag(1), .bis = tag(2), .kuerzel = "a", .gast = g}, "", "Nein"},
        {"settled booking", {.von = tag(1), .bis = tag(2), .kuerzel = "b", .gast = g, .abgerechnet = 1}, "", "Ja"},
        {"waiting booking", {.von = tag(1), .bis = tag(2), .kuerzel = "c", .gast = g, .geloescht = true}, "", "Ja"},
        {"offer", {.von = tag(1), .bis = tag(2), .kuerzel = "d", .gast = g, .art = 4}, "", "Ja"},
        {"settled with an open item", {.von = tag(1), .bis = tag(2), .kuerzel = "e", .gast = g, .abgerechnet = 1}, "Nein", "Nein"},
        {"settled with a waiting item", {.von = tag(1), .bis = tag(2), .kuerzel = "f", .gast = g, .abgerechnet = 1}, "Warten", "Nein"},
        {"settled with a settled item", {.von = tag(1), .bis = tag(2), .kuerzel = "h", .gast = g, .abgerechnet = 1}, "Ja", "Ja"},
    };
    QList<int> ids;
    for (const auto& f : faelle) {
        ids << buchung(f.neu);
        if (*f.posten)
            db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, AbgerechnetPo) VALUES (?, ?)"),
                         {ids.last(), QString::fromUtf8(f.posten)});
    }
    db().execute(QStringLiteral("UPDATE tblBelegung SET Abg_Temp = 'Ja' WHERE Kürzel = 'a'"));  // stale value
    for (int runde = 0; runde < 2; ++runde) {
        logik_->abgTempNeuBerechnen();
        for (int i = 0; i < faelle.size(); ++i) {
            SCOPED_TRACE(faelle[i].name);
            EXPECT_EQ(db().scalar(QStringLiteral("SELECT Abg_Temp FROM tblBelegung WHERE ID = ?"), {ids[i]}).toString(),
                      QString::fromUtf8(faelle[i].erwartet));
        }
    }
}

TEST_F(SuchenLogikTest, CheckOutPastGuestsAsksUntilANumber) {
    const int g = adresse(QStringLiteral("Gast"));
    const int alt = buchung({.von = tag(10, 2), .bis = tag(15, 2), .kuerzel = "alt", .gast = g, .checked = true});
    const int neu = buchung({.von = tag(25, 2), .bis = tag(28, 2), .kuerzel = "neu", .gast = g, .checked = true});
    dialogs_.answerText(QStringLiteral("zehn"));
    dialogs_.answerText(QStringLiteral("10"));
    ASSERT_TRUE(logik_->gaesteAuschecken());
    const QString frage = QStringLiteral(
        "Geben Sie Mindestanzahl von Tagen seit der Abreise an. Für alle entsprechenden Reservierungen wird der Status auf 'Checked out' "
        "gesetzt.");
    EXPECT_EQ(dialogs_.texts(), (QStringList{frage, QStringLiteral("Bitte wiederholen Sie die Eingabe."), frage,
                                             QStringLiteral("Es wurden 1 Reservierungen geändert.")}));
    EXPECT_EQ(dialogs_.last().caption, QStringLiteral("Datenpflege"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Checked FROM tblBelegung WHERE ID = ?"), {alt}).toInt(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Checked FROM tblBelegung WHERE ID = ?"), {neu}).toInt(), -1);
    dialogs_.clear();
    dialogs_.answerText(QString());  // Cancel ends the command
    EXPECT_FALSE(logik_->gaesteAuschecken());
}

TEST_F(SuchenLogikTest, SettleOldReservationsReportsEachVariant) {
    const int g = adresse(QStringLiteral("Gast"));
    struct Fall {
        const char* name;
        bool buchung;
        bool posten;
        const char* bericht;
    };
    const QList<Fall> faelle = {
        {"bookings and items", true, true, " Es wurden 1 Reservierungen und 1 Zusatzposten geändert."},
        {"bookings only", true, false, " Es wurden 1 Reservierungen geändert."},
        {"items only", false, true, " Es wurden 1 Zusatzposten geändert."},
        {"nothing", false, false, "Vor dem angegbenen Datum gab es keine nicht abgerechneten Daten."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        db().execute(QStringLiteral("DELETE FROM tblBelegung"));
        db().execute(QStringLiteral("DELETE FROM tbRePosten"));
        // Arrived 40 days ago; a booking that left 35 days ago is settled by the rule.
        const int id = buchung({.von = tag(1).addDays(-40), .bis = tag(1).addDays(f.buchung ? -35 : -5), .kuerzel = "x", .gast = g});
        db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, AbgerechnetPo) VALUES (?, ?)"),
                     {f.posten ? id : id + 1000, QStringLiteral("Nein")});
        dialogs_.answer(Answer::Yes);
        dialogs_.answerText(QStringLiteral("30"));
        ASSERT_TRUE(logik_->alteAbrechnen());
        EXPECT_EQ(dialogs_.last().text, QString::fromUtf8(f.bericht));
        dialogs_.clear();
    }
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(logik_->alteAbrechnen());
}

TEST_F(SuchenLogikTest, ResetNeverTouchesWhatADocumentHolds) {
    const int g = adresse(QStringLiteral("Gast"));
    const int frei = buchung({.von = tag(1), .bis = tag(2), .kuerzel = "frei", .gast = g, .abgerechnet = 1});
    const int beleg = buchung({.von = tag(1), .bis = tag(2), .kuerzel = "beleg", .gast = g, .abgerechnet = 1});
    const int geteilt = buchung({.von = tag(1), .bis = tag(2), .kuerzel = "geteilt", .gast = g, .abgerechnet = 1});
    db().execute(QStringLiteral("UPDATE tblBelegung SET IST_Geteilt = 'Y' WHERE ID = ?"), {geteilt});
    db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung) VALUES (1, ?)"), {beleg});
    db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, AbgerechnetPo) VALUES (?, 'Ja')"), {frei});
    db().execute(QStringLiteral("INSERT INTO tbRePosten (IDBelegung, AbgerechnetPo) VALUES (?, 'Ja')"), {beleg});
    const int belegPosten = db().scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
    db().execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDPostenRe) VALUES (1, ?)"), {belegPosten});

    dialogs_.answer(Answer::Yes);
    ASSERT_TRUE(logik_->statusZuruecksetzen());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral(" Es wurden 1 Reservierungen geändert."));
    const auto abg = [&](int id) { return db().scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ?"), {id}).toInt(); };
    EXPECT_EQ((QList<int>{abg(frei), abg(beleg), abg(geteilt)}), (QList<int>{0, 1, 1}));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {belegPosten}).toString(),
              QStringLiteral("Ja"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE AbgerechnetPo = 'Nein'")).toInt(), 1);
    dialogs_.clear();
    dialogs_.answer(Answer::Yes);
    ASSERT_TRUE(logik_->statusZuruecksetzen());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Alle Daten haben den richtigen Status."));
}

TEST_F(SuchenLogikTest, CaptionsAreCreatedAndRenamed) {
    db().execute(QStringLiteral("DELETE FROM tblParameter WHERE Satz = 'SpaltenBeschriftung'"));
    const QStringList neu = logik_->beschriftungen(QStringLiteral("Raum"), QStringLiteral("Art"));
    ASSERT_EQ(neu.size(), 28);
    EXPECT_EQ(neu[5], QStringLiteral("Raum"));
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("SpaltenBeschriftung"))->text(28), QStringLiteral("vorläufige Reservierung"));

    dialogs_.answerText(QStringLiteral("Familienname"));
    EXPECT_TRUE(logik_->beschriftungAendern(8, neu[7]));
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Geben Sie die neue Bezeichnung für die 8. Spalte (Nachname) ein"));
    dialogs_.answerText(QString());
    EXPECT_FALSE(logik_->beschriftungAendern(9, neu[8]));
    const QStringList danach = logik_->beschriftungen(QStringLiteral("Raum"), QStringLiteral("Art"));
    EXPECT_EQ(danach[7], QStringLiteral("Familienname"));
    EXPECT_EQ(danach[8], QStringLiteral("Name 2"));

    // A house set up with the initial contents has 23 captions of an older column order: the
    // list writes its own 28, so that every caption stands over its column.
    db().execute(QStringLiteral("DELETE FROM tblParameter WHERE Satz = 'SpaltenBeschriftung'"));
    db().execute(
        QStringLiteral("INSERT INTO tblParameter (Satz, F1, F2, F23) VALUES ('SpaltenBeschriftung', '&Checked in', 'Vorname', 'ID')"));
    const QStringList alt = logik_->beschriftungen(QStringLiteral("Raum"), QStringLiteral("Art"));
    EXPECT_EQ(alt[1], QStringLiteral("Reservierungsnummer"));
    EXPECT_EQ(alt[6], QStringLiteral("Vorname"));
    EXPECT_EQ(Parameter(db()).read(QStringLiteral("SpaltenBeschriftung"))->text(2), QStringLiteral("Reservierungsnummer"));

    QList<int> breiten = logik_->breiten();
    breiten[2] = 0;
    logik_->breitenSpeichern(breiten);
    EXPECT_EQ(logik_->breiten(), breiten);
}

}  // namespace

}  // namespace tav::test
