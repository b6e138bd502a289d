#include <gtest/gtest.h>

#include <tuple>

#include "store/Zimmerliste.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class ZimmerlisteTest : public test::DatabaseFixture {
protected:
    void addRoom(int nr, const QString& label, QVariant zusatz1 = {}, QVariant raucher = {}) {
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, Bemerkungen, Zusatz1, Raucher, "
                                    "AnzahlGästeDefault, PreisDefault) VALUES (?, ?, ?, ?, ?, 2, 60)"),
                     {nr, label, QStringLiteral("Zimmer ") + label, zusatz1, raucher.isValid() ? raucher : QVariant(0)});
    }
};

TEST_F(ZimmerlisteTest, LoadsAttributesDefaultsAndLookups) {
    db().execute(QStringLiteral("INSERT INTO tbZusätze (ZusatzFeld, Beschriftung, Bedeutung, Farbe) VALUES (1, 'B', 'Balkon', 255)"));
    addRoom(2, QStringLiteral("102"), 1, -1);
    addRoom(1, QStringLiteral("101"));
    addRoom(3, QStringLiteral("101"));  // the same label twice: the first row is found
    Zimmerliste list;
    list.load(db());
    ASSERT_EQ(list.rooms().size(), 3);
    const Zimmer& first = list.rooms()[0];
    // A room without attributes keeps the menu-bar colour; only the last row is marked last.
    EXPECT_EQ(std::tuple(first.nummer, first.farbe1, first.text1, first.tooltip(), first.tag(), first.letztes),
              std::tuple(1, farbe::kMenuBar, QString(), QStringLiteral("Zimmer 101 (Nichtraucher)"), QStringLiteral("01"), false));
    const Zimmer& second = list.rooms()[1];
    EXPECT_EQ(std::tuple(second.farbe1, second.text1, second.bedeutung1, second.tooltip()),
              std::tuple(255u, QStringLiteral("B"), QStringLiteral("Balkon"), QStringLiteral("Zimmer 102 (Raucher)")));
    EXPECT_TRUE(list.rooms()[2].letztes);
    EXPECT_EQ(list.vorgabe(2)->preis, 60.0);

    EXPECT_EQ(Zimmerliste::nummerVonLabel(db(), QStringLiteral("101")), 1);
    EXPECT_EQ(Zimmerliste::nummerVonLabel(db(), QStringLiteral("999")), 0);
    EXPECT_EQ(Zimmerliste::nummerVonLabel(db(), QStringLiteral("1' OR '1'='1")), 0) << "labels are bound, never spliced";
    EXPECT_EQ(Zimmerliste::gaesteVonLabel(db(), QStringLiteral("102")), 2);
    EXPECT_EQ(std::tuple(Zimmerliste::attributFarbe(db(), 1), Zimmerliste::attributText(db(), 1)), std::tuple(255u, QStringLiteral("B")));
    EXPECT_EQ(Zimmerliste::zusatzspaltenInGebrauch(db()), 2);
    db().execute(QStringLiteral("UPDATE tbZimmernummern SET Zusatz2 = 1 WHERE Zimmernummer = 3"));
    EXPECT_EQ(Zimmerliste::zusatzspaltenInGebrauch(db()), 3);
    db().execute(QStringLiteral("UPDATE tbZimmernummern SET Zusatz1 = Null"));
    EXPECT_EQ(Zimmerliste::zusatzspaltenInGebrauch(db()), 1);
}

TEST_F(ZimmerlisteTest, AtMostTwoHundredRoomsAreLoaded) {
    db().beginTrans();
    for (int i = 1; i <= 201; ++i) addRoom(i, QString::number(i));
    db().commitTrans();
    Zimmerliste list;
    list.load(db());
    EXPECT_EQ(list.rooms().size(), 200);
    EXPECT_EQ(list.rooms().back().nummer, 200);
    EXPECT_FALSE(list.rooms().back().letztes) << "the 201st row was not read as the last one";
    db().execute(QStringLiteral("DELETE * FROM tbZimmernummern WHERE Zimmernummer = 201"));
    list.load(db());
    EXPECT_EQ(list.rooms().size(), 200);
    EXPECT_TRUE(list.rooms().back().letztes);
}
