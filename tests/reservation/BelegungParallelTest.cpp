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
    if (i % 2 == 0)
        return test::neueFelder(b ? QStringLiteral("102") : QStringLiteral("101"), start, start.addDays(2),
                                QStringLiteral("K") + QString::number(i));
    const QDate von = start.addDays(b ? 1 : 0);
    return test::neueFelder(QStringLiteral("103"), von, von.addDays(2), name + QString::number(i));
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
        QString was = platz.record.Reserv(f) ? QStringLiteral("gespeichert") : QString();
        for (const QString& text : platz.dialogs.texts()) {
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
    const QString filter =
        QStringLiteral("--gtest_filter=%1.%2").arg(QString::fromUtf8(info->test_suite_name()), QString::fromUtf8(info->name()));
    std::array<QProcess, 2> prozesse;
    const std::array<QString, 2> namen{QStringLiteral("A"), QStringLiteral("B")};
    for (int p = 0; p < 2; ++p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVOMERA_ARBEITSPLATZ_DATEI"), file(QStringLiteral("Lokal.mdb")));
        env.insert(QStringLiteral("TAVOMERA_ARBEITSPLATZ"), namen[p]);
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
    }
    for (QProcess& p : prozesse) {
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << qPrintable(QString::fromUtf8(p.readAllStandardError()));
    }
    EXPECT_TRUE(sonstige.isEmpty()) << qPrintable(sonstige.join(QLatin1Char('\n')));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung")).toInt(), kProzessRunden) << "refused rows are gone";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM (SELECT DISTINCT Kürzel FROM tblBelegung)")).toInt(), kProzessRunden)
        << "every Kurzinfo is written once";
    const QString bericht = QStringLiteral("Gleiche Kurzinfo: %1 gemeldet; gleiche Nacht: %2 gemeldet; %3 ms")
                                .arg(kurzinfoGemeldet)
                                .arg(nachtGemeldet)
                                .arg(uhr.elapsed());
    std::cout << "[ Ergebnis ] " << qPrintable(bericht) << std::endl;
    RecordProperty("Prozesse", bericht.toStdString());
}
