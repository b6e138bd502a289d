#include <gtest/gtest.h>

#include <tuple>

#include "store/Parameter.h"
#include "support/DatabaseFixture.h"

using namespace tav;

class ParameterTest : public test::DatabaseFixture {};

TEST_F(ParameterTest, YesNoRowsLabelsAndLookups) {
    Parameter p(db());
    EXPECT_FALSE(p.readYesNo(QStringLiteral("Stammkunden"))) << "a missing row is no";
    p.saveYesNo(QStringLiteral("Stammkunden"), 1);
    EXPECT_TRUE(p.readYesNo(QStringLiteral("Stammkunden")));
    p.saveYesNo(QStringLiteral("Stammkunden"), -1);
    EXPECT_EQ(p.read(QStringLiteral("Stammkunden"))->text(1), QStringLiteral("Nein")) << "only 1 writes Ja";
    p.write(QStringLiteral("AlleFreien"), {{1, QStringLiteral("ja")}});
    EXPECT_FALSE(p.readYesNo(QStringLiteral("AlleFreien"))) << "lower-case ja is no";

    EXPECT_EQ(p.columnLabel(QStringLiteral("F1")), QStringLiteral("Bezeichnung"));
    p.write(QStringLiteral("Beschriftungen"), {{1, QStringLiteral("Reserviert von:")}, {2, QStringLiteral("Zimmer")}});
    EXPECT_EQ(p.columnLabel(QStringLiteral("F2")), QStringLiteral("Zimmer"));
    EXPECT_EQ(p.columnLabel(QStringLiteral("F3")), QStringLiteral("Bezeichnung")) << "a Null field";

    p.write(QStringLiteral("ZeitDarstellung"), {{1, QStringLiteral("35")}, {2, QStringLiteral("x2")}});
    const auto row = p.read(QStringLiteral("zeitdarstellung"));
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->integer(1), 35);
    EXPECT_EQ(row->integer(2, 9), 0) << "text that does not start with a number reads as 0";
    EXPECT_EQ(row->integer(3, 9), 9) << "a Null field takes the default";

    EXPECT_EQ(p.lookup(QStringLiteral("F1"), QStringLiteral("tblParameter"), QStringLiteral("Satz"), QStringLiteral("ZeitDarstellung"))
                  .toString(),
              QStringLiteral("35"));
    EXPECT_TRUE(p.lookup(QStringLiteral("F1"), QStringLiteral("tblParameter"), QStringLiteral("Satz"), QStringLiteral("x")).isNull());

    EXPECT_FALSE(p.hasText(QStringLiteral("DruckAnzahl")));
    p.writeText(QStringLiteral("DruckAnzahl"), QStringLiteral("2"));
    EXPECT_EQ(p.text(QStringLiteral("druckanzahl")), QStringLiteral("2"));
}

TEST(ParameterFarbeTest, BrighteningLimitsEachChannel) {
    const quint32 red240 = farbe::rgb(240, 0, 0);
    const quint32 bright = farbe::brighten(red240, 60);
    EXPECT_EQ(std::tuple(farbe::red(bright), farbe::green(bright), farbe::blue(bright)), std::tuple(255, 60, 60));
    EXPECT_EQ(farbe::rgb(61, 109, 143), 9399613u) << "the free-cell colour of a new database";
    EXPECT_EQ(farbe::brighten(0, 0), 0u);
}
