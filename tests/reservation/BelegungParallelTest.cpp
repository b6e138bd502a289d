#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <array>
#include <barrier>
#include <chrono>
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

// ---- two processes ---------------------------------------------------------------------------
//
// Two workstations are two programs on one file. The test program starts itself twice with the
// worker variables set; each copy runs the worker branch of the same test and saves one booking
// per round at the moment the test names, so that both saves start together.

namespace {

constexpr int kProzessRunden = 200;

// Round i of a worker: even rounds save the same Kurzinfo in different rooms, odd rounds
// different Kurzinfos on overlapping nights of one room.
ReservierungsFelder prozessRunde(const QString& name, int i) {
    const bool b = name == QLatin1String("B");
    ReservierungsFelder f;
    f.gastName = QStringLiteral("Gast");
    f.artIndex = 0;
    f.artName = QStringLiteral("Einzel");
    f.gaeste = QStringLiteral("2");
    const QDate start = QDate(2025, 1, 1).addDays(3 * i);
    if (i % 2 == 0) {
        f.kuerzel = QStringLiteral("K") + QString::number(i);
        f.zimmer = b ? QStringLiteral("102") : QStringLiteral("101");
        f.von = dates::longDate(start);
    } else {
        f.kuerzel = name + QString::number(i);
        f.zimmer = QStringLiteral("103");
        f.von = dates::longDate(start.addDays(b ? 1 : 0));
    }
    f.bis = dates::longDate(dates::parse(f.von)->addDays(2));
    return f;
}

// The worker copy: one line "#bereit" per round, waits for a line on stdin, saves, and answers
// "#ergebnis <round> <what the user was shown>". The line on stdin names the moment to start
// (milliseconds since the epoch).
void prozessArbeiten(const QString& datei, const QString& name) {
    std::unique_ptr<Database> db = Database::open(datei);
    ScriptedDialogs dialogs;
    test::SkriptAdresse adresse;
    test::SkriptKollisionsDialog kollisionsDialog;
    KollisionsErgebnis kollision;
    Belegung record(*db, dialogs, adresse, kollisionsDialog, kollision);
    record.setNummernMuster(NummernMuster{QStringLiteral("Üb"), QString(), false});
    for (int i = 0; i < kProzessRunden; ++i) {
        ReservierungsFelder f = prozessRunde(name, i);
        dialogs.clear();
        std::cout << "#bereit " << i << std::endl;
        std::string los;
        if (!std::getline(std::cin, los)) return;
        // Both copies start at the moment the test named: a pipe wakes them one after the other.
        std::this_thread::sleep_until(std::chrono::system_clock::time_point(std::chrono::milliseconds(std::stoll(los))));
        const bool gespeichert = record.Reserv(f);
        QString was = gespeichert ? QStringLiteral("gespeichert") : QString();
        for (const QString& text : dialogs.texts()) {
            if (text.startsWith(QStringLiteral("Die Kurzinfo existiert bereits")))
                was += QStringLiteral("kurzinfo");
            else if (text.startsWith(QStringLiteral("Es sind Konflikte im Netzwerkbetrieb")) ||
                     text.startsWith(QStringLiteral("Es liegt eine Überschneidung")))
                was += QStringLiteral("ueberschneidung");
            else
                was += QStringLiteral("sonstiges:") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        std::cout << "#ergebnis " << i << ' ' << qPrintable(was) << std::endl;
    }
}

// The next line of a worker that starts with '#', or an empty string after 30 s.
QString prozessZeile(QProcess& p) {
    while (true) {
        while (p.canReadLine()) {
            const QString zeile = QString::fromUtf8(p.readLine()).trimmed();
            if (zeile.startsWith(QLatin1Char('#'))) return zeile;
        }
        if (!p.waitForReadyRead(30000)) return QString();
    }
}

}  // namespace

// Two programs save at the same moment, 200 rounds: of two bookings with the same Kurzinfo only
// one is written and the other workstation is told so; of two overlapping bookings of one
// room only one is kept.
TEST_F(BelegungParallelTest, TwoProcessesNeverSaveTheSameKurzinfoOrNight) {
    const QString workerDatei = qEnvironmentVariable("TAVOMERA_ARBEITSPLATZ_DATEI");
    if (!workerDatei.isEmpty()) {
        prozessArbeiten(workerDatei, qEnvironmentVariable("TAVOMERA_ARBEITSPLATZ"));
        return;
    }
    const QString datei = file(QStringLiteral("Lokal.mdb"));
    const QString selbst = QCoreApplication::applicationFilePath();
    const QString filter = QStringLiteral("--gtest_filter=") +
                           QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) +
                           QLatin1Char('.') + QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::array<QProcess, 2> prozesse;
    const std::array<QString, 2> namen{QStringLiteral("A"), QStringLiteral("B")};
    for (int p = 0; p < 2; ++p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVOMERA_ARBEITSPLATZ_DATEI"), datei);
        env.insert(QStringLiteral("TAVOMERA_ARBEITSPLATZ"), namen[p]);
        prozesse[p].setProcessEnvironment(env);
        prozesse[p].setProcessChannelMode(QProcess::SeparateChannels);
        prozesse[p].start(selbst, {filter});
        ASSERT_TRUE(prozesse[p].waitForStarted()) << qPrintable(prozesse[p].errorString());
    }
    QElapsedTimer uhr;
    uhr.start();
    int kurzinfoGespeichert = 0, kurzinfoGemeldet = 0, nachtGespeichert = 0, nachtGemeldet = 0;
    QStringList sonstige;
    for (int i = 0; i < kProzessRunden; ++i) {
        for (QProcess& p : prozesse)
            ASSERT_EQ(prozessZeile(p), QStringLiteral("#bereit ") + QString::number(i))
                << qPrintable(QString::fromUtf8(p.readAllStandardError()));
        const QByteArray los = QByteArray::number(QDateTime::currentMSecsSinceEpoch() + 25) + '\n';
        for (QProcess& p : prozesse) {
            p.write(los);
            p.waitForBytesWritten(30000);
        }
        int gespeichert = 0;
        for (QProcess& p : prozesse) {
            const QStringList teile = prozessZeile(p).split(QLatin1Char(' '));
            ASSERT_GE(teile.size(), 2) << "round " << i;
            const QString was = teile.mid(2).join(QLatin1Char(' '));
            if (was == QLatin1String("gespeichert"))
                ++gespeichert;
            else if (was == QLatin1String("kurzinfo") && i % 2 == 0)
                ++kurzinfoGemeldet;
            else if (was == QLatin1String("ueberschneidung") && i % 2 == 1)
                ++nachtGemeldet;
            else
                sonstige << QStringLiteral("round %1: %2").arg(i).arg(was);
        }
        EXPECT_EQ(gespeichert, 1) << "round " << i << (i % 2 == 0 ? " (same Kurzinfo)" : " (same night)");
        (i % 2 == 0 ? kurzinfoGespeichert : nachtGespeichert) += gespeichert;
    }
    for (QProcess& p : prozesse) {
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << qPrintable(QString::fromUtf8(p.readAllStandardError()));
    }
    const qint64 ms = uhr.elapsed();
    EXPECT_TRUE(sonstige.isEmpty()) << qPrintable(sonstige.join(QLatin1Char('\n')));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), kProzessRunden);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM (SELECT DISTINCT Kürzel FROM tblBelegung)")).toInt(), kProzessRunden)
        << "every Kurzinfo is written once";
    const QString bericht =
        QStringLiteral("Gleiche Kurzinfo: %1 von %2 Paaren doppelt gespeichert, %3 gemeldet; gleiche Nacht: %4 gemeldet; %5 ms")
            .arg(kurzinfoGespeichert - kProzessRunden / 2)
            .arg(kProzessRunden / 2)
            .arg(kurzinfoGemeldet)
            .arg(nachtGemeldet)
            .arg(ms);
    std::cout << "[ Ergebnis ] " << qPrintable(bericht) << std::endl;
    RecordProperty("Prozesse", bericht.toStdString());
}
