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

#include "invoice/clsRechnung.h"
#include "platform/ScriptedDialogs.h"
#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;

// Two workstations are two programs on the same files. The test program starts itself twice
// with the worker variables set; each copy creates its documents as fast as it can from the
// moment the test names, so that both write at the same time.

namespace {

constexpr int kDokumente = 100;

// The worker copy: waits for the start moment on stdin, then creates one invoice per booking
// of its half and reports "#fertig <created> <messages shown>".
void arbeiten(const QString& datei, int ersteBuchung) {
    std::unique_ptr<Database> db = Database::open(datei);
    ScriptedDialogs dialogs;
    clsRechnung r(*db, dialogs);
    std::cout << "#bereit" << std::endl;
    std::string los;
    if (!std::getline(std::cin, los)) return;
    std::this_thread::sleep_until(std::chrono::system_clock::time_point(std::chrono::milliseconds(std::stoll(los))));
    int angelegt = 0;
    for (int i = 0; i < kDokumente; ++i) {
        NeuesDokument d;
        d.adressId = 1;
        d.datum = QDate(2024, 3, 1);
        d.eintraege = {DokumentEintrag::buchung(ersteBuchung + i)};
        d.summen.brutto = 100;
        if (r.ReZuordnungen(d)) ++angelegt;
    }
    std::cout << "#fertig " << angelegt << ' ' << dialogs.shown().size() << std::endl;
    if (!dialogs.shown().isEmpty()) std::cerr << qPrintable(dialogs.texts().join(QLatin1Char('\n'))) << std::endl;
    dialogs.expectUnanswered();
}

QString zeile(QProcess& p) {
    while (true) {
        while (p.canReadLine()) {
            const QString z = QString::fromUtf8(p.readLine()).trimmed();
            if (z.startsWith(QLatin1Char('#'))) return z;
        }
        if (!p.waitForReadyRead(120000)) return QString();
    }
}

}  // namespace

using RechnungParallelTest = test::DatabaseFixture;

// Two programs create 100 invoices each at the same moment, with free keys and counters
// reused: every key, counter and printed number is given once and all 200 documents exist.
TEST_F(RechnungParallelTest, TwoProcessesNeverShareAKeyOrANumber) {
    const QString workerDatei = qEnvironmentVariable("TAVOMERA_RECHNUNG_DATEI");
    if (!workerDatei.isEmpty()) {
        arbeiten(workerDatei, qEnvironmentVariable("TAVOMERA_RECHNUNG_ERSTE").toInt());
        return;
    }
    Parameter(db()).write(QStringLiteral("ReNummer"),
                          {{1, QStringLiteral("Üb")}, {2, QStringLiteral("yy")}, {4, QStringLiteral("Alle")}, {5, QStringLiteral("Alle")}});
    for (int i = 0; i < 2 * kDokumente; ++i)
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Abgerechnet) VALUES (1, ?, ?, 1, 0)"),
                     {QDate(2024, 1, 1).addDays(i), QDate(2024, 1, 2).addDays(i)});
    const int erste = db().scalar(QStringLiteral("SELECT Min(ID) FROM tblBelegung")).toInt();

    const QString datei = file(QStringLiteral("Lokal.mdb"));
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter =
        QStringLiteral("--gtest_filter=") + QString::fromUtf8(info->test_suite_name()) + QLatin1Char('.') + QString::fromUtf8(info->name());
    std::array<QProcess, 2> prozesse;
    for (int p = 0; p < 2; ++p) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAVOMERA_RECHNUNG_DATEI"), datei);
        env.insert(QStringLiteral("TAVOMERA_RECHNUNG_ERSTE"), QString::number(erste + p * kDokumente));
        prozesse[p].setProcessEnvironment(env);
        prozesse[p].start(QCoreApplication::applicationFilePath(), {filter});
        ASSERT_TRUE(prozesse[p].waitForStarted()) << qPrintable(prozesse[p].errorString());
    }
    for (QProcess& p : prozesse) ASSERT_EQ(zeile(p), QStringLiteral("#bereit")) << qPrintable(QString::fromUtf8(p.readAllStandardError()));
    const QByteArray los = QByteArray::number(QDateTime::currentMSecsSinceEpoch() + 50) + '\n';
    for (QProcess& p : prozesse) {
        p.write(los);
        p.waitForBytesWritten(30000);
    }
    QElapsedTimer uhr;
    uhr.start();
    int angelegt = 0;
    for (QProcess& p : prozesse) {
        const QStringList teile = zeile(p).split(QLatin1Char(' '));
        ASSERT_EQ(teile.size(), 3) << qPrintable(QString::fromUtf8(p.readAllStandardError()));
        angelegt += teile[1].toInt();
        EXPECT_EQ(teile[2], QStringLiteral("0"))
            << "no workstation was shown a message: " << qPrintable(QString::fromUtf8(p.readAllStandardError()));
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0);
    }
    const qint64 ms = uhr.elapsed();

    const auto zahl = [this](const char* sql) { return db().scalar(QString::fromUtf8(sql)).toInt(); };
    EXPECT_EQ(angelegt, 2 * kDokumente);
    EXPECT_EQ(zahl("SELECT Count(*) FROM tbRechnungen"), 2 * kDokumente);
    EXPECT_EQ(zahl("SELECT Count(*) FROM (SELECT DISTINCT ReNummer FROM tbRechnungen)"), 2 * kDokumente);
    EXPECT_EQ(zahl("SELECT Count(*) FROM (SELECT DISTINCT Renummer_eigen FROM tbRechnungen)"), 2 * kDokumente);
    EXPECT_EQ(zahl("SELECT Count(*) FROM (SELECT DISTINCT ReZaehler FROM tbRechnungen)"), 2 * kDokumente);
    EXPECT_EQ(zahl("SELECT Max(ReNummer) FROM tbRechnungen"), 2 * kDokumente) << "keys run from 1 without a gap";
    EXPECT_EQ(zahl("SELECT Count(*) FROM tbRechnungen_zu_Posten"), 2 * kDokumente);
    EXPECT_EQ(zahl("SELECT Count(*) FROM tblBelegung WHERE Abgerechnet = 1"), 2 * kDokumente);
    const QString bericht = QStringLiteral("%1 Dokumente von zwei Prozessen in %2 ms, %3 verschiedene Schlüssel, %4 verschiedene Nummern")
                                .arg(zahl("SELECT Count(*) FROM tbRechnungen"))
                                .arg(ms)
                                .arg(zahl("SELECT Count(*) FROM (SELECT DISTINCT ReNummer FROM tbRechnungen)"))
                                .arg(zahl("SELECT Count(*) FROM (SELECT DISTINCT Renummer_eigen FROM tbRechnungen)"));
    std::cout << "[ Ergebnis ] " << qPrintable(bericht) << std::endl;
    RecordProperty("Prozesse", bericht.toStdString());
}
