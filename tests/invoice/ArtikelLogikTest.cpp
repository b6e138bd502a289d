#include <gtest/gtest.h>

#include "invoice/ArtikelLogik.h"
#include "platform/ScriptedDialogs.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class ArtikelLogikTest : public test::DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        db().execute(QStringLiteral("DELETE * FROM tbSteuerschluessel"));
        db().execute(QStringLiteral("DELETE * FROM tbArtKategorie"));
        db().execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard) VALUES (1, 19, True)"));
        db().execute(QStringLiteral("INSERT INTO tbSteuerschluessel (IDSteuerschluessel, Steuersatz, Standard) VALUES (2, 7, False)"));
        artikel(1, QStringLiteral("Frühstück"), 12.5, 2, false);
        artikel(2, QStringLiteral("Sauna"), 8, 1, true);
        artikel(3, QStringLiteral("Parkplatz"), 1234.5, 1, false);
    }
    void artikel(int id, const QString& name, double preis, int mwst, bool keinDatum) {
        db().execute(
            QStringLiteral("INSERT INTO tbArtKategorie (IDArtKategorie, ArtKategorie, Preis, MWST_SL, KeinDatum) VALUES (?, ?, ?, ?, ?)"),
            {id, name, preis, mwst, keinDatum});
    }
    int anzahl() { return db().scalar(QStringLiteral("SELECT Count(*) FROM tbArtKategorie")).toInt(); }
    static QStringList spalte(const QList<StammZeile>& z, int s) {
        QStringList l;
        for (const StammZeile& r : z) l << r.werte[s];
        return l;
    }

    ScriptedDialogs dialogs_;
};

TEST_F(ArtikelLogikTest, GridSortsByTheClickedColumnAndReversesOnTheSecondClick) {
    ArtikelLogik a(db(), dialogs_);
    EXPECT_EQ(spalte(a.zeilen(), 0), (QStringList{QStringLiteral("Frühstück"), QStringLiteral("Parkplatz"), QStringLiteral("Sauna")}));
    struct Fall {
        const char* name;
        int spalte;
        QStringList erwartet;
    } faelle[] = {
        {"price ascending, as numbers", 1, {"8,00", "12,50", "1.234,50"}},
        {"price again: reversed", 1, {"1.234,50", "12,50", "8,00"}},
        {"price a third time: ascending", 1, {"8,00", "12,50", "1.234,50"}},
        {"another column starts ascending", 2, {"7", "19", "19"}},
        {"no-date flag: Ja before Nein, as the texts read", 4, {"Ja", "Nein", "Nein"}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        a.sortieren(f.spalte);
        EXPECT_EQ(spalte(a.zeilen(), f.spalte), f.erwartet);
    }
}

TEST_F(ArtikelLogikTest, SavingChecksTheFieldsAndWritesNothingHalf) {
    struct Fall {
        const char* name;
        QString bezeichnung, preis, mwst;
        QString meldung;
    } faelle[] = {
        {"empty name", "  ", "5", "19", ArtikelLogik::kNameLeer},
        {"letters in the price", "Sekt", "12a", "19", ArtikelLogik::kPreisUngueltig},
        {"rate not in the list", "Sekt", "5", "17", MwStAuswahl::kNichtInListe},
        {"rate of 250 %", "Sekt", "5", "250", MwStAuswahl::kNichtInListe},
        {"saved", "Sekt", "1.234,5", "7", {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialogs_.clear();
        ArtikelLogik a(db(), dialogs_);
        a.neu();
        a.bearbeiten().name = f.bezeichnung;
        a.bearbeiten().preis = f.preis;
        a.bearbeiten().mwst = f.mwst;
        const int vorher = anzahl();
        EXPECT_EQ(a.speichern(), f.meldung.isEmpty());
        if (f.meldung.isEmpty()) {
            EXPECT_TRUE(dialogs_.shown().isEmpty());
            EXPECT_EQ(anzahl(), vorher + 1);
            EXPECT_EQ(a.felder().id, 4) << "the next key";
            EXPECT_EQ(a.felder().preis, QStringLiteral("1.234,50"));
            const auto v = a.Preis_Bemerkung_emitteln(QStringLiteral("sekt"));
            ASSERT_TRUE(v);
            EXPECT_EQ(v->preis, 1234.5);
            EXPECT_EQ(v->mwstId, 2);
        } else {
            EXPECT_EQ(dialogs_.texts(), QStringList{f.meldung});
            EXPECT_EQ(anzahl(), vorher);
        }
    }
}

TEST_F(ArtikelLogikTest, LeavingChangesAsksAndDeletingAsksTwice) {
    ArtikelLogik a(db(), dialogs_);
    ASSERT_TRUE(a.laden(2));
    EXPECT_EQ((QStringList{a.felder().name, a.felder().preis, a.felder().mwst}), (QStringList{"Sauna", "8,00", "19"}));
    EXPECT_TRUE(a.felder().keinDatum);
    a.bearbeiten().preis = QStringLiteral("9");
    dialogs_.answer(Answer::Cancel);
    EXPECT_FALSE(a.laden(1)) << "Cancel stays";
    EXPECT_EQ(dialogs_.last().text, ArtikelLogik::kSpeichernFrage);
    EXPECT_EQ(dialogs_.last().caption, ArtikelLogik::kSpeichernTitel);
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.laden(1)) << "Yes saves, then loads";
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT Preis FROM tbArtKategorie WHERE IDArtKategorie = 2")).toDouble(), 9.0);
    EXPECT_EQ(a.felder().name, QStringLiteral("Frühstück"));

    dialogs_.clear();
    dialogs_.answer(Answer::No);
    EXPECT_FALSE(a.loeschen());
    EXPECT_EQ(dialogs_.last().text, QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden??"));
    dialogs_.answer(Answer::Yes);
    EXPECT_TRUE(a.loeschen());
    EXPECT_EQ(anzahl(), 2);
    EXPECT_EQ(a.felder().id, 0);
    EXPECT_EQ(ArtikelLogik::preisAnzeigen(QStringLiteral("1234,5")), QStringLiteral("1.234,50"));
    EXPECT_EQ(ArtikelLogik::preisAnzeigen(QStringLiteral("1,2,3")), QStringLiteral("1,2,3")) << "no amount stays as typed";
}
