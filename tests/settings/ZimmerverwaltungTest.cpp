#include <gtest/gtest.h>

#include "engine/DatabaseError.h"
#include "settings/EinstellungenFixture.h"
#include "settings/Zimmerverwaltung.h"
#include "store/Parameter.h"

using namespace tav;

class ZimmerverwaltungTest : public test::EinstellungenFixture {
protected:
    Zimmerverwaltung z() { return Zimmerverwaltung(db(), dialogs_, fenster_); }
};

TEST_F(ZimmerverwaltungTest, TypedRoomCountsAreCheckedAgainstTheLimit) {
    struct Fall {
        const char* text;
        const char* meldung;  // empty: accepted
    } faelle[] = {
        {"1", ""},
        {"70", ""},
        {"71", "Die maximale Einstellung an dieser Stelle beträgt 70."},
        {"500", "Die maximale Einstellung an dieser Stelle beträgt 70."},
        {"0", "Bitte geben Sie die Anzahl der Zimmer als Zahl zwischen 1 und 70 an."},
        {"", "Bitte geben Sie die Anzahl der Zimmer als Zahl zwischen 1 und 70 an."},
        {"1O", "Bitte geben Sie die Anzahl der Zimmer als Zahl zwischen 1 und 70 an."},
        {"-3", "Bitte geben Sie die Anzahl der Zimmer als Zahl zwischen 1 und 70 an."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        dialogs_.clear();
        Zimmerverwaltung v = z();
        EXPECT_EQ(v.anzahlPruefen(QString::fromUtf8(f.text)), *f.meldung == 0);
        EXPECT_EQ(dialogs_.texts(), *f.meldung ? QStringList{QString::fromUtf8(f.meldung)} : QStringList{});
    }
    for (const auto& [text, preis] : {std::pair{"65,00", std::optional<double>(65)}, std::pair{"", std::optional<double>(0)},
                                      std::pair{"1.234,5", std::optional<double>(1234.5)}, std::pair{"-5", std::optional<double>()},
                                      std::pair{"sechzig", std::optional<double>()}}) {
        dialogs_.clear();
        EXPECT_EQ(z().preisPruefen(QString::fromUtf8(text)), preis) << text;
        EXPECT_EQ(dialogs_.texts(),
                  preis ? QStringList{} : QStringList{QStringLiteral("Bitte geben Sie den Preis als Betrag an, zum Beispiel 65,00.")})
            << text;
    }
    // 71 rooms refused by the setter too: nothing written.
    dialogs_.clear();
    EXPECT_FALSE(z().anzahlSetzen(71));
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Die maximale Einstellung an dieser Stelle beträgt 70.")});
    EXPECT_EQ(z().anzahl(), 9);
    EXPECT_EQ(raeume().size(), 10);
}

TEST_F(ZimmerverwaltungTest, MoreRoomsKeepTheWaitingRoomLastWithItsBookings) {
    const int warte = buchung(10, QDate(2025, 3, 1));
    const int drei = buchung(3, QDate(2025, 3, 1));
    ASSERT_TRUE(z().anzahlSetzen(12));
    EXPECT_TRUE(dialogs_.shown().isEmpty()) << "adding rooms changes no booking: no backup question";
    const auto r = raeume();
    ASSERT_EQ(r.size(), 13);
    EXPECT_EQ(r[9], qMakePair(10, QStringLiteral("10")));
    EXPECT_EQ(r[11], qMakePair(12, QStringLiteral("12")));
    EXPECT_EQ(r[12], qMakePair(13, QStringLiteral("Vorläufig")));
    EXPECT_EQ(zimmerVon(warte), 13);
    EXPECT_EQ(zimmerVon(drei), 3);
    EXPECT_EQ(z().anzahl(), 12);
}

TEST_F(ZimmerverwaltungTest, FewerRoomsDeleteTheirBookingsOnlyAfterTheQuestion) {
    struct Fall {
        const char* was;
        QList<Answer> antworten;
        bool sicherungGelingt;
        bool verkleinert;
        QStringList meldungen;
    };
    const QString frage = QStringLiteral(
        "Wenn die Anzahl der Zimmer verkleinert wird,\nwerden die entsprechenden Reservierungen gelöscht. \n"
        "Soll eine Datensicherung durchgeführt werden?");
    const QString fehlschlag =
        QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. Soll die Zimmerzahl trotzdem verkleinert werden?");
    const QString nicht = QStringLiteral("Die Änderungen wurden nicht gespeichert.");
    const Fall faelle[] = {
        {"Yes: backup, then reduce", {Answer::Yes}, true, true, {frage}},
        {"No: reduce without backup", {Answer::No}, true, true, {frage}},
        {"Cancel", {Answer::Cancel}, true, false, {frage, nicht}},
        {"backup fails, No", {Answer::Yes, Answer::No}, false, false, {frage, fehlschlag, nicht}},
        {"backup fails, Yes", {Answer::Yes, Answer::Yes}, false, true, {frage, fehlschlag}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        frisch();
        fenster_.setSicherung(f.sicherungGelingt ? folder() : QString());
        const int sieben = buchung(7, QDate(2025, 5, 1));
        const int acht = buchung(8, QDate(2025, 5, 1));
        const int acht_geloescht = buchung(8, QDate(2025, 6, 1), 2, 1, true);
        const int warte = buchung(10, QDate(2025, 5, 1));
        for (Answer a : f.antworten) dialogs_.answer(a);
        const int sicherungenVorher = fenster_.sicherungen();
        EXPECT_EQ(z().anzahlSetzen(7), f.verkleinert);
        EXPECT_EQ(dialogs_.texts(), f.meldungen);
        EXPECT_EQ(fenster_.sicherungen() - sicherungenVorher, f.antworten.first() == Answer::Yes ? 1 : 0);
        EXPECT_EQ(zimmerVon(sieben), 7);
        if (f.verkleinert) {
            EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ID = ?"), {acht}), 0);
            EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ID = ?"), {acht_geloescht}), 1);
            EXPECT_EQ(zimmerVon(warte), 8) << "the waiting room follows the last room";
            EXPECT_EQ(raeume().size(), 8);
            EXPECT_EQ(raeume().last(), qMakePair(8, QStringLiteral("Vorläufig")));
            EXPECT_EQ(z().anzahl(), 7);
        } else {
            EXPECT_EQ(zimmerVon(acht), 8);
            EXPECT_EQ(zimmerVon(warte), 10);
            EXPECT_EQ(raeume().size(), 10);
            EXPECT_EQ(z().anzahl(), 9);
        }
        dialogs_.clear();
    }
}

TEST_F(ZimmerverwaltungTest, WithoutABackupRoutineNothingIsReducedOrMoved) {
    fenster_.setVorhanden(Ziel::Datensicherung, false);
    const int acht = buchung(8, QDate(2025, 5, 1));
    EXPECT_FALSE(z().anzahlSetzen(5));
    ASSERT_EQ(dialogs_.shown().size(), 1);
    EXPECT_TRUE(dialogs_.last().text.contains(QStringLiteral("nur nach einer Datensicherung möglich")));
    EXPECT_EQ(zimmerVon(acht), 8);
    EXPECT_EQ(z().anzahl(), 9);
    dialogs_.clear();
    dialogs_.answerText(QStringLiteral("1"));
    EXPECT_FALSE(z().verschiebenFragen(8));
    EXPECT_EQ(zimmerVon(acht), 8);
    EXPECT_EQ(raeume()[7].second, QStringLiteral("204"));
}

TEST_F(ZimmerverwaltungTest, MovesInBothDirectionsKeepEveryRoomOnce) {
    struct Fall {
        int von, nach;
        QStringList labels;  // the first nine rooms afterwards
    } faelle[] = {
        {3, 1, {"103", "101", "102", "104", "201", "202", "203", "204", "301"}},
        {1, 9, {"102", "103", "104", "201", "202", "203", "204", "301", "101"}},
        {9, 1, {"301", "101", "102", "103", "104", "201", "202", "203", "204"}},
        {5, 6, {"101", "102", "103", "104", "202", "201", "203", "204", "301"}},
        {6, 5, {"101", "102", "103", "104", "202", "201", "203", "204", "301"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(QStringLiteral("%1 -> %2").arg(f.von).arg(f.nach).toStdString());
        frisch();
        // Every room has a booking and a deleted one; both go along with their room.
        QList<int> ids, geloescht;
        for (int n = 1; n <= 10; ++n) {
            ids << buchung(n, QDate(2025, 2, n));
            geloescht << buchung(n, QDate(2024, 1, n), 3, 1, true);
        }
        z().verschieben(f.von, f.nach);
        QStringList labels;
        for (const auto& [nr, label] : raeume()) labels << label;
        EXPECT_EQ(labels.mid(0, 9), f.labels);
        EXPECT_EQ(labels.value(9), QStringLiteral("Vorläufig"));
        // Each booking stays with its room: the label at its new number is the label it had.
        const QStringList vorher = {"101", "102", "103", "104", "201", "202", "203", "204", "301", "Vorläufig"};
        for (int n = 1; n <= 10; ++n) {
            EXPECT_EQ(labels.value(zimmerVon(ids[n - 1]) - 1), vorher[n - 1]) << n;
            EXPECT_EQ(zimmerVon(geloescht[n - 1]), zimmerVon(ids[n - 1])) << n;
        }
        EXPECT_EQ(zahl(QStringLiteral("SELECT Reihenfolge_Hilf FROM tbZimmernummern WHERE NeueNummer = ?"), {vorher[f.von - 1]}), f.von)
            << "the previous order is kept";
    }
}

TEST_F(ZimmerverwaltungTest, AMoveThatFailsHalfwayLeavesRoomsAndBookingsAsTheyWere) {
    QList<int> ids;
    for (int n = 1; n <= 10; ++n) ids << buchung(n, QDate(2025, 2, n));
    const auto vorher = raeume();
    // The bookings file refuses the third renumbering: the move is by then half done.
    auto zentral = open(QStringLiteral("Zentral.mdb"));
    zentral->executeNative(
        QStringLiteral("CREATE TRIGGER kaputt BEFORE UPDATE OF Zimmernummer ON tblBelegung "
                       "WHEN NEW.Zimmernummer = 3 BEGIN SELECT RAISE(ABORT, 'Datenträger voll'); END"));
    zentral.reset();
    db().execute(QStringLiteral("SELECT Count(*) FROM tblBelegung"));  // the trigger is seen by the open connection
    Zimmerverwaltung v = z();
    EXPECT_THROW(v.verschieben(5, 1), DatabaseError);
    EXPECT_EQ(raeume(), vorher);
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(zimmerVon(ids[n - 1]), n) << n;
    EXPECT_EQ(zahl(QStringLiteral("SELECT Count(*) FROM tbZimmernummern WHERE Zimmernummer = 99")), 0);
}

TEST_F(ZimmerverwaltungTest, ChoosingTheTargetPosition) {
    const QString position = QStringLiteral("Bitte geben Sie die neue Position des gewählten Zimmers an.");
    const QString nochmal = QStringLiteral("Geben Sie eine Zahl zwischen 1 und 9 an. Möchten Sie die Eingabe wiederholen?");
    const QString sicherung = QStringLiteral("Dieser Vorgang ändert Reservierungsdaten.\nSoll eine Datensicherung durchgeführt werden?");
    const QString beendet = QStringLiteral("Vorgang beendet"), nicht = QStringLiteral("Die Änderungen wurden nicht gespeichert.");
    struct Fall {
        const char* was;
        int zimmer;
        QStringList eingaben;
        QList<Answer> antworten;
        QStringList meldungen;
        bool bewegt;
    } faelle[] = {
        {"no room chosen", 0, {}, {}, {"Bitte wählen Sie ein Zimmer aus."}, false},
        {"the waiting room", 10, {}, {}, {"Die letzte Position kann nicht verschoben werden."}, false},
        {"a position out of range, then given up", 2, {"10"}, {Answer::No}, {position, nochmal}, false},
        {"a word, then a good number, Cancel at the backup",
         2,
         {"oben", "1"},
         {Answer::Yes, Answer::Cancel},
         {position, nochmal, position, sicherung, nicht},
         false},
        {"move without a backup", 2, {"1"}, {Answer::No}, {position, sicherung, beendet}, true},
        {"backup and move", 2, {"1"}, {Answer::Yes}, {position, sicherung, beendet}, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        frisch();
        for (const QString& e : f.eingaben) dialogs_.answerText(e);
        for (Answer a : f.antworten) dialogs_.answer(a);
        EXPECT_EQ(z().verschiebenFragen(f.zimmer), f.bewegt);
        EXPECT_EQ(dialogs_.texts(), f.meldungen);
        EXPECT_EQ(raeume()[0].second, f.bewegt ? QStringLiteral("102") : QStringLiteral("101"));
        dialogs_.clear();
    }
}

TEST_F(ZimmerverwaltungTest, SavingARoomAndTheThreeWaysOfPlacingIt) {
    auto zeile = [this](int nr) {
        for (const ZimmerZeile& r : z().zimmer())
            if (r.nummer == nr) return r;
        return ZimmerZeile{};
    };
    ZimmerZeile r = zeile(2);
    r.label = QStringLiteral("Linde");
    r.preis = 84.5;
    r.gaeste = 2;
    r.raucher = true;
    ASSERT_TRUE(z().speichern(r));
    EXPECT_EQ(zeile(2).label, QStringLiteral("Linde"));
    EXPECT_DOUBLE_EQ(zeile(2).preis, 84.5);
    EXPECT_TRUE(zeile(2).raucher);

    // Refused: an empty label, a label another room has. Nothing written.
    struct Fall {
        const char* label;
        const char* meldung;
    } faelle[] = {{"  ", "Das Feld 'Neue Bezeichnung' darf zum speichern nicht leer sein"},
                  {"101", "Die Bezeichnung '101' hat schon ein anderes Zimmer. Bitte wählen Sie eine andere Bezeichnung."}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.label);
        dialogs_.clear();
        ZimmerZeile x = zeile(2);
        x.label = QString::fromUtf8(f.label);
        x.preis = 1;
        EXPECT_FALSE(z().speichern(x));
        EXPECT_EQ(dialogs_.texts(), QStringList{QString::fromUtf8(f.meldung)});
        EXPECT_DOUBLE_EQ(zeile(2).preis, 84.5);
    }

    // At the shown position, and to the end of the list (the waiting room stays last).
    dialogs_.clear();
    dialogs_.answer(Answer::No);
    ASSERT_TRUE(z().speichern(zeile(2), Speicherart::AnPosition, 5));
    EXPECT_EQ(zeile(5).label, QStringLiteral("Linde"));
    dialogs_.answer(Answer::No);
    ASSERT_TRUE(z().speichern(zeile(5), Speicherart::AnsEnde));
    EXPECT_EQ(zeile(9).label, QStringLiteral("Linde"));
    EXPECT_EQ(zeile(10).label, QStringLiteral("Vorläufig"));
}
