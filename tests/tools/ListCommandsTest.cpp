#include <gtest/gtest.h>

#include <QFile>

#include "support/TempFolder.h"
#include "tools/Werkzeug.h"

using namespace tav::test;

TEST(ListCommandsTest, BreakfastListAsTsvAndAsDataFile) {
    TempFolder tmp;
    ASSERT_EQ(werkzeug({"create", tmp.path()}).code, 0);
    const QString db = tmp.file(QStringLiteral("Lokal.mdb"));
    for (const char* sql : {"INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (1, '101')",
                            "INSERT INTO Address (Lastname, Firstname) VALUES ('Huber', 'Eva')",
                            "INSERT INTO tblBelegung (Zimmernummer, Von, Bis, GastID, Frühstück, AnzahlGäste, Kürzel) "
                            "VALUES (1, #03-01-2024#, #03-03-2024#, 1, True, 2, 'hu')"})
        ASSERT_EQ(werkzeug({"exec", "--db", db, QString::fromUtf8(sql)}).code, 0) << sql;

    const QStringList liste = {"liste", "--db", db};
    const Aufruf faelle[] = {
        {"arrival day has no breakfast",
         liste + QStringList{"fruehstueck", "1.3.2024"},
         1,
         {},
         QStringLiteral("Keine Gäste zum Frühstück.")},
        {"unknown list", liste + QStringList{"fruehstuck", "2.3.2024"}, 2, {}, QStringLiteral("Unbekannte Liste: fruehstuck")},
        {"bad date", liste + QStringList{"tagesliste", "32.3.2024"}, 2, {}, QStringLiteral("Kein gültiges Datum: 32.3.2024")},
    };
    for (const Aufruf& f : faelle) pruefe(f);
    for (const auto& [fall, args] : {std::pair{"departure morning", QStringList{"fruehstueck", "2024-03-03"}},
                                     std::pair{"day list", QStringList{"tagesliste", "2.3.2024"}}}) {
        SCOPED_TRACE(fall);
        const Lauf l = werkzeug(liste + args);
        EXPECT_EQ(l.code, 0) << l.err.toStdString();
        EXPECT_EQ(l.out.count(QLatin1Char('\n')), 2) << "the head and the guest";
    }

    const Lauf a = werkzeug(liste + QStringList{"fruehstueck", "3.3.2024", "--datei", tmp.path()});
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
