#include <gtest/gtest.h>

#include <barrier>
#include <iostream>
#include <thread>

#include "engine/DatabaseError.h"
#include "engine/Recordset.h"
#include "reservation/BelegungTestSupport.h"
#include "reservation/Blockverwaltung.h"
#include "store/mdBlockbuchung.h"

using namespace tav;
using namespace Qt::StringLiterals;

using BlockverwaltungParallelTest = test::BookingFixture;

// The block program and a reservation form on another workstation take the same room for the
// same nights at the same moment, round after round: afterwards the room is never booked
// twice, and every block is whole (two members) or not there at all.
TEST_F(BlockverwaltungParallelTest, ABlockAndABookingRacingForOneRoomNeverBothWin) {
    constexpr int kRunden = 60;
    const QDate start(2025, 1, 1);
    QList<int> leiter;
    for (int i = 0; i < kRunden; ++i) leiter << buchung(1, start.addDays(3 * i), start.addDays(3 * i + 2), u"Block"_s + QString::number(i));
    const QString datei = file(u"Lokal.mdb"_s);
    std::barrier takt(2);
    int bloecke = 0, blockAbgelehnt = 0, buchungen = 0;
    QStringList sonstigeA, sonstigeB;

    std::thread a([&] {
        auto db = Database::open(datei);
        ScriptedDialogs dialogs;
        for (int i = 0; i < kRunden; ++i) {
            Blockverwaltung b(*db, dialogs);
            const bool geladen = b.laden(leiter[i]) && b.zimmerHinzufuegen(2);
            takt.arrive_and_wait();
            if (!geladen) continue;  // room 2 was already taken when the block window showed it
            try {
                if (b.speichern())
                    ++bloecke;
                else
                    ++blockAbgelehnt;
            } catch (const DatabaseError& e) {
                sonstigeA << e.message();
            }
            for (const QString& t : dialogs.texts())
                if (!t.startsWith(u"Es sind Konflikte im Netzwerkbetrieb"_s)) sonstigeA << t;
            dialogs.expectUnanswered();
            dialogs.clear();
        }
    });
    std::thread b([&] {
        test::Arbeitsplatz platz(datei);
        for (int i = 0; i < kRunden; ++i) {
            ReservierungsFelder f =
                test::neueFelder(u"102"_s, start.addDays(3 * i + 1), start.addDays(3 * i + 3), u"Einzeln"_s + QString::number(i));
            takt.arrive_and_wait();
            try {
                if (platz.record.Reserv(f)) ++buchungen;
            } catch (const DatabaseError& e) {
                sonstigeB << e.message();
            }
            for (const QString& t : platz.dialogs.texts())
                if (!t.startsWith(u"Es sind Konflikte im Netzwerkbetrieb"_s) && !t.startsWith(u"Es liegt eine Überschneidung"_s))
                    sonstigeB << t;
            platz.dialogs.expectUnanswered();
            platz.dialogs.clear();
        }
    });
    a.join();
    b.join();
    EXPECT_TRUE(sonstigeA.isEmpty()) << qPrintable(sonstigeA.join(QLatin1Char('\n')));
    EXPECT_TRUE(sonstigeB.isEmpty()) << qPrintable(sonstigeB.join(QLatin1Char('\n')));

    // Room 2: no two live bookings share a night.
    QList<std::pair<QDate, QDate>> belegt;
    Recordset rs = db().openRecordset(u"SELECT Von, Bis FROM tblBelegung WHERE Zimmernummer = 2 AND Gelöscht = False ORDER BY Von"_s);
    for (; !rs.eof(); rs.moveNext()) belegt << std::pair{rs.value(u"Von"_s).toDate(), rs.value(u"Bis"_s).toDate()};
    for (qsizetype i = 1; i < belegt.size(); ++i) EXPECT_LE(belegt[i - 1].second, belegt[i].first) << "bookings " << i - 1 << " and " << i;
    EXPECT_EQ(bloecke + buchungen, kRunden) << "one of each pair wins";
    EXPECT_EQ(belegt.size(), kRunden);
    // Every block is whole.
    EXPECT_EQ(db().scalar(u"SELECT Count(*) FROM tbBlockbuchung"_s).toInt(), 2 * bloecke);
    for (int i = 0; i < kRunden; ++i) {
        const int nr = mdBlockbuchung::BlocknummerDerBelegung(db(), leiter[i]);
        if (nr != 0) {
            EXPECT_EQ(mdBlockbuchung::mitglieder(db(), nr).size(), 2) << "round " << i;
        }
    }
    const QString ergebnis = u"%1 Blöcke, %2 abgelehnt, %3 Einzelbuchungen"_s.arg(bloecke).arg(blockAbgelehnt).arg(buchungen);
    std::cout << "[ Ergebnis ] " << qPrintable(ergebnis) << std::endl;
    RecordProperty("Ergebnis", ergebnis.toStdString());
}
