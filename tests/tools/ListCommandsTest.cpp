#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "support/TempFolder.h"

namespace {

struct Ausgabe {
    int code;
    QString out;
    QString err;
};

Ausgabe werkzeug(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(ListCommandsTest, BreakfastListAsTsvAndAsDataFile) {
    tav::test::TempFolder tmp;
    ASSERT_EQ(werkzeug({QStringLiteral("create"), tmp.path()}).code, 0);
    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    for (const QString& sql : {QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (1, '101')"),
                               QStringLiteral("INSERT INTO Address (Lastname, Firstname) VALUES ('Huber', 'Eva')"),
                               QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Frühstück, AnzahlGäste, Kürzel) "
                                              "VALUES (1, #03-01-2024#, #03-03-2024#, 1, True, 2, 'hu')")})
        ASSERT_EQ(werkzeug({QStringLiteral("exec"), QStringLiteral("--db"), db, sql}).code, 0) << sql.toStdString();

    struct Fall {
        const char* name;
        QStringList args;
        int code;
        int zeilen;  // TSV lines with the head
        const char* meldung;
    };
    const QList<Fall> faelle = {
        {"arrival day has no breakfast", {QStringLiteral("fruehstueck"), QStringLiteral("1.3.2024")}, 1, 0, "Keine Gäste zum Frühstück."},
        {"departure morning", {QStringLiteral("fruehstueck"), QStringLiteral("2024-03-03")}, 0, 2, ""},
        {"day list", {QStringLiteral("tagesliste"), QStringLiteral("2.3.2024")}, 0, 2, ""},
        {"unknown list", {QStringLiteral("fruehstuck"), QStringLiteral("2.3.2024")}, 2, 0, "Unbekannte Liste: fruehstuck"},
        {"bad date", {QStringLiteral("tagesliste"), QStringLiteral("32.3.2024")}, 2, 0, "Kein gültiges Datum: 32.3.2024"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const Ausgabe a = werkzeug(QStringList{QStringLiteral("liste"), QStringLiteral("--db"), db} + f.args);
        EXPECT_EQ(a.code, f.code) << a.err.toStdString();
        EXPECT_EQ(a.out.count(QLatin1Char('\n')), f.zeilen);
        EXPECT_TRUE(a.err.contains(QString::fromUtf8(f.meldung))) << a.err.toStdString();
    }

    const Ausgabe a = werkzeug({QStringLiteral("liste"), QStringLiteral("--db"), db, QStringLiteral("fruehstueck"),
                                QStringLiteral("3.3.2024"), QStringLiteral("--datei"), tmp.path()});
    ASSERT_EQ(a.code, 0) << a.err.toStdString();
    EXPECT_TRUE(a.out.startsWith(QStringLiteral("ZimBemerkung\tCheck\tAbgerechnet\tGästezahl\tFrühstück\tZimmer\tVorname\tNachname\t")));
    EXPECT_TRUE(a.out.contains(QStringLiteral("\tJa\t101\tEva\tHuber\t")));
    QFile datei(tmp.file(QStringLiteral("allgdat.doc")));
    ASSERT_TRUE(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    EXPECT_TRUE(
        inhalt.startsWith("\xEF\xBB\xBF"
                          "ZimBemerkung;Check;"));
    EXPECT_EQ(inhalt.count("\r\n"), 3);
    EXPECT_TRUE(a.err.contains(QStringLiteral("Die Daten wurden exportiert nach ")));
}

}  // namespace
