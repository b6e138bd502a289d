#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>

#include "support/TempFolder.h"

namespace {

struct Result {
    int exitCode;
    QString out;
    QString err;
};

Result tool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(TAVOMERA_BINARY_DIR "/tools/tavomera-db/tavomera-db"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

TEST(TavomeraDbTest, CreateQueryAndExecOnTheProgramFiles) {
    tav::test::TempFolder tmp;
    const Result created = tool({QStringLiteral("create"), tmp.path()});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    for (const char* f : {"Tavomera.mdb", "Zentral.mdb", "Lokal.mdb", "Feiertag.mdb", "Beispiel.mdb"})
        EXPECT_TRUE(QFileInfo::exists(tmp.file(QString::fromLatin1(f)))) << f;
    EXPECT_NE(tool({QStringLiteral("create"), tmp.path()}).exitCode, 0) << "existing files are never overwritten";
    EXPECT_EQ(tool({QStringLiteral("create"), QStringLiteral("--keep"), tmp.path()}).exitCode, 0);

    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    const Result inserted = tool({QStringLiteral("exec"), QStringLiteral("--db"), db,
                                  QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Preis, Checked, Kürzel) "
                                                 "VALUES (3, #02-03-2007#, #02-05-2007#, 1234.5, True, 'Huber')")});
    ASSERT_EQ(inserted.exitCode, 0) << inserted.err.toStdString();
    EXPECT_EQ(inserted.out, QStringLiteral("1\n"));
    tool({QStringLiteral("exec"), QStringLiteral("--db"), db, QStringLiteral("INSERT INTO tblBelegung (Zimmernummer) VALUES (4)")});

    const Result rows =
        tool({QStringLiteral("query"), QStringLiteral("--db"), db,
              QStringLiteral("SELECT Zimmernummer, Von, Preis, Checked, Kürzel, Info FROM tblBelegung ORDER BY Zimmernummer")});
    ASSERT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    EXPECT_EQ(rows.out, QStringLiteral("Zimmernummer\tVon\tPreis\tChecked\tKürzel\tInfo\n"
                                       "3\t2007-02-03\t1234.5\t-1\tHuber\tNULL\n"
                                       "4\tNULL\tNULL\t0\tNULL\tNULL\n"));

    const Result deleted = tool({QStringLiteral("exec"), QStringLiteral("--db"), db, QStringLiteral("DELETE * FROM tblBelegung")});
    EXPECT_EQ(deleted.out, QStringLiteral("2\n"));
}

TEST(TavomeraDbTest, BadSqlGivesAClearErrorAndANonZeroExitCode) {
    tav::test::TempFolder tmp;
    tool({QStringLiteral("create"), tmp.path()});
    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    struct Bad {
        const char* sql;
        const char* says;  // part of the German message on stderr
    };
    const Bad bad[] = {
        {"SELECT * FROM Nirgends", "Die Tabelle oder Abfrage 'Nirgends' wurde nicht gefunden."},
        {"SELECT 'offen", "Zeichenfolge ohne Ende"},
        {"SELECT [offen FROM tblTarife", "Klammer '[' ohne Ende"},
        {"SELECT * FROM tblBelegung WHERE Von = #13-45-2020#", "Syntaxfehler in Datum"},
        {"SELECT * FROM tblBelegung WHERE Von = #12-31-2020", "Datumsangabe ohne schließendes '#'"},
        {"SELEKT *", "Syntaxfehler in der Abfrage bei »SELEKT«."},
        {"SELECT * FROM", "Die Abfrage ist unvollständig."},
        {"SELECT Left('abc') FROM tblTarife", "Falsche Anzahl an Argumenten für die Funktion 'Left'."},
        {"SELECT Tarif & FROM tblTarife", "Operand fehlt beim Operator '&'"},
        {"SELECT Tarif FROM tblTarife UNION SELECT Tarif, Tarif FROM tblTarife", "verschieden viele Felder"},
        {"SELECT CDate('kein Datum') FROM tblTarife", "Datentypen in Kriterienausdruck unverträglich."},
        {"SELECT DateDiff('x', #1/1/2024#, #1/2/2024#) FROM tblTarife", "Ungültiges Intervall 'x' in DateDiff."},
        {"SELECT Unbekannt(1) FROM tblTarife", "Unbekannte Funktion"},
    };
    tool({QStringLiteral("exec"), QStringLiteral("--db"), db, QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('55,00')")});
    for (const Bad& b : bad) {
        const Result r = tool({QStringLiteral("query"), QStringLiteral("--db"), db, QString::fromUtf8(b.sql)});
        EXPECT_EQ(r.exitCode, 1) << b.sql;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("Fehler: "))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(b.says))) << b.sql << " -> " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << b.sql;
    }
    const Result wrongFile =
        tool({QStringLiteral("query"), QStringLiteral("--db"), tmp.file(QStringLiteral("x.mdb")), QStringLiteral("SELECT 1")});
    EXPECT_EQ(wrongFile.exitCode, 1);
    EXPECT_TRUE(wrongFile.err.contains(QStringLiteral("x.mdb")));
}
