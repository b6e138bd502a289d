#include <gtest/gtest.h>

#include <tuple>

#include "store/Einstellungen.h"
#include "store/Parameter.h"
#include "store/Variablen.h"
#include "support/DatabaseFixture.h"

using namespace tav;

namespace {

class EinstellungenTest : public test::DatabaseFixture {
protected:
    Parameter p() { return Parameter(db()); }
    void zeile(const QString& satz, const QStringList& werte) {
        QList<QPair<int, QVariant>> f;
        for (int i = 0; i < werte.size(); ++i) f << qMakePair(i + 1, werte[i].isNull() ? QVariant() : QVariant(werte[i]));
        p().write(satz, f);
    }
    Variablen v;
};

}  // namespace

TEST_F(EinstellungenTest, MissingRowsGiveTheirDefaultsAndSomeAreWrittenBack) {
    using namespace einstellungen;
    for (auto* lesen :
         {titel, druckenHardcopy, hilfeDarstellung, druckAnzahl, vorgabeDatum, aktualisieren, ersterTag, waehrung, stammkunden, waesche})
        lesen(db(), v);
    EXPECT_EQ(std::tuple(v.titel, v.druckenHardcopy, v.druckAnzahl, v.ersterTag, v.waehrung),
              std::tuple(QStringLiteral("Tavomera"), true, 2, 60, QStringLiteral("€")));
    EXPECT_EQ(v.waesche.join(QLatin1Char('|')), QStringLiteral("Handtücher|7|Bettwäsche|3|1|0|0|false|true"));

    struct Zurueck {
        const char* satz;
        QStringList felder;
    };
    const Zurueck geschrieben[] = {
        {"titel", {QStringLiteral("Tavomera")}},
        {"VorgabeDatum", {QStringLiteral("0")}},
        {"Aktualisieren", {QStringLiteral("0")}},
        {"Währung", {QStringLiteral("€")}},
        {"Wäsche", {QStringLiteral("Wäsche 1"), QStringLiteral("7"), QStringLiteral("Wäsche 2"), QStringLiteral("3")}},
    };
    for (const Zurueck& z : geschrieben) {
        const auto row = p().read(QString::fromUtf8(z.satz));
        ASSERT_TRUE(row.has_value()) << z.satz;
        for (int i = 0; i < z.felder.size(); ++i) EXPECT_EQ(row->text(i + 1), z.felder[i]) << z.satz;
        EXPECT_TRUE(row->isNull(int(z.felder.size()) + 1)) << z.satz;
    }
    for (const char* nicht : {"DruckenHardcopy", "ErsterTag", "Stammkunden", "AnzeigeSuchen"})
        EXPECT_FALSE(p().read(QString::fromLatin1(nicht)).has_value()) << nicht << " is not written back";
    EXPECT_EQ(p().text(QStringLiteral("DruckAnzahl")), QStringLiteral("2"));
    EXPECT_EQ(std::tuple(v.textWahr, v.textFalsch), std::tuple(QStringLiteral("Ja"), QStringLiteral("Nein")));
    Recordset rs = db().openRecordset(QStringLiteral("SELECT WahrNichtWahr, Beschreibung FROM TblHilfeDarstellung"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.integer(QStringLiteral("WahrNichtWahr")), 0) << "the False row comes first";
    rs.moveLast();
    EXPECT_EQ(rs.recordCount(), 2);
    hilfeDarstellung(db(), v);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Count(*) FROM TblHilfeDarstellung")).toInt(), 2) << "filled only when empty";
}

TEST_F(EinstellungenTest, StoredValuesAreReadTheProgramsWay) {
    using namespace einstellungen;
    zeile(QStringLiteral("titel"), {QStringLiteral("Pension Seeblick")});
    zeile(QStringLiteral("DruckenHardcopy"), {QStringLiteral("Falsch")});
    zeile(QStringLiteral("Stammkunden"), {QStringLiteral("ja")});
    zeile(QStringLiteral("AlleFreien"), {QStringLiteral("Ja")});
    zeile(QStringLiteral("ErsterTag"), {QStringLiteral("40 Punkte")});
    zeile(QStringLiteral("VorgabeDatum"), {QStringLiteral("abc")});
    zeile(QStringLiteral("Wäsche"), {QStringLiteral("Laken"), QString()});
    zeile(QStringLiteral("MitGästezahlR"), {QStringLiteral("Ja")});
    zeile(QStringLiteral("Such_Ort"), {QStringLiteral("Ja")});
    p().writeText(QStringLiteral("DruckAnzahl"), QStringLiteral("3"));
    for (const char* t : {"120,00", "9,50", "45,00"})
        db().execute(QStringLiteral("INSERT INTO tblTarife (Tarif) VALUES (?)"), {QString::fromLatin1(t)});

    for (auto* lesen : {titel, druckenHardcopy, stammkunden, alleFreien, ersterTag, vorgabeDatum, waesche, dokumentOptionen, suchFelder,
                        druckAnzahl, tarife})
        lesen(db(), v);
    EXPECT_EQ(v.titel, QStringLiteral("Pension Seeblick"));
    EXPECT_FALSE(v.druckenHardcopy) << "only \"Wahr\" prints the picture";
    // A row whose field is empty reads as the missing row: the picture is printed.
    db().execute(QStringLiteral("UPDATE tblParameter SET F1 = Null WHERE Satz = 'DruckenHardcopy'"));
    druckenHardcopy(db(), v);
    EXPECT_TRUE(v.druckenHardcopy) << "Null F1 takes the default";
    EXPECT_FALSE(v.stammkunden) << "lower-case ja is no";
    EXPECT_TRUE(v.alleFreien);
    EXPECT_EQ(v.ersterTag, 40) << "leading digits";
    EXPECT_EQ(v.vorgabeDatum, 0);
    EXPECT_EQ(v.waesche.mid(0, 2), (QStringList{QStringLiteral("Laken"), QStringLiteral("7")})) << "a Null field takes the running default";
    EXPECT_EQ(
        std::tuple(v.dokumentOptionen.value(QStringLiteral("MitGästezahlR")), v.dokumentOptionen.value(QStringLiteral("MitGästezahlA"))),
        std::tuple(true, false));
    EXPECT_EQ(v.dokumentOptionen.size(), 35);
    EXPECT_TRUE(v.suchFelder.value(QStringLiteral("Such_Ort")));
    EXPECT_EQ(v.druckAnzahl, 3);
    EXPECT_EQ(v.tarife, (QStringList{QStringLiteral("9,50"), QStringLiteral("45,00"), QStringLiteral("120,00")})) << "numeric order";
}

TEST_F(EinstellungenTest, ColoursKindsAndTheOfferKind) {
    using namespace einstellungen;
    EXPECT_FALSE(farben(db(), v)) << "a missing row is reported";
    ASSERT_EQ(v.farben.size(), 11);
    EXPECT_EQ(std::tuple(v.farben[9], v.farben[10]), std::tuple(farbe::brighten(v.farben[0], 40), farbe::brighten(v.farben[0], 40)))
        << "the plan's own default for a missing F10/F11";

    zeile(QStringLiteral("Farben"), {QString::number(farbe::rgb(240, 0, 0)), QStringLiteral("16742405"), QStringLiteral("255")});
    zeile(QStringLiteral("Belegungsarten"), {QStringLiteral("frei"), QStringLiteral("  Reserviert  "), QStringLiteral("TEILBELEGT Zimmer"),
                                             QStringLiteral("Ein sehr langer Name der Art")});
    EXPECT_TRUE(farben(db(), v));
    belegungsarten(db(), v);
    // Friday and Saturday night default to the free colour brightened; names are trimmed and cut to
    // 15 characters; a kind named TEILBELEGT marks partly occupied rooms in the colour of its entry.
    EXPECT_EQ(std::tuple(v.farben[9], v.farben[10]), std::tuple(farbe::rgb(255, 40, 40), farbe::rgb(255, 40, 40)));
    EXPECT_EQ(v.belegungsartNamen.mid(1, 3),
              (QStringList{QStringLiteral("Reserviert"), QStringLiteral("TEILBELEGT Zimm"), QStringLiteral("Ein sehr langer")}));
    EXPECT_EQ(v.belegungsartNamen.size(), 9);
    EXPECT_EQ(std::tuple(v.hatTeilbelegt, v.teilbelegtFarbe), std::tuple(true, 255u));

    const char* const arten[][2] = {{"0", "Frei"}, {"3", "ANGEBOT"}, {"1", "Reserviert"}, {"2", "Fest"}};
    for (const auto& a : arten)
        db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"),
                     {QString::fromLatin1(a[0]).toInt(), QString::fromLatin1(a[1])});
    belegArten(db(), v);
    ASSERT_EQ(v.belegArten.size(), 3) << "kind 0 is left out";
    EXPECT_EQ(std::tuple(v.belegArten[0].id, v.belegArten[2].name, v.angebotArt), std::tuple(1, QStringLiteral("ANGEBOT"), 3));
}

