#include <gtest/gtest.h>

#include <QFileInfo>

#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav::test;

TEST(TavomeraDbTest, CreateQueryAndExecOnTheProgramFiles) {
    TempFolder tmp;
    const Lauf created = werkzeug({"create", tmp.path()});
    ASSERT_EQ(created.code, 0) << created.err.toStdString();
    for (const char* f : {"Tavomera.mdb", "Zentral.mdb", "Lokal.mdb", "Feiertag.mdb", "Beispiel.mdb"})
        EXPECT_TRUE(QFileInfo::exists(tmp.file(QString::fromLatin1(f)))) << f;
    EXPECT_NE(werkzeug({"create", tmp.path()}).code, 0) << "existing files are never overwritten";
    EXPECT_EQ(werkzeug({"create", "--keep", tmp.path()}).code, 0);

    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    const Lauf inserted = werkzeug({"exec", "--db", db,
                                    QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Preis, Checked, Kürzel) "
                                                   "VALUES (3, #02-03-2007#, #02-05-2007#, 1234.5, True, 'Huber')")});
    ASSERT_EQ(inserted.code, 0) << inserted.err.toStdString();
    EXPECT_EQ(inserted.out, QStringLiteral("1\n"));
    werkzeug({"exec", "--db", db, QStringLiteral("INSERT INTO tblBelegung (Zimmernummer) VALUES (4)")});

    const Lauf rows =
        werkzeug({"query", "--db", db,
                  QStringLiteral("SELECT Zimmernummer, Von, Preis, Checked, Kürzel, Info FROM tblBelegung ORDER BY Zimmernummer")});
    ASSERT_EQ(rows.code, 0) << rows.err.toStdString();
    EXPECT_EQ(rows.out, QStringLiteral("Zimmernummer\tVon\tPreis\tChecked\tKürzel\tInfo\n"
                                       "3\t2007-02-03\t1234.5\t-1\tHuber\tNULL\n"
                                       "4\tNULL\tNULL\t0\tNULL\tNULL\n"));

    const Lauf deleted = werkzeug({"exec", "--db", db, QStringLiteral("DELETE * FROM tblBelegung")});
    EXPECT_EQ(deleted.out, QStringLiteral("2\n"));
}

TEST(TavomeraDbTest, BadSqlGivesAClearErrorAndANonZeroExitCode) {
    TempFolder tmp;
    werkzeug({"create", tmp.path()});
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
    werkzeug({"exec", "--db", db, QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES ('55,00')")});
    for (const Bad& b : bad) {
        const Lauf r = werkzeug({"query", "--db", db, QString::fromUtf8(b.sql)});
        EXPECT_EQ(r.code, 1) << b.sql;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("Fehler: "))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(b.says))) << b.sql << " -> " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << b.sql;
    }
    const Lauf wrongFile = werkzeug({"query", "--db", tmp.file(QStringLiteral("x.mdb")), QStringLiteral("SELECT 1")});
    EXPECT_EQ(wrongFile.code, 1);
    EXPECT_TRUE(wrongFile.err.contains(QStringLiteral("x.mdb")));
}
