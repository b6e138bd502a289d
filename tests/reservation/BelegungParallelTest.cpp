#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <array>
#include <chrono>
#include <iostream>
#include <thread>

#include "reservation/BelegungTestSupport.h"

using namespace tav;
using namespace Qt::StringLiterals;

// Two workstations are two programs on one file. The test program starts itself twice with the
// worker variables set; each copy runs the worker branch of the same test and saves one booking
// per round at the moment the test names, so that both saves start together.
namespace {

constexpr int kProzessRunden = 200;

// Round i of a worker: even rounds save the same Kurzinfo in different rooms, odd rounds
// different Kurzinfos on overlapping nights of one room.
ReservierungsFelder prozessRunde(const QString& name, int i) {
    const bool b = name == QLatin1String("B");
    const QDate start = QDate(2025, 1, 1).addDays(3 * i);
    if (i % 2 == 0) return test::neueFelder(b ? u"102"_s : u"101"_s, start, start.addDays(2), u"K"_s + QString::number(i));
    const QDate von = start.addDays(b ? 1 : 0);
    return test::neueFelder(u"103"_s, von, von.addDays(2), name + QString::number(i));
}

// The worker copy: one line "#bereit" per round, waits for a line on stdin, saves, and answers
// "#ergebnis <round> <what the user was shown>". The line on stdin names the moment to start
// (milliseconds since the epoch).
void prozessArbeiten(const QString& datei, const QString& name) {
    test::Arbeitsplatz platz(datei);
    for (int i = 0; i < kProzessRunden; ++i) {
        ReservierungsFelder f = prozessRunde(name, i);
        platz.dialogs.clear();
        std::cout << "#bereit " << i << std::endl;
        std::string los;
        if (!std::getline(std::cin, los)) return;
        // Both copies start at the moment the test named: a pipe wakes them one after the other.
        std::this_thread::sleep_until(std::chrono::system_clock::time_point(std::chrono::milliseconds(std::stoll(los))));
        QString was = platz.record.Reserv(f) ? u"gespeichert"_s : QString();
        for (const QString& text : platz.dialogs.texts()) {
            if (text.startsWith(u"Die Kurzinfo existiert bereits"_s))
                was += u"kurzinfo"_s;
            else if (text.startsWith(u"Es sind Konflikte im Netzwerkbetrieb"_s) || text.startsWith(u"Es liegt eine Überschneidung"_s))
                was += u"ueberschneidung"_s;
            else
                was += u"sonstiges:"_s + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
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

using BelegungParallelTest = test::BookingFixture;

// Two programs save at the same moment, 200 rounds: of two bookings with the same Kurzinfo only
// one is written and the other workstation is told so; of two overlapping bookings of one
// room only one is kept and the other is told why.
TEST_F(BelegungParallelTest, TwoProcessesNeverSaveTheSameKurzinfoOrNight) {
    const QString workerDatei = qEnvironmentVariable("TAVOMERA_ARBEITSPLATZ_DATEI");
    if (!workerDatei.isEmpty()) {
        prozessArbeiten(workerDatei, qEnvironmentVariable("TAVOMERA_ARBEITSPLATZ"));
        return;
    }
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = u"--gtest_filter=%1.%2"_s.arg(QString::fromUtf8(info->test_suite_name()), QString::fromUtf8(info->name()));
    std::array<QProcess, 2> prozesse;
    const std::array<QString, 2> namen{u"A"_s, u"B"_s};
    for (int p = 0; p < 2; ++p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"TAVOMERA_ARBEITSPLATZ_DATEI"_s, file(u"Lokal.mdb"_s));
        env.insert(u"TAVOMERA_ARBEITSPLATZ"_s, namen[p]);
        prozesse[p].setProcessEnvironment(env);
        prozesse[p].start(QCoreApplication::applicationFilePath(), {filter});
        ASSERT_TRUE(prozesse[p].waitForStarted()) << qPrintable(prozesse[p].errorString());
    }
    QElapsedTimer uhr;
    uhr.start();
    int kurzinfoGemeldet = 0, nachtGemeldet = 0;
    QStringList sonstige;
    for (int i = 0; i < kProzessRunden; ++i) {
        for (QProcess& p : prozesse)
            ASSERT_EQ(prozessZeile(p), u"#bereit "_s + QString::number(i)) << qPrintable(QString::fromUtf8(p.readAllStandardError()));
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
                sonstige << u"round %1: %2"_s.arg(i).arg(was);
        }
        EXPECT_EQ(gespeichert, 1) << "round " << i << (i % 2 == 0 ? " (same Kurzinfo)" : " (same night)");
    }
    for (QProcess& p : prozesse) {
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << qPrintable(QString::fromUtf8(p.readAllStandardError()));
    }
    EXPECT_TRUE(sonstige.isEmpty()) << qPrintable(sonstige.join(QLatin1Char('\n')));
    EXPECT_EQ(db().scalar(u"SELECT Count(*) FROM tblBelegung"_s).toInt(), kProzessRunden) << "refused rows are gone";
    EXPECT_EQ(db().scalar(u"SELECT Count(*) FROM (SELECT DISTINCT Kürzel FROM tblBelegung)"_s).toInt(), kProzessRunden)
        << "every Kurzinfo is written once";
    const QString bericht =
        u"Gleiche Kurzinfo: %1 gemeldet; gleiche Nacht: %2 gemeldet; %3 ms"_s.arg(kurzinfoGemeldet).arg(nachtGemeldet).arg(uhr.elapsed());
    std::cout << "[ Ergebnis ] " << qPrintable(bericht) << std::endl;
    RecordProperty("Prozesse", bericht.toStdString());
}