TEST_F(EinstellungenTest, DisplaySettingsComeFromTheSampleDatabase) {
    auto sample = open(QStringLiteral("Beispiel.mdb"));
    EXPECT_FALSE(einstellungen::zeitDarstellung(*sample, v));
    EXPECT_EQ(v.tage, 35);
    Parameter(*sample).write(QStringLiteral("ZeitDarstellung"), {{1, QStringLiteral("21")}, {2, QStringLiteral("1")}});
    Parameter(*sample).write(QStringLiteral("Räumlichkeiten"), {{1, QStringLiteral("3")}, {2, QStringLiteral("12")}});
    zeile(QStringLiteral("Räumlichkeiten"), {QStringLiteral("7"), QStringLiteral("99"), QStringLiteral("99")});
    EXPECT_TRUE(einstellungen::zeitDarstellung(*sample, v));
    einstellungen::raeumlichkeiten(db(), *sample, v);
    einstellungen::resGroesse(*sample, v);
    // The room count comes from the main database; a Null row height takes the default.
    EXPECT_EQ(std::tuple(v.tage, v.startWochentag, v.raeume, v.sichtbareZeilen, v.zeilenHoehe), std::tuple(21, 1, 7, 12, 320));
    EXPECT_EQ(v.resGroesse, QStringLiteral("gross"));
}
