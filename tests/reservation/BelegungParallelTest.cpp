#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <algorithm>
#include <barrier>
#include <iostream>
#include <thread>

#include "reservation/BelegungTestSupport.h"

using namespace tav;

namespace {

// One workstation: its own connection to the same files, its own form state and dialogs.
struct Arbeitsplatz {
    QString name;
    int gespeichert = 0;
    int ueberschneidung = 0;  // the overlap test before the write found the other booking
    int netzwerk = 0;         // the re-check after the write found it
    QStringList sonstige;     // anything else shown: must stay empty
};

void arbeiten(const QString& datei, Arbeitsplatz& platz, int versatz, int runden, std::barrier<>& takt) {
    std::unique_ptr<Database> db = Database::open(datei);
    ScriptedDialogs dialogs;
    test::SkriptAdresse adresse;
    test::SkriptKollisionsDialog kollisionsDialog;  // the user keeps the other booking: cmdÄndern
    KollisionsErgebnis kollision;
    Belegung record(*db, dialogs, adresse, kollisionsDialog, kollision);
    record.setNummernMuster(NummernMuster{QStringLiteral("Üb"), QString(), false});
    const QDate start(2025, 1, 1);
    for (int i = 0; i < runden; ++i) {
        ReservierungsFelder f;
        f.gastName = QStringLiteral("Gast");
        f.kuerzel = platz.name + QString::number(i);
        f.zimmer = QStringLiteral("101");
        // Both workstations book two nights that share one: A the 1st and 2nd, B the 2nd and 3rd.
        const QDate von = start.addDays(3 * i + versatz);
        f.von = dates::longDate(von);
        f.bis = dates::longDate(von.addDays(2));
        f.artIndex = 0;
        f.artName = QStringLiteral("Einzel");
        f.gaeste = QStringLiteral("2");
        dialogs.clear();
        takt.arrive_and_wait();  // both start the same save at the same moment
        if (record.Reserv(f)) ++platz.gespeichert;
        for (const QString& text : dialogs.texts()) {
            if (text.startsWith(QStringLiteral("Es sind Konflikte im Netzwerkbetrieb aufgetreten")))
                ++platz.netzwerk;
            else if (text.startsWith(QStringLiteral("Es liegt eine Überschneidung")))
                ++platz.ueberschneidung;
            else
                platz.sonstige << text;
        }
    }
}

}  // namespace

using BelegungParallelTest = test::BookingFixture;

// Two workstations save overlapping bookings of one room at the same moment, 200 times each:
// afterwards no two live bookings of the room share a night, and every pair has one winner.
TEST_F(BelegungParallelTest, TwoWorkstationsNeverLeaveAnOverlap) {
    constexpr int kRunden = 200;
    Arbeitsplatz a;
    Arbeitsplatz b;
    a.name = QStringLiteral("A");
    b.name = QStringLiteral("B");
    std::barrier takt(2);
    const QString datei = file(QStringLiteral("Lokal.mdb"));
    QElapsedTimer uhr;
    uhr.start();
    std::thread ta([&] { arbeiten(datei, a, 0, kRunden, takt); });
    std::thread tb([&] { arbeiten(datei, b, 1, kRunden, takt); });
    ta.join();
    tb.join();
    const qint64 ms = uhr.elapsed();

    EXPECT_TRUE(a.sonstige.isEmpty()) << qPrintable(a.sonstige.join(QLatin1Char('\n')));
    EXPECT_TRUE(b.sonstige.isEmpty()) << qPrintable(b.sonstige.join(QLatin1Char('\n')));

    QList<std::pair<QDate, QDate>> belegt;
    Recordset rs =
        db().openRecordset(QStringLiteral("SELECT Von, Bis FROM tblBelegung WHERE Zimmernummer = 1 AND Gelöscht = False "
                                          "ORDER BY Von"));
    for (; !rs.eof(); rs.moveNext())
        belegt << std::pair{rs.value(QStringLiteral("Von")).toDate(), rs.value(QStringLiteral("Bis")).toDate()};
    for (qsizetype i = 1; i < belegt.size(); ++i)
        EXPECT_LE(belegt[i - 1].second, belegt[i].first) << "bookings " << i - 1 << " and " << i << " overlap";

    EXPECT_EQ(a.gespeichert + b.gespeichert, kRunden) << "one booking of every pair is kept";
    EXPECT_EQ(belegt.size(), kRunden);
    EXPECT_EQ(a.netzwerk + a.ueberschneidung + b.netzwerk + b.ueberschneidung, kRunden) << "the other one is told why";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), kRunden) << "refused rows are gone";

    const auto bericht = [](const Arbeitsplatz& p) {
        return QStringLiteral("%1: %2 gespeichert, %3 Überschneidung vor dem Schreiben, %4 Netzwerkkonflikt")
            .arg(p.name)
            .arg(p.gespeichert)
            .arg(p.ueberschneidung)
            .arg(p.netzwerk);
    };
    std::cout << "[ Ergebnis ] " << qPrintable(bericht(a)) << "\n[ Ergebnis ] " << qPrintable(bericht(b)) << "\n[ Ergebnis ] "
              << 2 * kRunden << " Speichervorgänge in " << ms << " ms" << std::endl;
    RecordProperty("A", bericht(a).toStdString());
    RecordProperty("B", bericht(b).toStdString());
}
